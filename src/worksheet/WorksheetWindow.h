#pragma once

#include "AttachmentStore.h"
#include "ChildWindow.h"
#include "PartLineStore.h"
#include "ReferenceLists.h"
#include "SummaryFilter.h"

#include <array>

class AttachmentList;
class BudgetOverviewPanel;
class EntryPanel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class PartGridModel;
class RecordSet;
class Shell;

// The project worksheet frmNewmain: the open project's part lines in a
// summary grid with filters, a detail panel to change or delete a line, an
// add panel, and a search by part name. The main window creates it with
// showWindow(WindowId::Worksheet) while a project is open.
class WorksheetWindow : public ChildWindow {
    Q_OBJECT
public:
    enum Tab {
        SummaryTab = 0,
        DetailTab = 1,
        AddTab = 2,
        SearchTab = 3,
        FilterTab = 4,
        OverviewTab = 5
    };

    explicit WorksheetWindow(Shell& shell, QWidget* parent = nullptr);

    void activated() override;
    QSize sizeHint() const override;

    // The pending-changes flag, "Y" while either panel holds unsaved input.
    const QString& pendingChanges() const { return m_pending; }

    // Procedures the commands share.
    void resetform();
    void initfields(int index);
    void clearfields();
    void loadfieldsdetails();
    void applyfilter();
    void loadgrid();
    void showfilterstatus();
    void showtab(int tab, int from);
    void defaultFilter();
    void search();
    void selected();

protected:
    bool queryClose() override;
    void unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    QWidget* buildSearchTab();
    QWidget* buildFilterTab();
    void tabChanged(int tab);
    void switchTo(int tab);
    void setLineTabsEnabled(bool enabled);
    void refillFilterList(QComboBox* box);
    void setFilterListsToAll();
    SummaryFilter currentFilter() const;
    void openLineFromGrid();
    void openFilteredLine();
    void showCategory(const QString& category);
    void addPart();
    void acceptChanges();
    void deletePart();
    bool commonChecks(EntryPanel* panel);
    void lineGone();
    // Whether the line was stored; otherwise tells the user why not.
    bool stored(const PartLineStore::Result& result);
    void takeHandBack();
    void showPicture();
    // After this window changed, added (`removed` false) or deleted one line
    // with nothing else written since the grid last showed every line of the
    // project: moves, adds or drops just that line's row.
    void patchGrid(qint64 changesBefore, qint64 line, bool removed);
    void selectFirstRow();
    RecordSet& lines();
    QString taxPercentage() const;

    Shell& m_shell;
    ReferenceLists m_lists;
    PartLineStore m_store;
    AttachmentStore m_attachmentStore;

    QString m_pending = QStringLiteral("N");
    // The store's change count when the grid last showed every line of the
    // project (the default filter) as stored, or -1.
    qint64 m_gridAt = -1;
    QString m_guard = QStringLiteral("N");
    int m_currentTab = SummaryTab;
    QString m_loadedName;
    QString m_loadedSequence;
    QString m_shownPicture;

    QTabWidget* m_tabs = nullptr;
    std::array<EntryPanel*, 2> m_panels{};
    std::array<AttachmentList*, 2> m_attachments{};
    QTableView* m_grid = nullptr;
    PartGridModel* m_gridRows = nullptr;
    QTableView* m_results = nullptr;
    PartGridModel* m_resultRows = nullptr;
    QLineEdit* m_searchText = nullptr;
    QPushButton* m_searchButton = nullptr;
    QPushButton* m_selectButton = nullptr;
    QComboBox* m_categoryFilter = nullptr;
    QComboBox* m_vendorFilter = nullptr;
    QComboBox* m_manufacturerFilter = nullptr;
    QRadioButton* m_optSelected = nullptr;
    QRadioButton* m_optForecast = nullptr;
    QRadioButton* m_optPurchased = nullptr;
    QRadioButton* m_optAll = nullptr;
    QLabel* m_picture = nullptr;
    BudgetOverviewPanel* m_overview = nullptr;
};
