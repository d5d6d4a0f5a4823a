// tarvik-cli points and tangent as a black box: the fixed kind words, the numbers that read back
// to the same long double, the order by x and the exit codes.
#include <gtest/gtest.h>

#include <QStringList>
#include <charconv>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

using Result = CliResult;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

long double ReadBack(const std::string& text) {
    long double value = 0;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_EQ(read.ptr, text.data() + text.size()) << text;
    return value;
}

struct PointsRow {
    std::vector<std::string> arguments;
    std::vector<std::string> points;  // kind and x of every line, in order
};

const PointsRow kPointsRows[] = {
    // Every kind of one expression, sorted by x; a zero and an inflection share x = 0. A zero is
    // where the computed cubic changes sign: the nearest long double to -sqrt 3, and the one just
    // below the nearest to sqrt 3.
    // The cubic is written with products: the power goes through the x87's logarithm and
    // exponential, whose last bits differ between processors, while a product is the same
    // everywhere (the core tests measure the power's zeros against the walk).
    {{"points", "x*x*x-3*x", "--from", "-3", "--to", "3"},
     {"zero\t-1.73205080756887729357", "max\t-1", "zero\t0", "inflection\t0", "min\t1",
      "zero\t1.73205080756887729347"}},
    {{"points", "x*x*x-3*x", "--from", "0.5", "--to", "3", "--kind", "zeros"},
     {"zero\t1.73205080756887729347"}},
    // Two expressions: their intersections, pi/4 and 5 pi/4.
    {{"points", "sinx", "cosx", "--from", "0", "--to", "4"},
     {"intersection\t0.785398163397448309574", "intersection\t3.92699081698724154809"}},
    // The parameters are those of the command line; an exponent where the magnitude needs one.
    {{"points", "x-c", "--c", "0.5", "--from", "0", "--to", "1", "--kind", "zeros"}, {"zero\t0.5"}},
    {{"points", "x-0.0000000000000000000000001", "--from", "0", "--to", "1"},
     {"zero\t9.99999999999999999987e-26"}},
    // No point: no lines, exit code 0.
    {{"points", "x^2+1", "--from", "-1", "--to", "1", "--kind", "zeros"}, {}},
};

TEST(TarvikCliPoints, PrintsKindXAndYSortedByX) {
    for (const PointsRow& row : kPointsRows) {
        SCOPED_TRACE(row.arguments[1]);
        const Result result = RunCli(row.arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        // The same words and numbers in every language.
        EXPECT_EQ(RunCli(row.arguments, InLocale({{"LANG", "en_US.UTF-8"}})).out, result.out);
        std::vector<std::string> lines = Split(result.out, '\n');
        ASSERT_EQ(lines.back(), "");  // every line ends
        lines.pop_back();
        ASSERT_EQ(lines.size(), row.points.size()) << result.out;
        for (size_t k = 0; k < lines.size(); ++k) {
            const std::vector<std::string> fields = Split(lines[k], '\t');
            ASSERT_EQ(fields.size(), 3u) << lines[k];
            EXPECT_EQ(fields[0] + '\t' + fields[1], row.points[k]);
            ReadBack(fields[2]);
        }
    }
}

// More points than the limit: the first 1000 by x, and the notice on stderr.
TEST(TarvikCliPoints, MoreThanTheLimitIsSaid) {
    const Result result =
        RunCli({"points", "sinx", "--from", "0.5", "--to", "7000", "--kind", "zeros"},
               InLocale({{"LANG", "en_US.UTF-8"}}));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(Split(result.out, '\n').size(), 1001u);
    EXPECT_NE(result.err.find("more than 1000"), std::string::npos) << result.err;
}

struct FailureRow {
    std::vector<std::string> arguments;
    int exitCode;
    std::string err;  // a text the error line contains
};

const FailureRow kFailureRows[] = {
    // A bad interval: exit code 2.
    {{"points", "x", "--from", "1", "--to", "1"}, 2, "интервал пуст"},
    {{"points", "x", "--from", "2", "--to", "1"}, 2, "интервал пуст"},
    {{"points", "x", "--from", "a", "--to", "1"}, 2, "--from"},
    {{"points", "x", "--from", "0"}, 2, "--to"},
    {{"points", "x", "--from", "0", "--to", "1", "--kind", "poles"}, 2, "--kind"},
    {{"points", "x", "--from", "0", "--to", "1", "--kind", "intersections"}, 2, "--kind"},
    {{"points", "x", "x^2", "--from", "0", "--to", "1", "--kind", "zeros"}, 2, "--kind"},
    // An expression that does not build: its error text, exit code 1.
    {{"points", "2x", "--from", "0", "--to", "1"}, 1, "ОШИБКА: Выражение некорректно"},
    // The tangent.
    {{"tangent", "x"}, 2, "--x"},
    {{"tangent", "2x", "--x", "1"}, 1, "ОШИБКА: Выражение некорректно"},
    {{"tangent", "sqrtx", "--x", "0"}, 1, "ОШИБКА: Квадратный корень из отрицательного числа"},
};

TEST(TarvikCliPoints, ExitCodes) {
    for (const FailureRow& row : kFailureRows) {
        SCOPED_TRACE(row.arguments[1] + " " + row.arguments.back());
        const Result result = RunCli(row.arguments);
        EXPECT_EQ(result.exitCode, row.exitCode) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(row.err), std::string::npos) << result.err;
    }
}

// k and b of the tangent y = k x + b, from the derivative command's difference.
TEST(TarvikCliPoints, TangentPrintsSlopeAndOffset) {
    const Result result = RunCli({"tangent", "x^2", "--x", "3"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> fields = Split(Split(result.out, '\n')[0], '\t');
    ASSERT_EQ(fields.size(), 2u) << result.out;
    EXPECT_NEAR(static_cast<double>(ReadBack(fields[0])), 6, 1e-9);
    EXPECT_NEAR(static_cast<double>(ReadBack(fields[1])), -9, 1e-8);
}

}  // namespace
