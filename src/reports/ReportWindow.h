#pragma once

#include "ChildWindow.h"
#include "ReportCatalog.h"
#include "ReportPreparation.h"
#include "ReportRenderer.h"

#include <functional>
#include <memory>

class QLabel;
class QPrinter;
class ReportPreview;
class Shell;

// A report in a preview window inside the main window: page through it,
// zoom, print it or save it as a PDF. The window's object name is the
// report's name ("vehicledata"); its open marker is "Y" while it exists.
class ReportWindow : public ChildWindow {
    Q_OBJECT
public:
    // A window showing `report`, created (its rows read) for it.
    // `withReceipts` adds the purchased lines' receipts (Project Report only).
    ReportWindow(Shell& shell, ReportKind kind, ReportPreparation::Report report,
                 QWidget* parent = nullptr, bool withReceipts = false);
    ~ReportWindow() override;

    // Closes an open instance of the report and frees it, then creates the
    // report (its own filter and captions, its rows read from the prepared
    // record set) and puts a window of it into the main window's frame. When
    // the rows cannot be read, says so and opens nothing.
    static ReportWindow* open(Shell& shell, ReportKind kind, const QString& vendor = QString(),
                              bool withReceipts = false);

    ReportKind kind() const { return m_kind; }
    // What Print and Export PDF propose to name the copy ("Project Report -
    // 1986 FORD MUSTANG").
    const QString& documentName() const { return m_documentName; }
    const ReportRenderer& renderer() const { return *m_renderer; }
    ReportPreview* preview() const { return m_preview; }

    // The platform's print dialog; false when the user cancelled.
    using PrintDialog = std::function<bool(QPrinter& printer, QWidget* parent)>;
    void setPrintDialog(PrintDialog dialog) { m_printDialog = std::move(dialog); }

    QSize sizeHint() const override;

public Q_SLOTS:
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void print();
    void exportPdf();

protected:
    void unload() override;
    void showEvent(QShowEvent* event) override;

private:
    void goToPage(int page);
    void updatePageLabel();

    Shell& m_shell;
    ReportKind m_kind;
    QString m_documentName;
    std::unique_ptr<ReportRenderer> m_renderer;
    ReportPreview* m_preview = nullptr;
    QLabel* m_pageLabel = nullptr;
    PrintDialog m_printDialog;
    bool m_sized = false;
};
