// Code page 1251, the single-byte text of the expression engine and of the function files.
// Every character becomes exactly one byte, so that character positions in the engine match
// what the user sees; characters outside the code page become '?'.
#pragma once

#include <string>
#include <string_view>

std::string Cp1251FromUtf8(std::string_view utf8);
std::string Utf8FromCp1251(std::string_view bytes);
