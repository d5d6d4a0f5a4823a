// tarvik-cli --decimal-comma: the comma between two digits of the expression and of the number
// options is the decimal point and the results show the comma; without it everything stays as
// it was, and the comma means nothing else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

struct CommaRow {
    std::vector<std::string> arguments;
    int exitCode;
    std::string out;
};

const CommaRow kCommaRows[] = {
    {{"--decimal-comma", "value", "2,5*2"}, 0, "5\n"},
    {{"--decimal-comma", "value", "1/4"}, 0, "0,25\n"},
    {{"--decimal-comma", "value", "2.5*2"}, 0, "5\n"},  // the point is still read
    {{"--decimal-comma", "value", "sinx", "--x", "1,5"}, 0, "0,9974949866\n"},
    {{"--decimal-comma", "value", "c*a", "--c", "0,5", "--a0", "-1,5"}, 0, "-0,75\n"},
    {{"--decimal-comma", "integral", "x", "--from", "0", "--to", "0,5"}, 0, "0,125\n"},
    {{"--decimal-comma", "table", "x/2", "--from", "0", "--to", "1", "--step", "0,5"},
     0,
     "0\t0\n0,5\t0,25\n1\t0,5\n"},
    {{"--decimal-comma", "tree", "0,5*p"}, 0, "1: *; 2: 0,5; 3: 3,1415926536\n"},
    // Only between two digits: anywhere else the comma is still an error.
    {{"--decimal-comma", "value", "2,*3"}, 1, "ОШИБКА: Выражение некорректно\n"},
    {{"--decimal-comma", "value", ",5"}, 1, "ОШИБКА: Выражение некорректно\n"},
    // Without the choice, the comma is an error and the results keep the point.
    {{"value", "2,5*2"}, 1, "ОШИБКА: Выражение некорректно\n"},
    {{"value", "1/4"}, 0, "0.25\n"},
};

TEST(CliDecimalComma, ReadsAndShowsTheComma) {
    for (const CommaRow& row : kCommaRows) {
        SCOPED_TRACE(row.arguments[row.arguments.size() > 2 ? 2 : 1]);
        const CliResult result = RunCli(row.arguments);
        EXPECT_EQ(result.exitCode, row.exitCode) << result.err;
        EXPECT_EQ(result.out, row.out);
    }
}

// Lists keep the comma as their separator; a comma inside a number option without the choice
// is refused as before.
TEST(CliDecimalComma, ListsAndRefusalsStay) {
    const CliResult bounded = RunCli({"--decimal-comma", "render", "0,5*x", "-o", "/dev/null",
                                      "--format", "bmp", "--bound", "-1,1"});
    EXPECT_EQ(bounded.exitCode, 0) << bounded.err;
    EXPECT_EQ(bounded.out, "График построен\n");
    const CliResult refused = RunCli({"value", "sinx", "--x", "1,5"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err.rfind("tarvik-cli: недопустимое значение --x: 1,5\n", 0), 0u)
        << refused.err;
}

}  // namespace
