#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QList>

class QTimer;

class ReportRenderer;

// Shows a report one page at a time. The first page shows as soon as it is
// laid out; the rest of the report is laid out a few pages at a time while
// the window waits for the user. Pages are painted when they are shown, and
// only the last few painted are kept, so a report of a thousand pages opens
// about as fast and holds about as little as one of a single page.
class ReportPreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kCachedPages = 3;

    explicit ReportPreview(const ReportRenderer& renderer, QWidget* parent = nullptr);

    // The pages laid out so far; all of them once isComplete().
    int pageCount() const;
    bool isComplete() const;
    // Lays out the rest of the report at once (to show its last page).
    void completeLayout();
    int currentPage() const { return m_page; } // 1-based
    void setCurrentPage(int page);

    // Screen size relative to the paper's (1.0: an inch on the paper takes
    // an inch of the screen).
    qreal zoomFactor() const { return m_zoom; }
    void setZoomFactor(qreal zoom);
    void zoomIn();
    void zoomOut();
    // The page fills the width of the view, now and whenever it is resized.
    void fitToWidth();
    bool fitsWidth() const { return m_fitWidth; }

    // How many painted pages are held (never more than kCachedPages).
    int cachedPageCount() const { return int(m_cache.size()); }

Q_SIGNALS:
    void pageChanged(int page);
    void pageCountChanged(int pages);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize pageSize() const; // in device-independent pixels at the current zoom
    qreal fitZoom() const;
    const QImage& pageImage(int page);
    void updateScrollBars();
    void layOutSome();

    const ReportRenderer& m_renderer;
    QTimer* m_layoutTimer = nullptr;
    int m_page = 1;
    qreal m_zoom = 1.0;
    bool m_fitWidth = true;
    struct Cached {
        int page;
        QSize size;
        QImage image;
    };
    QList<Cached> m_cache; // the most recently shown first
};
