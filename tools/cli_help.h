// tarvik-cli's help: the usage of every command and option, the help of one command, the short
// usage after a wrong command line, and the version. In the language of the catalogue in use.
#pragma once

#include <string>
#include <vector>

// One command's name and the options it takes, in the order they are listed.
struct CommandOptions {
    std::string command;
    std::vector<std::string> options;
};

// The whole usage: every command and every option, a line each (for --help).
std::string FullHelp(const std::vector<CommandOptions>& commands);
// The usage of one command with its options (for "help COMMAND").
std::string CommandHelp(const CommandOptions& command);
// The line that follows a wrong command or option on standard error.
std::string ShortUsageHint();
// "tarvik-cli VERSION".
std::string VersionText();
