// Whole-file reading and writing for the file commands, with the failure kinds they report and
// the system's error number (the interface words them).
// Writing goes through a temporary file that replaces the old one only when every byte has been
// written, so a failed save never damages the file that was there. A symbolic link is followed
// and its target replaced; a device or a pipe is written in place instead (never replaced by a
// plain file); a socket is refused.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <functional>
#include <string>

enum class FileFailure {
    None,
    NotFound,
    InvalidName,
    TooManyFiles,
    AccessDenied,
    DiskFull,
    Socket,             // the name is a socket: nothing can be saved there
    PipeWithoutReader,  // the name is a pipe that no process reads
    Folder,             // the name to read is a folder
    Other
};

struct FileResult {
    FileFailure Failure = FileFailure::None;
    bool WhileCreating = false;  // the file could not be created or opened at all
    int Code = 0;                // the system's error number, for FileFailure::Other
    bool Ok() const { return Failure == FileFailure::None; }
    // The system's own words for Code ("No space left on device").
    std::string SystemReason() const;
};

// Whether the save was refused for the kind of thing at the name (a socket, a pipe unread).
inline bool RefusedTarget(const FileResult& result) {
    return result.Failure == FileFailure::Socket ||
           result.Failure == FileFailure::PipeWithoutReader;
}

// Replaces the content of `path` by `bytes`. On any failure the old file, if any, is unchanged.
// A read-only file is not replaced (AccessDenied). A character or block device or a pipe is
// written in place with every write checked (a pipe only while some process reads it).
FileResult WriteWholeFile(const QString& path, const QByteArray& bytes);

// Takes the next piece of a file's bytes; false when it could not be written.
using ByteWriter = std::function<bool(const char* data, std::size_t size)>;
// Hands a file's bytes to the writer piece by piece, in order; false as soon as a write fails.
using ByteSource = std::function<bool(const ByteWriter& write)>;

// WriteWholeFile for bytes made while they are written, so that they are never all held at once.
// A source that fails after a write that succeeded leaves the old file as a failed write does.
FileResult WriteFileFrom(const QString& path, const ByteSource& source);

// Reads the file's first `limit` bytes (all of a shorter file) into `bytes`. A pipe or a
// terminal is read, waiting for its data, up to its end or the limit; a socket or a folder is
// refused as what it is.
FileResult ReadFileStart(const QString& path, std::string& bytes, std::size_t limit);

// Makes a write beyond the process's file-size limit fail with an error instead of ending the
// program. The program and the command-line companion call it once at start-up.
void IgnoreFileSizeSignal();

// The name with `extension` appended unless its last characters are exactly that extension
// (case-sensitive): "graph" -> "graph.tvk", "graph.TVK" -> "graph.TVK.tvk".
QString WithExtension(const QString& name, const QString& extension);
