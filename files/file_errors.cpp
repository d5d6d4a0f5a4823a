// The file layer's message texts.
#include "files/file_errors.h"

std::string IoErrorText(int code) {
    return "I/O error " + std::to_string(code);
}

std::string CannotCreateText(std::string_view name) {
    return "Cannot create file " + std::string(name);
}

std::string GeneralErrorReportText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}
