// The printed page's layout and the document's colours on white paper.
#include "document/printed_page.h"

#include <algorithm>
#include <cmath>

namespace {

// Relative luminance of an sRGB colour (0 black .. 1 white), as the contrast rules define it.
double Linear(uint32_t channel) {
    const double c = double(channel) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Colour colour) {
    return 0.2126 * Linear(colour & 0xFFu) + 0.7152 * Linear((colour >> 8) & 0xFFu) +
           0.0722 * Linear((colour >> 16) & 0xFFu);
}

// Contrast against white of 3:1: (1 + 0.05) / (L + 0.05) >= 3.
constexpr double kLightestOnWhite = 1.05 / 3.0 - 0.05;

Colour Scaled(Colour colour, double factor) {
    Colour scaled = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const auto channel = uint32_t(std::lround(double((colour >> shift) & 0xFFu) * factor));
        scaled |= std::min<uint32_t>(channel, 0xFFu) << shift;
    }
    return scaled;
}

}  // namespace

bool PrintsLandscape(QSize picture) {
    return picture.width() > picture.height();
}

PrintedPage LayOutPrintedPage(QSizeF printable, QSize picture, qreal titleHeight, qreal labelHeight,
                              qreal readableHeight) {
    PrintedPage page;
    page.Title = QRectF(0, 0, printable.width(), std::min(titleHeight, printable.height()));
    const QRectF area(0, page.Title.bottom(), printable.width(),
                      printable.height() - page.Title.height());
    if (picture.isEmpty() || area.isEmpty()) {
        page.Picture = QRectF(area.topLeft(), QSizeF(0, 0));
        return page;
    }
    page.Scale = std::min(area.width() / picture.width(), area.height() / picture.height());
    const QSizeF size(picture.width() * page.Scale, picture.height() * page.Scale);
    page.Picture =
        QRectF(QPointF(area.left() + (area.width() - size.width()) / 2, area.top()), size);
    const qreal printedLabel = labelHeight * page.Scale;
    if (printedLabel > 0 && printedLabel < readableHeight)
        page.LabelScale = readableHeight / printedLabel;
    return page;
}

Colour ReadableOnWhite(Colour colour) {
    if (Luminance(colour) <= kLightestOnWhite) return colour;
    // The luminance falls as the channels are scaled down: the largest factor that reaches the
    // contrast keeps the colour as light as it may be.
    double low = 0;
    double high = 1;
    for (int i = 0; i < 30; ++i) {
        const double middle = (low + high) / 2;
        (Luminance(Scaled(colour, middle)) <= kLightestOnWhite ? low : high) = middle;
    }
    return Scaled(colour, low);
}

PlotDocument OnWhitePaper(PlotDocument document) {
    document.Frame.Background = kPaperBackground;
    document.Frame.GridColour = kPaperGrid;
    document.Frame.AxesColour = kPaperAxes;
    for (size_t i = 0; i < document.Curves.Size(); ++i) {
        Curve& curve = document.Curves.At(i);
        curve.LineColour = ReadableOnWhite(curve.LineColour);
    }
    return document;
}
