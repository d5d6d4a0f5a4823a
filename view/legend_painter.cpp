#include "view/legend_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "view/axis_label_painter.h"
#include "view/canvas.h"
#include "view/vector_surface.h"

namespace {

constexpr int kMargin = 6;
constexpr int kPadding = 4;
constexpr int kSampleLength = 20;
constexpr int kGap = 4;
constexpr int kBoxAlpha = 200;

bool IsLight(Colour colour) {
    const int red = int(colour & 0xFFu);
    const int green = int((colour >> 8) & 0xFFu);
    const int blue = int((colour >> 16) & 0xFFu);
    return 299 * red + 587 * green + 114 * blue > 128 * 1000;
}

void PaintLegend(QPainter& painter, int width, const std::vector<LegendEntry>& entries,
                 Colour background) {
    const QFont font = AxisLabelFont();
    const QFontMetrics metrics(font);
    const int textLimit = std::max(width / 4, 1);
    QStringList texts;
    int textWidth = 0;
    for (const LegendEntry& entry : entries) {
        const QString text =
            metrics.elidedText(QString::fromStdString(entry.Text), Qt::ElideRight, textLimit);
        textWidth = std::max(textWidth, metrics.horizontalAdvance(text));
        texts << text;
    }
    const int rowHeight = metrics.height();
    const int boxWidth = 2 * kPadding + kSampleLength + kGap + textWidth;
    const int boxHeight = 2 * kPadding + rowHeight * int(entries.size());
    const QRect box(width - kMargin - boxWidth, kMargin, boxWidth, boxHeight);

    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QColor fill = ToQColor(background);
    fill.setAlpha(kBoxAlpha);
    painter.fillRect(box, fill);
    painter.setFont(font);
    const QColor textColour = IsLight(background) ? Qt::black : Qt::white;
    for (size_t i = 0; i < entries.size(); ++i) {
        const int top = box.top() + kPadding + rowHeight * int(i);
        const int middle = top + rowHeight / 2;
        const int left = box.left() + kPadding;
        const QColor colour = ToQColor(entries[i].LineColour);
        if (entries[i].Lines) {
            painter.fillRect(QRect(left, middle - 1, kSampleLength, 2), colour);
        } else {
            for (int x = left + 2; x < left + kSampleLength; x += 6) {
                painter.fillRect(QRect(x, middle - 1, 2, 2), colour);
            }
        }
        painter.setPen(textColour);
        painter.drawText(QRect(left + kSampleLength + kGap, top, textWidth, rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, texts[int(i)]);
    }
    painter.restore();
}

}  // namespace

void DrawLegend(DrawSurface& surface, const std::vector<LegendEntry>& entries, Colour background) {
    if (entries.empty() || surface.Width() <= 0 || surface.Height() <= 0) return;
    if (auto* canvas = dynamic_cast<Canvas*>(&surface)) {
        QPainter painter(&canvas->ImageForPainting());
        PaintLegend(painter, canvas->LogicalWidth(), entries, background);
        return;
    }
    if (auto* vector = dynamic_cast<VectorSurface*>(&surface)) {
        PaintLegend(vector->Painter(), vector->Width(), entries, background);
    }
}
