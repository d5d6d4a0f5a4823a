// Number text: real and integer texts, the fixed-point form with its two roundings and the
// exponent form, trimming, and the same results under a locale with the decimal comma.
#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

constexpr ExtendedReal kLargest = std::numeric_limits<ExtendedReal>::max();

struct RealRow {
    const char* text;
    bool accepted;
    ExtendedReal value;
};

const RealRow kRealRows[] = {
    // The accepted forms: blanks, sign, digits on either side of the point, exponent.
    {"1.5e3", true, 1500},
    {"+.5", true, 0.5L},
    {"-7.", true, -7},
    {".", true, 0},
    {" 12", true, 12},
    {"   -3.25E-2", true, -0.0325L},
    {"5.", true, 5},
    {"1e+2", true, 100},
    {"1E2", true, 100},
    {".e5", true, 0},
    {"007.50", true, 7.5L},
    {" 2.7E+0043", true, 2.7e43L},
    // Correct rounding to the extended format.
    {"0.1", true, 0.1L},
    {"3.14159265358979323846264338327950288", true, 3.14159265358979323846264338327950288L},
    {"1.0000000000000000000542101086242752217003726400434970855712890625", true, 1.0L},
    {"1.00000000000000000005421010862427522170037264004349708557128906251", true, 1.0L + 0x1p-63L},
    {"1.18973149535723176502e+4932", true, kLargest},
    // Underflow is no error; an exponent with no digits that matter is no overflow.
    {"1e-5000", true, 0},
    {"1e-4940", true, 1e-4940L},
    {"0e99999999999999999999", true, 0},
    {"0.000000000000000000000000000000000000001e39", true, 1},
    // Rejected texts.
    {"1,5", false, 0},
    {"12 ", false, 0},
    {"", false, 0},
    {"   ", false, 0},
    {"+", false, 0},
    {"-", false, 0},
    {"e5", false, 0},
    {"1e", false, 0},
    {"1e+", false, 0},
    {"1.2.3", false, 0},
    {"1.5x", false, 0},
    {"\t12", false, 0},
    {"--1", false, 0},
    {"+-1", false, 0},
    {"1e2.5", false, 0},
    {"0x10", false, 0},
    {"12e 3", false, 0},
    {"1 2", false, 0},
    // Beyond the extended range.
    {"1e5000", false, 0},
    {"-1e5000", false, 0},
    {"1.19e4932", false, 0},
    {"1e99999999999999999999", false, 0},
};

void CheckRealRows() {
    for (const RealRow& row : kRealRows) {
        SCOPED_TRACE(std::string("text \"") + row.text + "\"");
        ExtendedReal value = 42;
        EXPECT_EQ(NumberSyntax(row.text, value), row.accepted);
        if (row.accepted) {
            EXPECT_EQ(value, row.value);
        } else {
            EXPECT_EQ(value, 42) << "a rejected text must leave the value alone";
        }
    }
}

struct IntegerRow {
    const char* text;
    bool accepted;
    int32_t value;
};

const IntegerRow kIntegerRows[] = {
    // Decimal.
    {"12", true, 12},
    {" 12", true, 12},
    {"+7", true, 7},
    {"-3", true, -3},
    {"007", true, 7},
    {"0", true, 0},
    {"2147483647", true, std::numeric_limits<int32_t>::max()},
    {"-2147483648", true, std::numeric_limits<int32_t>::min()},
    // Hexadecimal, a 32-bit pattern.
    {"$1F", true, 31},
    {"x1f", true, 31},
    {"X1F", true, 31},
    {"0x1F", true, 31},
    {"0X1f", true, 31},
    {"  $FF", true, 255},
    {"$FFFFFFFF", true, -1},
    {"$80000000", true, std::numeric_limits<int32_t>::min()},
    {"$7fffffff", true, std::numeric_limits<int32_t>::max()},
    {"$00000001", true, 1},
    // Rejected.
    {"-$1F", false, 0},
    {"+$1F", false, 0},
    {"2.5", false, 0},
    {"", false, 0},
    {" ", false, 0},
    {"-", false, 0},
    {"12 ", false, 0},
    {"1e3", false, 0},
    {"- 1", false, 0},
    {"2147483648", false, 0},
    {"-2147483649", false, 0},
    {"99999999999999999999", false, 0},
    {"$", false, 0},
    {"0x", false, 0},
    {"$123456789", false, 0},
    {"$1G", false, 0},
    {"$ 1F", false, 0},
    {"1,5", false, 0},
};

void CheckIntegerRows() {
    for (const IntegerRow& row : kIntegerRows) {
        SCOPED_TRACE(std::string("text \"") + row.text + "\"");
        int32_t value = 42;
        EXPECT_EQ(IntegerText(row.text, value), row.accepted);
        EXPECT_EQ(value, row.accepted ? row.value : 42);
    }
}

struct FixedRow {
    ExtendedReal value;
    int decimals;
    const char* text;
};

const FixedRow kFixedRows[] = {
    // Plain values.
    {0.05L, 10, "0.0500000000"},
    {-20, 10, "-20.0000000000"},
    {100, 10, "100.0000000000"},
    {0, 10, "0.0000000000"},
    {1.0L / 3, 10, "0.3333333333"},
    {123.456L, 1, "123.5"},
    // Halves go up in magnitude, after the rounding to 18 significant digits.
    {0.00078125L, 5, "0.00078"},
    {0.000005L, 5, "0.00001"},
    {0.0000049999L, 5, "0.00000"},
    {2.675L, 2, "2.68"},
    {-2.675L, 2, "-2.68"},
    {0.5L, 0, "1"},
    {-2.5L, 0, "-3"},
    {0.99999L, 4, "1.0000"},
    {9.99995L, 4, "10.0000"},
    {-0.00005L, 4, "-0.0001"},
    // A negative value rounding to zero keeps its minus; a negative zero is not negative.
    {-0.000001L, 5, "-0.00000"},
    {-0.00000000001L, 10, "-0.0000000000"},
    {-0.0L, 2, "0.00"},
    {1e-4950L, 4, "0.0000"},
    // Digits below the 18th significant one count as 0.
    {1e18L, 5, "1000000000000000000.00000"},
    {123456789012345678901234.5L, 1, "123456789012345679000000.0"},
    {0.1234567890123456789L, 20, "0.12345678901234567900"},
    {1e35L, 2, "100000000000000000000000000000000000.00"},
    // From 1e36 up: the exponent form, two significant digits.
    {1e36L, 10, " 1.0E+0036"},
    {9.999999999999999999e35L, 5, " 1.0E+0036"},
    {2.7e43L, 4, " 2.7E+0043"},
    {-2.7e43L, 10, "-2.7E+0043"},
    {2.75e43L, 5, " 2.8E+0043"},
    {2.749e43L, 5, " 2.7E+0043"},
    {-9.96e43L, 5, "-1.0E+0044"},
    {1e4000L, 5, " 1.0E+4000"},
    {kLargest, 10, " 1.1E+4932"},
    {-kLargest, 10, "-1.1E+4932"},
    // Values the evaluator never leaves, written in a defined way all the same.
    {std::numeric_limits<ExtendedReal>::infinity(), 4, "INF"},
    {-std::numeric_limits<ExtendedReal>::infinity(), 4, "-INF"},
    {std::numeric_limits<ExtendedReal>::quiet_NaN(), 4, "NAN"},
};

void CheckFixedRows() {
    for (const FixedRow& row : kFixedRows) {
        SCOPED_TRACE(std::string("expected ") + row.text);
        EXPECT_EQ(FixedPointText(row.value, row.decimals), row.text);
    }
}

struct TrimRow {
    const char* text;
    const char* trimmed;
};

const TrimRow kTrimRows[] = {
    {"0.0500000000", "0.05"},
    {"100.0000000000", "100"},
    {"-20.00", "-20"},
    {"-0.00000", "-0"},
    {"0.0000", "0"},
    {"1.5", "1.5"},
    {"10.", "10"},
    // The exponent form keeps its exponent; a text without a point keeps its digits.
    {" 1.0E+0040", " 1.0E+0040"},
    {"-2.0E+0100", "-2.0E+0100"},
    {"100", "100"},
    {"", ""},
};

void CheckTrimRows() {
    for (const TrimRow& row : kTrimRows) {
        SCOPED_TRACE(std::string("text \"") + row.text + "\"");
        std::string text = row.text;
        TrimNumberText(text);
        EXPECT_EQ(text, row.trimmed);
    }
}

const FixedRow kDisplayRows[] = {
    {-20, 10, "-20"},
    {0.05L, 10, "0.05"},
    {100, 10, "100"},
    {0, 10, "0"},
    {1.0L / 3, 10, "0.3333333333"},
    {-7.7L, 5, "-7.7"},
    {0.00078125L, 5, "0.00078"},
    {0.000001L, 5, "0"},
    {-0.000001L, 5, "-0"},
    {0.4597L, 4, "0.4597"},
    {2.7e43L, 5, " 2.7E+0043"},
    {1e40L, 10, " 1.0E+0040"},
};

void CheckDisplayRows() {
    for (const FixedRow& row : kDisplayRows) {
        SCOPED_TRACE(std::string("expected ") + row.text);
        EXPECT_EQ(RealDisplayText(row.value, row.decimals), row.text);
    }
}

void CheckIntegerDisplay() {
    EXPECT_EQ(IntegerDisplayText(0), "0");
    EXPECT_EQ(IntegerDisplayText(3), "3");
    EXPECT_EQ(IntegerDisplayText(-5), "-5");
    EXPECT_EQ(IntegerDisplayText(100000), "100000");
    EXPECT_EQ(IntegerDisplayText(std::numeric_limits<int32_t>::min()), "-2147483648");
}

// A display text of a huge magnitude reads back as the same magnitude (two significant digits,
// and the largest number written as 1.1E+4932).
void CheckHugeRoundTrip() {
    for (const ExtendedReal value : {1e36L, 2.7e43L, -3.3e100L, 1e4000L, kLargest, -kLargest}) {
        SCOPED_TRACE(RealDisplayText(value, 5));
        ExtendedReal back = 0;
        ASSERT_TRUE(NumberSyntax(RealDisplayText(value, 5), back));
        EXPECT_NEAR(static_cast<double>(std::log10(std::fabs(back))),
                    static_cast<double>(std::log10(std::fabs(value))), 0.04);
        EXPECT_EQ(std::signbit(back), std::signbit(value));
    }
}

void CheckEverything() {
    CheckRealRows();
    CheckIntegerRows();
    CheckFixedRows();
    CheckTrimRows();
    CheckDisplayRows();
    CheckIntegerDisplay();
    CheckHugeRoundTrip();
}

TEST(NumberSyntax, AcceptsExactlyTheRealForms) {
    CheckRealRows();
}

TEST(NumberSyntax, LoneSignedPointIsNegativeZero) {
    ExtendedReal value = 1;
    ASSERT_TRUE(NumberSyntax("-.", value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(std::signbit(value));
}

TEST(IntegerText, AcceptsDecimalAndHexadecimalForms) {
    CheckIntegerRows();
}

TEST(FixedPointText, RoundsAndWrites) {
    CheckFixedRows();
}

TEST(TrimNumberText, RemovesTrailingZerosAndPoint) {
    CheckTrimRows();
}

TEST(DisplayText, RealAndIntegerForms) {
    CheckDisplayRows();
    CheckIntegerDisplay();
}

TEST(DisplayText, HugeMagnitudesReadBack) {
    CheckHugeRoundTrip();
}

// The window's toolkit installs the user's locale; with a Russian one the C library's own
// conversions use the decimal comma. Ours must not change.
TEST(NumberTextUnderDecimalComma, ResultsAreUnchanged) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char* installed = std::setlocale(LC_ALL, "ru_RU.UTF-8");
    ASSERT_NE(installed, nullptr) << "locale ru_RU.UTF-8 is missing: run `make locale`";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    EXPECT_STREQ(probe, "1,5") << "the locale does not use the decimal comma";
    CheckEverything();
    std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace
