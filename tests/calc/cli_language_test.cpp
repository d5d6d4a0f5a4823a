// tarvik-cli in the language of the locale variables: English under an English locale, Russian
// under any other and by default; the results, the refusals and the argument errors alike.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <map>
#include <string>
#include <vector>

namespace {

struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs tarvik-cli with the locale variables given (any other one removed).
Result RunCli(const std::map<QString, QString>& locale, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) environment.remove(name);
    for (const auto& [name, value] : locale) environment.insert(name, value);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TARVIK_CLI_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    Result result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

struct LocaleRow {
    const char* name;
    std::map<QString, QString> locale;
    bool english;
};

class CliLanguage : public testing::TestWithParam<LocaleRow> {};

// The value of a failing expression, in the language of the locale.
TEST_P(CliLanguage, ResultFollowsTheLocale) {
    const LocaleRow& row = GetParam();
    const Result result = RunCli(row.locale, {"value", "1/0"});
    EXPECT_EQ(result.exitCode, 0);
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
};

class CliEnglish : public testing::TestWithParam<CommandRow> {};

// Each kind of text under both locales: Russian stays as it was, English is complete.
TEST_P(CliEnglish, EveryKindOfText) {
    const CommandRow& row = GetParam();
    const Result russian = RunCli({{"LANG", "C.UTF-8"}}, row.arguments);
    const Result english = RunCli({{"LANG", "en_US.UTF-8"}}, row.arguments);
    EXPECT_EQ(russian.exitCode, row.exitCode);
    EXPECT_EQ(english.exitCode, row.exitCode);
    const bool toOutput = row.exitCode == 0;
    EXPECT_EQ(toOutput ? russian.out : russian.err, row.russian);
    EXPECT_EQ(toOutput ? english.out : english.err, row.english);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CliEnglish,
    testing::Values(
        CommandRow{"Graph", {"value", "sinx"}, 0, "График построен\n", "Graph drawn\n"},
        CommandRow{"Number", {"value", "2+2"}, 0, "4\n", "4\n"},
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
                   "Last term: 4\nLast difference: 1\nBehaviour not determined\n"},
        CommandRow{"UnknownCommand",
                   {"frobnicate", "x"},
                   2,
                   "tarvik-cli: неизвестная команда: frobnicate\n",
                   "tarvik-cli: unknown command: frobnicate\n"},
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
