// Value, derivative and integral of the last built expression: result texts and tooltips,
// refusals with their messages and focus, and the guards of the integral loop.
#include "calc/calculations.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/tree_builder.h"
#include "messages/messages.h"

namespace {

Engine Built(std::string_view expression) {
    Engine engine;
    BuildExpression(engine, expression);
    return engine;
}

enum class Calc { Value, Derivative, Integral };

// A calculation's outcome as the interface words it, with the field it focuses.
struct Shown : CalcTexts {
    CalcField Focus = CalcField::None;
};

Shown Words(const CalcOutcome& outcome) {
    Shown shown;
    static_cast<CalcTexts&>(shown) = CalcWords(outcome);
    shown.Focus = outcome.Focus;
    return shown;
}

Shown Calculate(Calc calc, Engine& engine, const char* first, const char* second) {
    switch (calc) {
        case Calc::Value:
            return Words(CalculateValue(engine, first));
        case Calc::Derivative:
            return Words(CalculateDerivative(engine, first));
        case Calc::Integral:
            return Words(CalculateIntegral(engine, first, second));
    }
    return {};
}

struct ResultRow {
    Calc calc;
    const char* expression;
    const char* first;   // the argument, or the lower limit
    const char* second;  // the upper limit
    const char* text;
    const char* hint;  // nullptr: the same as the text (an error)
};

const ResultRow kResultRows[] = {
    // Value at a point.
    {Calc::Value, "sinx", "1", "", "0.8414709848", "Значение функции в точке 1"},
    {Calc::Value, "sinx", "0", "", "0", "Значение функции в точке 0"},
    {Calc::Value, "sinx", " 2", "", "0.9092974268", "Значение функции в точке  2"},
    {Calc::Value, "x", "-0.00000000001", "", "-0", "Значение функции в точке -0.00000000001"},
    {Calc::Value, "x", "1e2", "", "100", "Значение функции в точке 1e2"},
    {Calc::Value, "a+n*x", "1", "", "5051", "Значение функции в точке 1"},
    {Calc::Value, "a+n*x", "2", "", "10101", "Значение функции в точке 2"},
    {Calc::Value, "p", "0", "", "3.1415926536", "Значение функции в точке 0"},
    {Calc::Value, "1/x", "0", "", "ОШИБКА: Деление на ноль", nullptr},
    {Calc::Value, "lnx", "-1", "", "ОШИБКА: Натуральный логарифм от неположительного числа",
     nullptr},
    // Derivative at a point: central difference with the absolute step 1e-6.
    {Calc::Derivative, "sinx", "0", "", "1", "Значение производной функции в точке 0"},
    {Calc::Derivative, "sinx", "1", "", "0.5403023059", "Значение производной функции в точке 1"},
    {Calc::Derivative, "x*x", "3", "", "6", "Значение производной функции в точке 3"},
    {Calc::Derivative, "a+n*x", "0", "", "5050", "Значение производной функции в точке 0"},
    {Calc::Derivative, "5", "7", "", "0", "Значение производной функции в точке 7"},
    // A failure of either evaluation is reported; the first one's code.
    {Calc::Derivative, "sqrtx", "0", "", "ОШИБКА: Квадратный корень из отрицательного числа",
     nullptr},
    {Calc::Derivative, "1/x", "0.000001", "", "ОШИБКА: Деление на ноль", nullptr},
    {Calc::Derivative, "1/x+sqrt(0-x)", "0.000001", "", "ОШИБКА: Деление на ноль", nullptr},
    {Calc::Derivative, "1/x", "-0.000001", "", "ОШИБКА: Деление на ноль", nullptr},
    // A difference beyond the extended range is the overflow it would have trapped.
    {Calc::Derivative, "x/absx*fact1754*50", "0", "", "ОШИБКА: Переполнение", nullptr},
    // Definite integral: rectangle sum of 100000 strips, abscissa by repeated addition.
    {Calc::Integral, "sinx", "0", "1", "0.4597", "Значение определенного интеграла от 0 до 1"},
    {Calc::Integral, "1", "0", "1", "1", "Значение определенного интеграла от 0 до 1"},
    {Calc::Integral, "x", "0", "1", "0.5", "Значение определенного интеграла от 0 до 1"},
    {Calc::Integral, "x", "0", "10", "50.0015", "Значение определенного интеграла от 0 до 10"},
    {Calc::Integral, "x", "1", "0", "0.5", "Значение определенного интеграла от 1 до 0"},
    {Calc::Integral, "0-x", "0", "0.001", "-0", "Значение определенного интеграла от 0 до 0.001"},
    {Calc::Integral, "x*x", "-1", "2", "3.0002", "Значение определенного интеграла от -1 до 2"},
    // Equal limits give 0 without evaluating, even where the expression cannot be evaluated.
    {Calc::Integral, "1/0", "2", "2.0", "0", "Значение определенного интеграла от 2 до 2.0"},
    {Calc::Integral, "x", "2", "2", "0", "Значение определенного интеграла от 2 до 2"},
    // Any failing sample is reported, the first one's message, also when the last one is fine.
    {Calc::Integral, "sqrt(0.5-x)", "0", "1", "ОШИБКА: Квадратный корень из отрицательного числа",
     nullptr},
    {Calc::Integral, "sqrt(x-0.5)", "0", "1", "ОШИБКА: Квадратный корень из отрицательного числа",
     nullptr},
    {Calc::Integral, "ln(x-0.5)+1/(0*x)", "0", "1",
     "ОШИБКА: Натуральный логарифм от неположительного числа", nullptr},
    // A strip width beyond the extended range.
    {Calc::Integral, "x", "-1e4932", "1e4932", "ОШИБКА: Переполнение", nullptr},
};

TEST(Calculations, ResultTextsAndTooltips) {
    for (const ResultRow& row : kResultRows) {
        SCOPED_TRACE(std::string(row.expression) + " with \"" + row.first + "\", \"" + row.second +
                     "\"");
        Engine engine = Built(row.expression);
        ASSERT_EQ(engine.EngineError, kNoError);
        const Shown outcome = Calculate(row.calc, engine, row.first, row.second);
        EXPECT_FALSE(outcome.Information.has_value()) << *outcome.Information;
        EXPECT_EQ(outcome.ResultText, row.text);
        EXPECT_EQ(outcome.ResultHint, row.hint != nullptr ? row.hint : row.text);
        EXPECT_EQ(engine.ValueA, 1) << "a0 is restored";
    }
}

struct InformationRow {
    Calc calc;
    const char* expression;
    const char* first;
    const char* second;
    const char* message;
    CalcField focus;
};

const InformationRow kInformationRows[] = {
    // Bad argument texts: nothing is computed, the result box stays as it was.
    {Calc::Value, "sinx", "1,5", "", "Введите правильное значение аргумента", CalcField::XFunc},
    {Calc::Value, "sinx", "", "", "Введите правильное значение аргумента", CalcField::XFunc},
    {Calc::Value, "sinx", "2 ", "", "Введите правильное значение аргумента", CalcField::XFunc},
    {Calc::Derivative, "sinx", "1,5", "", "Введите правильное значение аргумента",
     CalcField::XProiz},
    {Calc::Derivative, "1/0", "", "", "Введите правильное значение аргумента", CalcField::XProiz},
    // Integral: sequences first, then the lower limit, then the upper one.
    {Calc::Integral, "a+n", "0", "1", "Невозможно интегрировать последовательности",
     CalcField::None},
    {Calc::Integral, "n*x", "", "", "Невозможно интегрировать последовательности", CalcField::None},
    {Calc::Integral, "x", "abc", "", "Введите правильное значение предела интегрирования",
     CalcField::X0Int},
    {Calc::Integral, "x", "0", "1,5", "Введите правильное значение предела интегрирования",
     CalcField::XkInt},
    {Calc::Integral, "x", "0", "", "Введите правильное значение предела интегрирования",
     CalcField::XkInt},
    // A strip too narrow to move the abscissa at the limits' magnitude: no endless loop.
    {Calc::Integral, "x", "1e30", "1.0000000000000001e30",
     "Интервал интегрирования слишком мал для таких пределов", CalcField::None},
    {Calc::Integral, "x", "0", "1e-4950", "Интервал интегрирования слишком мал для таких пределов",
     CalcField::None},
};

TEST(Calculations, RefusalsWithInformation) {
    for (const InformationRow& row : kInformationRows) {
        SCOPED_TRACE(std::string(row.expression) + " with \"" + row.first + "\", \"" + row.second +
                     "\"");
        Engine engine = Built(row.expression);
        const Shown outcome = Calculate(row.calc, engine, row.first, row.second);
        EXPECT_EQ(outcome.Information, row.message);
        EXPECT_EQ(outcome.Focus, row.focus);
        EXPECT_FALSE(outcome.ResultText.has_value());
        EXPECT_FALSE(outcome.ResultHint.has_value());
        EXPECT_EQ(engine.ValueA, 1);
    }
}

TEST(Calculations, AfterFailedBuildAllRefuseWithTheBuildMessage) {
    for (const Calc calc : {Calc::Value, Calc::Derivative, Calc::Integral}) {
        for (const char* limit : {"0", "2"}) {
            Engine engine = Built("(n+1");  // a partial build may have raised UsesN
            ASSERT_EQ(engine.EngineError, kErrBrackets);
            const Shown outcome = Calculate(calc, engine, "2", limit);
            EXPECT_EQ(outcome.ResultText, "ОШИБКА: Скобки поставлены некорректно");
            EXPECT_EQ(outcome.ResultHint, "ОШИБКА: Скобки поставлены некорректно");
            EXPECT_FALSE(outcome.Information.has_value());
            EXPECT_EQ(engine.EngineError, kErrBrackets);
        }
    }
    Engine engine = Built("2x");
    EXPECT_EQ(Words(CalculateValue(engine, "1")).ResultText, "ОШИБКА: Выражение некорректно");
}

TEST(Calculations, EmptyIndexRangeGivesADefinedText) {
    for (const Calc calc : {Calc::Value, Calc::Derivative}) {
        Engine engine = Built("a+n*x");
        engine.IndexFrom = 5;
        engine.IndexTo = 3;
        const Shown outcome = Calculate(calc, engine, "1", "");
        EXPECT_EQ(outcome.ResultText, "ОШИБКА: Пустой диапазон индексов n");
        EXPECT_EQ(outcome.ResultHint, "ОШИБКА: Пустой диапазон индексов n");
        EXPECT_EQ(engine.ValueA, 1);
    }
}

TEST(Calculations, UseTheParametersAsTheyStandAndRestoreA0) {
    Engine engine = Built("a*n");
    engine.IndexTo = 5;
    engine.ValueA = 2;
    EXPECT_EQ(CalculateValue(engine, "0").ResultText, "240");
    EXPECT_EQ(engine.ValueA, 2);
    engine.IndexFrom = 0;
    EXPECT_EQ(CalculateValue(engine, "0").ResultText, "0");
    EXPECT_EQ(engine.ValueA, 2);
}

TEST(Calculations, ErrorCodeStaysAsTheEvaluationLeftIt) {
    Engine engine = Built("1/x");
    CalculateValue(engine, "0");
    EXPECT_EQ(engine.EngineError, kErrDivisionByZero);
    CalculateValue(engine, "2");
    EXPECT_EQ(engine.EngineError, kNoError);
}

}  // namespace
