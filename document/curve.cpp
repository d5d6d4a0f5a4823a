// Curves: their engines are built once and shared by every copy of the curve.
#include "document/curve.h"

#include "engine/tree_builder.h"
#include "files/cp1251.h"

CurveParameters ParametersOf(const Engine& engine) {
    return {engine.ConstantC, engine.ValueA, engine.IndexFrom, engine.IndexTo};
}

namespace {

void ApplyParameters(Engine& engine, const CurveParameters& parameters) {
    engine.ConstantC = parameters.ConstantC;
    engine.ValueA = parameters.ValueA;
    engine.IndexFrom = parameters.IndexFrom;
    engine.IndexTo = parameters.IndexTo;
}

}  // namespace

Curve CurveOfBuild(std::string_view expression, const Engine& built) {
    Curve curve;
    curve.Expression = std::string(expression);
    auto engine = std::make_shared<Engine>(built);
    engine->EngineError = kNoError;
    engine->NodeCursor = 1;
    curve.Built = std::move(engine);
    return curve;
}

bool BuildCurve(std::string_view expression, const CurveParameters& parameters, Curve& curve,
                int32_t& error) {
    auto engine = std::make_shared<Engine>();
    ApplyParameters(*engine, parameters);
    error = BuildExpression(*engine, Cp1251FromUtf8(expression));
    if (error != kNoError) return false;
    engine->EngineError = kNoError;
    engine->NodeCursor = 1;
    curve.Expression = std::string(expression);
    curve.Built = std::move(engine);
    return true;
}

void SetCurveParameters(Curve& curve, const CurveParameters& parameters) {
    if (curve.Built == nullptr || ParametersOf(*curve.Built) == parameters) return;
    auto engine = std::make_shared<Engine>(*curve.Built);
    ApplyParameters(*engine, parameters);
    curve.Built = std::move(engine);
}
