// The number text conversions shared by every field, the log, the result boxes and the files.
// None depends on the process locale: the decimal separator is always the point.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/engine_state.h"

// A real text: blanks, sign, mantissa with at most one point, optional exponent, nothing after.
// The value is the decimal number correctly rounded; a value beyond the extended range is
// rejected.
bool NumberSyntax(std::string_view text, ExtendedReal& value);
// The value of plain decimal digits with at most one point (no sign, no exponent), correctly
// rounded; infinite beyond the extended range.
ExtendedReal DecimalDigitsValue(std::string_view digits);

// An integer text: decimal (signed, 32-bit) or hexadecimal ($, x, X, 0x, 0X; 1..8 digits, a
// 32-bit pattern).
bool IntegerText(std::string_view text, int32_t& value);

// Fixed-point text with exactly `decimals` decimals (exponent form from 1e36 up).
std::string FixedPointText(ExtendedReal value, int decimals);

// Removes trailing zeros and then a trailing point; leaves an exponent form as it is.
void TrimNumberText(std::string& text);

// FixedPointText followed by TrimNumberText.
std::string RealDisplayText(ExtendedReal value, int decimals);

// Plain decimal digits, "-" before negatives.
std::string IntegerDisplayText(int32_t value);
