// The program's command line: --help and --version, answered without a window (and without a
// display), and the file to open after the start-up picture.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct StartOptions {
    // Set when the program ends at once: its exit code (the text is printed already).
    std::optional<int> ExitCode;
    // The function file named on the command line, if any.
    QString File;
};

// Whether the command line asks anything of the parser beyond a file (an option).
bool HasOptions(int argc, char** argv);
// Reads the command line in an application of any kind; --help and --version print to standard
// output and end with 0, a wrong option prints a short usage to standard error and ends with 2.
StartOptions ReadStartOptions(const QStringList& arguments);
