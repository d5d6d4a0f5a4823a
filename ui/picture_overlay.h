// What the window paints over the picture without touching its canvas: the axis labels and the
// trace cross. A transparent child of the picture, covering it, blind to the mouse.
#pragma once

#include <QPoint>
#include <QWidget>
#include <optional>

#include "view/draw_surface.h"
#include "view/view_state.h"

class PictureOverlay : public QWidget {
    Q_OBJECT

  public:
    explicit PictureOverlay(QWidget* picture);

    // The view and background the labels are placed for; shown when `labels` is true.
    void SetLabels(bool labels, const ViewState& view, Colour background);
    // The trace cross at a picture pixel, or none.
    void SetTrace(std::optional<QPoint> at);
    std::optional<QPoint> Trace() const { return trace_; }
    bool LabelsShown() const { return labels_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool labels_ = false;
    ViewState view_;
    Colour background_ = kBlack;
    std::optional<QPoint> trace_;
};
