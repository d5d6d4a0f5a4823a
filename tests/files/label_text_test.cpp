// The axis labels as the outputs carry them: in the raster picture the halo box hides the grid
// behind each label; in SVG and PDF each label is one text, which a PDF reader extracts once.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <string>
#include <vector>

#include "files/picture_export.h"
#include "view/axis_label_painter.h"
#include "view/drawing.h"
#include "view/scale_commands.h"

namespace {

struct LabelScene {
    const char* name;
    ExtendedReal sizeX, sizeY;
    Colour background;
};

void PrintTo(const LabelScene& scene, std::ostream* out) {
    *out << scene.name;
}

class LabelText : public testing::TestWithParam<LabelScene> {
  protected:
    // Fonts need an application; these tests run without a screen.
    static void SetUpTestSuite() {
        if (QGuiApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tarvik_files_tests";
        static char* argv[] = {name, nullptr};
        static QGuiApplication application(argc, argv);
    }

    static constexpr int kWidth = 420;
    static constexpr int kHeight = 300;

    ViewState View() const {
        ViewState view;
        view.PixelSizeX = GetParam().sizeX;
        view.PixelSizeY = GetParam().sizeY;
        CentreView(view, kWidth, kHeight);
        return view;
    }
    DrawOptions Options(bool grid) const {
        DrawOptions options;
        options.BackgroundColour = GetParam().background;
        options.Grid = grid;
        options.Axes = grid;
        return options;
    }
    PictureDrawing Drawing() const {
        return [this](DrawSurface& surface) {
            DrawBackground(surface, View(), Options(true));
            DrawAxisLabels(surface, View(), GetParam().background);
        };
    }
    std::vector<std::string> Labels() const {
        std::vector<std::string> texts;
        for (const AxisLabel& label :
             PlaceAxisLabels(View(), kWidth, kHeight, MetricsOf(AxisLabelFont()))) {
            texts.push_back(label.Text);
        }
        std::sort(texts.begin(), texts.end());
        return texts;
    }
};

TEST_P(LabelText, HaloHidesTheGridBehindEachLabel) {
    Canvas withGrid(kWidth, kHeight);
    DrawBackground(withGrid, View(), Options(true));
    DrawAxisLabels(withGrid, View(), GetParam().background);
    Canvas plain(kWidth, kHeight);
    DrawBackground(plain, View(), Options(false));
    DrawAxisLabels(plain, View(), GetParam().background);
    const auto labels = PlaceAxisLabels(View(), kWidth, kHeight, MetricsOf(AxisLabelFont()));
    ASSERT_GT(labels.size(), 4u);
    for (const AxisLabel& label : labels) {
        for (int y = label.Top - 1; y <= label.Top + label.Height; ++y) {
            for (int x = label.Left - 1; x <= label.Left + label.Width; ++x) {
                ASSERT_EQ(withGrid.Pixel(x, y), plain.Pixel(x, y))
                    << label.Text << " at " << x << "," << y;
            }
        }
    }
}

TEST_P(LabelText, SvgHoldsOneTextElementPerLabel) {
    const QByteArray svg = PictureSvgBytes(QSize(kWidth, kHeight), Drawing());
    EXPECT_EQ(size_t(svg.count("<text")), Labels().size());
}

TEST_P(LabelText, PdfTextIsEachLabelOnce) {
    const QString reader = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (reader.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("labels.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(PicturePdfBytes(QSize(kWidth, kHeight), Drawing()));
    file.close();
    QProcess process;
    process.start(reader, {path, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0);
    std::vector<std::string> words;
    for (const QString& word : QString::fromUtf8(process.readAllStandardOutput())
                                   .split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) {
        words.push_back(word.toStdString());
    }
    std::sort(words.begin(), words.end());
    EXPECT_EQ(words, Labels());
}

INSTANTIATE_TEST_SUITE_P(Labels, LabelText,
                         testing::Values(LabelScene{"DefaultView", 0.05L, 0.05L, kBlack},
                                         LabelScene{"TenthsOnWhite", 0.002L, 0.002L, kWhite},
                                         LabelScene{"UnequalAxes", 0.05L, 0.8L, kBlack}),
                         [](const testing::TestParamInfo<LabelScene>& info) {
                             return info.param.name;
                         });

}  // namespace
