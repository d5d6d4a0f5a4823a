// The number text conversions: real and integer texts in, fixed-point and display texts out.
// The decimal separator is always the point: the C library is used only through a private "C"
// locale, never through the process locale (the window's toolkit installs the user's one).
#include "engine/number_text.h"

#include <locale.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSignificantDigits = 18;
// From this decimal exponent on, FixedPointText writes the exponent form.
constexpr int kExponentFormFrom = 36;
// Decimal exponent of the largest finite extended number (1.19e4932).
constexpr int kLargestExponent = 4932;

locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

size_t SkipBlanks(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    return i;
}

// The digits of a real text taken apart: sign, all mantissa digits, how many of them follow the
// point, and the written exponent (saturated far outside the extended range).
struct RealParts {
    bool negative = false;
    std::string digits;
    int64_t fractionDigits = 0;
    int64_t exponent = 0;
};

bool SplitRealText(std::string_view text, RealParts& parts) {
    size_t i = SkipBlanks(text);
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    const size_t mantissaStart = i;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            parts.digits.push_back(c);
            if (point) ++parts.fractionDigits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (i == mantissaStart) return false;  // no mantissa at all: empty, blanks or a sign alone
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        const size_t exponentStart = i;
        constexpr int64_t kSaturation = 1'000'000'000;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            if (parts.exponent < kSaturation)
                parts.exponent = parts.exponent * 10 + (text[i] - '0');
        }
        if (i == exponentStart) return false;
        if (negativeExponent) parts.exponent = -parts.exponent;
    }
    return i == text.size();
}

// The 18 significant digits of |value| (correctly rounded) and the decimal exponent of the first.
struct Decimal18 {
    char digits[kSignificantDigits];
    int exponent;
};

Decimal18 ToDecimal18(ExtendedReal magnitude) {
    char buffer[64];
    const locale_t previous = uselocale(CLocale());
    std::snprintf(buffer, sizeof buffer, "%.*Le", kSignificantDigits - 1, magnitude);
    uselocale(previous);
    // buffer: d.ddddddddddddddddde[+-]xx
    Decimal18 result{};
    result.digits[0] = buffer[0];
    for (int k = 1; k < kSignificantDigits; ++k) result.digits[k] = buffer[k + 1];
    const char* e = buffer + kSignificantDigits + 1;  // at the 'e'
    const bool negative = e[1] == '-';
    int exponent = 0;
    for (const char* p = e + 2; IsDigit(*p); ++p) exponent = exponent * 10 + (*p - '0');
    result.exponent = negative ? -exponent : exponent;
    return result;
}

// Adds one unit in the last place of a digit string, growing it on a carry out.
void IncrementDigits(std::string& digits) {
    for (size_t k = digits.size(); k-- > 0;) {
        if (digits[k] != '9') {
            ++digits[k];
            return;
        }
        digits[k] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// " 2.7E+0043": the 18 digits rounded half up to two significant ones.
std::string ExponentForm(bool negative, const Decimal18& decimal) {
    int first = decimal.digits[0] - '0';
    int second = decimal.digits[1] - '0';
    int exponent = decimal.exponent;
    if (decimal.digits[2] >= '5' && ++second == 10) {
        second = 0;
        if (++first == 10) {
            first = 1;
            ++exponent;
        }
    }
    // Rounding up past the largest extended number would give a text that reads back as no
    // number at all; 1.1E+4932 is the largest two-digit form within range.
    if (exponent > kLargestExponent || (exponent == kLargestExponent && first * 10 + second > 11)) {
        first = 1;
        second = 1;
        exponent = kLargestExponent;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%c%d.%dE%c%04d", negative ? '-' : ' ', first, second,
                  exponent < 0 ? '-' : '+', std::abs(exponent));
    return buffer;
}

}  // namespace

bool NumberSyntax(std::string_view text, ExtendedReal& value) {
    RealParts parts;
    if (!SplitRealText(text, parts)) return false;
    if (parts.digits.find_first_not_of('0') == std::string::npos) {
        // Also a mantissa without digits (a lone point).
        value = parts.negative ? -0.0L : 0.0L;
        return true;
    }
    const std::string canonical = (parts.negative ? "-" : "") + parts.digits + "e" +
                                  std::to_string(parts.exponent - parts.fractionDigits);
    char* end = nullptr;
    const ExtendedReal parsed = strtold_l(canonical.c_str(), &end, CLocale());
    if (end != canonical.c_str() + canonical.size() || std::isinf(parsed)) return false;
    value = parsed;
    return true;
}

ExtendedReal DecimalDigitsValue(std::string_view digits) {
    const std::string copy(digits);
    return strtold_l(copy.c_str(), nullptr, CLocale());
}

bool IntegerText(std::string_view text, int32_t& value) {
    size_t i = SkipBlanks(text);
    const std::string_view rest = text.substr(i);
    size_t prefix = 0;
    if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) {
        prefix = 1;
    } else if (rest.starts_with("0x") || rest.starts_with("0X")) {
        prefix = 2;
    }
    if (prefix > 0) {
        const std::string_view hex = rest.substr(prefix);
        if (hex.empty() || hex.size() > 8) return false;
        uint32_t pattern = 0;
        for (const char c : hex) {
            const int digit = HexDigitValue(c);
            if (digit < 0) return false;
            pattern = pattern * 16 + static_cast<uint32_t>(digit);
        }
        value = static_cast<int32_t>(pattern);
        return true;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return false;
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i])) return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) return false;
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

std::string FixedPointText(ExtendedReal value, int decimals) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (decimals < 0) decimals = 0;
    const bool negative = value < 0;
    const Decimal18 decimal = ToDecimal18(std::fabs(value));
    if (decimal.exponent >= kExponentFormFrom) return ExponentForm(negative, decimal);

    // The digits of |value| * 10^decimals, rounded half up in magnitude.
    const int kept = decimal.exponent + 1 + decimals;
    std::string scaled;
    bool roundUp = false;
    if (kept >= kSignificantDigits) {
        scaled.assign(decimal.digits, kSignificantDigits);
        scaled.append(static_cast<size_t>(kept - kSignificantDigits), '0');
    } else if (kept >= 0) {
        scaled.assign(decimal.digits, static_cast<size_t>(kept));
        roundUp = decimal.digits[kept] >= '5';
    }
    if (roundUp) IncrementDigits(scaled);
    const size_t minimumLength = static_cast<size_t>(decimals) + 1;
    if (scaled.size() < minimumLength) scaled.insert(0, minimumLength - scaled.size(), '0');

    const size_t integerLength = scaled.size() - static_cast<size_t>(decimals);
    const size_t firstSignificant =
        std::min(scaled.find_first_not_of('0'), integerLength - 1);  // keep one integer digit
    std::string text = negative ? "-" : "";
    text.append(scaled, firstSignificant, integerLength - firstSignificant);
    if (decimals > 0) {
        text.push_back('.');
        text.append(scaled, integerLength, std::string::npos);
    }
    return text;
}

void TrimNumberText(std::string& text) {
    // Only a fixed-point text with a point is shortened: trimming the exponent form would change
    // its exponent, and trimming a text without a point would change its integer digits.
    if (text.find('.') == std::string::npos || text.find('E') != std::string::npos) return;
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
}

std::string RealDisplayText(ExtendedReal value, int decimals) {
    std::string text = FixedPointText(value, decimals);
    TrimNumberText(text);
    return text;
}

std::string IntegerDisplayText(int32_t value) {
    return std::to_string(value);
}
