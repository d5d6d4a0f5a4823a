// The overlay follows its picture's size and paints labels and the trace cross.
#include "ui/picture_overlay.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include "view/axis_label_painter.h"
#include "view/vector_surface.h"

namespace {

constexpr int kCrossArm = 5;
constexpr int kLabelPad = 2;

}  // namespace

PictureOverlay::PictureOverlay(QWidget* picture) : QWidget(picture) {
    setObjectName(QStringLiteral("PictureOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(picture->rect());
    picture->installEventFilter(this);
}

void PictureOverlay::SetLabels(bool labels, const ViewState& view, Colour background) {
    labels_ = labels;
    view_ = view;
    background_ = background;
    update();
}

void PictureOverlay::SetTrace(std::optional<QPoint> at, const QString& label, Colour colour) {
    const QString shown = at ? label : QString();
    if (at == trace_ && shown == traceLabel_ && colour == traceColour_) return;
    trace_ = at;
    traceLabel_ = shown;
    traceColour_ = colour;
    update();
}

bool PictureOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

void PictureOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (labels_) PaintAxisLabels(painter, view_, width(), height(), background_);
    if (trace_) {
        // A black cross inside a white one shows on any background.
        const QPoint c = *trace_;
        for (const auto& [colour, widthPx] :
             {std::pair{QColor(Qt::white), 3}, std::pair{QColor(Qt::black), 1}}) {
            painter.setPen(QPen(colour, widthPx));
            painter.drawLine(c.x() - kCrossArm, c.y(), c.x() + kCrossArm, c.y());
            painter.drawLine(c.x(), c.y() - kCrossArm, c.x(), c.y() + kCrossArm);
        }
        if (!traceLabel_.isEmpty()) PaintTraceLabel(painter, c);
    }
}

// The curve's name below and right of the cross, on a box of the background's colour, kept
// inside the picture.
void PictureOverlay::PaintTraceLabel(QPainter& painter, QPoint cross) const {
    const QFontMetrics metrics(painter.font());
    const QString text = metrics.elidedText(traceLabel_, Qt::ElideRight, width() / 4);
    QRect box = metrics.boundingRect(text).adjusted(-kLabelPad, -kLabelPad, kLabelPad, kLabelPad);
    box.moveTopLeft(cross + QPoint(kCrossArm + 2, kCrossArm + 2));
    if (box.right() >= width()) box.moveRight(cross.x() - kCrossArm - 2);
    if (box.bottom() >= height()) box.moveBottom(cross.y() - kCrossArm - 2);
    QColor fill = ToQColor(background_);
    fill.setAlpha(200);
    painter.fillRect(box, fill);
    painter.setPen(ToQColor(traceColour_));
    painter.drawText(box, Qt::AlignCenter, text);
}
