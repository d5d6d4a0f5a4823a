// What a run reports: how it ended and with which code or value, for the interface to word.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "engine/tree_builder.h"

// How a run ended.
enum class RunEnd {
    None,        // nothing reported (an empty text, or a plot still to come)
    Failed,      // the build or the value failed: Code holds why
    GraphBuilt,  // an expression with x was drawn
    Value,       // an expression without x gave ValueText, the new a0
    Stopped,     // the control stopped the plot
};

struct RunOutcome {
    bool Ran = false;                   // false: empty expression, nothing logged
    std::vector<std::string> LogLines;  // separator and expression (UTF-8); the end follows them
    std::string Expression;             // the expression as the user sees it (UTF-8)
    bool Built = false;                 // the build succeeded: the caption names the expression
    RunEnd End = RunEnd::None;
    int32_t Code = kNoError;               // RunEnd::Failed: an engine code or kEmptyRangeCode
    std::optional<std::string> NewA0Text;  // RunEnd::Value: the value, the new text of txtA0
    bool Overflow = false;                 // the drawing raised DrawingOverflow
    BuildStop Stop;                        // where a failed build stopped in the text
};
