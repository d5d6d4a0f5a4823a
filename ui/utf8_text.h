// The one conversion of the core's UTF-8 texts into the window's strings.
#pragma once

#include <QString>
#include <string_view>

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
