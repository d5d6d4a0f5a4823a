// The picture control: copies the canvas image to the screen and forwards mouse events.
#include "ui/picture_widget.h"

#include <QMouseEvent>
#include <QPainter>

PictureWidget::PictureWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWidget::EndToolGesture() {
    tools_.ToolClickCount = tools_.MarkX = tools_.MarkY = 0;
    unmarked_.reset();
}

void PictureWidget::CancelToolGesture() {
    // The brush that drew the dot would fill the next band's inside in XOR.
    if (unmarked_ && unmarked_->Width() == canvas_.Width() &&
        unmarked_->Height() == canvas_.Height()) {
        canvas_ = *unmarked_;
        update();
    }
    EndToolGesture();
}

void PictureWidget::KeepUnmarked() {
    // The image is shared, not copied, until the mark is drawn.
    if (!unmarked_) unmarked_ = canvas_;
}

void PictureWidget::StartBand(int x, int y) {
    KeepUnmarked();
    ++tools_.ToolClickCount;
    tools_.MarkX = tools_.RubberEndX = x;
    tools_.MarkY = tools_.RubberEndY = y;
}

void PictureWidget::FitCanvas() {
    if (canvas_.Width() != width() || canvas_.Height() != height()) {
        canvas_.Resize(width(), height());
    }
    update();
}

void PictureWidget::ShowPreview(const QImage& image) {
    preview_ = image;
    update();
}

void PictureWidget::ClearPreview() {
    if (preview_.isNull()) return;
    preview_ = QImage();
    update();
}

void PictureWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawImage(dirty, preview_.isNull() ? canvas_.Image() : preview_, dirty);
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseDown(event->button(), p.x(), p.y());
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseMove(p.x(), p.y());
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseUp(event->button(), p.x(), p.y());
}
