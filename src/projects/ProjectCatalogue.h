#pragma once

#include "BudgetDialog.h"
#include "ChildWindow.h"
#include "EditProjectDialog.h"
#include "ProjectStore.h"

#include <QPointer>

class QListWidget;
class QPushButton;
class QTabWidget;
class Shell;
class VehicleForm;

// frmProjects: creates, opens, edits and deletes projects on four tabs. It
// is open only while no project is; while it is up the main window's
// project commands are disabled.
class ProjectCatalogue : public ChildWindow {
    Q_OBJECT
public:
    enum Tab { NewTab, OpenTab, EditTab, DeleteTab };

    explicit ProjectCatalogue(Shell& shell, QWidget* parent = nullptr);

    // The main window's choice of tab; a switch away from typed input asks
    // first, as the user's own switch does.
    void selectTab(int tab) override;
    int currentTab() const;
    // 8310 by 3480 twips, or what the controls need when that is more.
    QSize sizeHint() const override;
    bool hasChanges() const { return m_changed; }

    // Clears the New Project inputs, fills the lists and recreates the
    // budget rows of the project to be created.
    void refill();
    // Only "New Project" is usable while no project is stored.
    void checkforvehicles();

    // The buttons.
    bool addProject(); // true when the project was added (the window then closes)
    void budgetByCategory();
    void search();
    void openProject();
    void editProject();
    void deleteProject();

    BudgetDialog* budgetWindow() const { return m_budget; }
    EditProjectDialog* editWindow() const { return m_edit; }

protected:
    bool queryClose() override;
    void unload() override;

private:
    bool addedit();
    bool add(bool closeAfter);
    void fillProjectLists();
    void tabChanged(int tab);
    QWidget* listTab(const QString& title, QListWidget*& list, const QString& listName,
                     const QString& caption, const QString& buttonName);

    Shell& m_shell;
    ProjectStore m_store;
    QTabWidget* m_tabs = nullptr;
    VehicleForm* m_form = nullptr;
    QListWidget* m_openList = nullptr;
    QListWidget* m_editList = nullptr;
    QListWidget* m_deleteList = nullptr;
    QPointer<BudgetDialog> m_budget;
    QPointer<EditProjectDialog> m_edit;
    bool m_changed = false;
    bool m_tabGuard = false;
    bool m_filling = false;
};
