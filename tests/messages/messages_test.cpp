// The words of the outcomes: the Russian texts byte for byte (the file layer's English reports
// among them), and the same outcomes in English once the catalogue is in use.
#include "messages/messages.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <string>

#include "messages/language_choice.h"

namespace {

// The message of every engine code, with the prefix the callers show.
TEST(Messages, EveryEngineCodeHasItsText) {
    const std::array<const char*, 12> expected = {
        "",
        "Выражение некорректно",
        "Скобки поставлены некорректно",
        "Деление на ноль",
        "Отрицательное число в дробной степени",
        "Ноль в ненатуральной степени",
        "Недопустимый аргумент тангенса",
        "Недопустимый аргумент котангенса",
        "Квадратный корень из отрицательного числа",
        "Натуральный логарифм от неположительного числа",
        "Факториал ненатурального числа",
        "Переполнение",
    };
    for (int32_t code = kErrIncorrect; code <= kErrOverflow; ++code) {
        EXPECT_EQ(FailureText(code), std::string("ОШИБКА: ") + expected[size_t(code)]) << code;
    }
    // The one text of an empty index range, and a code no engine gives shown as an overflow.
    EXPECT_EQ(FailureText(kEmptyRangeCode), "ОШИБКА: Пустой диапазон индексов n");
    EXPECT_EQ(FailureText(99), "ОШИБКА: Переполнение");
    EXPECT_EQ(FailureText(kNoError), "ОШИБКА: Переполнение");
}

FileResult Failure(FileFailure failure, int code = 0, bool whileCreating = false) {
    FileResult result;
    result.Failure = failure;
    result.Code = code;
    result.WhileCreating = whileCreating;
    return result;
}

// The file layer's reports keep their wording in the Russian interface.
TEST(Messages, FileFailuresKeepTheirWording) {
    const struct {
        FileResult result;
        const char* text;
    } rows[] = {
        {Failure(FileFailure::None), ""},
        {Failure(FileFailure::NotFound, ENOENT), "File not found"},
        {Failure(FileFailure::InvalidName, ENOTDIR), "Invalid filename"},
        {Failure(FileFailure::TooManyFiles, EMFILE), "Too many open files"},
        {Failure(FileFailure::AccessDenied, EACCES), "File access denied"},
        {Failure(FileFailure::DiskFull, ENOSPC), "Disk full"},
        {Failure(FileFailure::Socket, ENXIO, true), "Cannot save to a socket"},
        {Failure(FileFailure::PipeWithoutReader, ENXIO, true), "No process reads from the pipe"},
        {Failure(FileFailure::Other, EIO), "I/O error 5"},
    };
    for (const auto& row : rows) EXPECT_EQ(FileFailureText(row.result), row.text);
    // The reason: the system's words, or the refusal's own message.
    EXPECT_EQ(FileFailureReason(Failure(FileFailure::DiskFull, ENOSPC)), std::strerror(ENOSPC));
    EXPECT_EQ(FileFailureReason(Failure(FileFailure::Socket, ENXIO, true)),
              "Cannot save to a socket");
}

TEST(Messages, ExportFailuresAsTheBitmapExportWordsThem) {
    const QString path = QStringLiteral("/tmp/график 100%1.bmp");
    EXPECT_EQ(ExportFailureText(path, FileResult{}), "");
    EXPECT_EQ(ExportFailureText(path, Failure(FileFailure::AccessDenied, EACCES, true)),
              "Cannot create file /tmp/график 100%1.bmp");
    EXPECT_EQ(ExportFailureText(path, Failure(FileFailure::DiskFull, ENOSPC)),
              "Stream write error");
    EXPECT_EQ(ExportFailureText(path, Failure(FileFailure::PipeWithoutReader, ENXIO, true)),
              "No process reads from the pipe");
}

LoadError Problem(LoadProblem kind, int line) {
    LoadError error;
    error.Kind = kind;
    error.Line = line;
    return error;
}

TEST(Messages, LoadRefusals) {
    LoadError unreadable = Problem(LoadProblem::File, 0);
    unreadable.Read = Failure(FileFailure::NotFound, ENOENT, true);
    const struct {
        LoadError error;
        const char* text;
    } rows[] = {
        {Problem(LoadProblem::None, 0), ""},
        {unreadable, "File not found"},
        {Problem(LoadProblem::NotANumber, 3), "Invalid numeric input in line 3"},
        {Problem(LoadProblem::MissingLine, 9), "Missing line 9"},
        {Problem(LoadProblem::Incomplete, 11), "Line 11 ends without a line break"},
        {Problem(LoadProblem::TooLong, 1), "Line 1 is too long"},
        {Problem(LoadProblem::NotText, 5), "Invalid character in line 5"},
        {Problem(LoadProblem::OutOfRange, 4), "Value out of range in line 4"},
        {Problem(LoadProblem::Missing, 2), "Missing value in line 2"},
        {Problem(LoadProblem::BadBound, 11), "Invalid argument bound in line 11"},
        {Problem(LoadProblem::BoundsOutOfOrder, 10),
         "Argument bounds out of order in lines 10 and 11"},
    };
    for (const auto& row : rows) EXPECT_EQ(LoadErrorText(row.error), row.text);
}

SequenceVerdict Verdict(BehaviourKind kind, std::vector<ExtendedReal> values = {}) {
    SequenceVerdict verdict;
    verdict.Kind = kind;
    if (kind == BehaviourKind::Converges) verdict.Limit = values.at(0);
    if (kind == BehaviourKind::Cycle) verdict.CycleValues = values;
    return verdict;
}

TEST(Messages, SequenceBehaviourLines) {
    EXPECT_EQ(BehaviourText(Verdict(BehaviourKind::Converges, {0.5L})), "Сходится к 0.5");
    EXPECT_EQ(BehaviourText(Verdict(BehaviourKind::Cycle, {1, 2.5L, -3})),
              "Цикл периода 3: 1; 2.5; -3");
    EXPECT_EQ(BehaviourText(Verdict(BehaviourKind::DivergesUp)), "Расходится к +∞");
    EXPECT_EQ(BehaviourText(Verdict(BehaviourKind::DivergesDown)), "Расходится к −∞");
    EXPECT_EQ(BehaviourText(Verdict(BehaviourKind::Diverges)), "Расходится");
    EXPECT_EQ(BehaviourText(Verdict(BehaviourKind::Undetermined)), "Поведение не установлено");

    SequenceEnd empty;
    EXPECT_EQ(SummaryLines(empty),
              (std::array<std::string, 3>{"Последний член: —", "Последняя разность: —",
                                          "Поведение не установлено"}));
    SequenceEnd failed;
    failed.FailCode = kEmptyRangeCode;
    EXPECT_EQ(SummaryLines(failed)[1], "Последняя разность: ОШИБКА: Пустой диапазон индексов n");
}

TEST(Messages, RefusalsAndPictureNames) {
    EXPECT_EQ(CalcRefusalText(CalcRefusal::Argument), "Введите правильное значение аргумента");
    EXPECT_EQ(CalcRefusalText(CalcRefusal::Limit),
              "Введите правильное значение предела интегрирования");
    EXPECT_EQ(CalcRefusalText(CalcRefusal::Sequence),
              "Невозможно интегрировать последовательности");
    EXPECT_EQ(CalcRefusalText(CalcRefusal::IntervalTooSmall),
              "Интервал интегрирования слишком мал для таких пределов");
    EXPECT_EQ(TableRefusalText(TableRefusal::StepNotPositive), "Шаг должен быть больше нуля");
    EXPECT_EQ(TableRefusalText(TableRefusal::TooManyRows),
              "Слишком много строк: не больше 1000001");
    EXPECT_EQ(TableRefusalText(TableRefusal::BadArguments),
              "Введите правильные значения x0, xk и h");
    EXPECT_EQ(PictureModeName(PictureMode::Graph), "График");
    EXPECT_EQ(PictureModeName(PictureMode::Terms), "Члены последовательности");
    EXPECT_EQ(PictureModeName(PictureMode::Cobweb), "Паутина");
    PictureOutcome drawn;
    EXPECT_FALSE(PictureInformation(drawn));
    drawn.CobwebNeedsMap = true;
    EXPECT_EQ(PictureInformation(drawn), "Паутина строится только для выражений без n");
}

// The hint names the expression as typed, a "%" in it included.
TEST(Messages, RunAndCalculationWords) {
    RunOutcome run;
    run.Ran = true;
    run.LogLines = {"*", "x%1"};
    run.Expression = "x%1";
    run.Built = true;
    run.End = RunEnd::GraphBuilt;
    const RunTexts words = RunWords(run);
    EXPECT_EQ(words.LogLines, (std::vector<std::string>{"*", "x%1", "График построен"}));
    EXPECT_EQ(words.ResultHint, "Результат обработки выражения x%1");
    EXPECT_EQ(words.Caption, "Tarvik 1.0  \"x%1\"");
    run.End = RunEnd::None;
    EXPECT_EQ(RunWords(run).LogLines.size(), 2u);
    EXPECT_FALSE(RunWords(run).ResultText);

    CalcOutcome integral;
    integral.ResultText = "0.5";
    integral.Hint = CalcHint{CalcKind::Integral, "0", "1"};
    EXPECT_EQ(CalcWords(integral).ResultHint, "Значение определенного интеграла от 0 до 1");
    CalcOutcome failed;
    failed.FailCode = kErrDivisionByZero;
    EXPECT_EQ(CalcWords(failed).ResultText, "ОШИБКА: Деление на ноль");
    EXPECT_EQ(CalcWords(failed).ResultHint, "ОШИБКА: Деление на ноль");
}

// The same outcomes in English, through the catalogue tarvik-cli loads; Russian again after.
TEST(Messages, EnglishThroughTheCatalogue) {
    ASSERT_TRUE(UseCatalogue(Language::English));
    EXPECT_EQ(FailureText(kErrDivisionByZero), "ERROR: Division by zero");
    EXPECT_EQ(FailureText(kEmptyRangeCode), "ERROR: Empty range of the index n");
    EXPECT_EQ(OverflowText(), "Overflow error");
    EXPECT_EQ(BehaviourText(Verdict(BehaviourKind::Converges, {1})), "Converges to 1");
    EXPECT_EQ(TableRefusalText(TableRefusal::StepNotPositive),
              "The step must be greater than zero");
    // The file layer's reports read the same in both languages.
    EXPECT_EQ(FileFailureText(Failure(FileFailure::DiskFull, ENOSPC)), "Disk full");
    ASSERT_TRUE(UseCatalogue(Language::Russian));
    EXPECT_EQ(FailureText(kErrDivisionByZero), "ОШИБКА: Деление на ноль");
}

}  // namespace
