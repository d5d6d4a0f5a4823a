// The decimal comma, a choice of the user's: a comma between two digits read as the decimal
// point, and the point between two digits shown as a comma. The comma means nothing else in
// the expression language, and files always keep the point.
#pragma once

#include <string>
#include <string_view>

// "2,5*x" -> "2.5*x"; any other comma stays (and stays an error for the builder).
std::string CommaAsPoint(std::string_view text);
// "0.8414709848" -> "0,8414709848"; a point not between two digits stays.
std::string PointAsComma(std::string_view text);
