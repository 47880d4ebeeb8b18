#include "RecordingPaintDevice.h"

#include "ReportRenderer.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

#include <cmath>

namespace {

// Keeps the texts and where pictures go; shapes are let go.
class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(RecordingPaintDevice* device)
        : QPaintEngine(QPaintEngine::AllFeatures)
        , m_device(device) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return QPaintEngine::User; }
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF&) override {
        m_device->pictures.append(
            {m_device->page, painter()->transform().mapRect(r), pixmap.size()});
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF&,
                   Qt::ImageConversionFlags) override {
        m_device->pictures.append(
            {m_device->page, painter()->transform().mapRect(r), image.size()});
    }
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}

    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        m_device->texts.append(
            {m_device->page, painter()->transform().map(p), item.text(), item.font()});
    }

private:
    RecordingPaintDevice* m_device;
};

} // namespace

RecordingPaintDevice::RecordingPaintDevice()
    : m_engine(std::make_unique<RecordingEngine>(this)) {}

RecordingPaintDevice::~RecordingPaintDevice() = default;

QPaintEngine* RecordingPaintDevice::paintEngine() const {
    return m_engine.get();
}

int RecordingPaintDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return ReportRenderer::kPageWidth;
    case PdmHeight:
        return ReportRenderer::kPageHeight;
    case PdmWidthMM:
        return 216;
    case PdmHeightMM:
        return 279;
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default: // the resolutions
        return 1440;
    }
}

void RecordingPaintDevice::record(const ReportRenderer& renderer) {
    for (page = 0; page < renderer.pageCount(); ++page) {
        QPainter painter(this);
        ReportRenderer::scaleToTwips(painter, *this);
        renderer.paintPage(painter, page);
    }
}

QStringList RecordingPaintDevice::textsOn(int p) const {
    QStringList out;
    for (const Text& t : texts)
        if (p < 0 || t.page == p)
            out << t.text;
    return out;
}

const RecordingPaintDevice::Text* RecordingPaintDevice::find(const QString& text) const {
    for (const Text& t : texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

QString RecordingPaintDevice::transcript() const {
    QString out;
    int current = -1;
    for (const Text& t : texts) {
        if (t.page != current) {
            current = t.page;
            out += QStringLiteral("page %1\n").arg(current + 1);
        }
        out += QStringLiteral("%1 %2 %3\n")
                   .arg(std::lround(t.at.x()))
                   .arg(std::lround(t.at.y()))
                   .arg(t.text);
    }
    return out;
}
