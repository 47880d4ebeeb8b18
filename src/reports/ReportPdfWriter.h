#pragma once

#include <QPaintDevice>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <memory>

class QFont;
class QPainter;

// A PDF file as a paint device, lean enough for reports of thousands of
// pages: a text item becomes one positioned string of glyphs (not one
// operation per glyph), fonts are embedded as subsets of what was drawn,
// each picture is stored once however often it is drawn, and each page is
// written out as soon as it is finished. It draws what reports draw (text,
// lines, rectangles, paths, pictures) without clipping. Units are points
// from the top-left corner of the page.
class ReportPdfWriter : public QPaintDevice {
public:
    ReportPdfWriter(const QString& path, QSizeF pagePoints);
    ~ReportPdfWriter() override;

    void setTitle(const QString& title);
    void setCreator(const QString& creator);

    // Ends the page being painted and starts another; false when the file
    // could not be written.
    bool newPage();

    // What a writer made of one text in one font, for the caller to keep
    // beside that text: drawn again with its memo, the text is not looked
    // up anew. A memo filled by another writer is filled again.
    struct TextMemo {
        quint64 writer = 0;
        std::shared_ptr<const void> shaped;
    };

    // Draws one line of plain Latin text at its baseline with the painter's
    // transformation and pen, without the painter laying it out first (it
    // would shape the text only for this writer to shape it again). False,
    // drawing nothing, for text that needs the painter's own layout.
    bool drawText(const QPainter& painter, const QPointF& baseline, const QString& text,
                  const QFont& font, TextMemo* memo = nullptr);

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    quint64 m_serial;
    QSizeF m_page;
    std::unique_ptr<Engine> m_engine;
};
