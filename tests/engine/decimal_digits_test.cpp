// The value of a number token's digits: correctly rounded, the point the separator whatever
// the process locale, infinite beyond the extended range.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "engine/number_text.h"

namespace {

struct DigitsCase {
    const char* digits;
    ExtendedReal value;
};

const DigitsCase kCases[] = {
    {"12", 12.0L},
    {"3.5", 3.5L},
    {"5.", 5.0L},
    {"0.1", 0.1L},
    {"007.250", 7.25L},
    {"2.718281828", 2.718281828L},
    {"123456789012345678901234567890", 123456789012345678901234567890.0L},
};

void CheckAll() {
    for (const DigitsCase& c : kCases) EXPECT_EQ(DecimalDigitsValue(c.digits), c.value) << c.digits;
    EXPECT_TRUE(std::isinf(DecimalDigitsValue(std::string(5000, '9'))));
}

TEST(DecimalDigits, ValueOfTheDigits) {
    CheckAll();
}

TEST(DecimalDigits, UnderDecimalComma) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr)
        << "locale ru_RU.UTF-8 is missing: run `make locale`";
    CheckAll();
    std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace
