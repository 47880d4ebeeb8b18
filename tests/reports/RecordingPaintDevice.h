#pragma once

#include <QFont>
#include <QList>
#include <QPaintDevice>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

class QPaintEngine;
class ReportRenderer;

// A Letter page at 1440 dots per inch, so that one device unit is one twip,
// that remembers what was painted on it instead of drawing it.
class RecordingPaintDevice : public QPaintDevice {
public:
    struct Text {
        int page = 0;
        QPointF at; // the baseline's left end
        QString text;
        QFont font;
    };
    RecordingPaintDevice();
    ~RecordingPaintDevice() override;

    QPaintEngine* paintEngine() const override;

    // Paints every page of the report.
    void record(const ReportRenderer& renderer);

    struct Picture {
        int page = 0;
        QRectF box; // in twips on the page
        QSize size; // the picture's own, in pixels
    };

    QList<Text> texts;
    QList<Picture> pictures;
    int page = 0;

    QStringList textsOn(int page) const; // every page's when below 0
    QStringList allTexts() const { return textsOn(-1); }
    const Text* find(const QString& text) const;
    // "page N" followed by "x y text" lines, for comparing with golden files.
    QString transcript() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<QPaintEngine> m_engine;
};
