// The tree builder as it first was: every operand copied out of its parent's text and read
// again from its start, at every level. Kept beside the engine's builder so that tests can hold
// the builder's codes, stops and tables against it for any text.
#include "tests/engine/rescanning_builder.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/token_reader.h"

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

// Where the text splits: the node to create there and where the operator or name lies.
struct SplitPoint {
    NodeKind Kind = NodeKind::None;
    int32_t Code = 0;
    int32_t Position = 0;  // 1-based
    int32_t Length = 0;
};

enum class ScanOutcome { Split, Leaf, Failed, Nothing };

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

// Where a text that is no operator, function or single leaf stops making sense: at its second
// token (2x), or at its only one.
void RecordNoSplit(const Tracking* track, const std::string& text, ExtendedReal constantC) {
    if (track == nullptr) return;
    const int32_t length = static_cast<int32_t>(text.size());
    const Token first = ReadToken(text, 1, constantC);
    if (first.Length >= length) {
        RecordToken(track, 1, length);
        return;
    }
    const Token second = ReadToken(text, first.Length + 1, constantC);
    RecordToken(track, first.Length + 1, std::min(second.Length, length - first.Length));
}

// One pass over the text looking for a split point of the given priority at depth 0.
ScanOutcome ScanPass(Engine& engine, const std::string& text, int32_t pass, SplitPoint& split,
                     const Tracking* track) {
    const int32_t length = static_cast<int32_t>(text.size());
    int32_t depth = 0;
    bool found = false;
    for (int32_t position = 1; position <= length;) {
        const Token token = ReadToken(text, position, engine.ConstantC);
        if (token.Kind == TokenKind::Unrecognised) {
            engine.EngineError = kErrIncorrect;
            RecordToken(track, position, token.Length);
            return ScanOutcome::Failed;
        }
        if (IsLeaf(token.Kind) && token.Length == length) {
            AddLeaf(engine, token);
            if (engine.EngineError != kNoError) RecordToken(track, 1, length);
            return ScanOutcome::Leaf;
        }
        if (token.Kind == TokenKind::Open) ++depth;
        if (token.Kind == TokenKind::Close) --depth;
        if (depth == 0 && token.Priority == pass) {
            found = true;
            split.Position = position;
            split.Length = token.Length;
            if (token.Kind == TokenKind::Function) {
                split.Kind = NodeKind::Function;
                split.Code = token.FunctionCode;
                break;  // the first function name wins
            }
            split.Kind = NodeKind::Operator;
            split.Code = static_cast<int32_t>(token.Kind) - 1;
        }
        position += token.Length;
    }
    return found ? ScanOutcome::Split : ScanOutcome::Nothing;
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

// The operand of a split: its part of the text, its positions and the split as its anchor.
Tracking Operand(const Tracking* track, size_t from, size_t count, const BuildStop& anchor) {
    Tracking operand;
    if (track == nullptr) return operand;
    const size_t end = std::min(track->At.size(), from + count);
    operand.At.assign(track->At.begin() + static_cast<std::ptrdiff_t>(std::min(from, end)),
                      track->At.begin() + static_cast<std::ptrdiff_t>(end));
    operand.Anchor = anchor;
    operand.Stop = track->Stop;
    return operand;
}

void BuildSubtree(Engine& engine, std::string text, Tracking* track) {
    if (text.empty()) {
        engine.EngineError = kErrIncorrect;
        // An empty operand: the build stops at the operator or function that wanted it.
        if (track != nullptr) Record(track, track->Anchor);
    }
    if (engine.EngineError == kErrIncorrect) return;
    Normalise(engine, text, track);
    if (engine.EngineError > 0) return;

    SplitPoint split;
    ScanOutcome outcome = ScanOutcome::Nothing;
    for (int32_t pass = 1; pass <= 4 && outcome == ScanOutcome::Nothing; ++pass) {
        outcome = ScanPass(engine, text, pass, split, track);
    }
    if (outcome == ScanOutcome::Nothing) {
        engine.EngineError = kErrIncorrect;
        RecordNoSplit(track, text, engine.ConstantC);
    }
    if (outcome != ScanOutcome::Split) return;
    if (split.Kind == NodeKind::Function && split.Position > 1) {
        engine.EngineError = kErrIncorrect;
        RecordToken(track, split.Position, split.Length);
        return;
    }
    if (!AddNode(engine, split.Kind, split.Code, 0)) {
        RecordToken(track, split.Position, split.Length);
        return;
    }
    const size_t after = static_cast<size_t>(split.Position - 1 + split.Length);
    const BuildStop anchor =
        track != nullptr ? SpanOf(track->At, split.Position, split.Length) : BuildStop{};
    if (split.Kind == NodeKind::Operator) {
        const size_t before = static_cast<size_t>(split.Position - 1);
        Tracking left = Operand(track, 0, before, anchor);
        BuildSubtree(engine, text.substr(0, before), track != nullptr ? &left : nullptr);
    }
    // Made even after a failed left operand: it may replace code 2 (never code 1).
    Tracking right = Operand(track, after, text.size() - after, anchor);
    BuildSubtree(engine, text.substr(after), track != nullptr ? &right : nullptr);
}

void BuildTracked(Engine& engine, std::string text, Tracking* track) {
    BuildSubtree(engine, std::move(text), track);
    engine.LastBuildError = engine.EngineError;
    engine.NodeCount = engine.NodeCursor - 1;
}

}  // namespace

int32_t BuildByRescanning(Engine& engine, std::string_view text, BuildStop& stop) {
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
