#include "ProjectCatalogue.h"

#include "Accessibility.h"
#include "AppFiles.h"
#include "AppState.h"
#include "BudgetDialog.h"
#include "BusyCursor.h"
#include "EditProjectDialog.h"
#include "Shell.h"
#include "Toolkit.h"
#include "Twips.h"
#include "VehicleForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kSaveQuestion =
    QStringLiteral("Would you like to save your changes before leaving this form?");
const QString kNewProjectTitle = QStringLiteral("Rastrel - New Project");

QString selectedEntry(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

} // namespace

ProjectCatalogue::ProjectCatalogue(Shell& shell, QWidget* parent)
    : ChildWindow(parent)
    , m_shell(shell)
    , m_store(shell.data()) {
    BusyCursor busy;
    setObjectName(QStringLiteral("frmProjects"));
    setWindowTitle(QStringLiteral("Projects"));
    setWindowIcon(AppFiles::themeIcon(QStringLiteral("open-project")));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_form = new VehicleForm(QStringLiteral("Picture Of Vehicle"), QStringLiteral("&Add Project"),
                             QStringLiteral("cmdAdd"));
    auto* newTab = new QWidget;
    auto* newLayout = new QVBoxLayout(newTab);
    newLayout->addWidget(m_form);
    newLayout->addStretch();
    m_tabs->addTab(newTab, QStringLiteral("New Project"));
    m_tabs->addTab(listTab(QStringLiteral("Select A Project To Open From List Below"), m_openList,
                           QStringLiteral("lstOpenvehicle"), QStringLiteral("&Open"),
                           QStringLiteral("cmdOpen")),
                   QStringLiteral("Open Project"));
    m_tabs->addTab(listTab(QStringLiteral("Select A Project To Edit From List Below"), m_editList,
                           QStringLiteral("lstEditvehicle"), QStringLiteral("&Edit"),
                           QStringLiteral("cmdEdit")),
                   QStringLiteral("Edit Project"));
    m_tabs->addTab(listTab(QStringLiteral("Select A Project To Delete From List Below"),
                           m_deleteList, QStringLiteral("lstDeletevehicle"),
                           QStringLiteral("&Delete"), QStringLiteral("cmdDelete")),
                   QStringLiteral("Delete Project"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_tabs);
    resize(sizeHint());

    connect(m_tabs, &QTabWidget::currentChanged, this, &ProjectCatalogue::tabChanged);
    connect(m_form, &VehicleForm::edited, this, [this] {
        if (!m_filling)
            m_changed = true;
    });
    connect(m_form, &VehicleForm::makeChanged, this,
            [this](const QString& make) { m_form->replaceModels(m_store.models(make)); });
    connect(m_form->action(), &QPushButton::clicked, this, [this] { addProject(); });
    connect(m_form->budgetButton(), &QPushButton::clicked, this,
            &ProjectCatalogue::budgetByCategory);
    connect(m_form->searchButton(), &QPushButton::clicked, this, &ProjectCatalogue::search);
    const std::pair<QListWidget*, void (ProjectCatalogue::*)()> lists[] = {
        {m_openList, &ProjectCatalogue::openProject},
        {m_editList, &ProjectCatalogue::editProject},
        {m_deleteList, &ProjectCatalogue::deleteProject},
    };
    for (const auto& [list, handler] : lists) {
        connect(list, &QListWidget::itemDoubleClicked, this, handler);
        auto* button = list->parentWidget()->findChild<QPushButton*>();
        connect(button, &QPushButton::clicked, this, handler);
    }

    m_shell.disablemenu();
    m_tabGuard = false;
    refill();
    checkforvehicles();
    m_changed = false;
    m_shell.state().setMarker(QStringLiteral("frmprojectsopen"), QStringLiteral("Y"));
}

QWidget* ProjectCatalogue::listTab(const QString& title, QListWidget*& list,
                                   const QString& listName, const QString& caption,
                                   const QString& buttonName) {
    auto* tab = new QWidget;
    auto* frame = new QGroupBox(title, tab);
    list = new QListWidget(frame);
    list->setObjectName(listName);
    Accessibility::name(list, title);
    Accessibility::currentFollowsSelection(list);
    auto* button = new QPushButton(caption, frame);
    button->setObjectName(buttonName);
    button->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(button);
    buttons->addStretch();
    auto* frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(list, 1);
    frameLayout->addLayout(buttons);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(frame);
    return tab;
}

void ProjectCatalogue::selectTab(int tab) {
    m_tabs->setCurrentIndex(tab);
}

QSize ProjectCatalogue::sizeHint() const {
    return Twips::size(8310, 3480, this).expandedTo(minimumSizeHint());
}

int ProjectCatalogue::currentTab() const {
    return m_tabs->currentIndex();
}

void ProjectCatalogue::fillProjectLists() {
    const QStringList descriptions = m_store.descriptions();
    for (QListWidget* list : {m_deleteList, m_openList, m_editList}) {
        list->clear();
        list->addItems(descriptions);
    }
}

void ProjectCatalogue::refill() {
    {
        const QScopedValueRollback filling(m_filling, true);
        m_form->clearInputs();
        VehicleForm::fillKeepingText(m_form->year(), VehicleForm::years());
        VehicleForm::fillKeepingText(m_form->make(), m_store.makes());
    }
    // Without a database the user has been told so once, at start-up.
    if (DbResult r = m_store.refillNewBudget(); !r && r.kind() != DbErrorKind::NotOpen)
        m_shell.toolkit().inform(r.message());
    fillProjectLists();
}

void ProjectCatalogue::checkforvehicles() {
    if (m_store.hasProjects())
        return;
    for (int tab : {OpenTab, EditTab, DeleteTab})
        m_tabs->setTabEnabled(tab, false);
}

void ProjectCatalogue::tabChanged(int tab) {
    if (m_tabGuard)
        return;
    if (!m_changed)
        return;
    m_tabGuard = true;
    m_tabs->setCurrentIndex(NewTab);
    const auto answer = m_shell.toolkit().askYesNoHelp(
        QStringLiteral(
            "You must add or accept your changes on this form before switching tabs. If you continue, you will lose your work. Would you like to continue and lose your work?"),
        kNewProjectTitle);
    if (answer == Toolkit::Answer::Yes) {
        m_tabs->setCurrentIndex(tab);
        m_tabGuard = false;
        BusyCursor busy;
        refill();
        m_changed = false;
    } else {
        m_tabGuard = false;
    }
}

bool ProjectCatalogue::addedit() {
    return m_form->addedit(m_shell.toolkit(), m_store.newBudgetTotal());
}

bool ProjectCatalogue::addProject() {
    return add(true);
}

bool ProjectCatalogue::add(bool closeAfter) {
    BusyCursor busy;
    if (!addedit())
        return false;
    m_form->upperCaseMakeAndModel();
    const ProjectInput input = m_form->input();
    const ProjectStore::AddResult result = m_store.addProject(input);
    Toolkit& toolkit = m_shell.toolkit();
    switch (result.outcome) {
    case ProjectStore::AddOutcome::Duplicate:
        toolkit.inform(QStringLiteral("Project already exists."));
        return false;
    case ProjectStore::AddOutcome::Full:
        toolkit.inform(QStringLiteral(
            "You have already added the maximum number of vehicles that RSL can support."));
        return false;
    case ProjectStore::AddOutcome::Failed:
        toolkit.inform(result.description + QStringLiteral(" could not be added. ") +
                       result.error.message());
        return false;
    case ProjectStore::AddOutcome::Added:
        break;
    }
    m_shell.addmakemodel(input.make, input.model);
    refill();
    {
        const QScopedValueRollback filling(m_filling, true);
        m_form->clearInputs();
    }
    toolkit.inform(result.description + QStringLiteral(" has been added."));
    m_changed = false;
    if (closeAfter)
        closeWindow();
    return true;
}

void ProjectCatalogue::budgetByCategory() {
    BusyCursor busy;
    m_shell.state().vehicleedit = QStringLiteral("N");
    if (m_budget) {
        m_budget->close();
        delete m_budget;
    }
    m_budget = new BudgetDialog(
        m_shell, [this](const QString& total) { m_form->total()->setText(total); }, this);
    m_shell.toolkit().runModal(m_budget);
}

void ProjectCatalogue::search() {
    BusyCursor busy;
    m_form->picture()->setText(m_shell.showsave(QString()));
}

void ProjectCatalogue::openProject() {
    BusyCursor busy;
    const QString entry = selectedEntry(m_openList);
    if (entry.isEmpty())
        return;
    AppState& state = m_shell.state();
    state.vehiclenumber = 0;
    state.vehiclenumbera = QStringLiteral("0");
    state.vehicledescription.clear();
    m_shell.setCaption(QStringLiteral("Rastrel - No Project Open"));
    for (WindowId id :
         {WindowId::Worksheet, WindowId::ReportsGraphs, WindowId::Graph1, WindowId::Graph2,
          WindowId::Graph3, WindowId::Graph4, WindowId::Maintenance})
        m_shell.closeWindow(id);
    delete m_budget;

    const std::optional<ProjectRecord> project = m_store.find(entry);
    if (!project) {
        // Gone since the list was filled: show what is there now.
        m_shell.toolenabled();
        fillProjectLists();
        return;
    }
    m_shell.setCaption(QStringLiteral("Rastrel - ") + project->description);
    if (!project->picture.isEmpty())
        state.graphic = project->picture;
    m_shell.setBackgroundPicture(state.graphic);
    state.openvehiclenumber = QString::number(project->number);
    state.vehicledescription = project->description;
    state.vehiclenumber = project->number;
    state.vehiclenumbera = QString::number(project->number);
    m_shell.toolenabled();
    closeWindow();
    m_shell.showWindow(WindowId::Worksheet);
}

void ProjectCatalogue::editProject() {
    BusyCursor busy;
    const QString entry = selectedEntry(m_editList);
    if (entry.isEmpty())
        return;
    delete m_edit;
    m_edit = new EditProjectDialog(
        m_shell, entry, [this] { fillProjectLists(); }, this);
    m_shell.toolkit().runModal(m_edit);
}

void ProjectCatalogue::deleteProject() {
    BusyCursor busy;
    const QString entry = selectedEntry(m_deleteList);
    if (entry.isEmpty())
        return;
    Toolkit& toolkit = m_shell.toolkit();
    const auto answer =
        toolkit.askYesNo(QStringLiteral("Deleting the project ") + entry +
                             QStringLiteral(" is permanent. Are you sure you want to continue?"),
                         QStringLiteral("Rastrel - Delete ") + entry);
    if (answer != Toolkit::Answer::Yes)
        return;
    bool found = false;
    if (DbResult r = m_store.deleteProject(entry, &found); !r) {
        toolkit.inform(entry + QStringLiteral(" could not be deleted. ") + r.message());
        return;
    }
    if (!found)
        return;
    refill();
    toolkit.inform(entry + QStringLiteral(" has been deleted."));
    closeWindow();
}

bool ProjectCatalogue::queryClose() {
    if (!m_changed)
        return true;
    const auto answer = m_shell.toolkit().askYesNoHelp(kSaveQuestion, kNewProjectTitle);
    if (answer != Toolkit::Answer::Yes)
        return true;
    // A refused add keeps the window and what was typed in it.
    return add(false);
}

void ProjectCatalogue::unload() {
    BusyCursor busy;
    if (m_shell.state().projectOpen())
        m_shell.disablemenu();
    else
        m_shell.enablemenu();
    ignoreError(m_store.releaseNewBudget());
    m_shell.state().setMarker(QStringLiteral("frmprojectsopen"), QString());
}
