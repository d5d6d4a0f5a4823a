// The file layer's messages and the text of the error report that shows them.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view kFileNotFound = "File not found";
inline constexpr std::string_view kInvalidFilename = "Invalid filename";
inline constexpr std::string_view kTooManyOpenFiles = "Too many open files";
inline constexpr std::string_view kFileAccessDenied = "File access denied";
inline constexpr std::string_view kDiskFull = "Disk full";
inline constexpr std::string_view kInvalidNumericInput = "Invalid numeric input";
inline constexpr std::string_view kStreamWriteError = "Stream write error";
inline constexpr std::string_view kSocketTarget = "Cannot save to a socket";
inline constexpr std::string_view kPipeWithoutReader = "No process reads from the pipe";

// "I/O error k" for any other failure of the system's file calls (k: the error number).
std::string IoErrorText(int code);
// "Cannot create file NAME" (NAME: the file name as written, UTF-8).
std::string CannotCreateText(std::string_view name);

// The text of the general error report: the message, with a full stop appended when its last
// character comes after "." in character order.
std::string GeneralErrorReportText(std::string_view message);
