// Label painting: one text colour by the background's brightness, over a halo box of the other
// colour one pixel wider than the label on every side, so that no grid line or curve runs
// through the text. Each label is drawn once: one text element in the vector outputs.
#include "view/axis_label_painter.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

#include "view/canvas.h"
#include "view/vector_surface.h"

namespace {

constexpr int kFontPixels = 11;

bool IsLight(Colour colour) {
    const int red = int(colour & 0xFFu);
    const int green = int((colour >> 8) & 0xFFu);
    const int blue = int((colour >> 16) & 0xFFu);
    return 299 * red + 587 * green + 114 * blue > 128 * 1000;
}

constexpr int kFlags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip;

constexpr int kHaloMargin = 1;

// The halo box behind a label whose text box is `box`.
QRect HaloBox(const QRect& box) {
    return box.adjusted(-kHaloMargin, -kHaloMargin, kHaloMargin, kHaloMargin);
}

}  // namespace

QFont AxisLabelFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kFontPixels);
    return font;
}

LabelMetrics MetricsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    return {[metrics](const std::string& text) {
                return metrics.horizontalAdvance(QString::fromStdString(text));
            },
            metrics.height()};
}

namespace {

// A label drawn once with its halo, kept for the next redraws: drawing the text each time
// would cost more than the rest of a redraw.
class SpriteCache {
  public:
    // At `ratio` device pixels to the label's pixel.
    QImage Sprite(const QFont& font, const AxisLabel& label, bool light, int ratio) {
        const QString key =
            QString::fromStdString(label.Text) + (light ? u'L' : u'D') + QString::number(ratio);
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = sprites_.find(key);
        if (found != sprites_.end()) return found->second;
        if (sprites_.size() > kMaxSprites) sprites_.clear();
        const QRect box(kHaloMargin, kHaloMargin, label.Width, label.Height);
        QImage sprite(HaloBox(box).size() * ratio, QImage::Format_ARGB32_Premultiplied);
        sprite.setDevicePixelRatio(ratio);
        sprite.fill(light ? Qt::white : Qt::black);
        QPainter painter(&sprite);
        painter.setFont(font);
        const QString text = QString::fromStdString(label.Text);
        painter.setPen(light ? Qt::black : Qt::white);
        painter.drawText(box, kFlags, text);
        painter.end();
        sprites_.emplace(key, sprite);
        return sprite;
    }

  private:
    static constexpr size_t kMaxSprites = 2048;
    std::mutex mutex_;
    std::map<QString, QImage> sprites_;
};

SpriteCache& Sprites() {
    static SpriteCache cache;
    return cache;
}

// The device pixels to a logical pixel of what `painter` draws on, as a whole number.
int RatioOf(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    if (device == nullptr) return 1;
    return std::clamp(int(std::lround(device->devicePixelRatioF())), 1, Canvas::kMaxScale);
}

}  // namespace

void PaintAxisLabels(QPainter& painter, const ViewState& view, int width, int height,
                     Colour background, bool asText, qreal fontScale) {
    QFont font = AxisLabelFont();
    if (asText && fontScale != 1)
        font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * fontScale))));
    const std::vector<AxisLabel> labels = PlaceAxisLabels(view, width, height, MetricsOf(font));
    if (labels.empty()) return;
    if (!asText) {
        const bool light = IsLight(background);
        const int ratio = RatioOf(painter);
        for (const AxisLabel& label : labels) {
            painter.drawImage(QPoint(label.Left - kHaloMargin, label.Top - kHaloMargin),
                              Sprites().Sprite(font, label, light, ratio));
        }
        return;
    }
    painter.save();
    painter.setFont(font);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const bool light = IsLight(background);
    const QColor text = light ? Qt::black : Qt::white;
    const QColor halo = light ? Qt::white : Qt::black;
    painter.setPen(text);
    for (const AxisLabel& label : labels) {
        const QRect box(label.Left, label.Top, label.Width, label.Height);
        painter.fillRect(HaloBox(box), halo);
        painter.drawText(box, kFlags, QString::fromStdString(label.Text));
    }
    painter.restore();
}

void DrawAxisLabels(DrawSurface& surface, const ViewState& view, Colour background,
                    qreal fontScale) {
    if (auto* canvas = dynamic_cast<Canvas*>(&surface)) {
        QPainter painter(&canvas->ImageForPainting());
        PaintAxisLabels(painter, view, canvas->LogicalWidth(), canvas->LogicalHeight(), background);
        return;
    }
    if (auto* vector = dynamic_cast<VectorSurface*>(&surface)) {
        PaintAxisLabels(vector->Painter(), view, vector->Width(), vector->Height(), background,
                        true, fontScale);
    }
}
