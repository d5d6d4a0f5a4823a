// The engine's constant tables (error messages, function names) and the reset before a build.
#include "engine/engine_state.h"

const std::array<std::string_view, 12> ErrorMessages = {
    "",
    "Выражение некорректно",
    "Скобки поставлены некорректно",
    "Деление на ноль",
    "Отрицательное число в дробной степени",
    "Ноль в ненатуральной степени",
    "Недопустимый аргумент тангенса",
    "Недопустимый аргумент котангенса",
    "Квадратный корень из отрицательного числа",
    "Натуральный логарифм от неположительного числа",
    "Факториал ненатурального числа",
    "Переполнение",
};

const std::array<std::string_view, 9> FunctionNames = {
    "sin", "cos", "tg", "ctg", "sqrt", "ln", "exp", "abs", "fact",
};

void ResetForBuild(Engine& engine) {
    engine.UsesX = false;
    engine.UsesN = false;
    engine.EngineError = kNoError;
    engine.NodeCursor = 1;
    // Until the coming build ends, the table holds no tree the evaluator may walk.
    engine.LastBuildError = kErrIncorrect;
    engine.NodeCount = 0;
    engine.Program.Length = 0;
    engine.Program.NodeCount = 0;
    engine.Program.Machine.reset();
}

std::string EngineErrorText(int32_t code) {
    // A code outside the table can only come from a caller's mistake; show it as an overflow,
    // the engine's catch-all fault.
    if (code < kErrIncorrect || code > kErrOverflow) code = kErrOverflow;
    return std::string(kErrorPrefix) + std::string(ErrorMessages[static_cast<size_t>(code)]);
}
