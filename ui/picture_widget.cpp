// The picture control: copies the canvas image to the screen and forwards mouse events.
#include "ui/picture_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

QPoint PixelAt(const QPointF& position) {
    return QPoint(int(std::floor(position.x())), int(std::floor(position.y())));
}

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

int PictureWidget::DeviceScale() const {
    return std::clamp(int(std::lround(devicePixelRatioF())), 1, Canvas::kMaxScale);
}

void PictureWidget::FitCanvas() {
    const int scale = DeviceScale();
    if (canvas_.LogicalWidth() != width() || canvas_.LogicalHeight() != height() ||
        canvas_.Scale() != scale) {
        canvas_.Resize(width(), height(), scale);
    }
    update();
}

void PictureWidget::DrawBand(int x1, int y1, int x2, int y2) {
    const int k = canvas_.Scale();
    canvas_.Rectangle(x1 * k, y1 * k, x2 * k, y2 * k);
}

void PictureWidget::DrawDot(int x, int y) {
    const int k = canvas_.Scale();
    canvas_.Ellipse((x - 2) * k, (y - 2) * k, (x + 2) * k, (y + 2) * k);
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
    const QImage& shown = preview_.isNull() ? canvas_.Image() : preview_;
    // The image holds device pixels; the dirty area counts logical ones.
    const qreal ratio = shown.devicePixelRatio();
    const QRectF source(QPointF(dirty.topLeft()) * ratio, QSizeF(dirty.size()) * ratio);
    painter.drawImage(QRectF(dirty), shown, source);
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint p = PixelAt(event->position());
    emit mouseDown(event->button(), p.x(), p.y());
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = PixelAt(event->position());
    emit mouseMove(p.x(), p.y());
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = PixelAt(event->position());
    emit mouseUp(event->button(), p.x(), p.y());
}
