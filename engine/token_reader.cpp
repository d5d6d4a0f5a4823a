// ReadToken: the tokenizer shared by the bracket check and the tree builder, and the bit-exact
// values of the constants "p" and "e".
#include "engine/token_reader.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "engine/extended_math.h"
#include "engine/number_text.h"

namespace {

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// A number token: digits with at most one point, not starting with the point.
Token ReadNumber(std::string_view text, size_t start) {
    Token token;
    if (text[start] == '.') return token;  // kind 0, length 1
    size_t end = start;
    bool point = false;
    while (end < text.size() && (IsDigit(text[end]) || text[end] == '.')) {
        if (text[end] == '.') {
            if (point) {
                // A second point: the token ends before it, malformed.
                token.Length = static_cast<int32_t>(end - start);
                return token;
            }
            point = true;
        }
        ++end;
    }
    token.Length = static_cast<int32_t>(end - start);
    const ExtendedReal value = DecimalDigitsValue(text.substr(start, end - start));
    // A number beyond the extended range cannot be held: it is malformed like "1.2.3".
    if (!(std::fabs(value) <= std::numeric_limits<ExtendedReal>::max())) return token;
    token.Kind = TokenKind::Number;
    token.Value = value;
    return token;
}

Token Single(TokenKind kind, int32_t priority = 0) {
    Token token;
    token.Kind = kind;
    token.Priority = priority;
    token.Length = 1;
    return token;
}

Token Constant(ExtendedReal value) {
    Token token = Single(TokenKind::Number);
    token.Value = value;
    return token;
}

}  // namespace

ExtendedReal ConstantPi() {
    return extended_math::kPi;
}
ExtendedReal ConstantE() {
    return extended_math::kE;
}
ExtendedReal HalfPi() {
    return extended_math::kHalfPi;
}

Token ReadToken(std::string_view text, int32_t position, ExtendedReal constantC) {
    const size_t start = static_cast<size_t>(position - 1);
    const char ch = text[start];
    if (IsDigit(ch) || ch == '.') return ReadNumber(text, start);
    switch (ch) {
        case '+':
            return Single(TokenKind::Plus, 1);
        case '-':
            return Single(TokenKind::Minus, 1);
        case '*':
            return Single(TokenKind::Times, 2);
        case '/':
            return Single(TokenKind::Divide, 2);
        case '^':
            return Single(TokenKind::Power, 3);
        default:
            break;
    }
    const std::string_view rest = text.substr(start);
    for (size_t i = 0; i < FunctionNames.size(); ++i) {
        if (rest.starts_with(FunctionNames[i])) {
            Token token;
            token.Kind = TokenKind::Function;
            token.Priority = 4;
            token.Length = static_cast<int32_t>(FunctionNames[i].size());
            token.FunctionCode = static_cast<int32_t>(i + 1);
            return token;
        }
    }
    switch (ch) {
        case 'p':
            return Constant(ConstantPi());
        case 'e':
            return Constant(ConstantE());
        case 'c':
            return Constant(constantC);
        case 'x':
            return Single(TokenKind::X);
        case 'a':
            return Single(TokenKind::A);
        case 'n':
            return Single(TokenKind::N);
        case '(':
            return Single(TokenKind::Open);
        case ')':
            return Single(TokenKind::Close);
        default:
            return Single(TokenKind::Unrecognised);
    }
}
