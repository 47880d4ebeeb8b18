#include "ReportWindow.h"

#include "Accessibility.h"
#include "AppFiles.h"
#include "AppState.h"
#include "BusyCursor.h"
#include "ReceiptInserts.h"
#include "ReportPreparation.h"
#include "ReportPreview.h"
#include "Shell.h"
#include "Toolkit.h"
#include "Twips.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

bool wide(ReportKind kind) {
    return kind == ReportKind::ActualCost || kind == ReportKind::ForecastCost;
}

bool runPrintDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(printer.fromPage(), printer.toPage());
    BusyCursor::Suspend arrow;
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

ReportWindow::ReportWindow(Shell& shell, ReportKind kind, ReportPreparation::Report report,
                           QWidget* parent, bool withReceipts)
    : ChildWindow(parent)
    , m_shell(shell)
    , m_kind(kind)
    , m_printDialog(runPrintDialog) {
    const ReportCatalog::Entry& entry = ReportCatalog::of(kind);
    setObjectName(ReportCatalog::name(kind));
    setWindowTitle(entry.caption);
    setWindowIcon(AppFiles::icon(QStringLiteral("reports.ico")));

    m_renderer = std::make_unique<ReportRenderer>(std::move(report.layout), std::move(report.data),
                                                  std::move(report.captions));
    m_documentName = ReportCatalog::documentName(kind, shell.state().vehicledescription);
    if (withReceipts && kind == ReportKind::VehicleData)
        m_renderer->setInserts(ReceiptInserts::build(shell.data(), m_renderer->data()));
    shell.state().setMarker(ReportCatalog::marker(kind), QStringLiteral("Y"));

    m_preview = new ReportPreview(*m_renderer, this);
    m_preview->setObjectName(QStringLiteral("preview"));
    // The page view is where a screen reader lands.
    Accessibility::name(m_preview, entry.caption);
    connect(m_preview, &ReportPreview::pageChanged, this, &ReportWindow::updatePageLabel);
    connect(m_preview, &ReportPreview::pageCountChanged, this, &ReportWindow::updatePageLabel);

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbrPreview"));
    // Paging buttons show their arrows only (the text is the tool tip).
    const auto add = [&](const QString& name, const QString& text, QStyle::StandardPixmap icon,
                         void (ReportWindow::*slot)(), Qt::ToolButtonStyle look) {
        QAction* a = icon == QStyle::SP_CustomBase
                         ? bar->addAction(text, this, slot)
                         : bar->addAction(style()->standardIcon(icon), text, this, slot);
        a->setObjectName(name);
        a->setToolTip(QString(text).remove(u'&').remove(QStringLiteral("...")));
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a)))
            button->setToolButtonStyle(look);
        return a;
    };
    add(QStringLiteral("actFirstPage"), tr("First Page"), QStyle::SP_MediaSkipBackward,
        &ReportWindow::firstPage, Qt::ToolButtonIconOnly);
    add(QStringLiteral("actPreviousPage"), tr("Previous Page"), QStyle::SP_MediaSeekBackward,
        &ReportWindow::previousPage, Qt::ToolButtonIconOnly);
    m_pageLabel = new QLabel(bar);
    m_pageLabel->setObjectName(QStringLiteral("lblPage"));
    m_pageLabel->setContentsMargins(6, 0, 6, 0);
    bar->addWidget(m_pageLabel);
    add(QStringLiteral("actNextPage"), tr("Next Page"), QStyle::SP_MediaSeekForward,
        &ReportWindow::nextPage, Qt::ToolButtonIconOnly);
    add(QStringLiteral("actLastPage"), tr("Last Page"), QStyle::SP_MediaSkipForward,
        &ReportWindow::lastPage, Qt::ToolButtonIconOnly);
    bar->addSeparator();
    add(QStringLiteral("actZoomIn"), tr("Zoom &In"), QStyle::SP_CustomBase, &ReportWindow::zoomIn,
        Qt::ToolButtonTextOnly);
    add(QStringLiteral("actZoomOut"), tr("Zoom &Out"), QStyle::SP_CustomBase,
        &ReportWindow::zoomOut, Qt::ToolButtonTextOnly);
    add(QStringLiteral("actFitWidth"), tr("Fit &Width"), QStyle::SP_CustomBase,
        &ReportWindow::fitWidth, Qt::ToolButtonTextOnly);
    bar->addSeparator();
    add(QStringLiteral("actPrint"), tr("&Print..."), QStyle::SP_FileIcon, &ReportWindow::print,
        Qt::ToolButtonTextBesideIcon);
    add(QStringLiteral("actExportPdf"), tr("&Export PDF..."), QStyle::SP_DialogSaveButton,
        &ReportWindow::exportPdf, Qt::ToolButtonTextBesideIcon);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_preview, 1);
    m_preview->fitToWidth();
    updatePageLabel();
    resize(sizeHint());
}

ReportWindow::~ReportWindow() = default;

ReportWindow* ReportWindow::open(Shell& shell, ReportKind kind, const QString& vendor,
                                 bool withReceipts) {
    BusyCursor busy;
    const WindowId id = ReportCatalog::of(kind).window;
    if (shell.state().marker(ReportCatalog::marker(kind)) == u"Y") {
        QPointer<QWidget> old = shell.window(id);
        if (!shell.closeWindow(id))
            return nullptr;
        // Freed now rather than when the event loop comes round: the old
        // report's rows and pages must not be held while the new one reads.
        if (old) {
            if (auto* frame = qobject_cast<QMdiSubWindow*>(old->parentWidget()))
                delete frame;
            else
                delete old.data();
        }
    }
    ReportPreparation::Report report =
        ReportPreparation::create(shell.data(), shell.state(), kind, vendor);
    if (!report.read) {
        BusyCursor::Suspend arrow;
        shell.toolkit().inform(report.read.message());
        return nullptr;
    }
    auto* window = new ReportWindow(shell, kind, std::move(report), nullptr, withReceipts);
    if (!shell.addWindow(id, window)) {
        window->tryClose();
        delete window;
        return nullptr;
    }
    ReportPreparation::afterShown(shell.data(), kind);
    return window;
}

QSize ReportWindow::sizeHint() const {
    return wide(m_kind) ? Twips::size(15240, 11115, this) : Twips::size(9945, 8595, this);
}

void ReportWindow::showEvent(QShowEvent* event) {
    ChildWindow::showEvent(event);
    // The frame takes the size the report asks for when it first appears.
    if (!m_sized) {
        m_sized = true;
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
            frame->resize(frame->size() - size() + sizeHint());
    }
}

void ReportWindow::unload() {
    m_shell.state().setMarker(ReportCatalog::marker(m_kind), QString());
}

void ReportWindow::goToPage(int page) {
    // A page not laid out yet is laid out now; past the end stays at the end.
    m_preview->setCurrentPage(std::max(page, 1));
    updatePageLabel();
}

void ReportWindow::updatePageLabel() {
    const int count = m_preview->pageCount();
    const int current = std::clamp(m_preview->currentPage(), 1, std::max(count, 1));
    // While the rest is still being laid out the count is what there is so far.
    m_pageLabel->setText(m_preview->isComplete() ? tr("Page %1 of %2").arg(current).arg(count)
                                                 : tr("Page %1 of %2+").arg(current).arg(count));
}

void ReportWindow::firstPage() {
    goToPage(1);
}

void ReportWindow::previousPage() {
    goToPage(m_preview->currentPage() - 1);
}

void ReportWindow::nextPage() {
    goToPage(m_preview->currentPage() + 1);
}

void ReportWindow::lastPage() {
    BusyCursor busy;
    m_preview->completeLayout();
    goToPage(m_preview->pageCount());
}

void ReportWindow::zoomIn() {
    m_preview->zoomIn();
}

void ReportWindow::zoomOut() {
    m_preview->zoomOut();
}

void ReportWindow::fitWidth() {
    m_preview->fitToWidth();
}

void ReportWindow::print() {
    BusyCursor busy;
    QPrinter printer(QPrinter::HighResolution);
    ReportRenderer::setUpPrinter(printer);
    printer.setDocName(m_documentName);
    printer.setFromTo(1, m_renderer->pageCount());
    if (!m_printDialog || !m_printDialog(printer, this))
        return;
    if (!m_renderer->print(printer))
        m_shell.toolkit().inform(tr("The report could not be printed."));
}

void ReportWindow::exportPdf() {
    BusyCursor busy;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = m_shell.toolkit().chooseSaveFile(
        this, tr("Export PDF"), tr("PDF files (*.pdf)"),
        QDir(folder).filePath(m_documentName + QStringLiteral(".pdf")));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    if (!m_renderer->writePdf(path, &error))
        m_shell.toolkit().inform(error);
}
