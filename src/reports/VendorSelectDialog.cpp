#include "VendorSelectDialog.h"

#include "Accessibility.h"
#include "BusyCursor.h"
#include "DataStore.h"
#include "ReportPreparation.h"
#include "ReportWindow.h"
#include "Shell.h"
#include "Toolkit.h"
#include "Twips.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

VendorSelectDialog::VendorSelectDialog(Shell& shell, QWidget* parent)
    : QDialog(parent)
    , m_shell(shell) {
    setObjectName(QStringLiteral("frmVendorselect"));
    setWindowTitle(QStringLiteral("Vendor Shopping List "));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);

    auto* frame = new QGroupBox(QStringLiteral("Select a vendor to run report for"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    m_vendors = new QListWidget(frame);
    m_vendors->setObjectName(QStringLiteral("lstVendor"));
    m_vendors->setSortingEnabled(true);
    Accessibility::name(m_vendors, QStringLiteral("Select a vendor to run report for"));
    Accessibility::currentFollowsSelection(m_vendors);
    auto* select = new QPushButton(QStringLiteral("&Select"), this);
    select->setObjectName(QStringLiteral("cmdSelect"));
    select->setDefault(true);
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(m_vendors);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(select);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
    resize(Twips::size(4800, 4800, this));

    const QPoint origin = screen() ? screen()->geometry().topLeft() : QPoint();
    move(origin + QPoint(Twips::toPixelsX(335, this), Twips::toPixelsY(285, this)));

    RecordSet& vendors = shell.data().recordSet(Command::RSLVendor);
    ignoreError(vendors.setFilter(QString()));
    for (vendors.moveFirst(); !vendors.isEof(); vendors.moveNext())
        m_vendors->addItem(vendors.text(QStringLiteral("vendor_name")));

    connect(select, &QPushButton::clicked, this, &VendorSelectDialog::select);
    connect(m_vendors, &QListWidget::itemDoubleClicked, this, &VendorSelectDialog::select);
}

void VendorSelectDialog::select() {
    BusyCursor busy;
    QListWidgetItem* item = m_vendors->currentItem();
    if (!item || !item->isSelected()) {
        BusyCursor::Suspend arrow;
        m_shell.toolkit().inform(QStringLiteral("You must select a vendor to run report."));
        return;
    }
    const QString vendor = item->text();
    ignoreError(ReportPreparation::selectVendor(m_shell.data(), vendor));
    ReportWindow::open(m_shell, ReportKind::ShoppingList, vendor);
    accept();
}
