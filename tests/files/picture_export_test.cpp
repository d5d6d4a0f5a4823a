// The picture in PNG, SVG and PDF beside the BMP: the same pixels, the same curve vertices at
// pixel centres, a vector picture lying on the raster one, one PDF page of the picture's size,
// and the format of a file name.
#include "files/picture_export.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QRegularExpression>
#include <vector>

#include "engine/tree_builder.h"
#include "files/exports.h"
#include "messages/messages.h"
#include "view/drawing.h"
#include "view/scale_commands.h"
#include "view/vector_surface.h"

namespace {

struct SceneRow {
    const char* name;
    const char* expression;
    bool lines;
    bool bounded;
    Colour background;
};

// A plotted scene: the raster picture and the drawing that makes it again on any surface.
struct Scene {
    Engine engine;
    ViewState view;
    DrawOptions options;
    Canvas canvas;

    Scene(const SceneRow& row, int width, int height) : canvas(width, height) {
        options.Lines = row.lines;
        options.BoundArgument = row.bounded;
        options.BackgroundColour = row.background;
        view.SamplesPerPixel = row.lines ? 1 : 4;
        CentreView(view, width, height);
        EXPECT_EQ(BuildExpression(engine, row.expression), kNoError);
        Engine copy = engine;
        PlotCurve(canvas, copy, view, options);
    }

    PictureDrawing Drawing() const {
        return [this](DrawSurface& surface) {
            Engine copy = engine;
            PlotCurve(surface, copy, view, options);
        };
    }
};

void PrintTo(const SceneRow& row, std::ostream* out) {
    *out << row.name;
}

const SceneRow kScenes[] = {
    {"Sine", "sinx", true, false, kBlack},
    {"Hyperbola", "1/x", true, false, kBlack},
    {"RootFromZero", "sqrtx", true, false, 0xFFFFFF},
    {"Constant", "5", true, false, kBlack},
    {"Bounded", "sin(10/x)", true, true, 0x402010},
    {"Points", "x^lnx", false, false, kBlack},
};

class PictureScenes : public testing::TestWithParam<SceneRow> {};

TEST_P(PictureScenes, PngHoldsTheBmpPixels) {
    const Scene scene(GetParam(), 123, 77);
    const QImage bmp = QImage::fromData(PictureBmpBytes(scene.canvas.Image()), "BMP");
    const QImage png = QImage::fromData(PicturePngBytes(scene.canvas.Image()), "PNG");
    ASSERT_EQ(bmp.size(), QSize(123, 77));
    ASSERT_EQ(png.size(), bmp.size());
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x)
            ASSERT_EQ(png.pixel(x, y) & 0xFFFFFF, bmp.pixel(x, y) & 0xFFFFFF) << x << "," << y;
}

// The raster's runs of lines in one colour, as the canvas is given them.
class RunRecorder : public DrawSurface {
  public:
    RunRecorder(Canvas& canvas, Colour colour) : canvas_(canvas), colour_(colour) {}
    int Width() const override { return canvas_.Width(); }
    int Height() const override { return canvas_.Height(); }
    void SetBrushColour(Colour colour) override { canvas_.SetBrushColour(colour); }
    void SetPenColour(Colour colour) override {
        pen_ = colour;
        runs.emplace_back();
        canvas_.SetPenColour(colour);
    }
    void SetPenMode(PenMode mode) override { canvas_.SetPenMode(mode); }
    void SetPenStyle(PenStyle style) override { canvas_.SetPenStyle(style); }
    void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override {
        canvas_.FillRect(x1, y1, x2, y2);
    }
    void FloodFill(int32_t x, int32_t y, Colour border) override {
        canvas_.FloodFill(x, y, border);
    }
    void MoveTo(int32_t x, int32_t y) override {
        current_ = QPoint(x, y);
        runs.emplace_back();
        canvas_.MoveTo(x, y);
    }
    void LineTo(int32_t x, int32_t y) override {
        if (pen_ == colour_ && QPoint(x, y) != current_) {
            if (runs.back().empty()) runs.back().push_back(current_);
            runs.back().push_back(QPoint(x, y));
        }
        current_ = QPoint(x, y);
        canvas_.LineTo(x, y);
    }
    void SetPixel(int32_t x, int32_t y, Colour colour) override { canvas_.SetPixel(x, y, colour); }

    std::vector<std::vector<QPoint>> runs;

  private:
    Canvas& canvas_;
    const Colour colour_;
    Colour pen_ = kBlack;
    QPoint current_;
};

std::vector<std::vector<QPointF>> SvgRunsOfColour(const QByteArray& svg, const QString& colour) {
    std::vector<std::vector<QPointF>> runs;
    const QString text = QString::fromUtf8(svg);
    const QStringList groups = text.split(QStringLiteral("<g "));
    for (const QString& group : groups) {
        if (!group.contains(QStringLiteral("stroke=\"") + colour + QLatin1Char('"'))) continue;
        static const QRegularExpression points(QStringLiteral("points=\"([^\"]*)\""));
        for (auto match = points.globalMatch(group); match.hasNext();) {
            std::vector<QPointF> run;
            for (const QString& pair :
                 match.next().captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                const QStringList xy = pair.split(QLatin1Char(','));
                run.emplace_back(xy[0].toDouble(), xy[1].toDouble());
            }
            runs.push_back(run);
        }
    }
    return runs;
}

TEST_P(PictureScenes, SvgCurveVerticesAreTheRasterVerticesAtPixelCentres) {
    if (!GetParam().lines) GTEST_SKIP() << "point mode draws no lines";
    const Scene scene(GetParam(), 160, 100);
    Canvas canvas(160, 100);
    RunRecorder recorder(canvas, scene.options.LineColour);
    Engine copy = scene.engine;
    PlotCurve(recorder, copy, scene.view, scene.options);
    std::vector<std::vector<QPointF>> expected;
    for (const auto& run : recorder.runs) {
        if (run.empty()) continue;
        expected.emplace_back();
        for (const QPoint& point : run)
            expected.back().emplace_back(point.x() + 0.5, point.y() + 0.5);
    }
    ASSERT_FALSE(expected.empty());
    const QByteArray svg = PictureSvgBytes(QSize(160, 100), scene.Drawing());
    EXPECT_EQ(SvgRunsOfColour(svg, QStringLiteral("#ffff00")), expected);
}

// The pixels of a colour on one picture that have no pixel of that colour within one pixel on
// the other, in thousandths of that colour's pixels. Where the curve crosses a grid line the two
// rasterisations may cover the line's pixel differently, so a few are allowed.
int UnmatchedPerMille(const QImage& from, const QImage& to, Colour colour) {
    const QRgb wanted = ToQColor(colour).rgb() & 0xFFFFFF;
    int unmatched = 0;
    int total = 0;
    for (int y = 0; y < from.height(); ++y) {
        for (int x = 0; x < from.width(); ++x) {
            if ((from.pixel(x, y) & 0xFFFFFF) != wanted) continue;
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx)
                    found =
                        to.valid(x + dx, y + dy) && (to.pixel(x + dx, y + dy) & 0xFFFFFF) == wanted;
            if (!found) ++unmatched;
            ++total;
        }
    }
    return total == 0 ? 0 : unmatched * 1000 / total;
}

// The vector surface painted without smoothing, as the SVG and PDF files hold it.
TEST_P(PictureScenes, VectorPictureLiesOnTheRasterWithinAPixel) {
    const Scene scene(GetParam(), 200, 140);
    QImage vector(200, 140, QImage::Format_RGB32);
    vector.fill(Qt::magenta);
    {
        QPainter painter(&vector);
        VectorSurface surface(painter, 200, 140);
        scene.Drawing()(surface);
    }
    const QImage raster = scene.canvas.Image();
    for (const Colour colour : {kYellow, kGrey, kWhite, kRed, GetParam().background}) {
        EXPECT_LE(UnmatchedPerMille(raster, vector, colour), 5) << std::hex << colour;
        EXPECT_LE(UnmatchedPerMille(vector, raster, colour), 5) << std::hex << colour;
    }
}

INSTANTIATE_TEST_SUITE_P(Scenes, PictureScenes, testing::ValuesIn(kScenes),
                         [](const auto& info) { return std::string(info.param.name); });

int PdfPages(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(pdf).count(page));
}

// Every object the cross-reference table lists starts where the table says, and so does the
// table itself.
bool CrossReferencesHold(const QByteArray& pdf) {
    const qsizetype table = pdf.lastIndexOf("\nxref\n");
    const qsizetype start = pdf.lastIndexOf("startxref\n");
    if (table < 0 || start < 0) return false;
    if (pdf.mid(start + 10).split('\n').front().toLongLong() != table + 1) return false;
    const QList<QByteArray> lines = pdf.mid(table + 6, start - table - 6).split('\n');
    int object = 0;
    for (const QByteArray& line : lines.mid(1)) {
        if (line.startsWith("trailer")) break;
        if (line.size() >= 18 && line.at(17) == 'n') {
            const qsizetype offset = line.left(10).toLongLong();
            if (!pdf.mid(offset).startsWith(QByteArray::number(object) + " 0 obj")) return false;
        }
        ++object;
    }
    return object > 1;
}

class PdfSizes : public testing::TestWithParam<QSize> {};

TEST_P(PdfSizes, OnePageExactlyThePictureAtNinetySixDotsPerInch) {
    const QSize size = GetParam();
    const SceneRow row{"Sine", "sinx", true, false, kBlack};
    const Scene scene(row, size.width(), size.height());
    const QByteArray pdf = PicturePdfBytes(size, scene.Drawing());
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(PdfPages(pdf), 1);
    static const QRegularExpression box(
        QStringLiteral("/MediaBox \\[0 ([0-9.]+) ([0-9.]+) ([0-9.]+)\\]"));
    const QRegularExpressionMatch match = box.match(QString::fromLatin1(pdf));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_DOUBLE_EQ(match.captured(2).toDouble(), size.width() * 0.75);
    EXPECT_DOUBLE_EQ(match.captured(3).toDouble() - match.captured(1).toDouble(),
                     size.height() * 0.75);
    EXPECT_TRUE(CrossReferencesHold(pdf));
    EXPECT_FALSE(pdf.contains("/Title (T")) << "the page has no title";
}

INSTANTIATE_TEST_SUITE_P(Sizes, PdfSizes,
                         testing::Values(QSize(308, 275), QSize(1, 1), QSize(1920, 300),
                                         QSize(37, 800)));

TEST(SvgSize, ThePictureInPixelsAtNinetySixDotsPerInch) {
    const SceneRow row{"Sine", "sinx", true, false, kBlack};
    const Scene scene(row, 96, 48);
    const QByteArray svg = PictureSvgBytes(QSize(96, 48), scene.Drawing());
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 96 48\""));
    EXPECT_TRUE(svg.contains("width=\"25.4mm\" height=\"12.7mm\""));
}

// The mouse tools' XOR marks never reach a vector picture; lines drawn in copy mode do.
TEST(VectorSurfaceMarks, XorDrawingIsLeftOut) {
    const auto draw = [](PenMode mode) {
        return PictureSvgBytes(QSize(20, 20), [mode](DrawSurface& surface) {
            surface.SetPenMode(mode);
            surface.SetPenColour(kGreen);
            surface.MoveTo(1, 1);
            surface.LineTo(10, 10);
        });
    };
    EXPECT_TRUE(draw(PenMode::Copy).contains("#008000"));
    EXPECT_FALSE(draw(PenMode::Xor).contains("#008000"));
}

struct ExtensionRow {
    const char* name;
    std::optional<PictureFormat> format;
};

class Extensions : public testing::TestWithParam<ExtensionRow> {};

TEST_P(Extensions, FormatOfTheName) {
    EXPECT_EQ(PictureFormatOfName(QString::fromUtf8(GetParam().name)), GetParam().format)
        << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Names, Extensions,
                         testing::Values(ExtensionRow{"graph.bmp", PictureFormat::Bmp},
                                         ExtensionRow{"graph.png", PictureFormat::Png},
                                         ExtensionRow{"graph.svg", PictureFormat::Svg},
                                         ExtensionRow{"graph.pdf", PictureFormat::Pdf},
                                         ExtensionRow{"GRAPH.PNG", PictureFormat::Png},
                                         ExtensionRow{"dir.svg/graph.Pdf", PictureFormat::Pdf},
                                         ExtensionRow{"график.svg", PictureFormat::Svg},
                                         ExtensionRow{"graph.jpg", std::nullopt},
                                         ExtensionRow{"graph.png.txt", std::nullopt},
                                         ExtensionRow{"graph", std::nullopt},
                                         ExtensionRow{"png", std::nullopt},
                                         ExtensionRow{"graph.bmpx", std::nullopt},
                                         ExtensionRow{"", std::nullopt}));

TEST(FormatNames, EachFormatByItsNameAndNoOther) {
    for (const PictureFormatInfo& info : PictureFormats()) {
        EXPECT_EQ(PictureFormatNamed(info.Name), info.Format);
        EXPECT_EQ(PictureFormatOfName(QStringLiteral("a") + QLatin1String(info.Extension)),
                  info.Format);
    }
    EXPECT_EQ(PictureFormatNamed("BMP"), std::nullopt);
    EXPECT_EQ(PictureFormatNamed("jpeg"), std::nullopt);
    EXPECT_EQ(PictureFilter(PictureFormats()[0].Format), "Рисунок BMP (*.bmp)");
}

}  // namespace
