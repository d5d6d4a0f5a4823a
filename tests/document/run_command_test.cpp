// The run core: log lines, caption, result texts and the new a0 for each kind of outcome.
#include "document/run_command.h"

#include <gtest/gtest.h>

#include "engine/token_reader.h"
#include "messages/messages.h"
#include "view/scale_commands.h"

namespace {

const std::string kSeparator(kRunLogSeparator);

// A run's outcome as the window words it, with what it leaves besides the texts.
struct Shown : RunTexts {
    bool Ran = false;
    std::optional<std::string> NewA0Text;
    bool Overflow = false;
};

Shown Words(const RunOutcome& outcome) {
    Shown shown;
    static_cast<RunTexts&>(shown) = RunWords(outcome);
    shown.Ran = outcome.Ran;
    shown.NewA0Text = outcome.NewA0Text;
    shown.Overflow = outcome.Overflow;
    return shown;
}

struct Runner {
    Engine engine;
    ViewState view;
    Canvas canvas{120, 90};
    DrawOptions options;

    Runner() { CentreView(view, 120, 90); }
    Shown Run(const std::string& text) {
        return Words(RunExpression(engine, view, canvas, options, text, text));
    }
};

struct OutcomeCase {
    const char* name;
    const char* expression;
    int32_t indexTo;
    std::string result;
    bool newA0;
    ExtendedReal valueAAfter;
};

class RunOutcomes : public testing::TestWithParam<OutcomeCase> {};

TEST_P(RunOutcomes, LogAndResult) {
    const OutcomeCase& c = GetParam();
    Runner runner;
    runner.engine.IndexTo = c.indexTo;
    const Shown outcome = runner.Run(c.expression);
    EXPECT_TRUE(outcome.Ran);
    EXPECT_EQ(outcome.LogLines, (std::vector<std::string>{kSeparator, c.expression, c.result}));
    EXPECT_EQ(outcome.ResultText, c.result);
    EXPECT_EQ(outcome.ResultHint, std::string("Результат обработки выражения ") + c.expression);
    EXPECT_EQ(outcome.Caption, std::string("Tarvik 1.0  \"") + c.expression + "\"");
    EXPECT_EQ(outcome.NewA0Text.has_value(), c.newA0);
    if (c.newA0) {
        EXPECT_EQ(outcome.NewA0Text, c.result);
    }
    EXPECT_EQ(runner.engine.ValueA, c.valueAAfter);
    EXPECT_FALSE(outcome.Overflow);
}

INSTANTIATE_TEST_SUITE_P(
    Run, RunOutcomes,
    testing::Values(OutcomeCase{"graph", "sinx", 100, "График построен", false, 1},
                    OutcomeCase{"value", "2+2", 100, "4", true, 4},
                    OutcomeCase{"pi", "p", 100, "3.1415926536", true, ConstantPi()},
                    OutcomeCase{"failedValue", "ln(0)", 100,
                                "ОШИБКА: Натуральный логарифм от неположительного числа", false, 1},
                    OutcomeCase{"recurrence", "a+n", 100, "5051", true, 5051},
                    OutcomeCase{"recurrenceOfX", "a+n*x", 100, "График построен", false, 1}),
    [](const testing::TestParamInfo<OutcomeCase>& info) { return info.param.name; });

TEST(Run, EachRunOfARecurrenceContinuesFromTheLastResult) {
    Runner runner;
    for (const char* expected : {"2", "3", "4"}) {
        const Shown outcome = runner.Run("a+1");
        EXPECT_EQ(outcome.ResultText, expected);
        EXPECT_EQ(outcome.NewA0Text, expected);
    }
    EXPECT_EQ(runner.engine.ValueA, 4);
}

TEST(Run, BuildErrorKeepsCaptionAndPicture) {
    Runner runner;
    runner.Run("sinx");
    const QImage before = runner.canvas.Image().copy();
    const Shown outcome = runner.Run("(sinx");
    const std::string error = "ОШИБКА: Скобки поставлены некорректно";
    EXPECT_EQ(outcome.LogLines, (std::vector<std::string>{kSeparator, "(sinx", error}));
    EXPECT_EQ(outcome.ResultText, error);
    EXPECT_EQ(outcome.ResultHint, "Результат обработки выражения (sinx");
    EXPECT_FALSE(outcome.Caption.has_value());
    EXPECT_EQ(runner.canvas.Image(), before);
}

TEST(Run, EmptyExpressionDoesNothing) {
    Runner runner;
    const Shown outcome = runner.Run("");
    EXPECT_FALSE(outcome.Ran);
    EXPECT_TRUE(outcome.LogLines.empty());
    EXPECT_FALSE(outcome.ResultText.has_value());
    EXPECT_FALSE(outcome.Caption.has_value());
}

TEST(Run, TheShownTextGoesToTheLogAndTheEngineTextToTheBuilder) {
    Runner runner;
    const Shown outcome =
        Words(RunExpression(runner.engine, runner.view, runner.canvas, runner.options, "x", "шx"));
    EXPECT_EQ(outcome.LogLines[1], "шx");
    EXPECT_EQ(outcome.Caption, "Tarvik 1.0  \"шx\"");
    EXPECT_EQ(outcome.ResultText, "График построен");
}

TEST(Run, OverflowInTheDrawingEndsTheRun) {
    Runner runner;
    runner.engine.ValueA = 3;
    runner.view.PixelSizeY = 0;
    const Shown outcome = runner.Run("5");
    EXPECT_TRUE(outcome.Overflow);
    EXPECT_EQ(outcome.LogLines, (std::vector<std::string>{kSeparator, "5"}));
    EXPECT_FALSE(outcome.ResultText.has_value());
    EXPECT_FALSE(outcome.NewA0Text.has_value());
    EXPECT_EQ(runner.engine.ValueA, 3);
}

TEST(Run, EmptyIndexRangeIsReportedNotLeftUnset) {
    Runner runner;
    runner.engine.IndexFrom = 5;
    runner.engine.IndexTo = 4;
    const Shown outcome = runner.Run("a+n");
    ASSERT_TRUE(outcome.ResultText.has_value());
    EXPECT_EQ(*outcome.ResultText, "ОШИБКА: Пустой диапазон индексов n");
    EXPECT_FALSE(outcome.NewA0Text.has_value());
    EXPECT_EQ(runner.engine.ValueA, 1);
}

}  // namespace
