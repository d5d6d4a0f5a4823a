// The overlay follows its picture's size and paints labels and the trace cross.
#include "ui/picture_overlay.h"

#include <QEvent>
#include <QPainter>

#include "view/axis_label_painter.h"

namespace {

constexpr int kCrossArm = 5;

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

void PictureOverlay::SetTrace(std::optional<QPoint> at) {
    if (at == trace_) return;
    trace_ = at;
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
    }
}
