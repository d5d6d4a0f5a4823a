// The tree builder: bracket check and unary-minus rewriting, then a split at the operator of
// lowest priority (or the leading function) and recursion into the operands. Nodes go into the
// table in pre-order from NodeCursor on. The whole text is normalised and read into tokens once;
// every operand below it is a run of those tokens (engine/token_runs.h), normalised and split as
// its own text would be.
#include "engine/tree_builder.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "engine/compiled_program.h"
#include "engine/token_reader.h"
#include "engine/token_runs.h"

namespace {

// The smallest depth of a non-bracket token starts here, so a text of brackets alone strips to
// nothing.
constexpr int32_t kNoTokenDepth = 32765;

// Puts a new node into slot NodeCursor and advances the cursor; a tree that needs more slots
// than the table has is rejected as incorrect.
bool AddNode(Engine& engine, NodeKind kind, int32_t code, ExtendedReal value) {
    if (engine.NodeCursor < 1 || engine.NodeCursor > kNodeSlots) {
        engine.EngineError = kErrIncorrect;
        return false;
    }
    engine.NodeTable[engine.NodeCursor] = TBinary{kind, code, value};
    ++engine.NodeCursor;
    return true;
}

bool IsLeaf(TokenKind kind) {
    return kind == TokenKind::Number || kind == TokenKind::X || kind == TokenKind::A ||
           kind == TokenKind::N;
}

void AddLeaf(Engine& engine, const Token& token) {
    switch (token.Kind) {
        case TokenKind::Number:
            AddNode(engine, NodeKind::Constant, 0, token.Value);
            break;
        case TokenKind::X:
            engine.UsesX = true;
            AddNode(engine, NodeKind::ArgumentX, 0, 0);
            break;
        case TokenKind::A:
            AddNode(engine, NodeKind::ValueA, 0, 0);
            break;
        default:
            engine.UsesN = true;
            AddNode(engine, NodeKind::IndexN, 0, 0);
            break;
    }
}

// Follows every character of the text being built back to the caller's text, so that a failure
// can name the token where it happened. Absent (a null pointer) when nobody asks.
struct Tracking {
    std::vector<int32_t> At;  // 1-based position in the caller's text of each character
    BuildStop Anchor;         // the operator or function whose operand the text is
    BuildStop* Stop = nullptr;
};

// The caller's span of the token at `position` (1-based) of `length` characters.
BuildStop SpanOf(const std::vector<int32_t>& at, int32_t position, int32_t length) {
    const int32_t first = at[static_cast<size_t>(position - 1)];
    const int32_t last = at[static_cast<size_t>(position - 1 + std::max(length, 1) - 1)];
    return BuildStop{first, last - first + 1};
}

void Record(const Tracking* track, const BuildStop& span) {
    if (track != nullptr && track->Stop != nullptr) *track->Stop = span;
}

void RecordToken(const Tracking* track, int32_t position, int32_t length) {
    if (track != nullptr) Record(track, SpanOf(track->At, position, length));
}

// The normalisation; with tracking, the positions follow the text's cuts and insertions.
void Normalise(Engine& engine, std::string& text, Tracking* track) {
    const int32_t length = static_cast<int32_t>(text.size());
    int32_t depth = 0;
    int32_t smallest = kNoTokenDepth;
    std::vector<int32_t> opened;  // positions of the brackets still open, with tracking
    for (int32_t position = 1; position <= length;) {
        const Token token = ReadToken(text, position, engine.ConstantC);
        if (token.Kind == TokenKind::Open) {
            ++depth;
            if (track != nullptr) opened.push_back(position);
        } else if (token.Kind == TokenKind::Close) {
            --depth;
            if (depth < 0) {
                engine.EngineError = kErrBrackets;
                RecordToken(track, position, token.Length);
                return;
            }
            if (track != nullptr) opened.pop_back();
        } else {
            smallest = std::min(smallest, depth);
        }
        position += token.Length;
    }
    if (depth != 0) {
        engine.EngineError = kErrBrackets;
        if (track != nullptr) RecordToken(track, opened.front(), 1);
        return;
    }
    // The cut is by count alone: it does not check that the removed brackets pair up.
    if (2 * static_cast<int64_t>(smallest) >= length) {
        // Brackets alone: the whole text is where the build stops.
        if (track != nullptr && length > 0) RecordToken(track, 1, length);
        text.clear();
        if (track != nullptr) track->At.clear();
    } else {
        text =
            text.substr(static_cast<size_t>(smallest), static_cast<size_t>(length - 2 * smallest));
        if (track != nullptr) {
            track->At = std::vector<int32_t>(track->At.begin() + smallest,
                                             track->At.begin() + (length - smallest));
        }
    }
    if (text.empty()) {
        engine.EngineError = kErrIncorrect;
        return;
    }
    // A leading "-" gets a "0" in front, and every "(-" becomes "(0-"; an inserted zero never
    // forms a new pair, so one sweep does it. An inserted zero stands where its minus does.
    std::string rewritten;
    rewritten.reserve(text.size() + text.size() / 2 + 1);
    std::vector<int32_t> at;
    if (track != nullptr) at.reserve(rewritten.capacity());
    if (text.front() == '-') {
        rewritten += '0';
        if (track != nullptr) at.push_back(track->At.front());
    }
    for (size_t i = 0; i < text.size(); ++i) {
        rewritten += text[i];
        if (track != nullptr) at.push_back(track->At[i]);
        if (text[i] == '(' && i + 1 < text.size() && text[i + 1] == '-') {
            rewritten += '0';
            if (track != nullptr) at.push_back(track->At[i + 1]);
        }
    }
    text = std::move(rewritten);
    if (track != nullptr) track->At = std::move(at);
}

// Builds the operands of a text read into tokens: each operand is a run [First, End) of the
// tokens, and what its own text would show (its depth, its tokens, where to split) is asked of
// the tokens. An operand's text never holds "(-" nor starts with "-": the whole text's
// normalisation rewrote those, and a split or a strip never leaves one at an operand's start.
// So below the whole text, normalising only checks brackets and strips them.
class RunBuilder {
  public:
    RunBuilder(Engine& engine, const TokenRuns& runs, const Tracking* track)
        : engine_(engine), runs_(runs), track_(track) {}

    // The whole text, normalised already.
    void Whole() { Split(0, runs_.Count()); }

  private:
    struct Run {
        int32_t First = 0;
        int32_t End = 0;
    };

    int32_t Characters(const Run& run) const {
        return runs_.Offset(run.End) - runs_.Offset(run.First);
    }

    // The caller's span of tokens [first, end).
    BuildStop SpanOfTokens(int32_t first, int32_t end) const {
        const int32_t from = runs_.Offset(first);
        return SpanOf(track_->At, from + 1, runs_.Offset(end) - from);
    }

    void RecordTokens(int32_t first, int32_t end) const {
        if (track_ != nullptr) Record(track_, SpanOfTokens(first, end));
    }

    void Operand(Run run, const BuildStop& anchor) {
        if (run.First >= run.End) {
            engine_.EngineError = kErrIncorrect;
            // An empty operand: the build stops at the operator or function that wanted it.
            if (track_ != nullptr && track_->Stop != nullptr) *track_->Stop = anchor;
        }
        if (engine_.EngineError == kErrIncorrect) return;
        Normalise(run);
        if (engine_.EngineError > 0) return;
        Split(run.First, run.End);
    }

    // The bracket check and the strip of the outer brackets (by count, as for the whole text).
    void Normalise(Run& run) {
        const int32_t base = runs_.DepthBefore(run.First);
        const int32_t closing = runs_.FirstClosingBelow(run.First, run.End, base);
        if (closing >= 0) {
            engine_.EngineError = kErrBrackets;
            RecordTokens(closing, closing + 1);
            return;
        }
        if (runs_.DepthBefore(run.End) != base) {
            // The bracket still open at the end that was opened first.
            const int32_t open = runs_.LastStartingAtMost(run.First, run.End, base);
            engine_.EngineError = kErrBrackets;
            RecordTokens(open, open + 1);
            return;
        }
        const int32_t lowest = runs_.SmallestTokenDepth(run.First, run.End);
        const int32_t smallest = lowest == std::numeric_limits<int32_t>::max()
                                     ? kNoTokenDepth
                                     : std::min(kNoTokenDepth, lowest - base);
        if (2 * static_cast<int64_t>(smallest) >= Characters(run)) {
            // Brackets alone: the whole operand is where the build stops.
            RecordTokens(run.First, run.End);
            engine_.EngineError = kErrIncorrect;
            return;
        }
        // Only brackets, one character each, stand within the cut at either end.
        run.First += smallest;
        run.End -= smallest;
    }

    // The split of a normalised operand: a single leaf, or the operator of lowest priority
    // standing outside every bracket (the last of its priority), or the leading function.
    void Split(int32_t first, int32_t end) {
        const int32_t depth = runs_.DepthBefore(first);
        if (end == first + 1 && IsLeaf(runs_.At(first).Kind)) {
            AddLeaf(engine_, runs_.At(first));
            if (engine_.EngineError != kNoError) RecordTokens(first, end);
            return;
        }
        const int32_t unrecognised = runs_.FirstUnrecognised(first, end);
        if (unrecognised >= 0) {
            engine_.EngineError = kErrIncorrect;
            RecordTokens(unrecognised, unrecognised + 1);
            return;
        }
        int32_t at = -1;
        for (int32_t priority = 1; priority <= 3 && at < 0; ++priority) {
            at = runs_.LastOfPriority(priority, depth, first, end);
        }
        if (at < 0) at = runs_.FirstOfPriority(4, depth, first, end);
        if (at < 0) {
            // No operator, function or single leaf: the build stops at the second token, or at
            // the only one.
            engine_.EngineError = kErrIncorrect;
            if (end == first + 1) {
                RecordTokens(first, end);
            } else {
                RecordTokens(first + 1, first + 2);
            }
            return;
        }
        const Token& token = runs_.At(at);
        const bool function = token.Kind == TokenKind::Function;
        if (function && at > first) {
            engine_.EngineError = kErrIncorrect;
            RecordTokens(at, at + 1);
            return;
        }
        const NodeKind kind = function ? NodeKind::Function : NodeKind::Operator;
        const int32_t code = function ? token.FunctionCode : static_cast<int32_t>(token.Kind) - 1;
        if (!AddNode(engine_, kind, code, 0)) {
            RecordTokens(at, at + 1);
            return;
        }
        const BuildStop anchor = track_ != nullptr ? SpanOfTokens(at, at + 1) : BuildStop{};
        if (!function) Operand(Run{first, at}, anchor);
        // Made even after a failed left operand: it may replace code 2 (never code 1).
        Operand(Run{at + 1, end}, anchor);
    }

    Engine& engine_;
    const TokenRuns& runs_;
    const Tracking* track_;
};

// The whole text: normalised (with its unary minus rewritten) as a text, then read into tokens.
void BuildSubtree(Engine& engine, std::string text, Tracking* track) {
    if (text.empty()) {
        engine.EngineError = kErrIncorrect;
        if (track != nullptr) Record(track, track->Anchor);
    }
    if (engine.EngineError == kErrIncorrect) return;
    Normalise(engine, text, track);
    if (engine.EngineError > 0) return;
    const TokenRuns runs(text, engine.ConstantC);
    RunBuilder(engine, runs, track).Whole();
}

void BuildTracked(Engine& engine, std::string text, Tracking* track) {
    BuildSubtree(engine, std::move(text), track);
    // The evaluator walks the table only when this record says the build was complete.
    engine.LastBuildError = engine.EngineError;
    engine.NodeCount = engine.NodeCursor - 1;
    // A whole tree is compiled once here, for every evaluation until the next build.
    engine.Program.Length = 0;
    if (engine.LastBuildError == kNoError) CompileProgram(engine);
}

}  // namespace

void NormaliseExpression(Engine& engine, std::string& text) {
    Normalise(engine, text, nullptr);
}

void BuildTree(Engine& engine, std::string text) {
    BuildTracked(engine, std::move(text), nullptr);
}

int32_t BuildExpression(Engine& engine, std::string_view text) {
    ResetForBuild(engine);
    BuildTree(engine, std::string(text));
    return engine.EngineError;
}

int32_t BuildExpression(Engine& engine, std::string_view text, BuildStop& stop) {
    ResetForBuild(engine);
    stop = BuildStop{};
    Tracking track;
    track.At.resize(text.size());
    for (size_t i = 0; i < text.size(); ++i) track.At[i] = static_cast<int32_t>(i + 1);
    track.Stop = &stop;
    BuildTracked(engine, std::string(text), &track);
    if (engine.EngineError == kNoError) stop = BuildStop{};
    return engine.EngineError;
}
