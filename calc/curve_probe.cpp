// The curve of the points of interest, through the engine's evaluation (bit for bit the checked
// walk's values).
#include "calc/curve_probe.h"

#include <cmath>
#include <memory>

#include "engine/evaluator.h"

namespace {

bool One(Engine& engine, ExtendedReal x, ExtendedReal& y) {
    return EvaluateSequence(engine, x, y) && engine.EngineError == kNoError && std::isfinite(y);
}

}  // namespace

ProbedCurve::ProbedCurve(const Engine& first, const Engine* second) : first_(first) {
    if (second != nullptr) second_.emplace(*second);
}

bool ProbedCurve::At(ExtendedReal x, ExtendedReal& y) {
    if (!One(first_, x, y)) return false;
    if (!second_) return true;
    ExtendedReal g = 0;
    if (!One(*second_, x, g)) return false;
    y -= g;
    return std::isfinite(y);
}

bool ProbedCurve::Shown(ExtendedReal x, ExtendedReal& y) {
    return One(first_, x, y);
}

void ProbedCurve::Samples(const ExtendedReal* x, int32_t count, ExtendedReal* y, bool* ok) {
    EvaluateSamples(first_, x, count, y, ok);
    if (!second_) return;
    const std::unique_ptr<ExtendedReal[]> g(new ExtendedReal[size_t(count)]);
    const std::unique_ptr<bool[]> gOk(new bool[size_t(count)]);
    EvaluateSamples(*second_, x, count, g.get(), gOk.get());
    for (int32_t i = 0; i < count; ++i) {
        y[i] -= g[i];
        ok[i] = ok[i] && gOk[i] && std::isfinite(y[i]);
    }
}
