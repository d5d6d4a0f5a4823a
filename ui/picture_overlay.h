// What the window paints over the picture without touching its canvas: the axis labels and the
// trace cross. A transparent child of the picture, covering it, blind to the mouse.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <optional>

#include "view/draw_surface.h"
#include "view/view_state.h"

class QPainter;

class PictureOverlay : public QWidget {
    Q_OBJECT

  public:
    explicit PictureOverlay(QWidget* picture);

    // The view and background the labels are placed for; shown when `labels` is true.
    void SetLabels(bool labels, const ViewState& view, Colour background);
    // The trace cross at a picture pixel, or none; a label names the curve it is on, written
    // beside the cross in the curve's colour (none when empty).
    void SetTrace(std::optional<QPoint> at, const QString& label = QString(),
                  Colour colour = kWhite);
    std::optional<QPoint> Trace() const { return trace_; }
    const QString& TraceLabel() const { return traceLabel_; }
    bool LabelsShown() const { return labels_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PaintTraceLabel(QPainter& painter, QPoint cross) const;

    bool labels_ = false;
    ViewState view_;
    Colour background_ = kBlack;
    std::optional<QPoint> trace_;
    QString traceLabel_;
    Colour traceColour_ = kWhite;
};
