// The general error report's full-stop rule.
#include "files/file_errors.h"

std::string GeneralErrorReportText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}
