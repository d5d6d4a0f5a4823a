// The words of the program's messages, looked up in the catalogue in use.
#include "messages/messages.h"

#include <QStringList>
#include <QtGlobal>
#include <cstring>

#include "engine/number_text.h"
#include "messages/catalogue.h"

namespace {

constexpr int kValueDecimals = 10;
constexpr const char* kContext = "Messages";

std::string Text(const char* source) {
    return TranslatedUtf8(kContext, source);
}

QString Words(const char* source) {
    return Translated(kContext, source);
}

std::string Number(ExtendedReal value) {
    return RealDisplayText(value, kValueDecimals);
}

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// Indexed by the engine's error codes 1..11.
constexpr std::array<const char*, 12> kEngineErrors = {
    "",
    QT_TRANSLATE_NOOP("Messages", "Выражение некорректно"),
    QT_TRANSLATE_NOOP("Messages", "Скобки поставлены некорректно"),
    QT_TRANSLATE_NOOP("Messages", "Деление на ноль"),
    QT_TRANSLATE_NOOP("Messages", "Отрицательное число в дробной степени"),
    QT_TRANSLATE_NOOP("Messages", "Ноль в ненатуральной степени"),
    QT_TRANSLATE_NOOP("Messages", "Недопустимый аргумент тангенса"),
    QT_TRANSLATE_NOOP("Messages", "Недопустимый аргумент котангенса"),
    QT_TRANSLATE_NOOP("Messages", "Квадратный корень из отрицательного числа"),
    QT_TRANSLATE_NOOP("Messages", "Натуральный логарифм от неположительного числа"),
    QT_TRANSLATE_NOOP("Messages", "Факториал ненатурального числа"),
    QT_TRANSLATE_NOOP("Messages", "Переполнение"),
};

}  // namespace

std::string FailureText(int32_t code) {
    const char* message = QT_TRANSLATE_NOOP("Messages", "Пустой диапазон индексов n");
    if (code != kEmptyRangeCode) {
        if (code < kErrIncorrect || code > kErrOverflow) code = kErrOverflow;
        message = kEngineErrors[static_cast<size_t>(code)];
    }
    return Words(QT_TRANSLATE_NOOP("Messages", "ОШИБКА: %1")).arg(Words(message)).toStdString();
}

std::string OverflowText() {
    return Text(QT_TRANSLATE_NOOP("Messages", "Ошибка переполнения"));
}

std::string GraphBuiltText() {
    return Text(QT_TRANSLATE_NOOP("Messages", "График построен"));
}

std::string PlotStoppedText() {
    return Text(QT_TRANSLATE_NOOP("Messages", "Построение прервано"));
}

std::optional<std::string> RunEndText(const RunOutcome& outcome) {
    switch (outcome.End) {
        case RunEnd::None:
            return std::nullopt;
        case RunEnd::Failed:
            return FailureText(outcome.Code);
        case RunEnd::GraphBuilt:
            return GraphBuiltText();
        case RunEnd::Value:
            return outcome.NewA0Text.value_or(std::string());
        case RunEnd::Stopped:
            return PlotStoppedText();
    }
    return std::nullopt;
}

RunTexts RunWords(const RunOutcome& outcome) {
    RunTexts texts;
    texts.LogLines = outcome.LogLines;
    texts.ResultText = RunEndText(outcome);
    if (texts.ResultText) texts.LogLines.push_back(*texts.ResultText);
    if (outcome.Ran) {
        texts.ResultHint = Words(QT_TRANSLATE_NOOP("Messages", "Результат обработки выражения %1"))
                               .arg(FromUtf8(outcome.Expression))
                               .toStdString();
    }
    if (outcome.Built) {
        texts.Caption = std::string(kProgramCaption) + "  \"" + outcome.Expression + "\"";
    }
    return texts;
}

std::string CalcRefusalText(CalcRefusal refusal) {
    switch (refusal) {
        case CalcRefusal::Argument:
            return Text(QT_TRANSLATE_NOOP("Messages", "Введите правильное значение аргумента"));
        case CalcRefusal::Limit:
            return Text(QT_TRANSLATE_NOOP("Messages",
                                          "Введите правильное значение предела интегрирования"));
        case CalcRefusal::Sequence:
            return Text(
                QT_TRANSLATE_NOOP("Messages", "Невозможно интегрировать последовательности"));
        case CalcRefusal::IntervalTooSmall:
            return Text(QT_TRANSLATE_NOOP(
                "Messages", "Интервал интегрирования слишком мал для таких пределов"));
    }
    return {};
}

namespace {

std::string HintText(const CalcHint& hint) {
    switch (hint.Kind) {
        case CalcKind::Value:
            return Words(QT_TRANSLATE_NOOP("Messages", "Значение функции в точке %1"))
                .arg(FromUtf8(hint.From))
                .toStdString();
        case CalcKind::Derivative:
            return Words(QT_TRANSLATE_NOOP("Messages", "Значение производной функции в точке %1"))
                .arg(FromUtf8(hint.From))
                .toStdString();
        case CalcKind::Integral:
            return Words(QT_TRANSLATE_NOOP("Messages",
                                           "Значение определенного интеграла от %1 до %2"))
                .arg(FromUtf8(hint.From), FromUtf8(hint.To))
                .toStdString();
    }
    return {};
}

}  // namespace

CalcTexts CalcWords(const CalcOutcome& outcome) {
    CalcTexts texts;
    if (outcome.Information) texts.Information = CalcRefusalText(*outcome.Information);
    if (outcome.FailCode) {
        texts.ResultText = texts.ResultHint = FailureText(*outcome.FailCode);
    } else {
        texts.ResultText = outcome.ResultText;
        if (outcome.Hint) texts.ResultHint = HintText(*outcome.Hint);
    }
    return texts;
}

std::string TableRefusalText(TableRefusal refusal) {
    switch (refusal) {
        case TableRefusal::StepNotPositive:
            return Text(QT_TRANSLATE_NOOP("Messages", "Шаг должен быть больше нуля"));
        case TableRefusal::TooManyRows:
            return Text(QT_TRANSLATE_NOOP("Messages", "Слишком много строк: не больше 1000001"));
        case TableRefusal::BadArguments:
            return Text(QT_TRANSLATE_NOOP("Messages", "Введите правильные значения x0, xk и h"));
    }
    return {};
}

FailureWords TableFailureWords() {
    return [](int32_t code) { return FailureText(code); };
}

std::string BehaviourText(const SequenceVerdict& behaviour) {
    switch (behaviour.Kind) {
        case BehaviourKind::Converges:
            return Words(QT_TRANSLATE_NOOP("Messages", "Сходится к %1"))
                .arg(FromUtf8(Number(behaviour.Limit)))
                .toStdString();
        case BehaviourKind::Cycle: {
            QStringList values;
            for (const ExtendedReal value : behaviour.CycleValues)
                values << FromUtf8(Number(value));
            return Words(QT_TRANSLATE_NOOP("Messages", "Цикл периода %1: %2"))
                .arg(QString::number(behaviour.CycleValues.size()),
                     values.join(QStringLiteral("; ")))
                .toStdString();
        }
        case BehaviourKind::DivergesUp:
            return Text(QT_TRANSLATE_NOOP("Messages", "Расходится к +∞"));
        case BehaviourKind::DivergesDown:
            return Text(QT_TRANSLATE_NOOP("Messages", "Расходится к −∞"));
        case BehaviourKind::Diverges:
            return Text(QT_TRANSLATE_NOOP("Messages", "Расходится"));
        case BehaviourKind::Undetermined:
            break;
    }
    return Text(QT_TRANSLATE_NOOP("Messages", "Поведение не установлено"));
}

std::array<std::string, 3> SummaryLines(const SequenceEnd& end) {
    // Shown for a term or a difference the walk did not give.
    const std::string none = "—";
    std::string last;
    std::string difference;
    if (end.FailCode != kNoError) {
        last = difference = FailureText(end.FailCode);
    } else {
        last = end.LastTerm ? Number(*end.LastTerm) : none;
        difference = end.LastDifference ? Number(*end.LastDifference) : none;
    }
    return {Words(QT_TRANSLATE_NOOP("Messages", "Последний член: %1"))
                .arg(FromUtf8(last))
                .toStdString(),
            Words(QT_TRANSLATE_NOOP("Messages", "Последняя разность: %1"))
                .arg(FromUtf8(difference))
                .toStdString(),
            BehaviourText(end.Verdict)};
}

std::string PictureModeName(PictureMode mode) {
    switch (mode) {
        case PictureMode::Graph:
            break;
        case PictureMode::Terms:
            return Text(QT_TRANSLATE_NOOP("Messages", "Члены последовательности"));
        case PictureMode::Cobweb:
            return Text(QT_TRANSLATE_NOOP("Messages", "Паутина"));
    }
    return Text(QT_TRANSLATE_NOOP("Messages", "График"));
}

std::optional<std::string> PictureInformation(const PictureOutcome& outcome) {
    if (!outcome.CobwebNeedsMap) return std::nullopt;
    return Text(QT_TRANSLATE_NOOP("Messages", "Паутина строится только для выражений без n"));
}

std::string PictureFilter(PictureFormat format) {
    switch (format) {
        case PictureFormat::Bmp:
            break;
        case PictureFormat::Png:
            return Text(QT_TRANSLATE_NOOP("Messages", "Рисунок PNG (*.png)"));
        case PictureFormat::Svg:
            return Text(QT_TRANSLATE_NOOP("Messages", "Рисунок SVG (*.svg)"));
        case PictureFormat::Pdf:
            return Text(QT_TRANSLATE_NOOP("Messages", "Рисунок PDF (*.pdf)"));
    }
    return Text(QT_TRANSLATE_NOOP("Messages", "Рисунок BMP (*.bmp)"));
}

std::string FileFailureText(const FileResult& result) {
    switch (result.Failure) {
        case FileFailure::None:
            return {};
        case FileFailure::NotFound:
            return Text(QT_TRANSLATE_NOOP("Messages", "File not found"));
        case FileFailure::InvalidName:
            return Text(QT_TRANSLATE_NOOP("Messages", "Invalid filename"));
        case FileFailure::TooManyFiles:
            return Text(QT_TRANSLATE_NOOP("Messages", "Too many open files"));
        case FileFailure::AccessDenied:
            return Text(QT_TRANSLATE_NOOP("Messages", "File access denied"));
        case FileFailure::DiskFull:
            return Text(QT_TRANSLATE_NOOP("Messages", "Disk full"));
        case FileFailure::Socket:
            return Text(QT_TRANSLATE_NOOP("Messages", "Cannot save to a socket"));
        case FileFailure::PipeWithoutReader:
            return Text(QT_TRANSLATE_NOOP("Messages", "No process reads from the pipe"));
        case FileFailure::Folder:
            return Text(QT_TRANSLATE_NOOP("Messages", "The name is a folder, not a file"));
        case FileFailure::Other:
            break;
    }
    return Words(QT_TRANSLATE_NOOP("Messages", "I/O error %1")).arg(result.Code).toStdString();
}

std::string FileFailureReason(const FileResult& result) {
    if (RefusedTarget(result)) return FileFailureText(result);
    return std::strerror(result.Code);
}

std::string ExportFailureText(const QString& path, const FileResult& result) {
    if (result.Ok()) return {};
    if (RefusedTarget(result)) return FileFailureText(result);
    if (result.WhileCreating)
        return Words(QT_TRANSLATE_NOOP("Messages", "Cannot create file %1"))
            .arg(path)
            .toStdString();
    return Text(QT_TRANSLATE_NOOP("Messages", "Stream write error"));
}

std::string SetFileRefusalText(const SetFileRefusal& refusal) {
    const QString where = refusal.Curve > 0
                              ? Words(QT_TRANSLATE_NOOP("Messages", "кривая %1, ключ \"%2\""))
                                    .arg(refusal.Curve)
                                    .arg(QString::fromStdString(refusal.Key))
                              : Words(QT_TRANSLATE_NOOP("Messages", "ключ \"%1\""))
                                    .arg(QString::fromStdString(refusal.Key));
    switch (refusal.Error) {
        case SetFileError::None:
            return {};
        case SetFileError::Syntax:
            return Words(QT_TRANSLATE_NOOP("Messages",
                                           "Файл набора кривых повреждён: строка %1, столбец %2"))
                .arg(refusal.Line)
                .arg(refusal.Column)
                .toStdString();
        case SetFileError::NotAnObject:
            return Text(QT_TRANSLATE_NOOP("Messages", "Это не файл набора кривых"));
        case SetFileError::UnknownFormat:
            return Text(QT_TRANSLATE_NOOP("Messages", "Неизвестный формат файла набора кривых"));
        case SetFileError::UnknownVersion:
            return Text(QT_TRANSLATE_NOOP(
                "Messages", "Файл набора кривых записан более новой версией программы"));
        case SetFileError::BadValue:
            return Words(
                       QT_TRANSLATE_NOOP("Messages", "Неверное значение в файле набора кривых: %1"))
                .arg(where)
                .toStdString();
        case SetFileError::BadExpression:
            return Words(QT_TRANSLATE_NOOP("Messages", "Ошибка в выражении кривой %1: %2"))
                .arg(refusal.Curve)
                .arg(QString::fromStdString(FailureText(refusal.Code)))
                .toStdString();
    }
    return {};
}

std::string CurveSetFilter() {
    return Text(QT_TRANSLATE_NOOP("Messages", "Наборы кривых (*.tvkset)"));
}

std::string LoadErrorText(const LoadError& error) {
    const QString line = QString::number(error.Line);
    switch (error.Kind) {
        case LoadProblem::None:
            return {};
        case LoadProblem::File:
            if (error.Read.Failure == FileFailure::Socket)
                return Text(QT_TRANSLATE_NOOP("Messages", "Cannot read from a socket"));
            return FileFailureText(error.Read);
        case LoadProblem::NotANumber:
            return Words(QT_TRANSLATE_NOOP("Messages", "Invalid numeric input in line %1"))
                .arg(line)
                .toStdString();
        case LoadProblem::OutOfRange:
            return Words(QT_TRANSLATE_NOOP("Messages", "Value out of range in line %1"))
                .arg(line)
                .toStdString();
        case LoadProblem::Missing:
            return Words(QT_TRANSLATE_NOOP("Messages", "Missing value in line %1"))
                .arg(line)
                .toStdString();
        case LoadProblem::MissingLine:
            return Words(QT_TRANSLATE_NOOP("Messages", "Missing line %1")).arg(line).toStdString();
        case LoadProblem::Incomplete:
            return Words(QT_TRANSLATE_NOOP("Messages", "Line %1 ends without a line break"))
                .arg(line)
                .toStdString();
        case LoadProblem::TooLong:
            return Words(QT_TRANSLATE_NOOP("Messages", "Line %1 is too long"))
                .arg(line)
                .toStdString();
        case LoadProblem::NotText:
            return Words(QT_TRANSLATE_NOOP("Messages", "Invalid character in line %1"))
                .arg(line)
                .toStdString();
        case LoadProblem::BadBound:
            return Words(QT_TRANSLATE_NOOP("Messages", "Invalid argument bound in line %1"))
                .arg(line)
                .toStdString();
        case LoadProblem::BoundsOutOfOrder:
            return Text(
                QT_TRANSLATE_NOOP("Messages", "Argument bounds out of order in lines 10 and 11"));
    }
    return {};
}
