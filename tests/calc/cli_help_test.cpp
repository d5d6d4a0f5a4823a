// tarvik-cli --help, -h, help COMMAND and --version: usage on standard output with exit 0, every
// command and option on a line of its own, in the language of the locale; a wrong word after
// them is a usage error.
#include <gtest/gtest.h>

#include <QString>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

const std::vector<std::string> kCommands = {"value", "tree",     "derivative", "integral",
                                            "table", "sequence", "render"};
const std::vector<std::string> kOptions = {
    "--x",      "--a0",     "--c",           "--n0",      "--nk",      "--from",
    "--to",     "--step",   "--threads",     "--summary", "-o",        "--format",
    "--size",   "--view",   "--centre",      "--spp",     "--bound",   "--bg",
    "--fg",     "--load",   "--points",      "--no-grid", "--no-axes", "--terms",
    "--cobweb", "--labels", "--break-poles", "--help",    "--version"};

// Whether some line of the text begins, after its indent, with the word and a blank.
bool HasLineFor(const std::string& text, const std::string& word) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const size_t start = line.find_first_not_of(' ');
        if (start != 0 && start != std::string::npos &&
            line.compare(start, word.size(), word) == 0 && line.size() > start + word.size() &&
            line[start + word.size()] == ' ')
            return true;
    }
    return false;
}

TEST(CliHelp, ListsEveryCommandAndOptionInBothLanguages) {
    for (const char* lang : {"C.UTF-8", "en_US.UTF-8"}) {
        for (const char* spelling : {"--help", "-h", "help"}) {
            SCOPED_TRACE(std::string(lang) + " " + spelling);
            const CliResult result = RunCli({spelling}, InLocale({{"LANG", lang}}));
            EXPECT_EQ(result.exitCode, 0);
            EXPECT_EQ(result.err, "");
            for (const std::string& word : kCommands)
                EXPECT_TRUE(HasLineFor(result.out, word)) << word;
            for (const std::string& word : kOptions)
                EXPECT_TRUE(HasLineFor(result.out, word)) << word;
        }
    }
    EXPECT_NE(RunCli({"--help"}).out.find("Использование: tarvik-cli"), std::string::npos);
    const CliResult english = RunCli({"--help"}, InLocale({{"LANG", "en_US.UTF-8"}}));
    EXPECT_NE(english.out.find("Usage: tarvik-cli"), std::string::npos);
    EXPECT_EQ(english.out.find("Использование"), std::string::npos);
}

struct CommandRow {
    const char* command;
    std::vector<std::string> options;  // some of its options
    std::vector<std::string> others;   // options of other commands, not listed
};

TEST(CliHelp, HelpOfOneCommandListsItsOptions) {
    const CommandRow rows[] = {
        {"value", {"--x", "--a0", "--nk"}, {"-o", "--step"}},
        {"tree", {}, {"--x", "--a0"}},
        {"integral", {"--from", "--to", "--threads"}, {"--x"}},
        {"table", {"--from", "--to", "--step"}, {"--threads"}},
        {"sequence", {"--x", "--summary"}, {"--from"}},
        {"render", {"-o", "--size", "--load", "--labels", "--cobweb"}, {"--step", "--summary"}},
    };
    for (const CommandRow& row : rows) {
        SCOPED_TRACE(row.command);
        const CliResult result = RunCli({"help", row.command});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_NE(result.out.find(std::string("tarvik-cli ") + row.command), std::string::npos);
        for (const std::string& option : row.options)
            EXPECT_TRUE(HasLineFor(result.out, option)) << option;
        for (const std::string& option : row.others)
            EXPECT_FALSE(HasLineFor(result.out, option)) << option;
    }
}

TEST(CliHelp, VersionComesFromTheBuild) {
    const CliResult result = RunCli({"--version"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "tarvik-cli " TARVIK_EXPECTED_VERSION "\n");
    EXPECT_EQ(result.err, "");
}

TEST(CliHelp, WrongWordsAfterHelpAreUsageErrors) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"help", "plot"},
                                                      {"--help", "value"},
                                                      {"--version", "x"},
                                                      {"help", "value", "x"}}) {
        const CliResult result = RunCli(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments[1];
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("tarvik-cli --help\n"), std::string::npos) << result.err;
    }
}

}  // namespace
