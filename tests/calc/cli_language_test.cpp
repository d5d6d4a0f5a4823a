// tarvik-cli in the language of the locale variables: English under an English locale, Russian
// under any other and by default; the results, the refusals and the argument errors alike.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <map>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

using Result = CliResult;

struct LocaleRow {
    const char* name;
    std::map<QString, QString> locale;
    bool english;
};

class CliLanguage : public testing::TestWithParam<LocaleRow> {};

// The value of a failing expression, in the language of the locale.
TEST_P(CliLanguage, ResultFollowsTheLocale) {
    const LocaleRow& row = GetParam();
    const Result result = RunCli({"value", "1/0"}, InLocale(row.locale));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, row.english ? "ERROR: Division by zero\n" : "ОШИБКА: Деление на ноль\n");
}

INSTANTIATE_TEST_SUITE_P(
    Locales, CliLanguage,
    testing::Values(
        LocaleRow{"Unset", {}, false}, LocaleRow{"C", {{"LANG", "C"}}, false},
        LocaleRow{"Posix", {{"LC_ALL", "POSIX"}, {"LANG", "en_US.UTF-8"}}, false},
        LocaleRow{"Russian", {{"LANG", "ru_RU.UTF-8"}}, false},
        LocaleRow{"German", {{"LANG", "de_DE.UTF-8"}}, false},
        LocaleRow{"English", {{"LANG", "en_US.UTF-8"}}, true},
        LocaleRow{
            "EnglishMessages", {{"LC_MESSAGES", "en_GB.UTF-8"}, {"LANG", "ru_RU.UTF-8"}}, true},
        LocaleRow{"LanguageList", {{"LANGUAGE", "en:ru"}, {"LC_ALL", "ru_RU.UTF-8"}}, true},
        LocaleRow{"EmptyLanguage", {{"LANGUAGE", ""}, {"LANG", "en_US.UTF-8"}}, true}),
    [](const testing::TestParamInfo<LocaleRow>& info) { return info.param.name; });

struct CommandRow {
    const char* name;
    QStringList arguments;
    int exitCode;
    std::string russian;  // standard output, else standard error
    std::string english;
    bool toOutput = false;
};

class CliEnglish : public testing::TestWithParam<CommandRow> {};

// Each kind of text under both locales: Russian stays as it was, English is complete.
TEST_P(CliEnglish, EveryKindOfText) {
    const CommandRow& row = GetParam();
    const Result russian = RunCli(row.arguments, InLocale({{"LANG", "C.UTF-8"}}));
    const Result english = RunCli(row.arguments, InLocale({{"LANG", "en_US.UTF-8"}}));
    EXPECT_EQ(russian.exitCode, row.exitCode);
    EXPECT_EQ(english.exitCode, row.exitCode);
    const bool toOutput = row.toOutput;
    EXPECT_EQ(toOutput ? russian.out : russian.err, row.russian);
    EXPECT_EQ(toOutput ? english.out : english.err, row.english);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CliEnglish,
    testing::Values(
        CommandRow{"Graph",
                   {"render", "sinx", "-o", "/dev/null", "--format", "bmp"},
                   0,
                   "График построен\n",
                   "Graph drawn\n",
                   true},
        CommandRow{"Number", {"value", "2+2"}, 0, "4\n", "4\n", true},
        CommandRow{"Error",
                   {"value", "1/0"},
                   1,
                   "ОШИБКА: Деление на ноль\n",
                   "ERROR: Division by zero\n",
                   true},
        CommandRow{"NeedsX",
                   {"value", "sinx"},
                   2,
                   "tarvik-cli: value: для выражения с x нужен параметр --x\n",
                   "tarvik-cli: value: an expression with x needs --x\n"},
        CommandRow{"OutOfRange",
                   {"value", "1", "--nk", "200000"},
                   2,
                   "tarvik-cli: --nk: 200000 вне диапазона 2..100000\n",
                   "tarvik-cli: --nk: 200000 is out of range 2..100000\n"},
        CommandRow{"ScaleOutOfRange",
                   {"render", "sinx", "-o", "never.png", "--scale", "5"},
                   2,
                   "tarvik-cli: --scale: 5 вне диапазона 1..4\n",
                   "tarvik-cli: --scale: 5 is out of range 1..4\n"},
        CommandRow{"Refusal",
                   {"integral", "a+n", "--from", "0", "--to", "1"},
                   1,
                   "Невозможно интегрировать последовательности\n",
                   "Sequences cannot be integrated\n"},
        CommandRow{"BoundRefused",
                   {"render", "x", "-o", "never.bmp", "--bound", "1,0"},
                   2,
                   "tarvik-cli: недопустимое значение --bound: «1,0» (нижняя граница не меньше "
                   "верхней)\n",
                   "tarvik-cli: invalid value of --bound: “1,0” (the lower bound is not below the "
                   "upper one)\n"},
        CommandRow{"Summary",
                   {"sequence", "a+1", "--nk", "3", "--summary"},
                   0,
                   "Последний член: 4\nПоследняя разность: 1\nПоведение не установлено\n",
                   "Last term: 4\nLast difference: 1\nBehaviour not determined\n",
                   true},
        CommandRow{"UnknownCommand",
                   {"frobnicate", "x"},
                   2,
                   "tarvik-cli: неизвестная команда: frobnicate\nиспользование: tarvik-cli "
                   "КОМАНДА ВЫРАЖЕНИЕ [параметры]; список команд и параметров: tarvik-cli --help\n",
                   "tarvik-cli: unknown command: frobnicate\nusage: tarvik-cli COMMAND EXPRESSION "
                   "[options]; the commands and options: tarvik-cli --help\n"},
        CommandRow{"BadValue",
                   {"value", "x", "--a0", "1,5"},
                   2,
                   "tarvik-cli: недопустимое значение --a0: 1,5\n",
                   "tarvik-cli: invalid value of --a0: 1,5\n"},
        CommandRow{"TableRefused",
                   {"table", "x", "--from", "0", "--to", "1", "--step", "0"},
                   2,
                   "tarvik-cli: --step: Шаг должен быть больше нуля\n",
                   "tarvik-cli: --step: The step must be greater than zero\n"},
        CommandRow{"Together",
                   {"render", "x", "-o", "/dev/null", "--terms", "--cobweb"},
                   2,
                   "tarvik-cli: --terms и --cobweb вместе не задаются\n",
                   "tarvik-cli: --terms and --cobweb cannot be given together\n"},
        CommandRow{"MissingFile",
                   {"render", "--load", "/nonexistent-folder/none.tvk", "-o", "/dev/null"},
                   1,
                   "Invalid filename.\n",
                   "Invalid filename.\n"}),
    [](const testing::TestParamInfo<CommandRow>& info) { return info.param.name; });

}  // namespace
