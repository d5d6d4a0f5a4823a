// The tree builder: bracket check and unary-minus rewriting, then a split at the operator of
// lowest priority (or the leading function) and recursion into the operands. Nodes go into the
// table in pre-order from NodeCursor on.
#include "engine/tree_builder.h"

#include <algorithm>
#include <utility>

#include "engine/compiled_program.h"
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

// One pass over the text looking for a split point of the given priority at depth 0.
ScanOutcome ScanPass(Engine& engine, const std::string& text, int32_t pass, SplitPoint& split) {
    const int32_t length = static_cast<int32_t>(text.size());
    int32_t depth = 0;
    bool found = false;
    for (int32_t position = 1; position <= length;) {
        const Token token = ReadToken(text, position, engine.ConstantC);
        if (token.Kind == TokenKind::Unrecognised) {
            engine.EngineError = kErrIncorrect;
            return ScanOutcome::Failed;
        }
        if (IsLeaf(token.Kind) && token.Length == length) {
            AddLeaf(engine, token);
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

}  // namespace

void NormaliseExpression(Engine& engine, std::string& text) {
    const int32_t length = static_cast<int32_t>(text.size());
    int32_t depth = 0;
    int32_t smallest = kNoTokenDepth;
    for (int32_t position = 1; position <= length;) {
        const Token token = ReadToken(text, position, engine.ConstantC);
        if (token.Kind == TokenKind::Open) {
            ++depth;
        } else if (token.Kind == TokenKind::Close) {
            --depth;
            if (depth < 0) {
                engine.EngineError = kErrBrackets;
                return;
            }
        } else {
            smallest = std::min(smallest, depth);
        }
        position += token.Length;
    }
    if (depth != 0) {
        engine.EngineError = kErrBrackets;
        return;
    }
    // The cut is by count alone: it does not check that the removed brackets pair up.
    if (2 * static_cast<int64_t>(smallest) >= length) {
        text.clear();
    } else {
        text =
            text.substr(static_cast<size_t>(smallest), static_cast<size_t>(length - 2 * smallest));
    }
    if (text.empty()) {
        engine.EngineError = kErrIncorrect;
        return;
    }
    // A leading "-" gets a "0" in front, and every "(-" becomes "(0-"; an inserted zero never
    // forms a new pair, so one sweep does it.
    std::string rewritten;
    rewritten.reserve(text.size() + text.size() / 2 + 1);
    if (text.front() == '-') rewritten += '0';
    for (size_t i = 0; i < text.size(); ++i) {
        rewritten += text[i];
        if (text[i] == '(' && i + 1 < text.size() && text[i + 1] == '-') rewritten += '0';
    }
    text = std::move(rewritten);
}

namespace {

void BuildSubtree(Engine& engine, std::string text) {
    if (text.empty()) engine.EngineError = kErrIncorrect;
    if (engine.EngineError == kErrIncorrect) return;
    NormaliseExpression(engine, text);
    if (engine.EngineError > 0) return;

    SplitPoint split;
    ScanOutcome outcome = ScanOutcome::Nothing;
    for (int32_t pass = 1; pass <= 4 && outcome == ScanOutcome::Nothing; ++pass) {
        outcome = ScanPass(engine, text, pass, split);
    }
    if (outcome == ScanOutcome::Nothing) engine.EngineError = kErrIncorrect;
    if (outcome != ScanOutcome::Split) return;
    if (split.Kind == NodeKind::Function && split.Position > 1) {
        engine.EngineError = kErrIncorrect;
        return;
    }
    if (!AddNode(engine, split.Kind, split.Code, 0)) return;
    const size_t after = static_cast<size_t>(split.Position - 1 + split.Length);
    if (split.Kind == NodeKind::Operator) {
        BuildSubtree(engine, text.substr(0, static_cast<size_t>(split.Position - 1)));
    }
    // Made even after a failed left operand: it may replace code 2 (never code 1).
    BuildSubtree(engine, text.substr(after));
}

}  // namespace

void BuildTree(Engine& engine, std::string text) {
    BuildSubtree(engine, std::move(text));
    // The evaluator walks the table only when this record says the build was complete.
    engine.LastBuildError = engine.EngineError;
    engine.NodeCount = engine.NodeCursor - 1;
    // A whole tree is compiled once here, for every evaluation until the next build.
    engine.Program.Length = 0;
    if (engine.LastBuildError == kNoError) CompileProgram(engine);
}

int32_t BuildExpression(Engine& engine, std::string_view text) {
    ResetForBuild(engine);
    BuildTree(engine, std::string(text));
    return engine.EngineError;
}
