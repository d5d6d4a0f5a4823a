// Table text for the clipboard and CSV files: quoting, header, line ends, the written file.
#include "files/csv_export.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "engine/tree_builder.h"
#include "file_test_support.h"
#include "messages/messages.h"

namespace {

struct FieldRow {
    const char* field;
    const char* written;
};

class Csv : public testing::TestWithParam<FieldRow> {};

TEST_P(Csv, QuotesWhereTheFieldNeedsIt) {
    EXPECT_EQ(CsvField(GetParam().field), GetParam().written);
}

const FieldRow kFieldRows[] = {
    {"", ""},
    {"-0.5", "-0.5"},
    {"ОШИБКА: Деление на ноль", "ОШИБКА: Деление на ноль"},
    {"1,5", "\"1,5\""},
    {"say \"hi\"", "\"say \"\"hi\"\"\""},
    {"two\nlines", "\"two\nlines\""},
    {"cr\r", "\"cr\r\""},
    {" lead", "\" lead\""},
    {"trail ", "\"trail \""},
    {"\"", "\"\"\"\""},
};

INSTANTIATE_TEST_SUITE_P(Fields, Csv, testing::ValuesIn(kFieldRows));

TableRows Sequence(const char* expression, int32_t last) {
    Engine engine;
    BuildExpression(engine, expression);
    engine.IndexTo = last;
    return SequenceRows(ComputeTerms(engine, 0));
}

TEST(Csv, HeaderAndRowsWithCrLf) {
    EXPECT_EQ(CsvBytes(Sequence("a/2", 3), TableFailureWords()),
              "n,a_n\r\n1,0.5\r\n2,0.25\r\n3,0.125\r\n");
    EXPECT_EQ(CsvBytes(Sequence("1/(a-1)", 3), TableFailureWords()),
              "n,a_n\r\n1,ОШИБКА: Деление на ноль\r\n");
}

TEST(Csv, SavedFileHoldsTheSameBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("terms.csv"));
    const TableRows rows = Sequence("a*n", 5);
    EXPECT_EQ(SavedCsv(path, rows), "");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), CsvBytes(rows, TableFailureWords()));
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/terms.csv"));
    EXPECT_NE(SavedCsv(missing, rows), "");
}

// A table of several curves carries every value column, in the file and on the clipboard.
TEST(Csv, EveryValueColumn) {
    TableRows rows = Sequence("a*n", 3);
    rows.ValueHeader = "sinx";
    rows.MoreColumns.push_back(
        {"cos(x, 1)", {2, 0, 0.5L}, {kNoError, kErrDivisionByZero, kNoError}});
    EXPECT_EQ(CsvBytes(rows, TableFailureWords()),
              "n,sinx,\"cos(x, 1)\"\r\n1,1,2\r\n2,2,ОШИБКА: Деление на ноль\r\n3,6,0.5\r\n");
    EXPECT_EQ(TabSeparatedRows(rows, {2, 0}, TableFailureWords()), "1\t1\t2\n3\t6\t0.5\n");
}

TEST(TabText, ChosenRowsInTableOrder) {
    const TableRows rows = Sequence("a*n", 5);
    EXPECT_EQ(TabSeparatedRows(rows, {4, 0, 2, 2, 99}, TableFailureWords()),
              "1\t1\n3\t6\n5\t120\n");
    EXPECT_EQ(TabSeparatedRows(rows, {}, TableFailureWords()), "");
}

}  // namespace
