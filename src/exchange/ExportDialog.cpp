#include "ExportDialog.h"

#include "Accessibility.h"
#include "AppState.h"
#include "BusyCursor.h"
#include "CsvExport.h"
#include "DataStore.h"
#include "Shell.h"
#include "Toolkit.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

ExportDialog::ExportDialog(Shell& shell, QWidget* parent)
    : QDialog(parent)
    , m_shell(shell) {
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(QStringLiteral("Export"));
    setModal(true);

    auto* label = new QLabel(QStringLiteral("&What to export to a CSV file:"), this);
    m_kinds = new QListWidget(this);
    m_kinds->setObjectName(QStringLiteral("lstExportWhat"));
    label->setBuddy(m_kinds);
    Accessibility::name(m_kinds, QStringLiteral("What to export to a CSV file"));
    Accessibility::currentFollowsSelection(m_kinds);
    const bool projectOpen = shell.state().projectOpen();
    for (ExchangeKind kind : ExchangeTables::all()) {
        auto* item = new QListWidgetItem(ExchangeTables::caption(kind), m_kinds);
        item->setData(Qt::UserRole, int(kind));
        if (ExchangeTables::needsProject(kind) && !projectOpen)
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    }
    m_kinds->setCurrentRow(projectOpen ? 0 : 1);

    auto* exportButton = new QPushButton(QStringLiteral("&Export..."), this);
    exportButton->setObjectName(QStringLiteral("cmdExport"));
    exportButton->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_kinds, 1);
    layout->addLayout(buttons);
    resize(360, 300);

    connect(exportButton, &QPushButton::clicked, this, &ExportDialog::exportSelected);
    connect(m_kinds, &QListWidget::itemDoubleClicked, this, &ExportDialog::exportSelected);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ExportDialog::exportSelected() {
    QListWidgetItem* item = m_kinds->currentItem();
    if (!item || !(item->flags() & Qt::ItemIsEnabled))
        return;
    const auto kind = ExchangeKind(item->data(Qt::UserRole).toInt());
    const AppState& state = m_shell.state();
    const QString folder = QFileInfo(m_shell.data().path()).absolutePath();
    const QString suggested =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(CsvExport::suggestedFileName(kind, state.vehicledescription));
    const QString file = m_shell.toolkit().chooseSaveFile(
        this, QStringLiteral("Export"), QStringLiteral("CSV files (*.csv);;All files (*)"),
        suggested.isEmpty() ? folder : suggested);
    if (file.isEmpty())
        return;
    CsvExport::Outcome out;
    {
        BusyCursor busy;
        out = CsvExport::write(m_shell.data(), kind, state.vehiclenumber, file);
    }
    accept();
    if (!out.result) {
        m_shell.toolkit().inform(out.result.message());
        return;
    }
    m_shell.toolkit().inform(
        QStringLiteral("%1 %2 exported to \"%3\".")
            .arg(out.rows)
            .arg(out.rows == 1 ? QStringLiteral("row was") : QStringLiteral("rows were"),
                 QDir::toNativeSeparators(file)));
}
