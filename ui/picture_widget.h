// The picture control: shows the canvas image, reports the mouse over it in pixel coordinates
// and keeps the state of the mouse gesture in progress. Its paint event only copies the image.
// The canvas holds the screen's device pixels (its scale the widget's device pixel ratio,
// rounded); the mouse, the tools and the widget's size count logical pixels.
#pragma once

#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "view/canvas.h"

// The logical pixel a pointer position lies in: on a screen of several device pixels to a
// logical one the position may fall between whole logical coordinates.
QPoint PixelAt(const QPointF& position);

class PictureWidget : public QWidget {
    Q_OBJECT

  public:
    explicit PictureWidget(QWidget* parent = nullptr);

    // The tools' gesture: mouse events counted in it (releases for the move tool, presses for
    // the rectangle tool; one counter for both), the pixel of the first click or the press, and
    // the free corner of the rubber band as last drawn.
    struct ToolGesture {
        int32_t ToolClickCount = 0;
        int32_t MarkX = 0;
        int32_t MarkY = 0;
        int32_t RubberEndX = 0;
        int32_t RubberEndY = 0;
    };
    // A drag of the picture by the middle button, or by the left one with the move tool.
    struct Drag {
        Qt::MouseButton Button = Qt::NoButton;
        QPoint Press;
        QPoint Last;
        bool Moving = false;
    };
    ToolGesture& tools() { return tools_; }
    const ToolGesture& tools() const { return tools_; }
    Drag& drag() { return drag_; }
    const Drag& drag() const { return drag_; }
    // Ends the tools' gesture: no click counted; a mark drawn stays on the picture.
    void EndToolGesture();
    // Cancels the tools' gesture and takes its mark (the dot or the band) off the picture.
    void CancelToolGesture();
    bool ToolGesturePending() const { return tools_.ToolClickCount != 0; }
    // Keeps the picture as it is before a gesture draws its mark on it.
    void KeepUnmarked();
    // The rectangle tool's press at (x, y): the band starts there, without area.
    void StartBand(int x, int y);

    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }
    // Gives the canvas the widget's size and device pixel ratio (a fresh picture).
    void FitCanvas();
    // The device pixel ratio the canvas is drawn at: 1..Canvas::kMaxScale.
    int DeviceScale() const;
    // The tools' marks at logical pixels, in the canvas's pen mode and colours: the rubber band
    // (the rectangle x1..x2-1 by y1..y2-1 with an outline a logical pixel wide) and the dot
    // of the move tool (the ellipse in the 4 x 4 box around (x, y)).
    void DrawBand(int x1, int y1, int x2, int y2);
    void DrawDot(int x, int y);
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
    ToolGesture tools_;
    // The picture, with its pen and brush, before the gesture's mark; none once the picture
    // has changed otherwise.
    std::optional<Canvas> unmarked_;
    Drag drag_;
};
