// The tokens of a text read once, with the block minima and the ordered lists by priority that
// answer the tree builder's questions about a run of them.
#include "engine/token_runs.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int32_t kBlock = 64;
constexpr int32_t kNone = -1;

bool IsBracket(TokenKind kind) {
    return kind == TokenKind::Open || kind == TokenKind::Close;
}

}  // namespace

BlockMinimum::BlockMinimum(std::vector<int32_t> values) : values_(std::move(values)) {
    const size_t count = values_.size();
    blocks_.assign((count + kBlock - 1) / kBlock, std::numeric_limits<int32_t>::max());
    for (size_t i = 0; i < count; ++i) {
        int32_t& block = blocks_[i / kBlock];
        block = std::min(block, values_[i]);
    }
}

int32_t BlockMinimum::FirstBelow(int32_t from, int32_t to, int32_t bound) const {
    const auto below = [&](int32_t i) { return values_[static_cast<size_t>(i)] < bound; };
    int32_t i = from;
    for (; i < to && i % kBlock != 0; ++i) {
        if (below(i)) return i;
    }
    for (; i + kBlock <= to; i += kBlock) {
        if (blocks_[static_cast<size_t>(i / kBlock)] < bound) break;
    }
    for (; i < to; ++i) {
        if (below(i)) return i;
    }
    return kNone;
}

int32_t BlockMinimum::LastAtMost(int32_t from, int32_t to, int32_t bound) const {
    const auto atMost = [&](int32_t i) { return values_[static_cast<size_t>(i)] <= bound; };
    int32_t i = to;  // the values below i are still to be looked at
    for (; i > from && i % kBlock != 0; --i) {
        if (atMost(i - 1)) return i - 1;
    }
    for (; i - kBlock >= from; i -= kBlock) {
        if (blocks_[static_cast<size_t>((i - kBlock) / kBlock)] <= bound) break;
    }
    for (; i > from; --i) {
        if (atMost(i - 1)) return i - 1;
    }
    return kNone;
}

int32_t BlockMinimum::Minimum(int32_t from, int32_t to) const {
    int32_t smallest = std::numeric_limits<int32_t>::max();
    int32_t i = from;
    for (; i < to && i % kBlock != 0; ++i) {
        smallest = std::min(smallest, values_[static_cast<size_t>(i)]);
    }
    for (; i + kBlock <= to; i += kBlock) {
        smallest = std::min(smallest, blocks_[static_cast<size_t>(i / kBlock)]);
    }
    for (; i < to; ++i) smallest = std::min(smallest, values_[static_cast<size_t>(i)]);
    return smallest;
}

TokenRuns::TokenRuns(std::string_view text, ExtendedReal constantC) {
    const int32_t length = static_cast<int32_t>(text.size());
    int32_t depth = 0;
    depths_.push_back(depth);
    std::vector<int32_t> tokenDepths;
    for (int32_t position = 1; position <= length;) {
        const Token token = ReadToken(text, position, constantC);
        const int32_t index = static_cast<int32_t>(tokens_.size());
        tokens_.push_back(token);
        offsets_.push_back(position - 1);
        tokenDepths.push_back(IsBracket(token.Kind) ? std::numeric_limits<int32_t>::max() : depth);
        if (token.Priority >= 1 && token.Priority <= 4) {
            byPriority_[static_cast<size_t>(token.Priority)].emplace_back(depth, index);
        }
        if (token.Kind == TokenKind::Open) ++depth;
        if (token.Kind == TokenKind::Close) --depth;
        depths_.push_back(depth);
        position += token.Length;
    }
    offsets_.push_back(length);
    nextUnrecognised_.assign(tokens_.size() + 1, kNone);
    for (size_t i = tokens_.size(); i-- > 0;) {
        nextUnrecognised_[i] = tokens_[i].Kind == TokenKind::Unrecognised
                                   ? static_cast<int32_t>(i)
                                   : nextUnrecognised_[i + 1];
    }
    for (DepthIndex& list : byPriority_) std::sort(list.begin(), list.end());
    depthMinimum_ = BlockMinimum(depths_);
    tokenDepthMinimum_ = BlockMinimum(std::move(tokenDepths));
}

int32_t TokenRuns::FirstClosingBelow(int32_t from, int32_t to, int32_t depth) const {
    // The depth after token k is the depth before token k + 1.
    const int32_t after = depthMinimum_.FirstBelow(from + 1, to + 1, depth);
    return after == kNone ? kNone : after - 1;
}

int32_t TokenRuns::LastStartingAtMost(int32_t from, int32_t to, int32_t depth) const {
    return depthMinimum_.LastAtMost(from, to, depth);
}

int32_t TokenRuns::SmallestTokenDepth(int32_t from, int32_t to) const {
    return tokenDepthMinimum_.Minimum(from, to);
}

int32_t TokenRuns::FirstUnrecognised(int32_t from, int32_t to) const {
    const int32_t first = nextUnrecognised_[static_cast<size_t>(from)];
    return first != kNone && first < to ? first : kNone;
}

int32_t TokenRuns::LastOfPriority(int32_t priority, int32_t depth, int32_t from, int32_t to) const {
    const DepthIndex& list = byPriority_[static_cast<size_t>(priority)];
    // The first entry past (depth, to - 1); the one before it is the candidate.
    const auto past = std::upper_bound(list.begin(), list.end(), std::make_pair(depth, to - 1));
    if (past == list.begin()) return kNone;
    const auto& [at, index] = *std::prev(past);
    return at == depth && index >= from ? index : kNone;
}

int32_t TokenRuns::FirstOfPriority(int32_t priority, int32_t depth, int32_t from,
                                   int32_t to) const {
    const DepthIndex& list = byPriority_[static_cast<size_t>(priority)];
    const auto first = std::lower_bound(list.begin(), list.end(), std::make_pair(depth, from));
    if (first == list.end()) return kNone;
    const auto& [at, index] = *first;
    return at == depth && index < to ? index : kNone;
}
