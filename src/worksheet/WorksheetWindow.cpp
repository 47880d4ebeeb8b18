#include "WorksheetWindow.h"

#include "Accessibility.h"
#include "AppFiles.h"
#include "AppState.h"
#include "AttachmentList.h"
#include "BudgetOverviewPanel.h"
#include "BusyCursor.h"
#include "CostArithmetic.h"
#include "DataStore.h"
#include "EntryPanel.h"
#include "LineQuery.h"
#include "PartGridModel.h"
#include "PurchaseDate.h"
#include "RecordSet.h"
#include "Settings.h"
#include "Shell.h"
#include "Toolkit.h"
#include "Transaction.h"
#include "Twips.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kProjectTitle = QStringLiteral("Rastrel - Project");
const QString kNoPartName = QStringLiteral("You must enter or select a part name to continue.");
const QString kUnknownPart = QStringLiteral(
    "You have entered a part name that does not exist and has not been assigned to a category. You must add the part through part maintenance before you can use it in the project.");
const QString kInvalidPurchaseDate = QStringLiteral(
    "The purchase date %1 is not a valid date. Enter the month, day and year of the purchase, for example 03/05/2001.");
const QString kNoPurchaseDate =
    QStringLiteral("You must enter a purchase date if you have marked part as purchased.");
const QString kAdded = QStringLiteral("Part has been added.");
const QString kChanged = QStringLiteral("Part has been changed.");
const QString kDeleteQuestion = QStringLiteral("Are you sure you want to delete the current part?");
const QString kDeleted = QStringLiteral("Part has been deleted.");
const QString kTabQuestion = QStringLiteral(
    "You must add or accept your changes on this form before switching tabs. If you continue, you will lose your work. Would you like to continue and lose your work?");
const QString kCloseQuestion =
    QStringLiteral("Would you like to save your changes before leaving this form?");
const QString kNoMatches = QStringLiteral("No Matches Found");

constexpr int kSummaryColumnTwips = 3820;
constexpr int kResultColumnTwips = 3300;
constexpr int kThumbnailWidth = 120;
constexpr int kThumbnailHeight = 90;

QTableView* makeGrid(const QString& name, PartGridModel* model, int columnTwips, QWidget* parent) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setWordWrap(false);
    grid->setAlternatingRowColors(true);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->horizontalHeader()->setHighlightSections(false);
    // The vendor column takes what the window leaves, so no sideways scrolling
    // for the last few pixels.
    grid->horizontalHeader()->setStretchLastSection(true);
    for (int c = 0; c < 2; ++c)
        grid->setColumnWidth(c, Twips::toPixelsX(columnTwips, grid));
    // The sequence number rides along unseen, as the line's key.
    grid->setColumnHidden(3, true);
    Accessibility::currentFollowsSelection(grid);
    return grid;
}

} // namespace

WorksheetWindow::WorksheetWindow(Shell& shell, QWidget* parent)
    : ChildWindow(parent)
    , m_shell(shell)
    , m_lists(shell.data())
    , m_store(shell.data())
    , m_attachmentStore(shell.data()) {
    BusyCursor busy;
    setObjectName(QStringLiteral("frmNewmain"));
    setWindowIcon(AppFiles::themeIcon(QStringLiteral("work-on-project")));
    build();
    setWindowTitle(QStringLiteral("Project - ") + m_shell.state().vehicledescription);
    showPicture();
    resize(sizeHint());

    // resetform fills the grid; once is enough.
    resetform();
    m_tabs->setTabEnabled(DetailTab, false);
    // With the filters at their defaults the grid holds every line of the project.
    const bool hasLines = m_gridRows->rowCount() > 0;
    setLineTabsEnabled(hasLines);
    if (!hasLines)
        switchTo(AddTab);
    m_pending = QStringLiteral("N");
    m_guard = QStringLiteral("N");

    connect(&m_shell.state(), &AppState::partHandedBack, this, &WorksheetWindow::takeHandBack);
    takeHandBack();
}

QSize WorksheetWindow::sizeHint() const {
    QSize size = Twips::size(12075, 6285, this);
    // The picture sits beside the tabs, which keep their full width.
    if (m_picture && layout() && !m_picture->isHidden())
        size.rwidth() += kThumbnailWidth + layout()->spacing();
    return size;
}

RecordSet& WorksheetWindow::lines() {
    return m_shell.data().recordSet(Command::RSLMaster);
}

QString WorksheetWindow::taxPercentage() const {
    return m_shell.settings().value(Settings::kTaxPercentage, QStringLiteral("0"));
}

void WorksheetWindow::build() {
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setUsesScrollButtons(false);

    auto* summary = new QWidget;
    m_gridRows = new PartGridModel(this);
    m_grid = makeGrid(QStringLiteral("MSFlexGrid1"), m_gridRows, kSummaryColumnTwips, summary);
    Accessibility::name(m_grid, QStringLiteral("Part Summary"));
    auto* summaryLayout = new QVBoxLayout(summary);
    summaryLayout->addWidget(m_grid);
    connect(m_grid, &QTableView::doubleClicked, this, &WorksheetWindow::openLineFromGrid);

    auto panelPage = [&](int index, std::initializer_list<QPushButton*> buttons) {
        auto* page = new QWidget;
        m_panels[index] = new EntryPanel(m_shell, m_lists, index, page);
        connect(m_panels[index], &EntryPanel::edited, this,
                [this] { m_pending = QStringLiteral("Y"); });
        m_attachments[index] = new AttachmentList(
            m_shell, m_attachmentStore,
            index == 0 ? AttachmentList::Mode::StoredLine : AttachmentList::Mode::Staging, page);
        m_attachments[index]->setObjectName(QStringLiteral("attachments%1").arg(index));
        connect(m_attachments[index], &AttachmentList::edited, this,
                [this] { m_pending = QStringLiteral("Y"); });
        auto* row = new QHBoxLayout;
        row->addWidget(m_attachments[index], 1);
        for (QPushButton* b : buttons) {
            b->setParent(page);
            row->addWidget(b, 0, Qt::AlignBottom);
        }
        auto* layout = new QVBoxLayout(page);
        layout->setSpacing(6);
        layout->addWidget(m_panels[index], 1);
        layout->addLayout(row);
        return page;
    };
    auto button = [this](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* accept = button(QStringLiteral("cmdAccept"), QStringLiteral("&Accept Changes"));
    QPushButton* remove = button(QStringLiteral("cmdDelete"), QStringLiteral("&Delete Part"));
    QPushButton* add = button(QStringLiteral("cmdAdd"), QStringLiteral("&Add Part"));
    connect(accept, &QPushButton::clicked, this, &WorksheetWindow::acceptChanges);
    connect(remove, &QPushButton::clicked, this, &WorksheetWindow::deletePart);
    connect(add, &QPushButton::clicked, this, &WorksheetWindow::addPart);

    m_tabs->addTab(summary, QStringLiteral("&Part Summary"));
    m_tabs->addTab(panelPage(0, {accept, remove}), QStringLiteral("Part Detail"));
    m_tabs->addTab(panelPage(1, {add}), QStringLiteral("&Add New Part"));
    m_tabs->addTab(buildSearchTab(), QStringLiteral("&Search"));
    m_tabs->addTab(buildFilterTab(), QStringLiteral("&Filter Options"));
    m_overview = new BudgetOverviewPanel(m_shell.data(), m_shell.state().vehiclenumber);
    m_tabs->addTab(m_overview, QStringLiteral("Budget Overview"));
    connect(m_overview, &BudgetOverviewPanel::categoryChosen, this, &WorksheetWindow::showCategory);
    m_tabs->setCurrentIndex(SummaryTab);
    connect(m_tabs, &QTabWidget::currentChanged, this, &WorksheetWindow::tabChanged);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("imgProject"));
    m_picture->setFixedSize(kThumbnailWidth, kThumbnailHeight);
    m_picture->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_picture->setAccessibleName(QStringLiteral("Project picture"));
    m_picture->hide();

    auto* side = new QVBoxLayout;
    side->setContentsMargins(0, 2, 0, 0);
    side->addWidget(m_picture);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(side);
}

QWidget* WorksheetWindow::buildSearchTab() {
    auto* page = new QWidget;
    auto* searchFrame = new QGroupBox(QStringLiteral("Part Name Search"), page);
    m_searchText = new QLineEdit(searchFrame);
    m_searchText->setObjectName(QStringLiteral("iopartnamesearch"));
    Accessibility::name(m_searchText, QStringLiteral("Part Name Search"));
    m_searchButton = new QPushButton(QStringLiteral("&Search"), searchFrame);
    m_searchButton->setObjectName(QStringLiteral("cmdSearch"));
    m_searchButton->setAutoDefault(false);
    auto* searchRow = new QHBoxLayout(searchFrame);
    searchRow->addWidget(m_searchText, 1);
    searchRow->addWidget(m_searchButton);
    connect(m_searchButton, &QPushButton::clicked, this, &WorksheetWindow::search);
    connect(m_searchText, &QLineEdit::returnPressed, this, &WorksheetWindow::search);

    auto* resultsFrame = new QGroupBox(QStringLiteral("Part Search Results"), page);
    m_resultRows = new PartGridModel(this);
    m_results =
        makeGrid(QStringLiteral("MSFlexGrid2"), m_resultRows, kResultColumnTwips, resultsFrame);
    Accessibility::name(m_results, QStringLiteral("Part Search Results"));
    m_selectButton = new QPushButton(QStringLiteral("&Select"), resultsFrame);
    m_selectButton->setObjectName(QStringLiteral("cmdSelect"));
    m_selectButton->setAutoDefault(false);
    auto* selectRow = new QHBoxLayout;
    selectRow->addStretch(1);
    selectRow->addWidget(m_selectButton);
    auto* resultsLayout = new QVBoxLayout(resultsFrame);
    resultsLayout->addWidget(m_results, 1);
    resultsLayout->addLayout(selectRow);
    connect(m_selectButton, &QPushButton::clicked, this, &WorksheetWindow::selected);
    connect(m_results, &QTableView::doubleClicked, this, &WorksheetWindow::selected);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(searchFrame);
    layout->addWidget(resultsFrame, 1);
    return page;
}

QWidget* WorksheetWindow::buildFilterTab() {
    auto* page = new QWidget;
    auto listFrame = [&](const QString& caption, const QString& name) {
        auto* frame = new QGroupBox(caption, page);
        auto* box = new QComboBox(frame);
        box->setObjectName(name);
        box->setMaxVisibleItems(15);
        Accessibility::name(box, caption);
        auto* l = new QVBoxLayout(frame);
        l->addWidget(box);
        box->installEventFilter(this);
        connect(box, &QComboBox::activated, this, [this] { applyfilter(); });
        return std::pair{frame, box};
    };
    auto [categoryFrame, category] =
        listFrame(QStringLiteral("Category"), QStringLiteral("cmbCatfilter"));
    auto [vendorFrame, vendor] =
        listFrame(QStringLiteral("Vendor"), QStringLiteral("cmbVenFilter"));
    auto [manufacturerFrame, manufacturer] =
        listFrame(QStringLiteral("Manufacturer"), QStringLiteral("cmbManFilter"));
    m_categoryFilter = category;
    m_vendorFilter = vendor;
    m_manufacturerFilter = manufacturer;

    auto* statusFrame = new QGroupBox(QStringLiteral("Status"), page);
    auto* statusLayout = new QVBoxLayout(statusFrame);
    auto option = [&](const QString& name, const QString& caption) {
        auto* b = new QRadioButton(caption, statusFrame);
        b->setObjectName(name);
        Accessibility::name(b, caption);
        statusLayout->addWidget(b);
        connect(b, &QRadioButton::clicked, this, [this] { applyfilter(); });
        return b;
    };
    m_optSelected = option(QStringLiteral("opts"), QStringLiteral("Selected"));
    m_optForecast = option(QStringLiteral("optf"), QStringLiteral("Forecasted"));
    m_optPurchased = option(QStringLiteral("Optp"), QStringLiteral("Purchased"));
    m_optAll = option(QStringLiteral("opta"), QStringLiteral("All"));
    m_optAll->setChecked(true);
    statusLayout->addStretch(1);
    auto* reset = new QPushButton(QStringLiteral("&Default"), statusFrame);
    reset->setObjectName(QStringLiteral("cmdDefault"));
    reset->setAutoDefault(false);
    statusLayout->addWidget(reset, 0, Qt::AlignLeft);
    connect(reset, &QPushButton::clicked, this, &WorksheetWindow::defaultFilter);

    auto* layout = new QGridLayout(page);
    layout->addWidget(categoryFrame, 0, 0);
    layout->addWidget(vendorFrame, 1, 0);
    layout->addWidget(manufacturerFrame, 2, 0);
    layout->addWidget(statusFrame, 0, 1, 3, 1);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 1);
    return page;
}

// ---- panels

void WorksheetWindow::resetform() {
    initfields(0);
    initfields(1);
    applyfilter();
}

void WorksheetWindow::initfields(int index) {
    EntryPanel* panel = m_panels[index];
    if (index == 1)
        m_attachments[1]->clearStaged();
    panel->resetFields();
    panel->reloadLists();
    for (QComboBox* box : {m_manufacturerFilter, m_vendorFilter, m_categoryFilter})
        refillFilterList(box);
    m_pending = QStringLiteral("N");
}

void WorksheetWindow::clearfields() {
    m_panels[0]->resetFields(false);
    m_pending = QStringLiteral("N");
}

void WorksheetWindow::loadfieldsdetails() {
    m_panels[0]->load(lines(), &m_loadedName, &m_loadedSequence);
    m_attachments[0]->setLine(m_attachmentStore.lineId(m_loadedName, m_loadedSequence));
    m_pending = QStringLiteral("N");
}

// ---- filters and the summary grid

SummaryFilter WorksheetWindow::currentFilter() const {
    SummaryFilter f;
    f.category = m_categoryFilter->currentText();
    f.vendor = m_vendorFilter->currentText();
    f.manufacturer = m_manufacturerFilter->currentText();
    if (m_optPurchased->isChecked())
        f.status = SummaryFilter::Status::Purchased;
    else if (m_optForecast->isChecked())
        f.status = SummaryFilter::Status::Forecasted;
    else if (m_optSelected->isChecked())
        f.status = SummaryFilter::Status::Selected;
    else
        f.status = SummaryFilter::Status::All;
    return f;
}

void WorksheetWindow::applyfilter() {
    BusyCursor busy;
    RecordSet& rs = lines();
    ignoreError(rs.setSort(QString()));
    m_searchText->clear();
    const QString criteria = currentFilter().criteria(m_shell.state().vehiclenumbera);
    // The shared record set carries the summary filter for whoever reads it
    // next; it reads nothing until then.
    if (DbResult r = rs.setFilter(criteria); !r) {
        m_shell.toolkit().inform(r.message());
        return;
    }
    // Showing every line again while the grid still shows every line as
    // stored needs no reading.
    if (currentFilter().isDefault() && m_gridAt >= 0 && m_gridAt == m_shell.data().changeCount()) {
        ignoreError(rs.setSort(QStringLiteral("Part_name")));
        selectFirstRow();
    } else {
        loadgrid();
    }
    showfilterstatus();
    m_tabs->setTabEnabled(SearchTab, m_gridRows->rowCount() > 0);
}

void WorksheetWindow::loadgrid() {
    ignoreError(lines().setSort(QStringLiteral("Part_name")));
    // Only the four columns the grid shows are read, in one query.
    const SummaryFilter filter = currentFilter();
    const qint64 changes = m_shell.data().changeCount();
    QList<LineQuery::Row> rows =
        LineQuery::summary(m_shell.data(), filter, m_shell.state().vehiclenumber);
    m_gridAt = filter.isDefault() ? changes : -1;
    m_grid->setUpdatesEnabled(false);
    m_gridRows->setRows(std::move(rows));
    selectFirstRow();
    m_grid->setUpdatesEnabled(true);
}

void WorksheetWindow::selectFirstRow() {
    for (int c = 0; c < 2; ++c)
        m_grid->setColumnWidth(c, Twips::toPixelsX(kSummaryColumnTwips, m_grid));
    if (m_gridRows->rowCount() > 0)
        m_grid->setCurrentIndex(m_gridRows->index(0, 0));
}

void WorksheetWindow::patchGrid(qint64 changesBefore, qint64 line, bool removed) {
    if (m_gridAt < 0 || m_gridAt != changesBefore)
        return;
    // Until the row is in place the grid is read again in full.
    m_gridAt = -1;
    DataStore& store = m_shell.data();
    const int project = m_shell.state().vehiclenumber;
    m_grid->setUpdatesEnabled(false);
    const bool wasShown = m_gridRows->removeLine(line);
    std::optional<LineQuery::Placed> placed;
    if (!removed) {
        placed = LineQuery::place(store, project, line);
        if (placed)
            m_gridRows->insertLine(placed->position, placed->row);
    }
    m_grid->setUpdatesEnabled(true);
    const std::optional<int> total = LineQuery::count(store, project);
    if ((removed ? wasShown : placed.has_value()) && total && *total == m_gridRows->rowCount())
        m_gridAt = store.changeCount();
}

void WorksheetWindow::showfilterstatus() {
    const QString text = currentFilter().description();
    m_shell.state().setStatusText(2, text, text);
}

void WorksheetWindow::refillFilterList(QComboBox* box) {
    QString all;
    QStringList values;
    if (box == m_categoryFilter) {
        all = SummaryFilter::kAllCategories;
        values = m_lists.categories();
    } else if (box == m_vendorFilter) {
        all = SummaryFilter::kAllVendors;
        values = m_lists.vendors();
    } else {
        all = SummaryFilter::kAllManufacturers;
        values = m_lists.manufacturers();
    }
    const QSignalBlocker block(box);
    box->clear();
    box->addItem(all);
    box->addItems(values);
    box->setCurrentIndex(0);
}

void WorksheetWindow::setFilterListsToAll() {
    for (QComboBox* box : {m_categoryFilter, m_vendorFilter, m_manufacturerFilter}) {
        const QSignalBlocker block(box);
        if (box->count() == 0)
            refillFilterList(box);
        box->setCurrentIndex(0);
    }
}

void WorksheetWindow::defaultFilter() {
    BusyCursor busy;
    setFilterListsToAll();
    m_optAll->setChecked(true);
    applyfilter();
}

bool WorksheetWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (auto* box = qobject_cast<QComboBox*>(watched);
            box &&
            (box == m_categoryFilter || box == m_vendorFilter || box == m_manufacturerFilter))
            refillFilterList(box);
    }
    return ChildWindow::eventFilter(watched, event);
}

void WorksheetWindow::setLineTabsEnabled(bool enabled) {
    m_tabs->setTabEnabled(SearchTab, enabled);
    m_tabs->setTabEnabled(FilterTab, enabled);
}

// ---- tabs

void WorksheetWindow::switchTo(int tab) {
    if (tab == DetailTab)
        m_tabs->setTabEnabled(DetailTab, true);
    m_tabs->setCurrentIndex(tab);
}

void WorksheetWindow::tabChanged(int tab) {
    BusyCursor busy;
    const int previous = m_currentTab;
    m_currentTab = tab;
    if (m_guard == u"N") {
        if (m_pending == u"Y") {
            m_guard = QStringLiteral("Y");
            m_tabs->setCurrentIndex(previous);
            const auto answer = m_shell.toolkit().askYesNoHelp(kTabQuestion, kProjectTitle);
            if (answer == Toolkit::Answer::Yes) {
                switchTo(tab);
                m_guard = QStringLiteral("N");
                m_pending = QStringLiteral("N");
                showtab(tab, previous);
            } else {
                m_guard = QStringLiteral("N");
            }
        } else {
            showtab(tab, previous);
        }
    }
    const int current = m_tabs->currentIndex();
    if (current == SearchTab) {
        m_resultRows->clear();
        m_searchButton->setFocus();
    }
    m_tabs->setTabEnabled(DetailTab, current == DetailTab);
}

void WorksheetWindow::showtab(int tab, int from) {
    if (tab == AddTab) {
        initfields(1);
        m_panels[1]->clearStatusBoxes();
        // A fresh panel holds nothing to lose.
        m_pending = QStringLiteral("N");
    } else if (tab == DetailTab && from == SummaryTab) {
        const int row = m_grid->currentIndex().row();
        if (row < 0)
            return;
        RecordSet& rs = lines();
        rs.optimize(QStringLiteral("sequence_number"));
        ignoreError(rs.setFilter(
            SummaryFilter::lineCriteria(m_gridRows->text(row, 0), m_gridRows->text(row, 3))));
        openFilteredLine();
    } else if (tab == DetailTab && from == SearchTab) {
        openFilteredLine();
    } else if (tab == OverviewTab) {
        m_overview->refresh();
    }
}

void WorksheetWindow::openFilteredLine() {
    // The grid may show a line that a rename or delete in another window has
    // since taken away; an empty panel would pass for a line.
    if (lines().isEof()) {
        lineGone();
        return;
    }
    clearfields();
    loadfieldsdetails();
}

void WorksheetWindow::showCategory(const QString& category) {
    BusyCursor busy;
    setFilterListsToAll();
    int at = m_categoryFilter->findText(category, Qt::MatchFixedString);
    if (at < 0) {
        // A category with lines but missing from the list still filters.
        const QSignalBlocker block(m_categoryFilter);
        m_categoryFilter->addItem(category);
        at = m_categoryFilter->count() - 1;
    }
    {
        const QSignalBlocker block(m_categoryFilter);
        m_categoryFilter->setCurrentIndex(at);
    }
    m_optAll->setChecked(true);
    applyfilter();
    switchTo(SummaryTab);
}

void WorksheetWindow::openLineFromGrid() {
    BusyCursor busy;
    if (m_gridRows->rowCount() == 0 || !m_grid->currentIndex().isValid())
        return;
    switchTo(DetailTab);
}

// ---- storing lines

bool WorksheetWindow::commonChecks(EntryPanel* panel) {
    Toolkit& toolkit = m_shell.toolkit();
    const DbResult lookup = panel->upperCaseNames();
    const PartLine line = panel->line();
    if (line.partName.isEmpty()) {
        toolkit.inform(kNoPartName);
        return false;
    }
    // A part is called unknown only when the catalogue says so, not when it
    // could not be read.
    if (!lookup) {
        toolkit.inform(lookup.message());
        return false;
    }
    if (line.category.isEmpty()) {
        toolkit.inform(kUnknownPart);
        AppState& state = m_shell.state();
        state.addpart = QStringLiteral("Y");
        state.passpart = line.partName;
        state.addpartPanel = panel->index();
        m_shell.showWindow(WindowId::Maintenance);
        return false;
    }
    if (line.purchased) {
        switch (PurchaseDate::classify(line.purchaseDate)) {
        case PurchaseDate::Entry::Missing:
            toolkit.inform(kNoPurchaseDate);
            return false;
        case PurchaseDate::Entry::Invalid:
            toolkit.inform(kInvalidPurchaseDate.arg(line.purchaseDate));
            return false;
        case PurchaseDate::Entry::Valid:
            break;
        }
    }
    if (!PartLineStore::amountsFit(line, taxPercentage())) {
        toolkit.inform(CostArithmetic::kTooLargeMessage);
        return false;
    }
    return true;
}

bool WorksheetWindow::stored(const PartLineStore::Result& result) {
    switch (result.outcome) {
    case PartLineStore::Outcome::Stored:
        return true;
    case PartLineStore::Outcome::Missing:
        lineGone();
        return false;
    case PartLineStore::Outcome::Failed:
        m_shell.toolkit().inform(result.message);
        return false;
    }
    return false;
}

void WorksheetWindow::addPart() {
    BusyCursor busy;
    EntryPanel* panel = m_panels[1];
    if (!commonChecks(panel))
        return;
    // The files are read before anything is stored; the line and its
    // attachments then go in together or not at all.
    QList<PreparedAttachment> files;
    QString problem;
    if (!m_attachments[1]->prepareStaged(&files, &problem)) {
        m_shell.toolkit().inform(problem);
        return;
    }
    PartLineStore::Result result;
    const qint64 changesBefore = m_shell.data().changeCount();
    {
        Transaction tx(m_shell.data());
        if (tx.status())
            result = m_store.add(panel->line(), m_shell.state().vehiclenumber);
        else
            result = {PartLineStore::Outcome::Failed, tx.status().message(), 0};
        if (result.outcome == PartLineStore::Outcome::Stored) {
            const std::optional<qint64> line = m_attachmentStore.lineId(
                panel->line().partName, QString::number(result.sequenceNumber));
            for (const PreparedAttachment& file : std::as_const(files)) {
                DbResult r = line ? m_attachmentStore.store(*line, file)
                                  : DbResult::failure(DbErrorKind::NoCurrentRow,
                                                      PartLineStore::kMissingMessage);
                if (!r) {
                    result = {PartLineStore::Outcome::Failed,
                              QStringLiteral("The part was not added: \"%1\" could not be "
                                             "attached. %2")
                                  .arg(file.fileName, r.message()),
                              0};
                    break;
                }
            }
        }
        if (result.outcome == PartLineStore::Outcome::Stored)
            if (DbResult r = tx.commit(); !r)
                result = {PartLineStore::Outcome::Failed, r.message(), 0};
    }
    if (!stored(result))
        return;
    m_shell.state().holdsequence = result.sequenceNumber;
    // They are the line's now; adding the panel again must not store them twice.
    m_attachments[1]->clearStaged();
    m_shell.toolkit().inform(kAdded);
    patchGrid(changesBefore, result.line, false);
    defaultFilter();
    setLineTabsEnabled(m_gridRows->rowCount() > 0);
    m_pending = QStringLiteral("N");
    switchTo(SummaryTab);
}

void WorksheetWindow::lineGone() {
    m_shell.toolkit().inform(PartLineStore::kMissingMessage);
    m_gridAt = -1; // read again whatever the count says
    defaultFilter();
    setLineTabsEnabled(m_gridRows->rowCount() > 0);
    m_pending = QStringLiteral("N");
    switchTo(SummaryTab);
}

void WorksheetWindow::acceptChanges() {
    BusyCursor busy;
    EntryPanel* panel = m_panels[0];
    if (!commonChecks(panel))
        return;
    const qint64 changesBefore = m_shell.data().changeCount();
    const PartLineStore::Result result = m_store.accept(
        panel->line(), m_shell.state().vehiclenumber, m_loadedName, m_loadedSequence);
    if (!stored(result))
        return;
    m_shell.state().holdsequence = result.sequenceNumber;
    m_shell.toolkit().inform(kChanged);
    patchGrid(changesBefore, result.line, false);
    defaultFilter();
    m_pending = QStringLiteral("N");
    switchTo(SummaryTab);
}

void WorksheetWindow::deletePart() {
    const auto answer = m_shell.toolkit().askYesNo(kDeleteQuestion, Toolkit::applicationTitle());
    if (answer == Toolkit::Answer::Yes) {
        BusyCursor busy;
        const qint64 changesBefore = m_shell.data().changeCount();
        const PartLineStore::Result result = m_store.remove(m_loadedName, m_loadedSequence);
        if (!stored(result))
            return;
        m_shell.toolkit().inform(kDeleted);
        patchGrid(changesBefore, result.line, true);
        defaultFilter();
        setLineTabsEnabled(m_gridRows->rowCount() > 0);
        m_pending = QStringLiteral("N");
    }
    BusyCursor busy;
    switchTo(SummaryTab);
}

// ---- search

void WorksheetWindow::search() {
    BusyCursor busy;
    m_resultRows->clear();
    setFilterListsToAll();
    const QString kept = m_searchText->text();
    m_optAll->setChecked(true);
    applyfilter();

    // Part names are stored in upper case; the comparison itself is exact.
    const QString text = kept.toUpper();
    m_searchText->setText(text);
    QList<LineQuery::Row> matches =
        LineQuery::search(m_shell.data(), m_shell.state().vehiclenumber, text);
    const bool found = !matches.isEmpty();
    m_results->setUpdatesEnabled(false);
    if (found)
        m_resultRows->setRows(std::move(matches));
    else
        m_resultRows->setMessage(kNoMatches);
    m_results->setEnabled(found);
    m_selectButton->setEnabled(found);
    if (found)
        m_results->setCurrentIndex(m_resultRows->index(m_resultRows->rowCount() - 1, 0));
    m_results->setUpdatesEnabled(true);
}

void WorksheetWindow::selected() {
    BusyCursor busy;
    const int row = m_results->currentIndex().row();
    if (m_resultRows->isMessage() || row < 0)
        return;
    RecordSet& rs = lines();
    rs.optimize(QStringLiteral("sequence_number"));
    ignoreError(rs.setFilter(
        SummaryFilter::lineCriteria(m_resultRows->text(row, 0), m_resultRows->text(row, 3))));
    switchTo(DetailTab);
}

// ---- window

void WorksheetWindow::activated() {
    BusyCursor busy;
    showfilterstatus();
    m_panels[0]->getcategory();
    m_panels[1]->getcategory();
    m_shell.state().setMarker(QStringLiteral("frmnewmainopen"), QStringLiteral("Y"));
    if (m_shell.state().graphic != m_shownPicture)
        showPicture();
    takeHandBack();
}

bool WorksheetWindow::queryClose() {
    if (m_pending != u"Y")
        return true;
    return m_shell.toolkit().askYesNoHelp(kCloseQuestion, kProjectTitle) != Toolkit::Answer::Yes;
}

void WorksheetWindow::unload() {
    disconnect(&m_shell.state(), nullptr, this, nullptr);
    m_shell.state().setStatusText(2, QString(), QString());
    m_shell.state().setMarker(QStringLiteral("frmnewmainopen"), QString());
}

void WorksheetWindow::takeHandBack() {
    AppState& state = m_shell.state();
    if (isUnloaded() || !state.hasHandBack())
        return;
    const int current = m_tabs->currentIndex();
    const bool intoDetail = state.addpartPanel == 0 && current == DetailTab;
    // Moving to the add panel would ask about unsaved input elsewhere; the
    // name then waits for the next activation.
    if (!intoDetail && current != AddTab && m_pending == u"Y")
        return;
    const auto handBack = state.takeHandBack(state.vehiclenumber);
    if (!handBack)
        return;
    if (intoDetail) {
        m_panels[0]->setPartName(handBack->name);
        return;
    }
    if (current != AddTab)
        switchTo(AddTab);
    m_panels[1]->setPartName(handBack->name);
}

void WorksheetWindow::showPicture() {
    const QString path = m_shell.state().graphic;
    m_shownPicture = path;
    QImage image;
    if (!path.isEmpty()) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QSize full = reader.size();
        if (full.isValid())
            reader.setScaledSize(
                full.scaled(kThumbnailWidth, kThumbnailHeight, Qt::KeepAspectRatio));
        image = reader.read();
    }
    if (image.isNull()) {
        m_picture->clear();
        m_picture->hide();
        return;
    }
    m_picture->setPixmap(QPixmap::fromImage(image.scaled(
        kThumbnailWidth, kThumbnailHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    m_picture->setToolTip(m_shell.state().vehicledescription);
    m_picture->show();
}
