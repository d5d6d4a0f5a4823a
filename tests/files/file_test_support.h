// Helpers of the file tests: whole-file bytes, folder listings and running a piece of a test in
// a child process (as an unprivileged user, or under a file-size limit).
#pragma once

#include <sys/resource.h>

#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <string_view>

std::string ReadBytes(const QString& path);
void WriteBytes(const QString& path, std::string_view bytes);
// The names in a folder, sorted, without "." and "..".
QStringList FolderEntries(const QString& folder);

struct ChildOptions {
    // Run as the user and group 65534 ("nobody") when this process is root, since root passes
    // every permission check.
    bool Unprivileged = false;
    rlim_t FileSizeLimit = RLIM_INFINITY;
};

// Runs `body` in a forked child and returns the text it returned; a child that did not end
// normally gives a text saying how it ended.
std::string InChild(const ChildOptions& options, const std::function<std::string()>& body);

// The saves and the load as the window reports them: the failure message, empty on success.
struct FunctionFile;
struct TableRows;
class QImage;
std::string SavedFunction(const QString& path, const FunctionFile& file);
std::string SavedPicture(const QString& path, const QImage& picture);
std::string SavedScenario(const QString& path, const QString& logText);
std::string SavedCsv(const QString& path, const TableRows& rows);
std::string LoadMessage(const QString& path);
