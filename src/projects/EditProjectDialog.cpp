#include "EditProjectDialog.h"

#include "AppState.h"
#include "BudgetDialog.h"
#include "BusyCursor.h"
#include "DataStore.h"
#include "ProjectStore.h"
#include "Shell.h"
#include "Toolkit.h"
#include "VehicleForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

EditProjectDialog::EditProjectDialog(Shell& shell, const QString& description,
                                     std::function<void()> refillLists, QWidget* parent)
    : QDialog(parent)
    , m_shell(shell)
    , m_editor(shell.data(), shell.state())
    , m_refillLists(std::move(refillLists)) {
    BusyCursor busy;
    setObjectName(QStringLiteral("frmEditvehicle"));
    setModal(true);
    m_form = new VehicleForm(QStringLiteral("Picture Of Car"), QStringLiteral("&Change Project"),
                             QStringLiteral("cmdchange"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_form);

    m_shell.state().vehicleedit = QStringLiteral("Y");
    m_shell.data().recordSet(Command::RSLCategorybudget).moveFirst();
    setWindowTitle(QStringLiteral("Edit Project - ") + description);
    m_shell.disablemenu();

    connect(m_form, &VehicleForm::edited, this, [this] { m_changed = true; });
    connect(m_form, &VehicleForm::makeChanged, this, [this](const QString& make) {
        m_form->replaceModels(ProjectStore(m_shell.data()).models(make));
    });
    connect(m_form->action(), &QPushButton::clicked, this, [this] { changeProject(); });
    connect(m_form->budgetButton(), &QPushButton::clicked, this,
            &EditProjectDialog::budgetByCategory);
    connect(m_form->searchButton(), &QPushButton::clicked, this, &EditProjectDialog::search);
    connect(this, &QDialog::finished, this, [this] {
        unload();
        deleteLater();
    });

    VehicleForm::fillKeepingText(m_form->year(), VehicleForm::years());
    VehicleForm::fillKeepingText(m_form->make(), ProjectStore(m_shell.data()).makes());
    DbResult copyError;
    if (const auto project = m_editor.load(description, &copyError)) {
        m_form->make()->setEditText(project->make);
        m_form->model()->setEditText(project->model);
        m_form->year()->setEditText(project->year);
        m_form->picture()->setText(project->picture);
        m_form->total()->setText(project->budget.toPlainText());
    }
    if (!copyError)
        m_shell.toolkit().inform(copyError.message());
    m_changed = false;
    resize(sizeHint().expandedTo(QSize(620, 0)));
}

EditProjectDialog::~EditProjectDialog() {
    unload();
}

bool EditProjectDialog::addedit() {
    return m_form->addedit(m_shell.toolkit(), m_editor.budgetTotal());
}

bool EditProjectDialog::changeProject() {
    BusyCursor busy;
    if (!addedit())
        return false;
    m_form->upperCaseMakeAndModel();
    const ProjectInput input = m_form->input();
    const ProjectEditor::ChangeResult result = m_editor.change(input);
    Toolkit& toolkit = m_shell.toolkit();
    switch (result.outcome) {
    case ProjectEditor::ChangeOutcome::Duplicate:
        toolkit.inform(QStringLiteral("Project already exists."));
        return false;
    case ProjectEditor::ChangeOutcome::Missing:
        toolkit.inform(
            result.previous +
            QStringLiteral(" could not be changed: it is no longer in the project list."));
        return false;
    case ProjectEditor::ChangeOutcome::Failed:
        toolkit.inform(result.previous + QStringLiteral(" could not be changed. ") +
                       result.error.message());
        return false;
    case ProjectEditor::ChangeOutcome::Changed:
        break;
    }
    m_shell.addmakemodel(input.make, input.model);
    if (m_refillLists)
        m_refillLists();
    toolkit.inform(result.previous + QStringLiteral(" has been changed."));
    m_changed = false;
    finish(QDialog::Accepted);
    return true;
}

void EditProjectDialog::budgetByCategory() {
    BusyCursor busy;
    delete m_budget;
    m_budget = new BudgetDialog(
        m_shell, [this](const QString& total) { m_form->total()->setText(total); }, this);
    m_shell.toolkit().runModal(m_budget);
}

void EditProjectDialog::search() {
    BusyCursor busy;
    const QString path = m_shell.showsave(m_form->picture()->text());
    if (!path.isEmpty())
        m_form->picture()->setText(path);
}

void EditProjectDialog::reject() {
    if (m_finishing) {
        QDialog::reject();
        return;
    }
    BusyCursor busy;
    if (m_changed) {
        const auto answer = m_shell.toolkit().askYesNoHelp(
            QStringLiteral("Would you like to save your changes before leaving this form?"),
            QStringLiteral("Rastrel - Edit Project"));
        if (answer == Toolkit::Answer::Yes) {
            // A refused change keeps the window and what was typed in it.
            changeProject();
            return;
        }
        if (DbResult r = m_editor.restoreBudgetFromCopy(); !r)
            m_shell.toolkit().inform(r.message());
    }
    m_changed = false;
    finish(QDialog::Rejected);
}

void EditProjectDialog::finish(int result) {
    m_finishing = true;
    done(result);
}

void EditProjectDialog::unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    BusyCursor busy;
    m_editor.cancelBudget();
    m_shell.enablemenu();
}
