#include "ReportPreview.h"

#include "ReportRenderer.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <cmath>

namespace {

constexpr int kGap = 12; // grey border around the page, in pixels
constexpr qreal kMinZoom = 0.1;
constexpr qreal kMaxZoom = 8.0;
constexpr qreal kZoomStep = 1.25;
constexpr int kPagesPerStep = 20; // laid out between two looks at the user's input

} // namespace

ReportPreview::ReportPreview(const ReportRenderer& renderer, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_renderer(renderer) {
    setFocusPolicy(Qt::StrongFocus);
    // A page is taller than the view at any useful zoom; a scroll bar that
    // came and went would change the width the page is fitted to.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAutoFillBackground(true);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    viewport()->setPalette(palette);
    viewport()->setBackgroundRole(QPalette::Window);
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
    m_zoom = fitZoom();
    updateScrollBars();
    m_renderer.paginateMore(1);
    m_layoutTimer = new QTimer(this);
    m_layoutTimer->setInterval(0);
    connect(m_layoutTimer, &QTimer::timeout, this, &ReportPreview::layOutSome);
    if (!m_renderer.isPaginated())
        m_layoutTimer->start();
}

int ReportPreview::pageCount() const {
    return m_renderer.pagesReady();
}

bool ReportPreview::isComplete() const {
    return m_renderer.isPaginated();
}

void ReportPreview::layOutSome() {
    m_renderer.paginateMore(kPagesPerStep);
    if (m_renderer.isPaginated())
        m_layoutTimer->stop();
    Q_EMIT pageCountChanged(pageCount());
}

void ReportPreview::completeLayout() {
    if (m_renderer.isPaginated())
        return;
    m_renderer.pageCount();
    m_layoutTimer->stop();
    Q_EMIT pageCountChanged(pageCount());
}

void ReportPreview::setCurrentPage(int page) {
    if (page > pageCount() && !isComplete()) {
        m_renderer.paginateMore(page - pageCount());
        Q_EMIT pageCountChanged(pageCount());
    }
    page = std::clamp(page, 1, std::max(1, pageCount()));
    if (page == m_page)
        return;
    m_page = page;
    verticalScrollBar()->setValue(0);
    viewport()->update();
    Q_EMIT pageChanged(m_page);
}

qreal ReportPreview::fitZoom() const {
    const qreal paper = ReportRenderer::kPageWidth / 1440.0 * logicalDpiX();
    const qreal room = viewport()->width() - 2 * kGap;
    return std::clamp(room / paper, kMinZoom, kMaxZoom);
}

void ReportPreview::setZoomFactor(qreal zoom) {
    m_fitWidth = false;
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (qFuzzyCompare(zoom, m_zoom))
        return;
    m_zoom = zoom;
    updateScrollBars();
    viewport()->update();
}

void ReportPreview::zoomIn() {
    setZoomFactor(m_zoom * kZoomStep);
}

void ReportPreview::zoomOut() {
    setZoomFactor(m_zoom / kZoomStep);
}

void ReportPreview::fitToWidth() {
    m_fitWidth = true;
    m_zoom = fitZoom();
    updateScrollBars();
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

QSize ReportPreview::pageSize() const {
    const qreal perTwip = m_zoom * logicalDpiX() / 1440.0;
    return QSize(int(ReportRenderer::kPageWidth * perTwip),
                 int(ReportRenderer::kPageHeight * perTwip));
}

void ReportPreview::updateScrollBars() {
    const QSize page = pageSize() + QSize(2 * kGap, 2 * kGap);
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, page.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, page.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
}

const QImage& ReportPreview::pageImage(int page) {
    const QSize size = pageSize();
    for (int i = 0; i < m_cache.size(); ++i)
        if (m_cache[i].page == page && m_cache[i].size == size) {
            m_cache.move(i, 0);
            return m_cache.first().image;
        }
    const qreal ratio = devicePixelRatioF();
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        const qreal perTwip = qreal(size.width()) / ReportRenderer::kPageWidth;
        painter.scale(perTwip, perTwip);
        m_renderer.paintPage(painter, page - 1);
    }
    m_cache.prepend({page, size, std::move(image)});
    while (m_cache.size() > kCachedPages)
        m_cache.removeLast();
    return m_cache.first().image;
}

void ReportPreview::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (pageCount() == 0)
        return;
    const QSize size = pageSize();
    const int room = viewport()->width() - 2 * kGap;
    const int x = size.width() <= room ? kGap + (room - size.width()) / 2
                                       : kGap - horizontalScrollBar()->value();
    const int y = kGap - verticalScrollBar()->value();
    painter.fillRect(QRect(QPoint(x + 3, y + 3), size), QColor(0x50, 0x50, 0x50)); // shadow
    painter.drawImage(QPoint(x, y), pageImage(m_page));
}

void ReportPreview::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (m_fitWidth)
        m_zoom = fitZoom();
    updateScrollBars();
}

void ReportPreview::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown:
        setCurrentPage(m_page + 1);
        return;
    case Qt::Key_PageUp:
        setCurrentPage(m_page - 1);
        return;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) {
            setCurrentPage(1);
            return;
        }
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) {
            completeLayout();
            setCurrentPage(pageCount());
            return;
        }
        break;
    default:
        break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}
