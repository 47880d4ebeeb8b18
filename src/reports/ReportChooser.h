#pragma once

#include "ChildWindow.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class QTabWidget;
class Shell;

// frmReportsGraphs: picks a report to print or a graph to draw. The project
// reports and the graphs are listed only while a project is open.
class ReportChooser : public ChildWindow {
    Q_OBJECT
public:
    explicit ReportChooser(Shell& shell, QWidget* parent = nullptr);

    // 0: Reports, 1: Graphs.
    void selectTab(int index) override;

    // cmdPrint (and a double-click in lstReport): prepares and opens the
    // selected report.
    void runReport();
    // cmdSelect (and a double-click in lstGraph): opens the selected graph.
    void runGraph();

    QSize sizeHint() const override;

protected:
    void unload() override;

private:
    void tabChanged(int index);

    Shell& m_shell;
    QTabWidget* m_tabs = nullptr;
    QListWidget* m_reports = nullptr;
    QListWidget* m_graphs = nullptr;
    QCheckBox* m_receipts = nullptr;
};
