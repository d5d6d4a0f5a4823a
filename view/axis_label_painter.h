// Painting the axis labels: the placement of axis_labels.h measured and drawn with a QFont,
// each text in a colour that contrasts with the background over a halo box of the other
// colour, so that it reads over grid, axes and curve alike. Raster and vector outputs alike get
// the labels as text.
#pragma once

#include <QFont>
#include <QPainter>

#include "view/axis_labels.h"
#include "view/draw_surface.h"

// The font of the labels.
QFont AxisLabelFont();
// Label metrics measured with `font`.
LabelMetrics MetricsOf(const QFont& font);
// Paints the labels of a width x height picture with `painter` (whose coordinates are the
// picture's logical pixels) over a picture of `background` colour. As text for the vector outputs;
// otherwise as images of the labels drawn once (at the painted device's pixel ratio) and kept. As
// text, the font may be scaled (the printed page's readable minimum); the labels are then placed
// for the larger texts.
void PaintAxisLabels(QPainter& painter, const ViewState& view, int width, int height,
                     Colour background, bool asText = false, qreal fontScale = 1);
// The same over whatever `surface` is: the raster canvas or the vector surface (whose labels
// take `fontScale`).
void DrawAxisLabels(DrawSurface& surface, const ViewState& view, Colour background,
                    qreal fontScale = 1);
