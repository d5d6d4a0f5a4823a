// Runs tarvik-cli as a black box for the command-line tests: its exit code and both output
// streams, under a chosen locale, optionally as an unprivileged user.
#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct CliResult {
    int exitCode = -1;  // -1 when the program did not end normally
    std::string out;
    std::string err;
};

struct CliOptions {
    // The locale variables (every other one removed); by default LANG=C.UTF-8, under which
    // tarvik-cli speaks Russian whatever the machine's locale.
    std::optional<std::map<QString, QString>> locale;
    // Run as "nobody" when the tests run as root, since root passes every permission check. The
    // program is then run from a copy in a folder that user can reach: the build tree may lie
    // below a folder only its owner may enter.
    bool unprivileged = false;
    // Standard output goes to this file instead of the result.
    QString standardOutput;
    // Extra environment variables.
    std::map<QString, QString> environment;
};

// The program under test.
QString CliPath();

CliResult RunCli(const QStringList& arguments, const CliOptions& options = {});
CliResult RunCli(const std::vector<std::string>& arguments, const CliOptions& options = {});
CliResult RunCli(std::initializer_list<const char*> arguments, const CliOptions& options = {});

// The options of one kind of run.
CliOptions InLocale(const std::map<QString, QString>& locale);
CliOptions AsNobody();
CliOptions OutputTo(const QString& path);
