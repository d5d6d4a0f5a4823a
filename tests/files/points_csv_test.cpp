// The points of interest as clipboard text and CSV: the kind in the given words, x with its
// trusted digits, y in full, quoting of a field that needs it, and the written file.
#include "files/points_csv.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "file_test_support.h"

namespace {

std::string Words(PointKind kind) {
    switch (kind) {
        case PointKind::Zero:
            return "zero";
        case PointKind::Minimum:
            return "min";
        case PointKind::Maximum:
            return "max";
        case PointKind::Inflection:
            return "inflection, flat";  // a comma: CSV must quote it
        case PointKind::Intersection:
            break;
    }
    return "meet";
}

const std::vector<PointOfInterest> kPoints = {
    {PointKind::Maximum, -1.0000000000123L, 2, 10},
    {PointKind::Zero, 0, 0, kAllDigits},
    {PointKind::Inflection, 0.5L, -0.125L, 12},
    {PointKind::Intersection, 0.75L, 0.1L, kAllDigits},
};

const PointsHeader kHeader = {"Точка", "x", "y"};

TEST(PointsCsv, HeaderAndRowsWithCrLf) {
    const QByteArray bytes = PointsCsvBytes(kPoints, kHeader, Words);
    EXPECT_EQ(bytes.toStdString(),
              "Точка,x,y\r\n"
              "max,-1,2\r\n"
              "zero,0,0\r\n"
              "\"inflection, flat\",0.5,-0.125\r\n"
              "meet,0.75,0.100000000000000000001\r\n");
}

TEST(PointsCsv, NoPointsIsTheHeaderAlone) {
    EXPECT_EQ(PointsCsvBytes({}, kHeader, Words).toStdString(), "Точка,x,y\r\n");
}

TEST(PointsCsv, SavedFileHoldsTheSameBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("points.csv");
    ASSERT_TRUE(SavePointsCsv(path, kPoints, kHeader, Words).Ok());
    EXPECT_EQ(ReadBytes(path), PointsCsvBytes(kPoints, kHeader, Words).toStdString());
}

// The chosen rows in table order, each once; rows past the end are left out.
struct ChosenRow {
    std::vector<size_t> chosen;
    const char* text;
};

class PointsTab : public testing::TestWithParam<ChosenRow> {};

TEST_P(PointsTab, ChosenRowsInTableOrder) {
    EXPECT_EQ(TabSeparatedPoints(kPoints, GetParam().chosen, Words), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(PointsCsv, PointsTab,
                         testing::Values(ChosenRow{{}, ""}, ChosenRow{{1}, "zero\t0\t0\n"},
                                         ChosenRow{{2, 0, 2},
                                                   "max\t-1\t2\ninflection, flat\t0.5\t-0.125\n"},
                                         ChosenRow{{9, 1}, "zero\t0\t0\n"}));

}  // namespace
