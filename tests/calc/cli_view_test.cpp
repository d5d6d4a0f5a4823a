// tarvik-cli render --labels and --break-poles: without them the picture is the plain one;
// labels change only the pixels beside the axes and come out as text in the vector files;
// breaks open the poles and leave continuous curves alone.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

QByteArray Render(std::vector<std::string> arguments, const QString& path) {
    QStringList list = {QStringLiteral("render")};
    for (const std::string& argument : arguments) list << QString::fromStdString(argument);
    list << QStringLiteral("-o") << path;
    const CliResult result = RunCli(list);
    EXPECT_EQ(result.exitCode, 0);
    // The run's one line, nothing from the toolkit beside it.
    EXPECT_EQ(result.out, "График построен\n");
    EXPECT_EQ(result.err, "");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QImage Png(const std::vector<std::string>& arguments) {
    QTemporaryDir dir;
    const QByteArray bytes = Render(arguments, dir.filePath(QStringLiteral("p.png")));
    return QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32);
}

TEST(CliLabels, DrawnOnlyBesideTheAxes) {
    const QImage plain = Png({"sinx"});
    const QImage labelled = Png({"sinx", "--labels"});
    ASSERT_EQ(plain.size(), labelled.size());
    // The default picture is centred: the axes cross at the middle.
    const int axisColumn = plain.width() / 2;
    const int axisRow = plain.height() / 2;
    int changed = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            if (plain.pixel(x, y) == labelled.pixel(x, y)) continue;
            ++changed;
            const bool besideXAxis = std::abs(y - axisRow) <= 20;
            const bool besideYAxis = std::abs(x - axisColumn) <= 40;
            EXPECT_TRUE(besideXAxis || besideYAxis) << x << "," << y;
        }
    }
    EXPECT_GT(changed, 100);
}

TEST(CliLabels, VectorFilesHoldTheLabelsAsText) {
    for (const char* name : {"p.svg", "p.pdf"}) {
        QTemporaryDir dir;
        const QByteArray plain = Render({"sinx"}, dir.filePath(QString::fromLatin1(name)));
        const QByteArray labelled =
            Render({"sinx", "--labels"}, dir.filePath(QStringLiteral("l_") + name));
        EXPECT_NE(plain, labelled) << name;
        if (QByteArray(name).endsWith("svg")) {
            EXPECT_FALSE(plain.contains("<text"));
            EXPECT_TRUE(labelled.contains("<text"));
        }
    }
}

struct BreakRow {
    const char* expression;
    bool changes;
};

class CliBreaks : public testing::TestWithParam<BreakRow> {};

TEST_P(CliBreaks, OpenPolesOnly) {
    const BreakRow& row = GetParam();
    const QImage plain = Png({row.expression, "--view", "-7.4863,6.875,0.05,0.05"});
    const QImage broken =
        Png({row.expression, "--view", "-7.4863,6.875,0.05,0.05", "--break-poles"});
    EXPECT_EQ(plain != broken, row.changes) << row.expression;
}

INSTANTIATE_TEST_SUITE_P(Curves, CliBreaks,
                         testing::Values(BreakRow{"1/x", true}, BreakRow{"tgx", true},
                                         BreakRow{"1/(x*x-4)", true}, BreakRow{"sinx", false},
                                         BreakRow{"x^3", false}, BreakRow{"ln(x)", false},
                                         BreakRow{"1/(x*x+1)", false}));

}  // namespace
