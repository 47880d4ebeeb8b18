#include "ReportChooser.h"

#include "Accessibility.h"
#include "AppFiles.h"
#include "AppState.h"
#include "BusyCursor.h"
#include "ReportCatalog.h"
#include "ReportPreparation.h"
#include "ReportWindow.h"
#include "Shell.h"
#include "Toolkit.h"
#include "Twips.h"
#include "VendorSelectDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A tab page: a titled frame with the sorted list and its Select button.
QWidget* listPage(const QString& frameTitle, QListWidget* list, QPushButton* button) {
    auto* page = new QWidget;
    auto* frame = new QGroupBox(frameTitle, page);
    frame->setObjectName(QStringLiteral("Frame1"));
    list->setSortingEnabled(true);
    Accessibility::name(list, frameTitle);
    Accessibility::currentFollowsSelection(list);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button);
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(list, 1);
    inner->addLayout(buttons);
    auto* outer = new QVBoxLayout(page);
    outer->addWidget(frame);
    return page;
}

} // namespace

ReportChooser::ReportChooser(Shell& shell, QWidget* parent)
    : ChildWindow(parent)
    , m_shell(shell) {
    setObjectName(QStringLiteral("frmReportsGraphs"));
    setWindowTitle(QStringLiteral("Reports & Graphs"));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_reports = new QListWidget;
    m_reports->setObjectName(QStringLiteral("lstReport"));
    auto* print = new QPushButton(QStringLiteral("&Select"));
    print->setObjectName(QStringLiteral("cmdPrint"));
    m_graphs = new QListWidget;
    m_graphs->setObjectName(QStringLiteral("lstGraph"));
    auto* select = new QPushButton(QStringLiteral("&Select"));
    select->setObjectName(QStringLiteral("cmdSelect"));
    m_tabs->addTab(listPage(QStringLiteral("Select Report To Print From List"), m_reports, print),
                   QStringLiteral("Reports"));
    m_tabs->addTab(listPage(QStringLiteral("Select Graph To Run From List"), m_graphs, select),
                   QStringLiteral("Graphs"));
    // Only the Project Report prints receipts; the box is offered with it.
    m_receipts = new QCheckBox(QStringLiteral("Include receipts"));
    m_receipts->setObjectName(QStringLiteral("chkReceipts"));
    m_receipts->setToolTip(
        QStringLiteral("Print each purchased part line's receipts after it in the Project Report"));
    if (auto* frame = m_tabs->widget(0)->findChild<QGroupBox*>())
        frame->layout()->addWidget(m_receipts);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_tabs);

    if (shell.state().vehiclenumber == 0)
        m_tabs->setCurrentIndex(0);
    resize(sizeHint());
    m_reports->addItems(ReportCatalog::referenceEntries());
    if (shell.state().openvehiclenumber.toInt() != 0) {
        m_reports->addItems(ReportCatalog::projectEntries());
        m_graphs->addItems(ReportCatalog::graphEntries());
    }
    tabChanged(m_tabs->currentIndex());
    shell.state().setMarker(QStringLiteral("frmreportsgraphsopen"), QStringLiteral("Y"));

    connect(m_tabs, &QTabWidget::currentChanged, this, &ReportChooser::tabChanged);
    connect(print, &QPushButton::clicked, this, &ReportChooser::runReport);
    connect(m_reports, &QListWidget::itemDoubleClicked, this, &ReportChooser::runReport);
    connect(select, &QPushButton::clicked, this, &ReportChooser::runGraph);
    connect(m_graphs, &QListWidget::itemDoubleClicked, this, &ReportChooser::runGraph);
}

QSize ReportChooser::sizeHint() const {
    return Twips::size(5180, 4650, this);
}

void ReportChooser::selectTab(int index) {
    m_tabs->setCurrentIndex(index);
}

void ReportChooser::tabChanged(int index) {
    setWindowIcon(
        AppFiles::icon(index == 1 ? QStringLiteral("graph.ico") : QStringLiteral("reports.ico")));
}

void ReportChooser::unload() {
    m_shell.state().setMarker(QStringLiteral("frmreportsgraphsopen"), QString());
}

void ReportChooser::runReport() {
    BusyCursor busy;
    QListWidgetItem* item = m_reports->currentItem();
    if (!item || !item->isSelected())
        return;
    const ReportCatalog::Entry* entry = ReportCatalog::find(item->text());
    if (!entry)
        return;
    DataStore& store = m_shell.data();
    if (DbResult r = ReportPreparation::prepare(store, m_shell.state(), entry->kind); !r) {
        BusyCursor::Suspend arrow;
        m_shell.toolkit().inform(r.message());
        return;
    }
    if (entry->kind == ReportKind::ShoppingList) {
        auto* chooser = new VendorSelectDialog(m_shell, this);
        m_shell.toolkit().runModal(chooser);
        return;
    }
    ReportWindow::open(m_shell, entry->kind, QString(), m_receipts->isChecked());
}

void ReportChooser::runGraph() {
    BusyCursor busy;
    QListWidgetItem* item = m_graphs->currentItem();
    if (!item || !item->isSelected())
        return;
    const auto id = ReportCatalog::graphWindow(item->text());
    if (!id)
        return;
    if (m_shell.state().marker(Windows::marker(*id)) == u"Y" && !m_shell.closeWindow(*id))
        return;
    m_shell.showWindow(*id);
}
