// The tree builder as it first was, which reads every operand's text again at every level:
// the reference the engine's builder is held against in tests.
#pragma once

#include <string_view>

#include "engine/tree_builder.h"

// The same build as BuildExpression with its stop (the same table, code, flags and stop), by the
// first algorithm; it compiles no program.
int32_t BuildByRescanning(Engine& engine, std::string_view text, BuildStop& stop);
