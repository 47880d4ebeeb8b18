#include "GraphWindow.h"

#include "AppState.h"
#include "BusyCursor.h"
#include "GraphChart.h"
#include "GraphGeometry.h"
#include "Shell.h"
#include "Toolkit.h"
#include "Twips.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QToolButton>
#include <QToolTip>

#include <memory>

namespace {

// Printed graphs are laid out as on a screen this wide, then scaled to the page.
constexpr int kPrintLayoutWidth = 1000;

} // namespace

GraphWindow::GraphWindow(Shell& shell, GraphKind kind, QWidget* parent)
    : ChildWindow(parent)
    , m_shell(shell)
    , m_data(kind) {
    BusyCursor busy;
    const WindowId id = GraphCatalog::windowId(kind);
    setObjectName(Windows::objectName(id));
    setWindowTitle(GraphCatalog::title(kind));
    resize(Twips::size(GraphGeometry::kWidth, GraphGeometry::kHeight, this));

    bool isNumber = false;
    const int project = shell.state().openvehiclenumber.toInt(&isNumber);
    if (isNumber && project > 0) {
        if (DbResult r = m_data.load(shell.data(), project); !r)
            shell.toolkit().inform(r.message());
    }

    QChart* chart = GraphChart::build(m_data, width());
    m_view = new QChartView(chart, this);
    m_view->setObjectName(QStringLiteral("Graph1"));
    m_view->setRenderHint(QPainter::Antialiasing);
    // A small window gets a small graph, down to nothing, never one that
    // sticks out; the view otherwise keeps the chart's own minimum.
    chart->setMinimumSize(0, 0);
    m_view->setMinimumSize(0, 0);
    m_view->setAccessibleName(m_data.title());
    m_view->setAccessibleDescription(m_data.description());
    // Hidden while it is filled, shown once drawn.
    m_view->hide();

    for (QAbstractSeries* s : chart->series())
        if (auto* bars = qobject_cast<QBarSeries*>(s))
            connect(bars, &QBarSeries::hovered, this,
                    [this, bars](bool on, int point, QBarSet* set) {
                        if (!on) {
                            QToolTip::hideText();
                            return;
                        }
                        QToolTip::showText(QCursor::pos(),
                                           m_data.toolTip(int(bars->barSets().indexOf(set)), point),
                                           m_view);
                    });

    m_printAction = new QAction(QStringLiteral("Print..."), this);
    m_printAction->setObjectName(QStringLiteral("actPrint"));
    m_printAction->setShortcut(QKeySequence::Print);
    m_printAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_printAction, &QAction::triggered, this, &GraphWindow::printGraph);
    m_saveAction = new QAction(QStringLiteral("Save as PNG..."), this);
    m_saveAction->setObjectName(QStringLiteral("actSavePng"));
    m_saveAction->setShortcut(QKeySequence::Save);
    m_saveAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_saveAction, &QAction::triggered, this, &GraphWindow::saveAsPng);
    addAction(m_printAction);
    addAction(m_saveAction);
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_view->addAction(m_printAction);
    m_view->addAction(m_saveAction);

    // A small menu button in the chart's top right corner, so that printing
    // and saving do not take room from the graph.
    auto* menu = new QMenu(this);
    menu->addAction(m_printAction);
    menu->addAction(m_saveAction);
    m_menuButton = new QToolButton(m_view);
    m_menuButton->setObjectName(QStringLiteral("cmdGraphMenu"));
    m_menuButton->setText(QString(QChar(0x22EE)));
    m_menuButton->setToolTip(QStringLiteral("Print or save the graph"));
    m_menuButton->setAccessibleName(QStringLiteral("Print or save the graph"));
    m_menuButton->setMenu(menu);
    m_menuButton->setPopupMode(QToolButton::InstantPopup);
    m_menuButton->setAutoRaise(true);
    m_menuButton->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));

    layOutChart();
    m_view->show();
    shell.state().setMarker(Windows::marker(id), QStringLiteral("Y"));
}

void GraphWindow::showEvent(QShowEvent* event) {
    ChildWindow::showEvent(event);
    // The frame takes its place and size when it first appears.
    if (m_placed)
        return;
    m_placed = true;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->setGeometry(Twips::rect(GraphGeometry::kLeft, GraphGeometry::kTop,
                                       GraphGeometry::kWidth, GraphGeometry::kHeight, this));
    layOutChart();
}

void GraphWindow::resizeEvent(QResizeEvent* event) {
    ChildWindow::resizeEvent(event);
    layOutChart();
}

bool GraphWindow::isMinimisedNow() const {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        return frame->isMinimized();
    return isMinimized();
}

void GraphWindow::layOutChart() {
    if (!m_view || isMinimisedNow())
        return;
    // The rule is about the whole window, frame and title bar included.
    const QWidget* outer = qobject_cast<QMdiSubWindow*>(parentWidget());
    const QSize windowSize = outer ? outer->size() : size();
    const QRect place = GraphGeometry::chartRect(
        windowSize, Twips::size(GraphGeometry::kSpareWidth, GraphGeometry::kSpareHeight, this),
        size());
    if (place.size() != m_view->size() && m_view->chart())
        GraphChart::fitLabels(m_view->chart(), place.width());
    m_view->setGeometry(place);
    const QSize button = m_menuButton->sizeHint();
    m_menuButton->setGeometry(std::max(0, place.width() - button.width() - 4), 4, button.width(),
                              button.height());
}

void GraphWindow::unload() {
    m_shell.state().setMarker(Windows::marker(GraphCatalog::windowId(kind())), QString());
}

void GraphWindow::printGraph() {
    BusyCursor busy;
    // The dialog keeps a pointer to the printer; the connection below keeps
    // the printer alive for as long as the dialog exists.
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setDocName(m_data.title());
    auto* dialog = new QPrintDialog(printer.get(), this);
    dialog->setObjectName(QStringLiteral("dlgPrintGraph"));
    dialog->setWindowTitle(QStringLiteral("Print Graph"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, printer] { printTo(*printer); });
    m_shell.toolkit().runModal(dialog);
}

bool GraphWindow::printTo(QPrinter& printer) {
    BusyCursor busy;
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_shell.toolkit().inform(
            QStringLiteral("The graph could not be printed: the printer is not ready."));
        return false;
    }
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF target(QPointF(0, 0), page.size());
    const int layoutHeight =
        page.width() > 0 ? int(kPrintLayoutWidth * page.height() / page.width()) : 0;
    GraphChart::paint(m_data, painter, target, QSize(kPrintLayoutWidth, layoutHeight));
    painter.end();
    return true;
}

void GraphWindow::saveAsPng() {
    BusyCursor busy;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QString path = m_shell.toolkit().chooseSaveFile(
        this, QStringLiteral("Save Graph As PNG"), QStringLiteral("PNG pictures (*.png)"),
        QDir(folder).filePath(m_data.title() + QStringLiteral(".png")));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().compare(u"png", Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".png");
    QSize size = m_view->size();
    if (size.isEmpty())
        size = Twips::size(GraphGeometry::kWidth - GraphGeometry::kSpareWidth,
                           GraphGeometry::kHeight - GraphGeometry::kSpareHeight, this);
    if (!GraphChart::render(m_data, size).save(path, "PNG"))
        m_shell.toolkit().inform(QStringLiteral("The graph could not be saved as %1.")
                                     .arg(QDir::toNativeSeparators(path)));
}
