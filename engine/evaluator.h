// The evaluator and the sequence driver.
#pragma once

#include <cstdint>

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
// Runs the compiled program when the build made one, the checked walk where it cannot vouch
// for a sample's value. x by reference: a long double passed by value is stored by the caller
// with an x87 store, which the processor cannot forward to the load that reads it, so the load
// waits until the store leaves for the cache, behind every instruction before it (the slow
// fsin of the previous call among them): single evaluations of "sinx/x" ran about 1.35 times as
// long by value as by reference.
bool EvaluateSequence(Engine& engine, const ExtendedReal& x, ExtendedReal& result);

// The reference: EvaluateSequence with every step walked through the table, every operation
// checked. It defines each value, EngineError and NodeCursor that EvaluateSequence and
// EvaluateSamples give.
bool EvaluateSequenceChecked(Engine& engine, ExtendedReal x, ExtendedReal& result);

// Evaluates the sequence once per x[i], each from a0 = engine.ValueA, as EvaluateSequence
// would: ok[i] is true when a value was produced and no error was met, and values[i] then
// holds it (values[i] is unspecified otherwise). Afterwards EngineError is 0, ValueA is as
// it was, and NodeCursor is as EvaluateSequence leaves it after x[count - 1].
void EvaluateSamples(Engine& engine, const ExtendedReal* x, int32_t count, ExtendedReal* values,
                     bool* ok);
