#include "VehicleForm.h"

#include "Accessibility.h"
#include "Toolkit.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QComboBox* typedCombo(const QString& name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    // The text is what the user typed: no completion, no new list entries.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(14);
    combo->setMaxVisibleItems(15);
    return combo;
}

QPushButton* button(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

VehicleForm::VehicleForm(const QString& pictureTitle, const QString& actionCaption,
                         const QString& actionName, QWidget* parent)
    : QWidget(parent) {
    auto* vehicle = new QGroupBox(QStringLiteral("Vehicle Information"), this);
    m_year = typedCombo(QStringLiteral("cmbYear"), vehicle);
    m_make = typedCombo(QStringLiteral("cmbMake"), vehicle);
    m_model = typedCombo(QStringLiteral("cmbModel"), vehicle);
    m_action = button(actionCaption, actionName, vehicle);
    auto* vehicleLayout = new QFormLayout(vehicle);
    vehicleLayout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const std::pair<QString, QComboBox*> rows[] = {
        {QStringLiteral("Year"), m_year},
        {QStringLiteral("Make"), m_make},
        {QStringLiteral("Model"), m_model},
    };
    for (const auto& [caption, combo] : rows) {
        auto* label = new QLabel(caption, vehicle);
        Accessibility::label(label, combo);
        vehicleLayout->addRow(label, combo);
    }
    auto* actionRow = new QHBoxLayout;
    actionRow->addStretch();
    actionRow->addWidget(m_action);
    vehicleLayout->addRow(actionRow);

    auto* budget = new QGroupBox(QStringLiteral("Budget Information"), this);
    m_total = new QLineEdit(budget);
    m_total->setObjectName(QStringLiteral("ioTotalbudget"));
    m_budget =
        button(QStringLiteral("&Budget By Category"), QStringLiteral("cmBudgetbycategory"), budget);
    auto* totalLabel = new QLabel(QStringLiteral("Total Budget Amount"), budget);
    Accessibility::label(totalLabel, m_total);
    auto* budgetLayout = new QGridLayout(budget);
    budgetLayout->addWidget(totalLabel, 0, 0);
    budgetLayout->addWidget(m_total, 0, 1);
    budgetLayout->addWidget(m_budget, 1, 1, Qt::AlignRight);
    budgetLayout->setColumnStretch(1, 1);

    auto* picture = new QGroupBox(pictureTitle, this);
    m_picture = new QLineEdit(picture);
    m_picture->setObjectName(QStringLiteral("ioPicture"));
    Accessibility::name(m_picture, pictureTitle);
    m_picture->installEventFilter(this);
    m_search = button(QStringLiteral("&Search"), QStringLiteral("cmdSearch"), picture);
    auto* pictureLayout = new QHBoxLayout(picture);
    pictureLayout->addWidget(m_picture, 1);
    pictureLayout->addWidget(m_search);

    auto* right = new QVBoxLayout;
    right->addWidget(budget);
    right->addWidget(picture);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(vehicle, 5);
    layout->addLayout(right, 6);

    for (QComboBox* combo : {m_year, m_make, m_model}) {
        connect(combo, &QComboBox::editTextChanged, this, &VehicleForm::edited);
        connect(combo, &QComboBox::activated, this, &VehicleForm::edited);
    }
    connect(m_make, &QComboBox::editTextChanged, this, &VehicleForm::makeChanged);
    connect(m_make, &QComboBox::textActivated, this, &VehicleForm::makeChanged);
    connect(m_total, &QLineEdit::textChanged, this, &VehicleForm::edited);
    connect(m_picture, &QLineEdit::textChanged, this, &VehicleForm::edited);
}

QStringList VehicleForm::years() {
    QStringList out;
    out.reserve(3000 - 1900 + 1);
    for (int y = 1900; y <= 3000; ++y)
        out << QString::number(y);
    return out;
}

void VehicleForm::fillKeepingText(QComboBox* combo, const QStringList& items) {
    const QString text = combo->currentText();
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
}

void VehicleForm::replaceModels(const QStringList& models) {
    m_model->setEditText(QString());
    fillKeepingText(m_model, models);
}

void VehicleForm::clearInputs() {
    for (QComboBox* combo : {m_year, m_make, m_model})
        combo->setEditText(QString());
    m_total->clear();
    m_picture->clear();
}

void VehicleForm::upperCaseMakeAndModel() {
    // The model goes first: a new make text empties the model box.
    const QString model = m_model->currentText().toUpper();
    m_make->setEditText(m_make->currentText().toUpper());
    m_model->setEditText(model);
}

ProjectInput VehicleForm::input() const {
    return {m_year->currentText(), m_make->currentText(), m_model->currentText(), m_picture->text(),
            m_total->text()};
}

bool VehicleForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_picture && event->type() == QEvent::MouseButtonPress)
        Q_EMIT edited();
    return QWidget::eventFilter(watched, event);
}

bool VehicleForm::addedit(Toolkit& toolkit, const std::optional<Money>& total) {
    if (m_year->currentText().isEmpty()) {
        toolkit.inform(QStringLiteral("You must select a vehicle year to continue."));
        return false;
    }
    if (m_make->currentText().isEmpty()) {
        toolkit.inform(QStringLiteral("You must select a vehicle make to continue."));
        return false;
    }
    if (m_model->currentText().isEmpty()) {
        toolkit.inform(QStringLiteral("You must select a vehicle model to continue."));
        return false;
    }
    if (!total) {
        toolkit.inform(QStringLiteral(
            "The budget amounts add up to more than Rastrel can hold. Lower one of them and try again."));
        return false;
    }
    m_total->setText(total->toPlainText());
    if (total->isZero()) {
        toolkit.inform(QStringLiteral(
            "You must click budget by category and enter a vehicle budget amount to continue."));
        return false;
    }
    return true;
}
