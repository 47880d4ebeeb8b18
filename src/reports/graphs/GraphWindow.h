#pragma once

#include "ChildWindow.h"
#include "GraphData.h"

class QAction;
class QChartView;
class QPrinter;
class QToolButton;
class Shell;

// frmShowgraph to frmShowgraph4: one graph of the open project inside the
// main window. The values are read once, when the window opens; the chooser
// replaces the window to show fresh ones.
class GraphWindow : public ChildWindow {
    Q_OBJECT
public:
    GraphWindow(Shell& shell, GraphKind kind, QWidget* parent = nullptr);

    GraphKind kind() const { return m_data.kind(); }
    const GraphData& data() const { return m_data; }
    QChartView* chartView() const { return m_view; }

    // "Print...": the print dialog (through the toolkit); the graph is
    // printed when the user accepts it.
    void printGraph();
    // "Save as PNG...": a picture of the graph as large as it is shown.
    void saveAsPng();
    // Draws the graph onto the printer's page; false (with a message) when
    // the printer cannot be used.
    bool printTo(QPrinter& printer);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void unload() override;

private:
    void layOutChart();
    bool isMinimisedNow() const;

    Shell& m_shell;
    GraphData m_data;
    QChartView* m_view = nullptr;
    QToolButton* m_menuButton = nullptr;
    QAction* m_printAction = nullptr;
    QAction* m_saveAction = nullptr;
    bool m_placed = false;
};
