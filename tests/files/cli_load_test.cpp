// tarvik-cli render --load as a black box: a function file drawn with its own parameters, and
// the refusals that print the error report's text, write no picture and exit with 1.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <string>

#include "cli_runner.h"

namespace {

using Result = CliResult;

QString Example(const char* name) {
    return QStringLiteral(TARVIK_EXAMPLES_DIR "/") + name;
}

// Rows of example file and the line a run prints for it.
TEST(CliLoad, DrawsEachExample) {
    const struct {
        const char* file;
        const char* out;
    } rows[] = {
        {"sinusoida.tvk", "График построен"},
        {"polukrug.tvk", "График построен"},
        {"logisticheskoe_otobrazhenie.tvk", "График построен"},
        {"faktorial.tvk", "3628800"},
        {"koren_iz_dvuh.tvk", "1.4142135624"},
        {"chislo_e_ryad.tvk", "2.7182818285"},
    };
    QTemporaryDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const QString picture = dir.filePath("picture.bmp");
        QFile::remove(picture);
        const Result result =
            RunCli({"render", "--load", Example(row.file), "-o", picture, "--size", "200x150"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, std::string(row.out) + "\n");
        EXPECT_EQ(QImage(picture).size(), QSize(200, 150));
    }
}

// The file's scales and bounds steer the drawing; the view is centred. The upper half circle
// of radius 2 at 0.012 per pixel reaches 167 pixels above the centre row; the bounds are
// marked at x = -2 and x = 2 (167 pixels either side of the centre column).
TEST(CliLoad, UsesTheFileParametersAndCentres) {
    QTemporaryDir dir;
    const QString picture = dir.filePath("circle.png");
    const Result result = RunCli({"render", "--load", Example("polukrug.tvk"), "-o", picture,
                                  "--size", "401x401", "--no-grid", "--no-axes"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const QImage image(picture);
    ASSERT_EQ(image.size(), QSize(401, 401));
    const auto yellowRows = [&image](int column) {
        QList<int> rows;
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(column, y) == QColor(255, 255, 0)) rows << y;
        return rows;
    };
    const QList<int> top = yellowRows(200);
    ASSERT_FALSE(top.isEmpty());
    EXPECT_NEAR(top.front(), 200 - 167, 1);
    // Outside the bounds nothing is drawn.
    EXPECT_TRUE(yellowRows(200 - 175).isEmpty());
    EXPECT_TRUE(yellowRows(200 + 175).isEmpty());
}

TEST(CliLoad, DrawingOptionsStillApply) {
    QTemporaryDir dir;
    const QString picture = dir.filePath("blue.png");
    const Result result = RunCli({"render", "--load", Example("sinusoida.tvk"), "-o", picture,
                                  "--size", "100x100", "--bg", "0000FF", "--no-grid", "--no-axes"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(QImage(picture).pixelColor(0, 0), QColor(0, 0, 255));
}

// Refusals: rows of file bytes (none: the file does not exist) and the text on stderr.
TEST(CliLoad, RefusedFilesPrintTheReportAndWriteNothing) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("folder.tvk");
    const struct {
        const char* name;
        const char* bytes;
        const char* err;
    } rows[] = {
        {"missing.tvk", nullptr, "File not found.\n"},
        {"none/missing.tvk", nullptr, "Invalid filename.\n"},
        {"folder.tvk", nullptr, "The name is a folder, not a file.\n"},
        {"joined.tvk", "x\r\n0.05x\r\n", "Invalid numeric input in line 2.\n"},
        {"control.tvk", "x\r\n0.05\x01\r\n", "Invalid character in line 2.\n"},
        {"cut.tvk", "x\r\n0.05\r\n0.05\r\n1\r\n1\r\n100\r\n1\r\n1\r\n", "Missing line 9.\n"},
        {"zero.tvk", "x\r\n0\r\n0.05\r\n1\r\n1\r\n100\r\n", "Value out of range in line 2.\n"},
        {"short.tvk", "x\r\n", "Missing value in line 2.\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(row.name);
        if (row.bytes) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(row.bytes);
        }
        const QString picture = dir.filePath("never.png");
        const Result result = RunCli({"render", "--load", path, "-o", picture});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, row.err);
        EXPECT_EQ(result.out, "");
        EXPECT_FALSE(QFile::exists(picture));
    }
}

// The file brings its own parameters: options that would set them are refused.
TEST(CliLoad, ParameterOptionsConflictWithTheFile) {
    QTemporaryDir dir;
    for (const QStringList& extra : {QStringList{"--a0", "2"}, QStringList{"--nk", "5"},
                                     QStringList{"--spp", "2"}, QStringList{"--bound", "-1,1"},
                                     QStringList{"--view", "0,0,1,1"}, QStringList{"--centre"}}) {
        SCOPED_TRACE(extra.join(' ').toStdString());
        const QString picture = dir.filePath("never.png");
        const Result result = RunCli(
            QStringList{"render", "--load", Example("sinusoida.tvk"), "-o", picture} + extra);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_FALSE(QFile::exists(picture));
    }
    EXPECT_EQ(RunCli({"render", "--load"}).exitCode, 2);
}

}  // namespace

// --- Several curves: render with more expressions, colours, a legend and a saved set; table
// with one column per expression.

int CountColour(const QImage& picture, QRgb colour) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) count += picture.pixel(x, y) == colour;
    return count;
}

TEST(CliCurves, SeveralExpressionsEachInItsColour) {
    QTemporaryDir dir;
    const QString one = dir.filePath("one.bmp");
    const QString set = dir.filePath("set.bmp");
    const QString pair = dir.filePath("pair.png");
    // One curve drawn as a set is the picture of one expression.
    EXPECT_EQ(RunCli({"render", "sinx", "-o", one}).exitCode, 0);
    EXPECT_EQ(RunCli({"render", "sinx", "--colours", "#ffff00", "-o", set}).exitCode, 0);
    QFile a(one);
    QFile b(set);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());

    const Result result = RunCli(
        {"render", "sinx", "cosx*2", "x", "--colours", "#ff0000,#00ff00", "--legend", "-o", pair});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "График построен\n");
    const QImage picture(pair);
    EXPECT_GT(CountColour(picture, qRgb(255, 0, 0)), 0);
    EXPECT_GT(CountColour(picture, qRgb(0, 255, 0)), 0);
    EXPECT_GT(CountColour(picture, qRgb(0xE6, 0x9F, 0x00)), 0);  // the palette's third

    const Result refused = RunCli({"render", "sinx", "--colours", "#ff00", "-o", pair});
    EXPECT_EQ(refused.exitCode, 2);
}

TEST(CliCurves, SavedSetIsDrawnAndDamagedOnesRefused) {
    QTemporaryDir dir;
    const QString setFile = dir.filePath("two.tvkset");
    QFile file(setFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "tarvik-curves", "version": 1,
 "view": {"originX": "-8", "originY": "6", "pixelSizeX": "0.05", "pixelSizeY": "0.05",
          "background": "#ffffff", "grid": false, "axes": false},
 "curves": [{"expression": "sinx", "colour": "#0000ff"}, {"expression": "x", "colour": "#ff0000"}]})");
    file.close();
    const QString picture = dir.filePath("two.png");
    const Result drawn = RunCli({"render", "--load", setFile, "-o", picture});
    EXPECT_EQ(drawn.exitCode, 0) << drawn.err;
    const QImage image(picture);
    EXPECT_GT(CountColour(image, qRgb(0, 0, 255)), 0);
    EXPECT_GT(CountColour(image, qRgb(255, 0, 0)), 0);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));

    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"format\": \"tarvik-curves\",\n \"version\": 1,,}");
    file.close();
    QFile::remove(picture);
    const Result damaged = RunCli({"render", "--load", setFile, "-o", picture});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_NE(damaged.err.find("строка 2"), std::string::npos) << damaged.err;
    EXPECT_FALSE(QFile::exists(picture));
}

TEST(CliCurves, TableHasOneColumnPerExpression) {
    const Result result =
        RunCli({"table", "x", "x^2", "1/x", "--from", "-1", "--to", "1", "--step", "1"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "-1\t-1\t1\t-1\n0\t0\t0\tОШИБКА: Деление на ноль\n1\t1\t1\t1\n");
    // One expression prints as before: x and its value.
    EXPECT_EQ(RunCli({"table", "x^2", "--from", "0", "--to", "1", "--step", "1"}).out,
              "0\t0\n1\t1\n");
}
