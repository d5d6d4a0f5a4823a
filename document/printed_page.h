// The printed page, worked out without a printer: the page's orientation and the place and
// scale of the picture and its labels on it, and the document as it is drawn on white paper.
#pragma once

#include <QRectF>
#include <QSize>
#include <QSizeF>

#include "document/plot_document.h"

// The frame on white paper: black axes over a light grey grid.
inline constexpr Colour kPaperBackground = kWhite;
inline constexpr Colour kPaperGrid = 0xD0D0D0;
inline constexpr Colour kPaperAxes = kBlack;

// The picture's place on the page, in the page's device units, the origin at the top left
// corner of the printable area (within the margins).
struct PrintedPage {
    QRectF Title;     // one line of text above the picture
    QRectF Picture;   // the picture, its proportions kept
    qreal Scale = 1;  // device units per picture pixel
    // The labels' font size in picture pixels as a multiple of the window's: above 1 when the
    // picture's own scale would print them smaller than a readable minimum.
    qreal LabelScale = 1;

    bool operator==(const PrintedPage&) const = default;
};

// A picture wider than it is tall is printed on a landscape page.
bool PrintsLandscape(QSize picture);

// The picture fitted below a title line of `titleHeight` into the printable area, centred
// across it. `labelHeight` is the labels' text height in picture pixels and `readableHeight`
// the smallest height a label may have on paper, in device units. An empty picture or area
// leaves the picture rectangle empty.
PrintedPage LayOutPrintedPage(QSizeF printable, QSize picture, qreal titleHeight, qreal labelHeight,
                              qreal readableHeight);

// A curve colour that reads on white paper: the colour itself when its contrast with white is
// at least 3:1 (the usual least contrast for lines and marks), otherwise the same hue darkened
// just enough to reach it.
Colour ReadableOnWhite(Colour colour);

// The document as printed on white paper: white background, the paper's grid and axes, and
// every curve in a colour that reads on white.
PlotDocument OnWhitePaper(PlotDocument document);
