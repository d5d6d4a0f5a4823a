// tarvik-cli as a black box: the printed texts, the exit codes and the written pictures.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

using Result = CliResult;

std::string Joined(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) text += "[" + argument + "] ";
    return text;
}

struct PrintRow {
    std::vector<std::string> arguments;
    std::string out;  // the one line printed, without its line end
};

const PrintRow kPrintRows[] = {
    // The value a run shows for an expression without x; with x, the graph message.
    {{"value", "2+2"}, "4"},
    {{"value", "p"}, "3.1415926536"},
    {{"value", "-2^2"}, "-4"},
    {{"value", "a+1", "--a0", "-5"}, "-4"},
    {{"value", "a*n", "--n0", "1", "--nk", "5"}, "120"},
    {{"value", "a+n", "--a0", "0", "--nk", "100"}, "5050"},
    {{"value", "a+n", "--a0", "0", "--n0", "200", "--nk", "300"}, "25250"},
    {{"value", "c*2", "--c", "2.5"}, "5"},
    {{"value", "ln(0)"}, "ОШИБКА: Натуральный логарифм от неположительного числа"},
    {{"value", "(x+1"}, "ОШИБКА: Скобки поставлены некорректно"},
    {{"value", "sin х"}, "ОШИБКА: Выражение некорректно"},  // a Cyrillic letter
    // Calculations after the run; a run without x advances a0 first, as in the window.
    {{"value", "sinx", "--x", "1"}, "0.8414709848"},
    {{"value", "a+1", "--x", "0"}, "3"},
    {{"value", "a+n*x", "--x", "2"}, "10101"},
    {{"value", "1/x", "--x", "0"}, "ОШИБКА: Деление на ноль"},
    {{"derivative", "sinx", "--x", "1"}, "0.5403023059"},
    {{"derivative", "sinx", "--x", "0"}, "1"},
    {{"derivative", "sqrtx", "--x", "0"}, "ОШИБКА: Квадратный корень из отрицательного числа"},
    {{"integral", "sinx", "--from", "0", "--to", "1"}, "0.4597"},
    {{"integral", "x", "--from", "0", "--to", "10"}, "50.0015"},
    {{"integral", "x", "--from", "1", "--to", "0"}, "0.5"},
    {{"integral", "1/0", "--from", "2", "--to", "2.0"}, "0"},
    {{"integral", "2x", "--from", "0", "--to", "1"}, "ОШИБКА: Выражение некорректно"},
    // The node table.
    {{"tree", "sinx"}, "1: sin; 2: x"},
    {{"tree", "sin(10/x)"}, "1: sin; 2: /; 3: 10; 4: x"},
    {{"tree", "-x^2"}, "1: -; 2: 0; 3: ^; 4: x; 5: 2"},
    {{"tree", "a*n+c"}, "1: +; 2: *; 3: a; 4: n; 5: 1"},
    {{"tree", "0.5*p"}, "1: *; 2: 0.5; 3: 3.1415926536"},
    {{"tree", "sincostgx"}, "1: sin; 2: cos; 3: tg; 4: x"},
    {{"tree", "2x"}, "ОШИБКА: Выражение некорректно"},
    {{"tree", "x)+(1"}, "ОШИБКА: Скобки поставлены некорректно"},
};

// A result that is an error text is printed as any result, and the command fails.
TEST(TarvikCli, PrintsTheWindowTexts) {
    for (const PrintRow& row : kPrintRows) {
        SCOPED_TRACE(Joined(row.arguments));
        const Result result = RunCli(row.arguments);
        EXPECT_EQ(result.exitCode, row.out.starts_with("ОШИБКА: ") ? 1 : 0) << result.err;
        EXPECT_EQ(result.out, row.out + "\n");
        EXPECT_EQ(result.err, "");
    }
}

struct FailureRow {
    std::vector<std::string> arguments;
    int exitCode;
    std::string err;  // a text the error line contains
};

const FailureRow kFailureRows[] = {
    // Information messages of the calculations: stderr, exit code 1.
    {{"integral", "a+n", "--from", "0", "--to", "1"},
     1,
     "Невозможно интегрировать последовательности\n"},
    // A point or a limit that is no number is a usage error, as for sequence.
    {{"value", "sinx", "--x", "1,5"}, 2, "недопустимое значение --x: 1,5\n"},
    {{"derivative", "sinx", "--x", ""}, 2, "недопустимое значение --x: \n"},
    {{"integral", "x", "--from", "a", "--to", "1"}, 2, "недопустимое значение --from: a\n"},
    {{"integral", "a+n", "--from", "0", "--to", "1e"}, 2, "недопустимое значение --to: 1e\n"},
    // No expression, or one of blanks only, whatever the command.
    {{"value", ""}, 2, "нет выражения после команды value"},
    {{"value", " "}, 2, "нет выражения после команды value"},
    {{"tree", "\t "}, 2, "нет выражения после команды tree"},
    // render: an expression and a file together, and --bound named whole with the reason.
    {{"render", "x", "--load", "f.tvk", "-o", "never.bmp"}, 2, "выражение и --load"},
    {{"render", "sinx", "-o", "never.bmp", "--bound", "1,0"},
     2,
     "--bound: «1,0» (нижняя граница не меньше верхней)"},
    {{"render", "sinx", "-o", "never.bmp", "--bound", "1"},
     2,
     "--bound: «1» (нужны две границы через запятую)"},
    {{"render", "sinx", "-o", "never.bmp", "--bound", "0,b"},
     2,
     "--bound: «0,b» (граница — не число)"},
    // Bad command lines: exit code 2, the offending option named.
    {{}, 2, "tarvik-cli"},
    {{"plot", "x"}, 2, "plot"},
    {{"value"}, 2, "value"},
    {{"value", "1", "--nk", "100001"}, 2, "--nk"},
    {{"value", "1", "--n0", "200"}, 2, "--n0"},
    {{"value", "1", "--n0", "-1"}, 2, "--n0"},
    {{"value", "1", "--a0", "1,5"}, 2, "--a0"},
    {{"value", "1", "--c", ""}, 2, "--c"},
    {{"value", "1", "--c", "$1F"}, 2, "--c"},
    {{"value", "1", "--a0"}, 2, "--a0"},
    {{"value", "x", "--bogus", "1"}, 2, "--bogus"},
    // An expression with x has no value without --x.
    {{"value", "sinx"}, 2, "нужен параметр --x"},
    // Numbers out of an option's range are named with the range.
    {{"value", "1", "--nk", "200000"}, 2, "--nk: 200000 вне диапазона 2..100000"},
    {{"value", "1", "--n0", "5", "--nk", "0"}, 2, "--nk: 0 вне диапазона 6..100000"},
    {{"value", "1", "--n0", "100"}, 2, "--n0: 100 вне диапазона 0..99"},
    {{"value", "1", "--n0", "300", "--nk", "300"}, 2, "--n0: 300 вне диапазона 0..299"},
    {{"render", "sinx", "-o", "never.bmp", "--spp", "-1"}, 2, "--spp: -1 вне диапазона 1.."},
    {{"render", "sinx", "-o", "never.bmp", "--size", "20001x5"}, 2, "вне диапазона 1..20000"},
    // --scale: 1..4, and no more than keeps the longer side within 20000 pixels.
    {{"render", "sinx", "-o", "never.png", "--scale", "5"}, 2, "--scale: 5 вне диапазона 1..4"},
    {{"render", "sinx", "-o", "never.png", "--scale", "0"}, 2, "--scale: 0 вне диапазона 1..4"},
    {{"render", "sinx", "-o", "never.png", "--size", "7000x10", "--scale", "3"},
     2,
     "--scale: 3 вне диапазона 1..2"},
    {{"render", "sinx", "-o", "never.png", "--scale", "2x"},
     2,
     "недопустимое значение --scale: 2x"},
    {{"render", "sinx", "-o", "never.png", "--scale"}, 2, "--scale"},
    {{"value", "1", "--scale", "2"}, 2, "--scale"},
    {{"tree", "x", "--c", "1"}, 2, "--c"},
    {{"derivative", "sinx"}, 2, "--x"},
    {{"integral", "x", "--from", "0"}, 2, "--to"},
    {{"render", "sinx"}, 2, "-o"},
    {{"render", "sinx", "-o", "never.bmp", "--size", "0x5"}, 2, "--size"},
    {{"render", "sinx", "-o", "never.bmp", "--view", "1,2,3"}, 2, "--view"},
    {{"render", "sinx", "-o", "never.bmp", "--view", "0,0,0.000001,1"}, 2, "--view"},
    {{"render", "sinx", "-o", "never.bmp", "--spp", "0"}, 2, "--spp"},
    {{"render", "sinx", "-o", "never.bmp", "--bound", "1,1"}, 2, "--bound"},
    {{"render", "sinx", "-o", "never.bmp", "--bg", "12345"}, 2, "--bg"},
    {{"render", "sinx", "-o", "never.bmp", "--fg", "GG0000"}, 2, "--fg"},
    {{"render", "sinx", "-o", "never.bmp", "--centre", "--view", "0,0,1,1"}, 2, "--centre"},
    // --threads: a whole number from 1 on, for render and integral only.
    {{"render", "sinx", "-o", "never.bmp", "--threads", "0"}, 2, "--threads"},
    {{"render", "sinx", "-o", "never.bmp", "--threads", "-2"}, 2, "--threads"},
    {{"render", "sinx", "-o", "never.bmp", "--threads", "two"}, 2, "--threads"},
    {{"render", "sinx", "-o", "never.bmp", "--threads", ""}, 2, "--threads"},
    {{"render", "sinx", "-o", "never.bmp", "--threads", "1.5"}, 2, "--threads"},
    {{"render", "sinx", "-o", "never.bmp", "--threads", "100000"},
     2,
     "100000 вне диапазона 1..256"},
    {{"render", "sinx", "-o", "never.bmp", "--threads"}, 2, "--threads"},
    {{"integral", "x", "--from", "0", "--to", "1", "--threads", "0"}, 2, "--threads"},
    {{"integral", "x", "--from", "0", "--to", "1", "--threads", "+3"}, 2, "--threads"},
    {{"value", "x", "--threads", "2"}, 2, "--threads"},
};

TEST(TarvikCli, RefusalsAndArgumentErrors) {
    for (const FailureRow& row : kFailureRows) {
        SCOPED_TRACE(Joined(row.arguments));
        const Result result = RunCli(row.arguments);
        EXPECT_EQ(result.exitCode, row.exitCode);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(row.err), std::string::npos) << result.err;
        // One line; a wrong command or option adds the short usage.
        const size_t lineEnd = result.err.find('\n');
        const bool withUsage = result.err.find("tarvik-cli --help\n") != std::string::npos;
        EXPECT_EQ(withUsage ? result.err.find('\n', lineEnd + 1) : lineEnd, result.err.size() - 1)
            << result.err;
    }
    EXPECT_FALSE(QFile::exists("never.bmp"));
}

class TarvikCliRender : public ::testing::Test {
  protected:
    QTemporaryDir dir_;
    std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
};

TEST_F(TarvikCliRender, WritesA24BitBitmapOfTheDefaultSize) {
    const std::string path = Path("sinx.bmp");
    const Result result = RunCli({"render", "sinx", "-o", path});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "График построен\n");
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(54);
    ASSERT_EQ(header.size(), 54);
    EXPECT_EQ(header.left(2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(header[28]), 24) << "bits per pixel";
    const QImage image(QString::fromStdString(path));
    EXPECT_EQ(image.size(), QSize(308, 275));
}

TEST_F(TarvikCliRender, DrawsTheCurveInTheGivenColoursAndView) {
    // y = 5 over a view whose top edge is y = 10, 0.05 per pixel: row 100.
    const std::string path = Path("line.png");
    const Result result =
        RunCli({"render", "x-x+5", "-o", path, "--size", "50x150", "--view", "-1,10,0.05,0.05",
                "--no-grid", "--no-axes", "--bg", "000080", "--fg", "FF0000"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(4), QByteArray("\x89PNG", 4));
    const QImage image(QString::fromStdString(path));
    ASSERT_EQ(image.size(), QSize(50, 150));
    EXPECT_EQ(image.pixel(10, 100) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(10, 50) & 0xFFFFFF, 0x000080u);
    EXPECT_EQ(image.pixel(40, 140) & 0xFFFFFF, 0x000080u);
}

TEST_F(TarvikCliRender, OptionValuesMayBeginWithAMinus) {
    const std::string path = Path("minus.bmp");
    const Result result = RunCli({"render", "-x", "-o", path, "--view", "-5,2,0.05,0.05", "--bound",
                                  "-1,1", "--a0", "-3", "--spp", "2", "--points"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "График построен\n");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
}

// An expression that does not build draws nothing: the error text, no file, exit 1. A value
// that fails is an error too, over the picture drawn as before.
TEST_F(TarvikCliRender, FailuresAreFailures) {
    for (const char* name : {"bad.bmp", "bad.png", "bad.svg", "bad.pdf"}) {
        const std::string path = Path(name);
        const Result result = RunCli({"render", "2x", "-o", path});
        EXPECT_EQ(result.exitCode, 1) << name;
        EXPECT_EQ(result.out, "ОШИБКА: Выражение некорректно\n");
        EXPECT_FALSE(QFile::exists(QString::fromStdString(path))) << name;
    }
    const Result stream = RunCli({"render", "(x", "-o", "-"});
    EXPECT_EQ(stream.exitCode, 1);
    EXPECT_EQ(stream.out, "");
    EXPECT_EQ(stream.err, "ОШИБКА: Скобки поставлены некорректно\n");
    const std::string path = Path("ln.bmp");
    const Result value = RunCli({"render", "ln(0)", "-o", path});
    EXPECT_EQ(value.exitCode, 1);
    EXPECT_EQ(value.out, "ОШИБКА: Натуральный логарифм от неположительного числа\n");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
}

TEST_F(TarvikCliRender, ValueExpressionPrintsItsValue) {
    const std::string path = Path("value.bmp");
    const Result result = RunCli({"render", "a*2", "-o", path, "--a0", "21"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "42\n");
}

// The thread count changes neither the picture nor the printed text, and adds nothing to stderr
// when stderr is not a terminal.
TEST_F(TarvikCliRender, EveryThreadCountWritesTheSamePicture) {
    const std::vector<std::string> kExpressions = {"a+n*x", "sin(1/x)*x", "tg(x)"};
    for (const std::string& expression : kExpressions) {
        QByteArray first;
        for (const char* threads : {"1", "2", "7"}) {
            SCOPED_TRACE(expression + " on " + threads);
            const std::string path = Path("threads.bmp");
            const Result result = RunCli({"render", expression, "-o", path, "--nk", "300", "--spp",
                                          "3", "--size", "200x100", "--threads", threads});
            ASSERT_EQ(result.exitCode, 0) << result.err;
            EXPECT_EQ(result.out, "График построен\n");
            EXPECT_EQ(result.err, "");
            QFile file(QString::fromStdString(path));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            if (first.isEmpty()) first = bytes;
            EXPECT_EQ(bytes, first);
        }
    }
}

TEST(TarvikCli, IntegralIsTheSameOnEveryThreadCount) {
    for (const char* threads : {"1", "3"}) {
        const Result result =
            RunCli({"integral", "x*sinx", "--from", "-2", "--to", "7", "--threads", threads});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, "-2.8782\n") << threads;
        EXPECT_EQ(result.err, "");
    }
}

// On a terminal, work past a second shows a progress line on stderr, cleared at the end. The
// terminal is the one `script` gives the program.
TEST(TarvikCli, ProgressLineOnATerminalOnly) {
    if (QStandardPaths::findExecutable(QStringLiteral("script")).isEmpty()) {
        GTEST_SKIP() << "no script(1) for a terminal";
    }
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("slow.bmp"));
    const QString command =
        QStringLiteral("'%1' render 'a+n*x' --nk 100000 --size 1920x100 --spp 2 -o '%2'")
            .arg(CliPath(), picture);
    QProcess process;
    // tarvik-cli speaks the language of the locale variables: Russian under the C locale,
    // whatever the machine's.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) environment.remove(name);
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral("script"), {"-qfec", command, "/dev/null"});
    ASSERT_TRUE(process.waitForFinished(120000));
    const qint64 elapsed = clock.elapsed();
    const std::string out = process.readAllStandardOutput().toStdString();
    EXPECT_EQ(process.exitCode(), 0) << out;
    EXPECT_NE(out.find("График построен"), std::string::npos) << out;
    if (elapsed < 1500) GTEST_SKIP() << "the render took only " << elapsed << " ms";
    EXPECT_NE(out.find("\033[KПостроение графика… "), std::string::npos) << out;
    EXPECT_NE(out.find("%\r\033[K"), std::string::npos) << "the line is cleared: " << out;
}

}  // namespace
