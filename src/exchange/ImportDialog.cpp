#include "ImportDialog.h"

#include "Accessibility.h"
#include "AppState.h"
#include "BusyCursor.h"
#include "DataStore.h"
#include "Settings.h"
#include "Shell.h"
#include "Toolkit.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewRows = 20;
constexpr int kProblemsShown = 500;

const QList<std::pair<QString, QChar>> kSeparators = {
    {QStringLiteral("Comma"), u','},
    {QStringLiteral("Semicolon"), u';'},
    {QStringLiteral("Tab"), u'\t'},
};

} // namespace

ImportDialog::ImportDialog(Shell& shell, QWidget* parent)
    : QDialog(parent)
    , m_shell(shell) {
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("Import"));
    setModal(true);

    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("cmbImportInto"));
    const bool projectOpen = shell.state().projectOpen();
    for (ExchangeKind k : ExchangeTables::all()) {
        if (!ExchangeTables::importable(k) || (ExchangeTables::needsProject(k) && !projectOpen))
            continue;
        QString text = ExchangeTables::caption(k);
        if (k == ExchangeKind::ProjectLines)
            text = QStringLiteral("Part lines of %1").arg(shell.state().vehicledescription);
        m_kind->addItem(text, int(k));
    }
    m_file = new QLineEdit(this);
    m_file->setObjectName(QStringLiteral("ioImportFile"));
    m_file->setReadOnly(true);
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    browse->setObjectName(QStringLiteral("cmdBrowse"));
    m_separator = new QComboBox(this);
    m_separator->setObjectName(QStringLiteral("cmbSeparator"));
    for (const auto& [name, c] : kSeparators)
        m_separator->addItem(name, QString(c));

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Import &into:"), m_kind);
    auto* fileLabel = new QLabel(QStringLiteral("&File:"), this);
    fileLabel->setBuddy(browse);
    form->addRow(fileLabel, fileRow);
    form->addRow(QStringLiteral("&Separator:"), m_separator);
    Accessibility::name(m_kind, QStringLiteral("Import into"));
    Accessibility::name(m_file, QStringLiteral("File"));
    Accessibility::name(m_separator, QStringLiteral("Separator"));

    auto* mappingBox = new QGroupBox(QStringLiteral("Columns"), this);
    m_mapping = new QTableWidget(0, 2, mappingBox);
    m_mapping->setObjectName(QStringLiteral("grdMapping"));
    m_mapping->setHorizontalHeaderLabels(
        {QStringLiteral("Field"), QStringLiteral("Column of the file")});
    m_mapping->horizontalHeader()->setStretchLastSection(true);
    m_mapping->verticalHeader()->hide();
    m_mapping->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Accessibility::name(m_mapping, QStringLiteral("Columns"));
    (new QVBoxLayout(mappingBox))->addWidget(m_mapping);

    auto* previewBox =
        new QGroupBox(QStringLiteral("Preview (the first rows as they will be stored)"), this);
    m_preview = new QTableWidget(previewBox);
    m_preview->setObjectName(QStringLiteral("grdPreview"));
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Accessibility::name(m_preview, QStringLiteral("Preview"));
    (new QVBoxLayout(previewBox))->addWidget(m_preview);

    auto* problemsBox = new QGroupBox(QStringLiteral("Problems"), this);
    m_problems = new QListWidget(problemsBox);
    m_problems->setObjectName(QStringLiteral("lstProblems"));
    // A problem names its row and column; the whole sentence must show.
    m_problems->setWordWrap(true);
    Accessibility::name(m_problems, QStringLiteral("Problems"));
    (new QVBoxLayout(problemsBox))->addWidget(m_problems);

    m_summary = new QLabel(QStringLiteral("Choose a CSV file to import."), this);
    m_summary->setObjectName(QStringLiteral("lblImportSummary"));
    m_importButton = new QPushButton(QStringLiteral("&Import"), this);
    m_importButton->setObjectName(QStringLiteral("cmdImport"));
    m_importButton->setEnabled(false);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_summary, 1);
    buttons->addWidget(m_importButton);
    buttons->addWidget(cancel);

    auto* top = new QHBoxLayout;
    top->addWidget(mappingBox, 2);
    top->addWidget(problemsBox, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(top, 2);
    layout->addWidget(previewBox, 2);
    layout->addLayout(buttons);
    resize(820, 600);

    connect(browse, &QPushButton::clicked, this, &ImportDialog::browse);
    connect(m_importButton, &QPushButton::clicked, this, &ImportDialog::import);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &ImportDialog::rebuild);
    connect(m_separator, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            rebuild();
    });
}

ExchangeKind ImportDialog::kind() const {
    return ExchangeKind(m_kind->currentData().toInt());
}

void ImportDialog::browse() {
    const QString file = m_shell.toolkit().chooseFile(
        this, QStringLiteral("Import"), QStringLiteral("CSV files (*.csv *.txt);;All files (*)"),
        m_file->text());
    if (!file.isEmpty())
        load(file);
}

void ImportDialog::load(const QString& file) {
    BusyCursor busy;
    m_file->setText(file);
    QFile f(file);
    m_bytes.clear();
    const bool tooLarge = f.size() > CsvReader::kMaxFileBytes;
    if (!tooLarge && f.open(QIODevice::ReadOnly))
        m_bytes = f.readAll();
    // The separator the file seems to use; the user may choose another.
    const QChar separator = CsvReader::detectSeparator(QString::fromUtf8(m_bytes.left(1 << 16)));
    m_filling = true;
    for (int i = 0; i < m_separator->count(); ++i)
        if (m_separator->itemData(i).toString() == QString(separator))
            m_separator->setCurrentIndex(i);
    m_filling = false;
    rebuild();
}

void ImportDialog::rebuild() {
    if (m_file->text().isEmpty() || m_kind->count() == 0)
        return;
    BusyCursor busy;
    CsvReader::Table table =
        m_bytes.isEmpty()
            ? CsvReader::readFile(m_file->text(), m_separator->currentData().toString().front())
            : CsvReader::parse(m_bytes, m_separator->currentData().toString().front());
    m_import = std::make_unique<CsvImport>(m_shell.data(), kind());
    m_import->setTable(std::move(table));
    m_import->setProject(m_shell.state().vehiclenumber);
    m_import->setTaxPercentage(
        m_shell.settings().value(Settings::kTaxPercentage, QStringLiteral("0")));
    fillMapping();
    recheck();
}

void ImportDialog::fillMapping() {
    m_filling = true;
    const QList<ExchangeField>& fields = m_import->fields();
    const QStringList& header = m_import->table().header;
    m_mapping->setRowCount(int(fields.size()));
    for (int f = 0; f < fields.size(); ++f) {
        auto* name = new QTableWidgetItem(fields[f].header +
                                          (fields[f].required ? QStringLiteral(" *") : QString()));
        m_mapping->setItem(f, 0, name);
        auto* combo = new QComboBox(m_mapping);
        combo->setObjectName(QStringLiteral("cmbColumn%1").arg(f));
        Accessibility::name(combo, fields[f].header);
        combo->addItem(QStringLiteral("(not imported)"), CsvImport::kNotMapped);
        for (int c = 0; c < header.size(); ++c)
            combo->addItem(
                QStringLiteral("%1: %2").arg(c + 1).arg(CsvReader::columnName(header, c)), c);
        combo->setCurrentIndex(combo->findData(m_import->mapping().value(f)));
        connect(combo, &QComboBox::currentIndexChanged, this, [this, f, combo] {
            if (m_filling || !m_import)
                return;
            m_import->setColumn(f, combo->currentData().toInt());
            recheck();
        });
        m_mapping->setCellWidget(f, 1, combo);
    }
    m_mapping->resizeColumnToContents(0);
    m_filling = false;
}

void ImportDialog::recheck() {
    BusyCursor busy;
    m_import->check();
    fillPreview();
    m_problems->clear();
    const QList<CsvProblem>& problems = m_import->problems();
    for (int i = 0; i < problems.size() && i < kProblemsShown; ++i)
        m_problems->addItem(problems[i].text());
    if (problems.size() > kProblemsShown)
        m_problems->addItem(
            QStringLiteral("... and %1 more.").arg(problems.size() - kProblemsShown));
    const bool ready = problems.isEmpty() && m_import->readyRows() > 0;
    m_importButton->setEnabled(ready);
    if (!problems.isEmpty())
        m_summary->setText(
            QStringLiteral("%1 problem(s) to put right before anything can be imported.")
                .arg(problems.size()));
    else
        m_summary->setText(QStringLiteral("%1 row(s) ready to import.").arg(m_import->readyRows()));
}

void ImportDialog::fillPreview() {
    const QList<ExchangeField>& fields = m_import->fields();
    QStringList headers;
    for (const ExchangeField& f : fields)
        headers << f.header;
    const QList<QStringList> rows = m_import->preview(kPreviewRows);
    m_preview->clear();
    m_preview->setColumnCount(int(headers.size()));
    m_preview->setHorizontalHeaderLabels(headers);
    m_preview->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size() && c < headers.size(); ++c)
            m_preview->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    m_preview->resizeColumnsToContents();
}

void ImportDialog::import() {
    if (!m_import || !m_importButton->isEnabled())
        return;
    // The worksheet shows the lines it read; it opens again on the new ones.
    const bool lines = kind() == ExchangeKind::ProjectLines;
    const bool worksheetOpen = lines && m_shell.window(WindowId::Worksheet);
    if (worksheetOpen && !m_shell.closeWindow(WindowId::Worksheet))
        return;
    CsvImport::Outcome out;
    {
        BusyCursor busy;
        out = m_import->store();
    }
    if (out.stored)
        accept();
    m_shell.toolkit().inform(out.message);
    if (worksheetOpen)
        m_shell.showWindow(WindowId::Worksheet);
}
