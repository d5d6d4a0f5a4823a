// The tree builder: normalises an expression text and builds its node table in pre-order.
#pragma once

#include <string>
#include <string_view>

#include "engine/engine_state.h"

// Checks the brackets, strips redundant outer brackets and rewrites unary minus, in place.
// May set EngineError to 1 or 2.
void NormaliseExpression(Engine& engine, std::string& text);

// Builds the tree of text into the slots from NodeCursor on (recursive). The caller resets
// the engine first (ResetForBuild).
void BuildTree(Engine& engine, std::string text);

// What a run does: ResetForBuild, BuildTree, then records the outcome in LastBuildError and
// NodeCount. Returns EngineError.
int32_t BuildExpression(Engine& engine, std::string_view text);

// Where a failed build stopped in the text it was given: the token (1-based start and length, in
// bytes) at which reading or building gave up. Length 0 after a complete build, and for an
// empty text, which has nothing to point at.
struct BuildStop {
    int32_t Start = 0;
    int32_t Length = 0;
};
// BuildExpression that also tells where a failed build stopped. The tree and the code are those
// of BuildExpression.
int32_t BuildExpression(Engine& engine, std::string_view text, BuildStop& stop);
