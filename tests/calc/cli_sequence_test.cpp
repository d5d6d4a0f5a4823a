// tarvik-cli table, sequence and the sequence pictures of render, as a black box.
#include <gtest/gtest.h>
#include <signal.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

using Result = CliResult;

struct PrintRow {
    std::vector<std::string> arguments;
    std::string out;
    int exitCode = 0;
};

const PrintRow kPrintRows[] = {
    {{"table", "sinx", "--from", "0", "--to", "1", "--step", "0.5"},
     "0\t0\n0.5\t0.4794255386\n1\t0.8414709848\n"},
    {{"table", "1/x", "--from", "-1", "--to", "1", "--step", "1"},
     "-1\t-1\n0\tОШИБКА: Деление на ноль\n1\t1\n"},
    {{"table", "a+n*x", "--from", "1", "--to", "2", "--step", "1", "--nk", "100"},
     "1\t5051\n2\t10101\n"},
    {{"table", "x", "--from", "1", "--to", "1", "--step", "1"}, "1\t1\n"},
    {{"sequence", "a*n", "--nk", "4"}, "1\t1\n2\t2\n3\t6\n4\t24\n"},
    {{"sequence", "a+x", "--a0", "0", "--x", "2", "--n0", "0", "--nk", "2"}, "0\t2\n1\t4\n2\t6\n"},
    {{"sequence", "a+1/(n-3)", "--a0", "0", "--nk", "5"},
     "1\t-0.5\n2\t-1.5\n3\tОШИБКА: Деление на ноль\n",
     1},
    {{"sequence", "a/0"}, "1\tОШИБКА: Деление на ноль\n", 1},
    {{"sequence", "a/0", "--summary"},
     "Последний член: ОШИБКА: Деление на ноль\nПоследняя разность: ОШИБКА: Деление на ноль\n"
     "Поведение не установлено\n",
     1},
    {{"table", "2x", "--from", "0", "--to", "1", "--step", "1"},
     "0\tОШИБКА: Выражение некорректно\n1\tОШИБКА: Выражение некорректно\n",
     1},
    {{"sequence", "cos(a)", "--summary"},
     "Последний член: 0.7390851332\nПоследняя разность: 0\nСходится к 0.7390851332\n"},
    {{"sequence", "c*a*(1-a)", "--c", "3.2", "--a0", "0.5", "--summary"},
     "Последний член: 0.5130445095\nПоследняя разность: -0.2864109809\n"
     "Цикл периода 2: 0.7994554905; 0.5130445095\n"},
    {{"sequence", "a*2", "--summary", "--nk", "20000"},
     "Последний член: ОШИБКА: Переполнение\nПоследняя разность: ОШИБКА: Переполнение\n"
     "Расходится к +∞\n"},
};

// A walk that ends in an error, or a table without one value, fails the command; a table with
// a pole, or a summary whose behaviour was found, does not.
TEST(TarvikCliSequences, PrintsRowsAndSummaries) {
    for (const PrintRow& row : kPrintRows) {
        SCOPED_TRACE(row.arguments[1]);
        const Result result = RunCli(row.arguments);
        EXPECT_EQ(result.exitCode, row.exitCode) << result.err;
        EXPECT_EQ(result.out, row.out);
        EXPECT_EQ(result.err, "");
    }
}

struct FailureRow {
    std::vector<std::string> arguments;
    int exitCode;
    std::string err;
};

const FailureRow kFailureRows[] = {
    {{"table", "x", "--from", "0", "--to", "1", "--step", "0"}, 2, "Шаг должен быть больше нуля"},
    {{"table", "x", "--from", "0", "--to", "1", "--step", "-0.1"}, 2, "больше нуля"},
    {{"table", "x", "--from", "0", "--to", "1000001", "--step", "1"}, 2, "1000001"},
    {{"table", "x", "--from", "0", "--to", "1"}, 2, "--step"},
    {{"table", "x", "--from", "0,5", "--to", "1", "--step", "1"}, 2, "--from"},
    {{"table", "x", "--from", "1", "--to", "0", "--step", "1"}, 2, "--from больше --to: 1 > 0"},
    {{"sequence", "a", "--x", "one"}, 2, "--x"},
    {{"sequence", "a", "--nk", "100001"}, 2, "--nk"},
    {{"render", "a", "-o", "never.bmp", "--terms", "--cobweb"}, 2, "--cobweb"},
    {{"render", "a", "-o", "never.bmp", "--x", "1"}, 2, "--x"},
};

TEST(TarvikCliSequences, ArgumentErrors) {
    for (const FailureRow& row : kFailureRows) {
        SCOPED_TRACE(row.arguments.back());
        const Result result = RunCli(row.arguments);
        EXPECT_EQ(result.exitCode, row.exitCode);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(row.err), std::string::npos) << result.err;
    }
}

// A table of minutes' work stops on Ctrl+C between two rows: exit 130, nothing printed.
TEST(TarvikCliSequences, InterruptedTablePrintsNothing) {
    QProcess process;
    process.start(CliPath(), {"table", "a+n", "--from", "0", "--to", "1000000", "--step", "1",
                              "--nk", "100000"});
    ASSERT_TRUE(process.waitForStarted());
    QThread::msleep(500);
    ASSERT_EQ(kill(pid_t(process.processId()), SIGINT), 0);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 130);
    EXPECT_EQ(process.readAllStandardOutput(), QByteArray());
    EXPECT_FALSE(process.readAllStandardError().isEmpty());
}

// 100 x 100 pixels, world x = column / 10, y = (100 - row) / 10: the terms of a+1 from 0
// (1, 2, 3...) at (n, n) lie on the diagonal of the picture.
TEST(TarvikCliSequences, RendersTheTermsAndTheCobweb) {
    QTemporaryDir dir;
    const std::string terms = dir.filePath("terms.png").toStdString();
    const std::vector<std::string> view = {"--size",    "100x100",   "--view",  "0,10,0.1,0.1",
                                           "--no-grid", "--no-axes", "--points"};
    std::vector<std::string> arguments = {"render", "a+1", "-o", terms, "--terms", "--a0", "0"};
    arguments.insert(arguments.end(), view.begin(), view.end());
    Result result = RunCli(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "1\n");  // the run's own value
    const QImage picture(QString::fromStdString(terms));
    EXPECT_EQ(picture.pixel(30, 70) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(picture.pixel(31, 71) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(picture.pixel(35, 65) & 0xFFFFFF, 0x000000u);

    const std::string cobweb = dir.filePath("cobweb.png").toStdString();
    arguments = {"render", "a+n", "-o", cobweb, "--cobweb"};
    result = RunCli(arguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Паутина строится только для выражений без n\n");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(cobweb)));  // refused: no picture
}

}  // namespace
