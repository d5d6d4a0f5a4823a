// The tokens of a normalised expression text, read once, and what the tree builder asks about a
// run of them (an operand): where its brackets first close too often, where its last bracket
// left open was opened, the smallest depth of its other tokens, its first unrecognised token and
// its last or first token of a priority at a depth. No answer reads the whole run token by
// token, so a long text costs the builder about one reading however many levels its tree has.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/token_reader.h"

// Minima of a fixed list of values by blocks, for the searches below. Ranges are half-open
// [from, to); an index of -1 means none.
class BlockMinimum {
  public:
    BlockMinimum() = default;
    explicit BlockMinimum(std::vector<int32_t> values);

    // The first index in the range whose value is below bound.
    int32_t FirstBelow(int32_t from, int32_t to, int32_t bound) const;
    // The last index in the range whose value is at most bound.
    int32_t LastAtMost(int32_t from, int32_t to, int32_t bound) const;
    // The smallest value in the range; INT32_MAX for an empty range.
    int32_t Minimum(int32_t from, int32_t to) const;

  private:
    std::vector<int32_t> values_;
    std::vector<int32_t> blocks_;  // the minimum of each block
};

// The tokens of a text, as ReadToken cuts it from its first character on. A run of tokens is a
// half-open range of their indices.
class TokenRuns {
  public:
    TokenRuns(std::string_view text, ExtendedReal constantC);

    int32_t Count() const { return static_cast<int32_t>(tokens_.size()); }
    const Token& At(int32_t index) const { return tokens_[static_cast<size_t>(index)]; }
    // The 0-based offset of token index in the text; Count() gives the text's length.
    int32_t Offset(int32_t index) const { return offsets_[static_cast<size_t>(index)]; }
    // The bracket depth before token index (0 before the first), for index 0..Count().
    int32_t DepthBefore(int32_t index) const { return depths_[static_cast<size_t>(index)]; }

    // The first token of the run after which the depth is below depth: a bracket closed once
    // too often. -1 if the depth stays at or above it.
    int32_t FirstClosingBelow(int32_t from, int32_t to, int32_t depth) const;
    // The last token of the run before which the depth is at most depth, -1 if none.
    int32_t LastStartingAtMost(int32_t from, int32_t to, int32_t depth) const;
    // The smallest depth of a token other than a bracket in the run; INT32_MAX if it has none.
    int32_t SmallestTokenDepth(int32_t from, int32_t to) const;
    int32_t FirstUnrecognised(int32_t from, int32_t to) const;
    // The last, or the first, token of the run of the given priority (1-4) that stands at depth.
    int32_t LastOfPriority(int32_t priority, int32_t depth, int32_t from, int32_t to) const;
    int32_t FirstOfPriority(int32_t priority, int32_t depth, int32_t from, int32_t to) const;

  private:
    // The tokens of one priority as (depth, index), ordered.
    using DepthIndex = std::vector<std::pair<int32_t, int32_t>>;

    std::vector<Token> tokens_;
    std::vector<int32_t> offsets_;
    std::vector<int32_t> depths_;
    std::vector<int32_t> nextUnrecognised_;  // the first unrecognised token at or after each
    BlockMinimum depthMinimum_;              // over depths_
    BlockMinimum tokenDepthMinimum_;         // over depths_ of the tokens, brackets left out
    std::array<DepthIndex, 5> byPriority_;
};
