// The evaluator and the sequence driver.
#pragma once

#include "engine/engine_state.h"

// Evaluates the node at NodeCursor and its subtree; leaves NodeCursor past the subtree.
ExtendedReal EvaluateNode(Engine& engine, int32_t n, ExtendedReal x, ExtendedReal a);

// The power rule of the "^" operator. May set EngineError to 4, 5 or 11.
ExtendedReal RaisePower(Engine& engine, ExtendedReal base, ExtendedReal exponent);

// Evaluates the tree for x, walking n from IndexFrom to IndexTo when UsesN is set (a single
// step with n = 1 otherwise), a carried from step to step from ValueA, which is restored.
// Returns true when at least one step ran and result was written; false leaves result as it
// was (an empty index range, or a table whose build failed: EngineError then holds the
// build's code).
bool EvaluateSequence(Engine& engine, ExtendedReal x, ExtendedReal& result);

// Evaluates the sequence once per x[i], each from a0 = engine.ValueA, as EvaluateSequence
// would: ok[i] is true when a value was produced and no error was met, and values[i] then
// holds it (values[i] is unspecified otherwise). Afterwards EngineError is 0, ValueA is as
// it was, and NodeCursor is as EvaluateSequence leaves it after x[count - 1].
void EvaluateSamples(Engine& engine, const ExtendedReal* x, int32_t count, ExtendedReal* values,
                     bool* ok);
