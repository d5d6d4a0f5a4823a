#include "engine/decimal_comma.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Replaces `from` by `to` wherever it stands between two digits.
std::string BetweenDigits(std::string_view text, char from, char to) {
    std::string result(text);
    for (size_t k = 1; k + 1 < result.size(); ++k) {
        if (result[k] == from && IsDigit(result[k - 1]) && IsDigit(result[k + 1])) result[k] = to;
    }
    return result;
}

}  // namespace

std::string CommaAsPoint(std::string_view text) {
    return BetweenDigits(text, ',', '.');
}

std::string PointAsComma(std::string_view text) {
    return BetweenDigits(text, '.', ',');
}
