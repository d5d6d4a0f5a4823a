// The rule of the general error report that shows the file layer's messages.
#pragma once

#include <string>
#include <string_view>

// The text of the general error report: the message, with a full stop appended when its last
// character comes after "." in character order.
std::string GeneralErrorReportText(std::string_view message);
