#include "MaintenanceWindow.h"

#include "Accessibility.h"
#include "AppFiles.h"
#include "AppState.h"
#include "BusyCursor.h"
#include "QuoteKeyFilter.h"
#include "Shell.h"
#include "SimpleComboBox.h"
#include "Toolkit.h"
#include "Twips.h"
#include "WindowId.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <cmath>

namespace {

const QString kQuestionTitle = QStringLiteral("Rastrel - Maintenance");

// Inside each tab's frame, in twips.
constexpr int kLabelLeft = 240;
constexpr int kLabelWidth = 1590;
constexpr int kLabelHeight = 255;
constexpr int kFieldLeft = 1875;
constexpr int kFieldWidth = 4230;
constexpr int kFieldHeight = 315;
constexpr int kButtonWidth = 990;
constexpr int kButtonHeight = 345;

const char* const kTabIcons[] = {"tools.ico", "vendor.ico", "manuf.ico", "category.ico"};

} // namespace

MaintenanceWindow::MaintenanceWindow(Shell& shell, QWidget* parent)
    : ChildWindow(parent)
    , m_shell(shell)
    , m_parts(shell.data())
    , m_vendorBook(shell.data(), ContactBook::Kind::Vendors)
    , m_manufacturerBook(shell.data(), ContactBook::Kind::Manufacturers)
    , m_categories(shell.data()) {
    BusyCursor busy;
    setObjectName(Windows::objectName(WindowId::Maintenance));
    setWindowTitle(QStringLiteral("Maintenance"));
    m_keyFilter = new QuoteKeyFilter([this] { m_shell.toolkit().beep(); }, this);

    // The twips layout was drawn for 8-point text of a narrower face; it grows
    // as a whole until the longest captions fit.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);
    const QFontMetrics metrics(small);
    int widest = 0;
    for (const char* caption : {"Manufacturer Address", "Manufacturer Website",
                                "Manufacturer Phone", "Manufacturer Name", "Manufacturer List"})
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromLatin1(caption)));
    m_scale = std::max(1.0, double(widest + 6) / Twips::toPixelsX(kFieldLeft - kLabelLeft, this));
    QCheckBox probe(QStringLiteral("Order Catalog"));
    probe.setFont(small);
    m_scale = std::max(m_scale, double(probe.sizeHint().width()) / Twips::toPixelsX(1350, this));
    // The client area around the tab control.
    setFixedSize(scaled(0, 0, 6735, 4275).size());

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setGeometry(scaled(90, 60, 6555, 4155));
    m_tabs->addTab(buildPartsTab(), QStringLiteral("Parts"));
    m_vendors.book = &m_vendorBook;
    m_vendors.tab = VendorsTab;
    m_vendors.emptyListMessage =
        QStringLiteral("You must add a vendor before you can select one from the list.");
    m_vendors.emptyWebSiteMessage =
        QStringLiteral("There must be a value in the vendor web site field to access a web site.");
    m_tabs->addTab(buildContactTab(m_vendors, QStringLiteral("Vendor"), QStringLiteral("vendor")),
                   QStringLiteral("Vendors"));
    m_manufacturers.book = &m_manufacturerBook;
    m_manufacturers.tab = ManufacturersTab;
    m_manufacturers.emptyListMessage =
        QStringLiteral("You must add a manufacturer before you can select one from the list.");
    m_manufacturers.emptyWebSiteMessage = QStringLiteral(
        "There must be a value in the manufacturer web site field to access a web site.");
    m_tabs->addTab(buildContactTab(m_manufacturers, QStringLiteral("Manufacturer"),
                                   QStringLiteral("manufacturer")),
                   QStringLiteral("Manufacturers"));
    m_tabs->addTab(buildCategoriesTab(), QStringLiteral("Categories"));
    connect(m_tabs, &QTabWidget::currentChanged, this, &MaintenanceWindow::onTabChanged);

    m_tabGuard = false;
    loadlists();
    setTabIcon();
    disableChangeButtons();
}

// --- layout ---------------------------------------------------------------

QFrame* MaintenanceWindow::addFrame(QWidget* page) {
    auto* frame = new QFrame(page);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setProperty("index", int(m_frames.size()));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    page->installEventFilter(this);
    m_frames << frame;
    return frame;
}

QLabel* MaintenanceWindow::addLabel(QWidget* frame, const QString& text, int top) {
    auto* label = new QLabel(text, frame);
    label->setGeometry(scaled(kLabelLeft, top, kLabelWidth, kLabelHeight));
    return label;
}

QPushButton* MaintenanceWindow::addButton(QWidget* frame, const QString& name, const QString& text,
                                          int left, int top) {
    auto* button = new QPushButton(text, frame);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setGeometry(scaled(left, top, kButtonWidth, kButtonHeight));
    return button;
}

QWidget* MaintenanceWindow::buildPartsTab() {
    auto* page = new QWidget;
    QFrame* frame = addFrame(page);

    m_partName = new SimpleComboBox(frame);
    m_partName->setObjectName(QStringLiteral("cmbpartdatabase"));
    m_partName->setGeometry(scaled(kFieldLeft, 270, kFieldWidth, 2325));
    Accessibility::label(addLabel(frame, QStringLiteral("Part Name"), 330), m_partName->edit());
    Accessibility::label(addLabel(frame, QStringLiteral("Part List"), 735), m_partName->list());

    m_partCategory = new QComboBox(frame);
    m_partCategory->setObjectName(QStringLiteral("cmbCategory"));
    m_partCategory->setEditable(true);
    m_partCategory->setInsertPolicy(QComboBox::NoInsert);
    m_partCategory->setCompleter(nullptr);
    m_partCategory->setGeometry(scaled(1890, 2730, kFieldWidth, kFieldHeight));
    Accessibility::label(addLabel(frame, QStringLiteral("Category"), 2790), m_partCategory);

    m_cmdAdd = addButton(frame, QStringLiteral("cmdAdd"), QStringLiteral("&Add"), 2310, 3180);
    m_cmdchange =
        addButton(frame, QStringLiteral("cmdchange"), QStringLiteral("&Change"), 3495, 3180);
    m_cmdDelete =
        addButton(frame, QStringLiteral("cmdDelete"), QStringLiteral("&Delete"), 4680, 3180);

    m_keyFilter->watch(m_partName->edit());
    connect(m_partName, &SimpleComboBox::textChanged, this, &MaintenanceWindow::markPending);
    connect(m_partCategory, &QComboBox::editTextChanged, this, &MaintenanceWindow::markPending);
    connect(m_partName, &SimpleComboBox::entryClicked, this, &MaintenanceWindow::partEntryClicked);
    connect(m_cmdAdd, &QPushButton::clicked, this, &MaintenanceWindow::cmdAdd_Click);
    connect(m_cmdchange, &QPushButton::clicked, this, &MaintenanceWindow::cmdchange_Click);
    connect(m_cmdDelete, &QPushButton::clicked, this, &MaintenanceWindow::cmdDelete_Click);

    setTabOrder(m_partName->edit(), m_partName->list());
    setTabOrder(m_partName->list(), m_partCategory);
    setTabOrder(m_partCategory, m_cmdAdd);
    setTabOrder(m_cmdAdd, m_cmdchange);
    setTabOrder(m_cmdchange, m_cmdDelete);
    return page;
}

QWidget* MaintenanceWindow::buildContactTab(ContactTab& t, const QString& noun,
                                            const QString& prefix) {
    auto* page = new QWidget;
    QFrame* frame = addFrame(page);
    const QString suffix = t.tab == VendorsTab ? QStringLiteral("2") : QStringLiteral("3");

    t.name = new SimpleComboBox(frame);
    t.name->setObjectName(QStringLiteral("cmb") + prefix + QStringLiteral("database"));
    t.name->setGeometry(scaled(kFieldLeft, 270, kFieldWidth, 1545));
    Accessibility::label(addLabel(frame, noun + QStringLiteral(" Name"), 330), t.name->edit());
    Accessibility::label(addLabel(frame, noun + QStringLiteral(" List"), 735), t.name->list());

    auto field = [&](const QString& what, const QString& caption, int top,
                     int labelTop) -> QLineEdit* {
        auto* edit = new QLineEdit(frame);
        edit->setObjectName(QStringLiteral("io") + prefix + what);
        edit->setGeometry(scaled(kFieldLeft, top, kFieldWidth, kFieldHeight));
        Accessibility::label(addLabel(frame, noun + u' ' + caption, labelTop), edit);
        m_keyFilter->watch(edit);
        connect(edit, &QLineEdit::textChanged, this, &MaintenanceWindow::markPending);
        return edit;
    };
    t.address = field(QStringLiteral("address"), QStringLiteral("Address"), 1935, 1965);
    t.phone = field(QStringLiteral("phone"), QStringLiteral("Phone"), 2370, 2400);
    t.webSite = field(QStringLiteral("website"), QStringLiteral("Website"), 2805, 2850);

    t.add = addButton(frame, QStringLiteral("cmdadd") + suffix, QStringLiteral("&Add"), 225, 3240);
    t.change = addButton(frame, QStringLiteral("cmdchange") + suffix, QStringLiteral("&Change"),
                         1410, 3240);
    t.remove = addButton(frame, QStringLiteral("cmddelete") + suffix, QStringLiteral("&Delete"),
                         2595, 3240);
    t.website = addButton(frame, QStringLiteral("cmdwebsite") + suffix, QStringLiteral("&Website"),
                          3780, 3240);
    if (t.tab == VendorsTab) {
        t.orderCatalog = new QCheckBox(QStringLiteral("Order Catalog"), frame);
        t.orderCatalog->setObjectName(QStringLiteral("chkordercatalog"));
        t.orderCatalog->setGeometry(scaled(4890, 3285, 1350, 255));
        connect(t.orderCatalog, &QCheckBox::toggled, this, &MaintenanceWindow::markPending);
    }

    m_keyFilter->watch(t.name->edit());
    connect(t.name, &SimpleComboBox::textChanged, this, &MaintenanceWindow::markPending);
    connect(t.name, &SimpleComboBox::entryClicked, this, [this, &t] { contactEntryClicked(t); });
    connect(t.add, &QPushButton::clicked, this, [this, &t] { contactAdd(t); });
    connect(t.change, &QPushButton::clicked, this, [this, &t] { contactChange(t); });
    connect(t.remove, &QPushButton::clicked, this, [this, &t] { contactDelete(t); });
    connect(t.website, &QPushButton::clicked, this, [this, &t] { contactWebsite(t); });

    QList<QWidget*> order{t.name->edit(), t.name->list(), t.address, t.phone,  t.webSite,
                          t.add,          t.change,       t.remove,  t.website};
    if (t.orderCatalog)
        order << t.orderCatalog;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    return page;
}

QWidget* MaintenanceWindow::buildCategoriesTab() {
    auto* page = new QWidget;
    QFrame* frame = addFrame(page);

    m_categoryName = new SimpleComboBox(frame);
    m_categoryName->setObjectName(QStringLiteral("cmbcategorydatabase"));
    m_categoryName->setGeometry(scaled(kFieldLeft, 270, kFieldWidth, 2715));
    Accessibility::label(addLabel(frame, QStringLiteral("Category"), 330), m_categoryName->edit());
    Accessibility::label(addLabel(frame, QStringLiteral("Category List"), 735),
                         m_categoryName->list());

    m_cmdadd4 = addButton(frame, QStringLiteral("cmdadd4"), QStringLiteral("&Add"), 2235, 3165);
    m_cmdchange4 =
        addButton(frame, QStringLiteral("cmdchange4"), QStringLiteral("&Change"), 3420, 3165);
    m_cmddelete4 =
        addButton(frame, QStringLiteral("cmddelete4"), QStringLiteral("&Delete"), 4605, 3165);

    m_keyFilter->watch(m_categoryName->edit());
    connect(m_categoryName, &SimpleComboBox::textChanged, this, &MaintenanceWindow::markPending);
    connect(m_categoryName, &SimpleComboBox::entryClicked, this,
            &MaintenanceWindow::categoryEntryClicked);
    connect(m_cmdadd4, &QPushButton::clicked, this, &MaintenanceWindow::cmdadd4_Click);
    connect(m_cmdchange4, &QPushButton::clicked, this, &MaintenanceWindow::cmdchange4_Click);
    connect(m_cmddelete4, &QPushButton::clicked, this, &MaintenanceWindow::cmddelete4_Click);

    setTabOrder(m_categoryName->edit(), m_categoryName->list());
    setTabOrder(m_categoryName->list(), m_cmdadd4);
    setTabOrder(m_cmdadd4, m_cmdchange4);
    setTabOrder(m_cmdchange4, m_cmddelete4);
    return page;
}

bool MaintenanceWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        placeFrames();
    return ChildWindow::eventFilter(watched, event);
}

void MaintenanceWindow::placeFrames() {
    // The frames are placed relative to the tab control, whatever height the
    // style gives its row of tabs.
    const QRect wanted = scaled(135, 345, 6285, 3675);
    for (QFrame* frame : std::as_const(m_frames)) {
        QWidget* page = frame->parentWidget();
        QRect r = wanted.translated(-page->mapTo(m_tabs, QPoint(0, 0)));
        r.moveTop(std::max(0, r.top()));
        r.setBottom(std::min(r.bottom(), page->height() - 1));
        frame->setGeometry(r);
    }
}

QRect MaintenanceWindow::scaled(int left, int top, int width, int height) const {
    auto s = [this](int twips) { return int(std::lround(twips * m_scale)); };
    return Twips::rect(s(left), s(top), s(width), s(height), this);
}

// --- window events ----------------------------------------------------------

int MaintenanceWindow::currentTab() const {
    return m_tabs->currentIndex();
}

void MaintenanceWindow::selectTab(int tab) {
    m_tabs->setCurrentIndex(tab);
}

void MaintenanceWindow::activated() {
    BusyCursor busy;
    loadlists();
    AppState& state = m_shell.state();
    if (state.addpart == u"Y") {
        selectTab(PartsTab);
        m_partName->setText(state.passpart);
    }
    state.setMarker(Windows::marker(WindowId::Maintenance), QStringLiteral("Y"));
}

bool MaintenanceWindow::queryClose() {
    if (!m_pending)
        return true;
    const Toolkit::Answer answer = m_shell.toolkit().askYesNoHelp(
        QStringLiteral("Would you like to save your changes before leaving this form?"),
        kQuestionTitle);
    if (answer == Toolkit::Answer::Yes)
        return false; // stays open so the input can be added or accepted
    m_pending = false;
    return true;
}

void MaintenanceWindow::unload() {
    m_shell.state().setMarker(Windows::marker(WindowId::Maintenance), QString());
}

void MaintenanceWindow::onTabChanged(int index) {
    BusyCursor busy;
    if (!m_tabGuard) {
        bool switched = true;
        if (m_pending) {
            const int previous = m_currentTab;
            m_tabGuard = true;
            m_tabs->setCurrentIndex(previous);
            const Toolkit::Answer answer = m_shell.toolkit().askYesNoHelp(
                QStringLiteral(
                    "You must add or accept your changes on this form before switching tabs. If you continue, you will lose your work. Would you like to continue and lose your work?"),
                kQuestionTitle);
            if (answer == Toolkit::Answer::Yes) {
                m_tabs->setCurrentIndex(index);
                m_tabGuard = false;
                loadlists();
                m_pending = false;
            } else {
                m_tabGuard = false;
                switched = false;
            }
        }
        if (switched) {
            m_currentTab = m_tabs->currentIndex();
            setTabIcon();
        }
    }
    m_currentTab = m_tabs->currentIndex();
    disableChangeButtons();
}

void MaintenanceWindow::setTabIcon() {
    const int tab = std::clamp(m_tabs->currentIndex(), 0, 3);
    setWindowIcon(AppFiles::icon(QString::fromLatin1(kTabIcons[tab])));
}

void MaintenanceWindow::disableChangeButtons() {
    for (QPushButton* b : {m_cmdchange, m_vendors.change, m_manufacturers.change, m_cmdchange4})
        b->setEnabled(false);
}

// --- list loads -------------------------------------------------------------

void MaintenanceWindow::loadlists() {
    loadpartlist();
    loadvendorlist();
    loadmanufacturerlist();
    loadcategorylist();
}

void MaintenanceWindow::loadpartlist() {
    m_partName->clear();
    m_partCategory->clear();
    m_partCategory->clearEditText();
    m_partName->addEntries(m_parts.names());
    m_partCategory->addItems(m_parts.categories());
    m_partCategory->setCurrentIndex(-1);
    m_partCategory->clearEditText();
    m_pending = false;
}

void MaintenanceWindow::loadcontactlist(ContactTab& t) {
    t.name->clear();
    t.address->clear();
    t.phone->clear();
    t.webSite->clear();
    t.name->addEntries(t.book->names());
    m_pending = false;
}

void MaintenanceWindow::loadvendorlist() {
    loadcontactlist(m_vendors);
}

void MaintenanceWindow::loadmanufacturerlist() {
    loadcontactlist(m_manufacturers);
}

void MaintenanceWindow::loadcategorylist() {
    m_categoryName->clear();
    m_categoryName->addEntries(m_categories.names());
    m_pending = false;
}

// --- shared steps -----------------------------------------------------------

void MaintenanceWindow::inform(const QString& text) {
    m_shell.toolkit().inform(text);
}

void MaintenanceWindow::closeWorksheet() {
    // The worksheet may keep itself open after its own question; the change
    // goes ahead either way.
    const bool closed = m_shell.closeWindow(WindowId::Worksheet);
    Q_UNUSED(closed);
}

void MaintenanceWindow::handBack() {
    AppState& state = m_shell.state();
    if (state.addpart != u"Y")
        return;
    state.handBackPart(state.passpart);
    state.addpart.clear();
}

QString MaintenanceWindow::upperCase(QLineEdit* field) {
    const QString upper = field->text().toUpper();
    if (upper != field->text())
        field->setText(upper);
    return upper;
}

QString MaintenanceWindow::upperCaseCategory() {
    const QString upper = m_partCategory->currentText().toUpper();
    if (upper != m_partCategory->currentText())
        m_partCategory->setEditText(upper);
    return upper;
}

// --- Parts tab --------------------------------------------------------------

void MaintenanceWindow::partEntryClicked() {
    BusyCursor busy;
    m_remembered[PartsTab] = m_partName->selectedEntry();
    if (m_remembered[PartsTab].isEmpty()) {
        inform(QStringLiteral("You must add a Part before you can select one from the list."));
    } else {
        m_partCategory->clearEditText();
        const QString category = m_parts.categoryOf(m_remembered[PartsTab]);
        if (!category.isEmpty())
            m_partCategory->setEditText(category);
    }
    m_pending = true;
    m_cmdchange->setEnabled(true);
}

void MaintenanceWindow::cmdAdd_Click() {
    BusyCursor busy;
    const QString name = upperCase(m_partName->edit());
    const QString category = upperCaseCategory();
    const MaintenanceResult outcome = m_parts.add(name, category);
    inform(outcome.message());
    if (outcome.isDone()) {
        handBack();
        loadpartlist();
    }
    m_cmdchange->setEnabled(false);
}

void MaintenanceWindow::cmdchange_Click() {
    BusyCursor busy;
    const QString name = upperCase(m_partName->edit());
    const QString category = upperCaseCategory();
    const bool keepsName = name == m_remembered[PartsTab];
    const MaintenanceResult outcome =
        m_parts.change(m_remembered[PartsTab], name, category, [this] { closeWorksheet(); });
    inform(outcome.message());
    if (outcome.isDone()) {
        if (keepsName)
            handBack();
        loadpartlist();
    }
    m_cmdchange->setEnabled(false);
}

void MaintenanceWindow::cmdDelete_Click() {
    BusyCursor busy;
    const QString name = upperCase(m_partName->edit());
    const MaintenanceResult outcome = m_parts.remove(name, m_partName->selectedEntry());
    inform(outcome.message());
    if (outcome.isDone()) {
        m_pending = false;
        loadpartlist();
    }
}

// --- Vendors and Manufacturers tabs -----------------------------------------

void MaintenanceWindow::contactEntryClicked(ContactTab& t) {
    BusyCursor busy;
    QString& remembered = m_remembered[t.tab];
    remembered = t.name->selectedEntry();
    if (remembered.isEmpty()) {
        inform(t.emptyListMessage);
    } else {
        t.address->clear();
        t.phone->clear();
        t.webSite->clear();
        if (const auto c = t.book->find(remembered)) {
            t.address->setText(c->address);
            t.phone->setText(c->phone);
            t.webSite->setText(c->webSite);
            if (t.orderCatalog)
                t.orderCatalog->setChecked(c->orderCatalog);
        } else if (t.orderCatalog) {
            t.orderCatalog->setChecked(false);
        }
    }
    m_pending = true;
    t.change->setEnabled(true);
}

Contact MaintenanceWindow::contactFields(ContactTab& t) {
    Contact c;
    c.name = upperCase(t.name->edit());
    c.webSite = upperCase(t.webSite);
    c.address = t.address->text();
    c.phone = t.phone->text();
    c.orderCatalog = t.orderCatalog && t.orderCatalog->isChecked();
    return c;
}

void MaintenanceWindow::contactAdd(ContactTab& t) {
    BusyCursor busy;
    const MaintenanceResult outcome = t.book->add(contactFields(t));
    inform(outcome.message());
    if (outcome.isDone())
        loadcontactlist(t);
    t.change->setEnabled(false);
}

void MaintenanceWindow::contactChange(ContactTab& t) {
    BusyCursor busy;
    const MaintenanceResult outcome =
        t.book->change(m_remembered[t.tab], contactFields(t), [this] { closeWorksheet(); });
    inform(outcome.message());
    if (outcome.isDone())
        loadcontactlist(t);
    t.change->setEnabled(false);
}

void MaintenanceWindow::contactDelete(ContactTab& t) {
    BusyCursor busy;
    const Contact c = contactFields(t);
    const MaintenanceResult outcome = t.book->remove(c.name, t.name->selectedEntry());
    inform(outcome.message());
    if (outcome.isDone()) {
        m_pending = false;
        loadcontactlist(t);
    }
}

void MaintenanceWindow::contactWebsite(ContactTab& t) {
    BusyCursor busy;
    if (t.webSite->text().isEmpty()) {
        inform(t.emptyWebSiteMessage);
        return;
    }
    m_shell.openWebPage(QStringLiteral("http://") + t.webSite->text());
}

// --- Categories tab ---------------------------------------------------------

void MaintenanceWindow::categoryEntryClicked() {
    BusyCursor busy;
    m_remembered[CategoriesTab] = m_categoryName->selectedEntry();
    if (m_remembered[CategoriesTab].isEmpty())
        inform(QStringLiteral("You must add a category before you can select one from the list."));
    m_pending = true;
    m_cmdchange4->setEnabled(true);
}

void MaintenanceWindow::cmdadd4_Click() {
    BusyCursor busy;
    const MaintenanceResult outcome = m_categories.add(upperCase(m_categoryName->edit()));
    inform(outcome.message());
    if (outcome.isDone()) {
        loadcategorylist();
        loadpartlist();
    }
    m_cmdchange4->setEnabled(false);
}

void MaintenanceWindow::cmdchange4_Click() {
    BusyCursor busy;
    const MaintenanceResult outcome =
        m_categories.change(m_remembered[CategoriesTab], upperCase(m_categoryName->edit()),
                            [this] { closeWorksheet(); });
    inform(outcome.message());
    if (outcome.isDone())
        loadcategorylist();
    m_cmdchange4->setEnabled(false);
}

void MaintenanceWindow::cmddelete4_Click() {
    BusyCursor busy;
    const MaintenanceResult outcome =
        m_categories.remove(upperCase(m_categoryName->edit()), m_categoryName->selectedEntry());
    inform(outcome.message());
    if (outcome.isDone()) {
        m_pending = false;
        loadcategorylist();
    }
}
