// Why a curve set file was refused (files/curve_set_file.h reads the files).
#pragma once

#include <cstdint>
#include <string>

enum class SetFileError {
    None,
    Syntax,          // not JSON: Line and Column tell where reading stopped
    NotAnObject,     // JSON, but not one object with a list of curves
    UnknownFormat,   // "format" is not "tarvik-curves"
    UnknownVersion,  // "version" is not one this program reads
    BadValue,        // Key holds a value of the wrong kind, or a number text that is not one
    BadExpression,   // a curve's expression does not build: Code tells why
};

struct SetFileRefusal {
    SetFileError Error = SetFileError::None;
    int Line = 0;
    int Column = 0;
    int Curve = 0;    // 1-based; 0 for the view and the file's own keys
    std::string Key;  // the key whose value was refused
    int32_t Code = 0;
    bool Ok() const { return Error == SetFileError::None; }
};
