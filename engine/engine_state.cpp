// The engine's function names and the reset before a build.
#include "engine/engine_state.h"

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
