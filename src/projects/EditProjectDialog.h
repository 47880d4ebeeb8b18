#pragma once

#include "ProjectEditor.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class BudgetDialog;
class Shell;
class VehicleForm;

// frmEditvehicle: changes the year, make, model, picture and budget of one
// stored project. Budget changes can be abandoned: the project's budget rows
// were copied when the window opened.
class EditProjectDialog : public QDialog {
    Q_OBJECT
public:
    // `refillLists` refreshes the catalogue's project lists after a change.
    EditProjectDialog(Shell& shell, const QString& description,
                      std::function<void()> refillLists = {}, QWidget* parent = nullptr);
    ~EditProjectDialog() override;

    bool hasChanges() const { return m_changed; }
    VehicleForm* form() const { return m_form; }
    BudgetDialog* budgetWindow() const { return m_budget; }

    // Change Project; true when the project was stored (the window closes).
    bool changeProject();
    void budgetByCategory();
    void search();
    // The close box and Escape: asks about unsaved changes first.
    void reject() override;

private:
    bool addedit();
    void finish(int result);
    void unload();

    Shell& m_shell;
    ProjectEditor m_editor;
    std::function<void()> m_refillLists;
    VehicleForm* m_form = nullptr;
    QPointer<BudgetDialog> m_budget;
    bool m_changed = false;
    bool m_finishing = false;
    bool m_unloaded = false;
};
