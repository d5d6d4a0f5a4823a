// ReadToken: cuts an expression text (single-byte characters) into tokens.
#pragma once

#include <string_view>

#include "engine/engine_state.h"

enum class TokenKind : int32_t {
    Unrecognised = 0,
    Number = 1,  // a number or one of the constants p, e, c
    Plus = 2,
    Minus = 3,
    Times = 4,
    Divide = 5,
    Power = 6,
    Function = 7,
    X = 8,
    A = 9,
    N = 10,
    Open = 11,
    Close = 12,
};

struct Token {
    TokenKind Kind = TokenKind::Unrecognised;
    int32_t Priority = 0;
    int32_t Length = 1;
    int32_t FunctionCode = 0;  // set only for TokenKind::Function
    ExtendedReal Value = 0;    // set only for TokenKind::Number
};

// The extended values of the constants "p" and "e" (bit-exact).
ExtendedReal ConstantPi();
ExtendedReal ConstantE();
ExtendedReal HalfPi();

// position is 1-based and lies within the text. Reads only constantC of the engine state.
Token ReadToken(std::string_view text, int32_t position, ExtendedReal constantC);
