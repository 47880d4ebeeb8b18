#pragma once

#include <QPaintDevice>
#include <QSizeF>
#include <QString>

#include <memory>

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

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    QSizeF m_page;
    std::unique_ptr<Engine> m_engine;
};
