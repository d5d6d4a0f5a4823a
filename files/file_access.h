// Whole-file reading and writing for the file commands, with the failure kinds they report.
// Writing goes through a temporary file that replaces the old one only when every byte has been
// written, so a failed save never damages the file that was there.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <string>

enum class FileFailure { None, NotFound, InvalidName, TooManyFiles, AccessDenied, DiskFull, Other };

struct FileResult {
    FileFailure Failure = FileFailure::None;
    bool WhileCreating = false;  // the file could not be created or opened at all
    int Code = 0;                // the system's error number, for FileFailure::Other
    bool Ok() const { return Failure == FileFailure::None; }
};

// The file layer's message: "File not found", "Disk full", "I/O error 5"...
std::string FileFailureText(const FileResult& result);

// Replaces the content of `path` by `bytes`. On any failure the old file, if any, is unchanged.
// A read-only file is not replaced (AccessDenied).
FileResult WriteWholeFile(const QString& path, const QByteArray& bytes);

// Reads the file's first `limit` bytes (all of a shorter file) into `bytes`.
FileResult ReadFileStart(const QString& path, std::string& bytes, std::size_t limit);

// Makes a write beyond the process's file-size limit fail with an error instead of ending the
// program. The program and the command-line companion call it once at start-up.
void IgnoreFileSizeSignal();

// The name with `extension` appended unless its last characters are exactly that extension
// (case-sensitive): "graph" -> "graph.tvk", "graph.TVK" -> "graph.TVK.tvk".
QString WithExtension(const QString& name, const QString& extension);
