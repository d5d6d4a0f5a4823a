// The picture control: shows the canvas image and reports the mouse over it in pixel
// coordinates. Its paint event only copies the image.
#pragma once

#include <QWidget>

#include "view/canvas.h"

class PictureWidget : public QWidget {
    Q_OBJECT

  public:
    explicit PictureWidget(QWidget* parent = nullptr);

    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }
    // Gives the canvas the widget's size (a fresh picture).
    void FitCanvas();
    // Shows a picture being drawn in place of the canvas, until ClearPreview.
    void ShowPreview(const QImage& image);
    void ClearPreview();

  signals:
    void mouseDown(Qt::MouseButton button, int x, int y);
    void mouseMove(int x, int y);
    void mouseUp(Qt::MouseButton button, int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Canvas canvas_;
    QImage preview_;
};
