// Tokens: numbers, operators, function names, letters and what is not recognised; the exact
// bits of the constants "p" and "e".
#include "engine/token_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr ExtendedReal kConstantC = 2.5L;

struct TokenRow {
    std::string text;
    int32_t position;
    TokenKind kind;
    int32_t priority;
    int32_t length;
    int32_t functionCode;  // checked for kind 7 only
    ExtendedReal value;    // checked for kind 1 only
};

void PrintTo(const TokenRow& row, std::ostream* os) {
    *os << row.text << " @" << row.position;
}

class ReadTokenTest : public testing::TestWithParam<TokenRow> {};

TEST_P(ReadTokenTest, KindPriorityLengthAndValue) {
    const TokenRow& row = GetParam();
    const Token token = ReadToken(row.text, row.position, kConstantC);
    EXPECT_EQ(token.Kind, row.kind);
    EXPECT_EQ(token.Priority, row.priority);
    EXPECT_EQ(token.Length, row.length);
    if (row.kind == TokenKind::Function) {
        EXPECT_EQ(token.FunctionCode, row.functionCode);
    }
    if (row.kind == TokenKind::Number) {
        EXPECT_EQ(token.Value, row.value);
    }
}

using K = TokenKind;

INSTANTIATE_TEST_SUITE_P(Numbers, ReadTokenTest,
                         testing::Values(TokenRow{"3.14", 1, K::Number, 0, 4, 0, 3.14L},
                                         TokenRow{"5.", 1, K::Number, 0, 2, 0, 5.0L},
                                         TokenRow{"0.1", 1, K::Number, 0, 3, 0, 0.1L},
                                         TokenRow{"007", 1, K::Number, 0, 3, 0, 7.0L},
                                         TokenRow{"12+x", 1, K::Number, 0, 2, 0, 12.0L},
                                         TokenRow{"x12.5y", 2, K::Number, 0, 4, 0, 12.5L},
                                         // digits beyond the precision round to nearest
                                         TokenRow{"18446744073709551617", 1, K::Number, 0, 20, 0,
                                                  18446744073709551616.0L},
                                         // malformed numbers
                                         TokenRow{".5", 1, K::Unrecognised, 0, 1, 0, 0},
                                         TokenRow{"1.2.3", 1, K::Unrecognised, 0, 3, 0, 0},
                                         TokenRow{"1.2.3", 4, K::Unrecognised, 0, 1, 0, 0},
                                         TokenRow{"1..", 1, K::Unrecognised, 0, 2, 0, 0}));

INSTANTIATE_TEST_SUITE_P(Operators, ReadTokenTest,
                         testing::Values(TokenRow{"12+x", 3, K::Plus, 1, 1, 0, 0},
                                         TokenRow{"-", 1, K::Minus, 1, 1, 0, 0},
                                         TokenRow{"*", 1, K::Times, 2, 1, 0, 0},
                                         TokenRow{"/", 1, K::Divide, 2, 1, 0, 0},
                                         TokenRow{"^", 1, K::Power, 3, 1, 0, 0}));

INSTANTIATE_TEST_SUITE_P(FunctionNames, ReadTokenTest,
                         testing::Values(TokenRow{"sincostgx", 1, K::Function, 4, 3, 1, 0},
                                         TokenRow{"sincostgx", 4, K::Function, 4, 3, 2, 0},
                                         TokenRow{"sincostgx", 7, K::Function, 4, 2, 3, 0},
                                         TokenRow{"sincostgx", 9, K::X, 0, 1, 0, 0},
                                         TokenRow{"ctg", 1, K::Function, 4, 3, 4, 0},
                                         TokenRow{"sqrt", 1, K::Function, 4, 4, 5, 0},
                                         TokenRow{"ln", 1, K::Function, 4, 2, 6, 0},
                                         TokenRow{"exp", 1, K::Function, 4, 3, 7, 0},
                                         TokenRow{"abs", 1, K::Function, 4, 3, 8, 0},
                                         TokenRow{"fact", 1, K::Function, 4, 4, 9, 0},
                                         // a name cut short by the end of the text is no name
                                         TokenRow{"sqr", 1, K::Unrecognised, 0, 1, 0, 0},
                                         TokenRow{"fac", 1, K::Unrecognised, 0, 1, 0, 0}));

INSTANTIATE_TEST_SUITE_P(
    LettersAndBrackets, ReadTokenTest,
    testing::Values(TokenRow{"co", 1, K::Number, 0, 1, 0, kConstantC},
                    TokenRow{"co", 2, K::Unrecognised, 0, 1, 0, 0},
                    TokenRow{"ex", 1, K::Number, 0, 1, 0, ConstantE()},
                    TokenRow{"ex", 2, K::X, 0, 1, 0, 0},
                    TokenRow{"pi", 1, K::Number, 0, 1, 0, ConstantPi()},
                    TokenRow{"pi", 2, K::Unrecognised, 0, 1, 0, 0},
                    TokenRow{"ab", 1, K::A, 0, 1, 0, 0}, TokenRow{"n", 1, K::N, 0, 1, 0, 0},
                    TokenRow{"(", 1, K::Open, 0, 1, 0, 0}, TokenRow{")", 1, K::Close, 0, 1, 0, 0},
                    // capitals, blanks, commas and non-ASCII bytes are not recognised
                    TokenRow{"X", 1, K::Unrecognised, 0, 1, 0, 0},
                    TokenRow{"P", 1, K::Unrecognised, 0, 1, 0, 0},
                    TokenRow{"Sinx", 1, K::Unrecognised, 0, 1, 0, 0},
                    TokenRow{" ", 1, K::Unrecognised, 0, 1, 0, 0},
                    TokenRow{",", 1, K::Unrecognised, 0, 1, 0, 0},
                    TokenRow{"\xE0", 1, K::Unrecognised, 0, 1, 0, 0},
                    TokenRow{"y", 1, K::Unrecognised, 0, 1, 0, 0}));

TEST(ReadTokenTest, NumberBeyondTheExtendedRangeIsMalformed) {
    const std::string huge(5000, '9');
    const Token token = ReadToken(huge, 1, kConstantC);
    EXPECT_EQ(token.Kind, K::Unrecognised);
    EXPECT_EQ(token.Length, 5000);
}

TEST(ReadTokenTest, NumberBelowTheExtendedRangeIsZero) {
    const std::string tiny = "0." + std::string(5000, '0') + "1";
    const Token token = ReadToken(tiny, 1, kConstantC);
    EXPECT_EQ(token.Kind, K::Number);
    EXPECT_EQ(token.Value, 0.0L);
}

TEST(ReadTokenTest, ConstantCIsReadWhenTheTextIsRead) {
    EXPECT_EQ(ReadToken("c", 1, -7.25L).Value, -7.25L);
    EXPECT_EQ(ReadToken("c", 1, 1e300L).Value, 1e300L);
}

// The 64-bit significand and the biased exponent of an extended number.
struct ExtendedBits {
    uint64_t significand;
    uint16_t signAndExponent;
};

ExtendedBits BitsOf(ExtendedReal value) {
    ExtendedBits bits{};
    std::memcpy(&bits.significand, &value, 8);
    std::memcpy(&bits.signAndExponent, reinterpret_cast<const char*>(&value) + 8, 2);
    return bits;
}

TEST(ConstantBitsTest, PiIsTheFullExtendedPi) {
    const ExtendedBits bits = BitsOf(ConstantPi());
    EXPECT_EQ(bits.significand, 0xC90FDAA22168C235ULL);
    EXPECT_EQ(bits.signAndExponent, 0x4000);
    EXPECT_EQ(BitsOf(ReadToken("p", 1, 0).Value).significand, 0xC90FDAA22168C235ULL);
}

TEST(ConstantBitsTest, EIsNearestTo2718281828NotEulersNumber) {
    const ExtendedBits bits = BitsOf(ConstantE());
    EXPECT_EQ(bits.significand, 0xADF85458248CDACDULL);
    EXPECT_EQ(bits.signAndExponent, 0x4000);
    EXPECT_EQ(ConstantE(), 2.718281828L);
    EXPECT_NEAR(static_cast<double>(ConstantE() - 2.71828182845904523536L), -4.59e-10, 1e-12);
    EXPECT_EQ(BitsOf(ReadToken("e", 1, 0).Value).significand, 0xADF85458248CDACDULL);
}

TEST(ConstantBitsTest, HalfPiHalvesTheExponentOnly) {
    const ExtendedBits bits = BitsOf(HalfPi());
    EXPECT_EQ(bits.significand, 0xC90FDAA22168C235ULL);
    EXPECT_EQ(bits.signAndExponent, 0x3FFF);
}

TEST(FunctionNamesTest, TableOrderGivesTheCodes) {
    const std::array<std::string_view, 9> expected = {"sin", "cos", "tg",  "ctg", "sqrt",
                                                      "ln",  "exp", "abs", "fact"};
    EXPECT_EQ(FunctionNames, expected);
}

}  // namespace
