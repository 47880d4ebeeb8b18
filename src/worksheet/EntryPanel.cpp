#include "EntryPanel.h"

#include "Accessibility.h"
#include "BusyCursor.h"
#include "CostArithmetic.h"
#include "Decimal.h"
#include "Formats.h"
#include "FormattedEdit.h"
#include "MaskedDateEdit.h"
#include "PurchaseDate.h"
#include "RecordSet.h"
#include "ReferenceLists.h"
#include "Settings.h"
#include "Shell.h"
#include "StatusLadder.h"
#include "Toolkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QString amountDisplay(const QString& raw) {
    const auto m = Money::fromText(raw);
    return m ? Formats::entryCurrency(*m) : raw;
}

QString quantityDisplay(const QString& raw) {
    return Formats::wholeNumber(Decimal::leading(raw).toDouble());
}

// A computed field is only touched when its text changes, so that
// recalculating on a focus move marks no change by itself.
void setRaw(FormattedEdit* edit, const QString& text) {
    if (edit->rawText() != text)
        edit->setRawText(text);
}

QComboBox* makeCombo(const QString& name, bool editable, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(editable);
    if (editable)
        box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(15);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(12);
    return box;
}

FormattedEdit* makeAmount(const QString& name, QWidget* parent) {
    auto* edit = new FormattedEdit(parent);
    edit->setObjectName(name);
    edit->setFormatter(amountDisplay);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

} // namespace

EntryPanel::EntryPanel(Shell& shell, ReferenceLists& lists, int index, QWidget* parent)
    : QWidget(parent)
    , m_shell(shell)
    , m_lists(lists)
    , m_index(index) {
    setObjectName(QStringLiteral("panel%1").arg(index));
    build();
    m_taxable->setChecked(true);
    setDateControlsVisible(false);

    connect(m_quantity, &FormattedEdit::rawTextChanged, this, [this] {
        costInputChanged();
        calcamount();
        Q_EMIT edited();
    });
    connect(m_price, &FormattedEdit::rawTextChanged, this, [this] {
        costInputChanged();
        calcamount();
        Q_EMIT edited();
    });
    for (FormattedEdit* e : {m_quantity, m_shipping, m_tax})
        connect(e, &FormattedEdit::focusLeft, this, [this] {
            if (m_costInputsChanged)
                calcamount();
        });
    // Shipping counts once its field is left.
    connect(m_shipping, &FormattedEdit::rawTextChanged, this, &EntryPanel::costInputChanged);
    for (FormattedEdit* e : {m_shipping, m_tax, m_total})
        connect(e, &FormattedEdit::rawTextChanged, this, &EntryPanel::edited);
    connect(m_date, &MaskedDateEdit::valueChanged, this, &EntryPanel::edited);
    connect(m_partNumber, &QLineEdit::textChanged, this, &EntryPanel::edited);
    connect(m_notes, &QPlainTextEdit::textChanged, this, &EntryPanel::edited);
    connect(m_taxable, &QCheckBox::toggled, this, [this] {
        costInputChanged();
        calcamount();
        Q_EMIT edited();
    });
    for (QCheckBox* box : {m_selected, m_forecast})
        connect(box, &QCheckBox::toggled, this, [this] {
            checkboxes();
            Q_EMIT edited();
        });
    connect(m_purchased, &QCheckBox::toggled, this, &EntryPanel::purchaseDateSwitch);
    connect(m_partName, &QComboBox::currentTextChanged, this, [this] {
        getcategory();
        Q_EMIT edited();
    });
    for (QComboBox* box : {m_manufacturer, m_vendor})
        connect(box, &QComboBox::currentTextChanged, this, &EntryPanel::edited);
    connect(m_picker, &QDateEdit::dateChanged, this, [this] {
        calcdate();
        Q_EMIT edited();
    });
    for (QComboBox* box : {m_partName, m_manufacturer, m_vendor, m_category})
        box->installEventFilter(this);
}

void EntryPanel::build() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    int row = 0;
    auto addPair = [&](int column, const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        Accessibility::label(label, field);
        grid->addWidget(label, row, column);
        grid->addWidget(field, row, column + 1);
    };

    m_partName = makeCombo(QStringLiteral("cmbPartname"), true, this);
    m_quantity = new FormattedEdit(this);
    m_quantity->setObjectName(QStringLiteral("ioQuantity"));
    m_quantity->setFormatter(quantityDisplay);
    m_quantity->setMaxRawLength(5);
    m_quantity->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addPair(0, QStringLiteral("Part Name"), m_partName);
    addPair(2, QStringLiteral("Quantity"), m_quantity);
    ++row;

    m_category = makeCombo(QStringLiteral("cmbCategory"), false, this);
    m_price = makeAmount(QStringLiteral("ioprice"), this);
    addPair(0, QStringLiteral("Category"), m_category);
    addPair(2, QStringLiteral("Price (Each)"), m_price);
    ++row;

    m_partNumber = new QLineEdit(this);
    m_partNumber->setObjectName(QStringLiteral("ioPartnumber"));
    m_shipping = makeAmount(QStringLiteral("ioshipping"), this);
    addPair(0, QStringLiteral("Part Number"), m_partNumber);
    addPair(2, QStringLiteral("Shipping/Handling"), m_shipping);
    ++row;

    m_manufacturer = makeCombo(QStringLiteral("cmbManufacturer"), true, this);
    m_tax = makeAmount(QStringLiteral("iotaxamount"), this);
    addPair(0, QStringLiteral("Manufacturer"), m_manufacturer);
    addPair(2, QStringLiteral("Tax Amount"), m_tax);
    ++row;

    m_vendor = makeCombo(QStringLiteral("cmbVendor"), true, this);
    m_total = makeAmount(QStringLiteral("iototalcost"), this);
    addPair(0, QStringLiteral("Vendor"), m_vendor);
    addPair(2, QStringLiteral("Total Cost"), m_total);
    ++row;
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 1);

    auto* status = new QHBoxLayout;
    status->setSpacing(14);
    auto makeCheck = [&](const QString& name, const QString& caption) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(name);
        Accessibility::name(box, caption);
        status->addWidget(box);
        return box;
    };
    m_taxable = makeCheck(QStringLiteral("chkTaxable"), QStringLiteral("Taxable"));
    m_selected = makeCheck(QStringLiteral("chkSelected"), QStringLiteral("Part Selected"));
    m_forecast = makeCheck(QStringLiteral("chkForecast"), QStringLiteral("Forecast Part"));
    m_purchased = makeCheck(QStringLiteral("chkPurchased"), QStringLiteral("Part Purchased"));
    status->addStretch(1);
    m_dateLabel = new QLabel(QStringLiteral("Purchase Date"), this);
    m_dateLabel->setObjectName(QStringLiteral("Label7"));
    m_date = new MaskedDateEdit(this);
    m_date->setObjectName(QStringLiteral("iopurchasedate"));
    m_date->setFixedWidth(m_date->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) +
                          16);
    Accessibility::label(m_dateLabel, m_date);
    m_picker = new QDateEdit(this);
    m_picker->setObjectName(QStringLiteral("DTPicker1"));
    m_picker->setCalendarPopup(true);
    m_picker->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    m_picker->setMinimumDate(QDate(100, 1, 1));
    m_picker->setDate(QDate::currentDate());
    Accessibility::name(m_picker, QStringLiteral("Purchase Date Calendar"));
    for (QWidget* w : {static_cast<QWidget*>(m_dateLabel), static_cast<QWidget*>(m_date),
                       static_cast<QWidget*>(m_picker)}) {
        QSizePolicy p = w->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        w->setSizePolicy(p);
        status->addWidget(w);
    }

    auto* notesFrame = new QGroupBox(QStringLiteral("Notes"), this);
    m_notes = new QPlainTextEdit(notesFrame);
    m_notes->setObjectName(QStringLiteral("ioNotes"));
    m_notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notes->setTabChangesFocus(true);
    Accessibility::name(m_notes, QStringLiteral("Notes"));
    auto* notesLayout = new QVBoxLayout(notesFrame);
    notesLayout->setContentsMargins(6, 4, 6, 6);
    notesLayout->addWidget(m_notes);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(8);
    outer->addLayout(grid);
    outer->addLayout(status);
    outer->addWidget(notesFrame, 1);
}

bool EntryPanel::eventFilter(QObject* watched, QEvent* event) {
    // The lists are read again each time the user enters them, so names
    // added elsewhere show up; the popup closing is no new entry.
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == m_partName)
            reloadparts();
        else if (watched == m_manufacturer)
            reloadmanufacturers();
        else if (watched == m_vendor)
            reloadvendors();
        else if (watched == m_category)
            reloadcategories();
    }
    return QWidget::eventFilter(watched, event);
}

void EntryPanel::calcamount() {
    // A loaded line shows the amounts it was stored with, whatever the tax
    // percentage is today.
    if (m_loading)
        return;
    BusyCursor busy;
    const auto result = CostArithmetic::calcamount(
        {m_quantity->rawText(), m_price->rawText(), m_shipping->rawText(),
         m_shell.settings().value(Settings::kTaxPercentage, QStringLiteral("0")),
         m_taxable->isChecked()});
    if (!result.ok) {
        setRaw(m_tax, QStringLiteral("0"));
        setRaw(m_total, QStringLiteral("0"));
        // Once per overflow, not on every further keystroke.
        if (!m_overflowReported) {
            m_overflowReported = true;
            m_shell.toolkit().inform(CostArithmetic::kTooLargeMessage);
        }
        return;
    }
    m_overflowReported = false;
    setRaw(m_tax, result.tax);
    setRaw(m_total, result.total);
}

void EntryPanel::costInputChanged() {
    if (!m_loading)
        m_costInputsChanged = true;
}

void EntryPanel::checkboxes() {
    StatusLadder::State s{m_selected->isChecked(), m_forecast->isChecked(),
                          m_purchased->isChecked(), m_selected->isEnabled(),
                          m_forecast->isEnabled()};
    s = StatusLadder::checkboxes(s);
    const QSignalBlocker a(m_selected);
    const QSignalBlocker b(m_forecast);
    m_selected->setChecked(s.selected);
    m_forecast->setChecked(s.forecast);
    m_selected->setEnabled(s.selectedEnabled);
    m_forecast->setEnabled(s.forecastEnabled);
}

void EntryPanel::calcdate() {
    m_date->setValue(PurchaseDate::calcdate(m_picker->date()));
}

void EntryPanel::purchaseDateSwitch() {
    BusyCursor busy;
    const bool purchased = m_purchased->isChecked();
    setDateControlsVisible(purchased);
    if (!purchased)
        m_date->setValue(QString());
    const QDate typed = PurchaseDate::parse(m_date->value());
    if (typed.isValid()) {
        m_picker->setDate(typed);
    } else {
        const QDate today = QDate::currentDate();
        m_picker->setDate(today);
        m_date->setValue(PurchaseDate::calcdate(today));
    }
    checkboxes();
    Q_EMIT edited();
}

void EntryPanel::setDateControlsVisible(bool visible) {
    m_dateLabel->setVisible(visible);
    m_date->setVisible(visible);
    m_picker->setVisible(visible);
}

void EntryPanel::getcategory(DbResult* error) {
    BusyCursor busy;
    setCategoryText(m_lists.categoryOf(m_partName->currentText(), error));
}

void EntryPanel::setCategoryText(const QString& text) {
    if (text.isEmpty()) {
        m_category->setCurrentIndex(-1);
        return;
    }
    int i = m_category->findText(text);
    if (i < 0) {
        // A category the list has not been read with yet.
        m_category->addItem(text);
        i = m_category->count() - 1;
    }
    m_category->setCurrentIndex(i);
}

void EntryPanel::fill(QComboBox* box, const QStringList& items) {
    // The text in the field stays as the user left it.
    const QString text = box->currentText();
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(items);
    if (box->isEditable()) {
        box->setCurrentIndex(-1);
        box->setEditText(text);
    } else {
        box->setCurrentIndex(box->findText(text));
    }
}

void EntryPanel::reloadparts() {
    fill(m_partName, m_lists.partNames());
}

void EntryPanel::reloadmanufacturers() {
    fill(m_manufacturer, m_lists.manufacturers());
}

void EntryPanel::reloadvendors() {
    fill(m_vendor, m_lists.vendors());
}

void EntryPanel::reloadcategories() {
    const QString text = m_category->currentText();
    fill(m_category, m_lists.categories());
    setCategoryText(text);
}

void EntryPanel::reloadLists() {
    reloadparts();
    reloadmanufacturers();
    reloadvendors();
    reloadcategories();
}

void EntryPanel::resetFields(bool hideDateControls) {
    m_date->setValue(QString());
    m_vendor->setEditText(QString());
    m_partName->setEditText(QString());
    m_partNumber->clear();
    m_manufacturer->setEditText(QString());
    m_notes->clear();
    setCategoryText(QString());
    for (FormattedEdit* e : {m_quantity, m_price, m_tax, m_shipping, m_total})
        e->setRawText(QStringLiteral("0"));
    if (hideDateControls)
        setDateControlsVisible(false);
    // An empty panel takes a new line, whose amounts always follow its fields.
    m_costInputsChanged = true;
}

void EntryPanel::clearStatusBoxes() {
    for (QCheckBox* box : {m_selected, m_purchased, m_forecast, m_taxable})
        box->setChecked(false);
}

void EntryPanel::load(RecordSet& lines, QString* loadedName, QString* loadedSequence) {
    m_loading = true;
    auto read = [&](const char* column, auto apply) {
        const QString c = QString::fromLatin1(column);
        if (!lines.isNull(c))
            apply(lines.text(c));
    };
    read("Purchase_date", [&](const QString& v) { m_date->setValue(v); });
    read("Vendor", [&](const QString& v) { m_vendor->setEditText(v); });
    read("Part_Name", [&](const QString& v) { m_partName->setEditText(v); });
    *loadedName = m_partName->currentText();
    *loadedSequence = lines.text(QStringLiteral("Sequence_Number"));
    read("Part_Number", [&](const QString& v) { m_partNumber->setText(v); });
    read("Manufacturer", [&](const QString& v) { m_manufacturer->setEditText(v); });
    read("Quantity", [&](const QString& v) { m_quantity->setRawText(v); });
    read("Price", [&](const QString& v) { m_price->setRawText(v); });
    read("Tax_amount", [&](const QString& v) { m_tax->setRawText(v); });
    read("Shipping_amount", [&](const QString& v) { m_shipping->setRawText(v); });
    read("Total_cost", [&](const QString& v) { m_total->setRawText(v); });
    read("Notes", [&](const QString& v) { m_notes->setPlainText(v); });
    if (!lines.isEof()) {
        m_selected->setChecked(lines.flag(QStringLiteral("Selected")));
        m_taxable->setChecked(lines.flag(QStringLiteral("Taxable")));
        m_purchased->setChecked(lines.flag(QStringLiteral("Purchased")));
        m_forecast->setChecked(lines.flag(QStringLiteral("Forecast")));
        const QDate stored = PurchaseDate::fromStored(lines.text(QStringLiteral("Purchase_date")));
        if (stored.isValid())
            m_picker->setDate(stored);
    }
    m_loading = false;
    // The stored amounts stand until the user changes what they were computed
    // from: the tax percentage may have changed since the line was stored,
    // and merely passing through a field must not rewrite them.
    m_costInputsChanged = false;
}

DbResult EntryPanel::upperCaseNames() {
    for (QComboBox* box : {m_partName, m_manufacturer, m_vendor}) {
        const QString upper = box->currentText().toUpper();
        if (box->currentText() != upper)
            box->setEditText(upper);
    }
    // The stored category is always the catalogue's for the name as it now reads.
    DbResult lookup;
    getcategory(&lookup);
    setCategoryText(m_category->currentText().toUpper());
    return lookup;
}

void EntryPanel::setPartName(const QString& name) {
    m_partName->setEditText(name);
}

PartLine EntryPanel::line() const {
    PartLine l;
    l.partName = m_partName->currentText();
    l.category = m_category->currentText();
    l.partNumber = m_partNumber->text();
    l.manufacturer = m_manufacturer->currentText();
    l.vendor = m_vendor->currentText();
    l.quantity = m_quantity->rawText();
    l.price = m_price->rawText();
    l.taxAmount = m_tax->rawText();
    l.shipping = m_shipping->rawText();
    l.totalCost = m_total->rawText();
    l.notes = m_notes->toPlainText();
    l.taxable = m_taxable->isChecked();
    l.selected = m_selected->isChecked();
    l.forecast = m_forecast->isChecked();
    l.purchased = m_purchased->isChecked();
    l.purchaseDate = m_date->value();
    return l;
}
