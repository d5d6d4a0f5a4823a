// tarvik-cli: the program's engine, calculations and picture on the command line, for scripts and
// black-box tests. Prints exactly the text the window would show (one line, UTF-8) and exits 0,
// or 1 when that text is an error; an information message goes to stderr with exit code 1, a bad
// argument with exit code 2.
// "render -o -" writes the picture to standard output, and the text to standard error.
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/calculations.h"
#include "calc/points_of_interest.h"
#include "calc/sequence_behaviour.h"
#include "calc/sequence_table.h"
#include "document/plot_document.h"
#include "document/run_command.h"
#include "engine/decimal_comma.h"
#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "engine/tree_builder.h"
#include "files/cp1251.h"
#include "files/curve_set_file.h"
#include "files/file_access.h"
#include "files/file_errors.h"
#include "files/function_file.h"
#include "files/picture_export.h"
#include "messages/catalogue.h"
#include "messages/language_choice.h"
#include "messages/messages.h"
#include "tools/cli_help.h"
#include "tools/cli_progress.h"
#include "view/axis_label_painter.h"
#include "view/canvas.h"
#include "view/drawing.h"
#include "view/plot_marks.h"
#include "view/scale_commands.h"
#include "view/sequence_pictures.h"
#include "view/view_state.h"

namespace {

constexpr int kExitInformation = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;  // 128 + SIGINT, as a shell reports it
constexpr int kExitFailedResult = 1;
constexpr int kDefaultWidth = 308;
constexpr int kDefaultHeight = 275;
constexpr int kMaxPictureSide = 20000;
constexpr int kMostThreads = 256;
constexpr const char* kStandardOutput = "-";

// tarvik-cli's own texts, in the language of the locale (UTF-8). Each %1, %2 of the text takes
// the argument of its number, byte for byte (a file name need not be UTF-8).
std::string Words(const char* source, std::initializer_list<std::string_view> args = {}) {
    const std::string text = TranslatedUtf8("TarvikCli", source);
    std::string filled;
    for (size_t k = 0; k < text.size(); ++k) {
        const size_t number = k + 1 < text.size() ? size_t(text[k + 1] - '0') : 0;
        if (text[k] == '%' && number >= 1 && number <= args.size()) {
            filled += *(args.begin() + static_cast<std::ptrdiff_t>(number - 1));
            ++k;
        } else {
            filled += text[k];
        }
    }
    return filled;
}

// A bad command line: its one-line message; a wrong command or option adds the short usage.
struct UsageError {
    std::string message;
    bool withUsage = false;
};

// A function file that cannot be loaded: the text the window's error report shows.
struct LoadRefused {
    std::string message;
};

struct CommandLine {
    std::string command;
    std::string expression;  // UTF-8, as given
    std::optional<std::string> secondExpression;
    // render and table: the expressions after the first, in order.
    std::vector<std::string> moreExpressions;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;

    bool Has(const std::string& option) const { return values.contains(option); }
    const std::string& Value(const std::string& option) const { return values.at(option); }
};

struct CommandSpec {
    std::set<std::string> valueOptions;
    std::set<std::string> flagOptions;
    std::vector<std::string> required;
    // A second expression may follow the first.
    bool secondExpression = false;
};

const std::set<std::string> kParameterOptions = {"--a0", "--c", "--n0", "--nk"};

std::set<std::string> WithParameters(std::set<std::string> options) {
    options.insert(kParameterOptions.begin(), kParameterOptions.end());
    return options;
}

const std::map<std::string, CommandSpec>& Commands() {
    static const std::map<std::string, CommandSpec> commands = {
        {"value", {WithParameters({"--x"}), {}, {}}},
        {"tree", {{}, {}, {}}},
        {"derivative", {WithParameters({"--x"}), {}, {"--x"}}},
        {"integral", {WithParameters({"--from", "--to", "--threads"}), {}, {"--from", "--to"}}},
        {"render",
         {WithParameters({"-o", "--size", "--view", "--spp", "--bound", "--bg", "--fg", "--load",
                          "--x", "--format", "--threads", "--colours", "--scale"}),
          {"--centre", "--points", "--no-grid", "--no-axes", "--terms", "--cobweb", "--labels",
           "--break-poles", "--legend"},
          {"-o"}}},
        {"table", {WithParameters({"--from", "--to", "--step"}), {}, {"--from", "--to", "--step"}}},
        {"sequence", {WithParameters({"--x"}), {"--summary"}, {}}},
        {"points", {WithParameters({"--from", "--to", "--kind"}), {}, {"--from", "--to"}, true}},
        {"tangent", {WithParameters({"--x"}), {}, {"--x"}}},
    };
    return commands;
}

// An expression of nothing but blanks is no expression, as an empty one is.
bool Blank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// render and table take one expression or more: a word that is no option after the first.
bool TakesMoreExpressions(const std::string& command) {
    return command == "render" || command == "table";
}

// The expression is the word right after the command, taken as it stands even when it begins
// with "-"; so is every option's value.
CommandLine ParseCommandLine(int argc, char** argv) {
    if (argc < 2)
        throw UsageError{Words(QT_TRANSLATE_NOOP(
                             "TarvikCli",
                             "использование: tarvik-cli "
                             "value|tree|derivative|integral|table|sequence|render "
                             "ВЫРАЖЕНИЕ"
                             " [параметры] или tarvik-cli render --load ФАЙЛ.tvk -o КАРТИНКА "
                             "[параметры рисунка]")),
                         true};
    CommandLine line;
    line.command = argv[1];
    const auto found = Commands().find(line.command);
    if (found == Commands().end())
        throw UsageError{
            Words(QT_TRANSLATE_NOOP("TarvikCli", "неизвестная команда: %1"), {line.command}), true};
    if (argc < 3)
        throw UsageError{Words(QT_TRANSLATE_NOOP("TarvikCli", "нет выражения после команды %1"),
                               {line.command})};
    // "render --load FILE" takes the expression from the file.
    const bool fromFile = line.command == "render" && std::string_view(argv[2]) == "--load";
    if (!fromFile) line.expression = argv[2];
    if (!fromFile && Blank(line.expression))
        throw UsageError{Words(QT_TRANSLATE_NOOP("TarvikCli", "нет выражения после команды %1"),
                               {line.command})};
    const CommandSpec& accepted = found->second;
    int first = fromFile ? 2 : 3;
    // A second expression never begins with "--" (no such expression builds).
    if (accepted.secondExpression && argc > 3 && std::string_view(argv[3]).substr(0, 2) != "--") {
        line.secondExpression = argv[3];
        ++first;
    }
    for (int i = first; i < argc; ++i) {
        const std::string option = argv[i];
        if (TakesMoreExpressions(line.command) && !fromFile && !option.empty() &&
            option[0] != '-') {
            line.moreExpressions.push_back(option);
        } else if (accepted.flagOptions.contains(option)) {
            line.flags.insert(option);
        } else if (accepted.valueOptions.contains(option)) {
            if (i + 1 >= argc)
                throw UsageError{
                    Words(QT_TRANSLATE_NOOP("TarvikCli", "нет значения у %1"), {option})};
            line.values[option] = argv[++i];
        } else {
            throw UsageError{
                Words(QT_TRANSLATE_NOOP("TarvikCli", "неизвестный параметр для %1: %2"),
                      {line.command, option}),
                true};
        }
    }
    for (const std::string& option : accepted.required) {
        if (!line.Has(option))
            throw UsageError{Words(QT_TRANSLATE_NOOP("TarvikCli", "не задан %1"), {option})};
    }
    if (!fromFile && line.Has("--load"))
        throw UsageError{Words(QT_TRANSLATE_NOOP("TarvikCli",
                                                 "выражение и --load вместе не задаются: выражение "
                                                 "берётся из файла"))};
    return line;
}

[[noreturn]] void Rejected(const std::string& option, const std::string& text) {
    throw UsageError{
        Words(QT_TRANSLATE_NOOP("TarvikCli", "недопустимое значение %1: %2"), {option, text})};
}

// A number the option does not take, named with the range it does.
[[noreturn]] void OutOfRange(const std::string& option, const std::string& text, int64_t low,
                             int64_t high) {
    throw UsageError{Words(QT_TRANSLATE_NOOP("TarvikCli", "%1: %2 вне диапазона %3..%4"),
                           {option, text, std::to_string(low), std::to_string(high)})};
}

// One field's exit rule; false when the field rejects the text (the value is then unchanged).
bool TryField(ViewState& view, Engine& engine, ParameterField field, const std::string& text) {
    return !ApplyFieldExit(view, engine, field, text).has_value();
}

// One bound of a pair (n0/nk, x0/xk) as given on the command line; text is null when absent.
struct BoundOption {
    ParameterField field;
    const char* option;
    const std::string* text;
};

// Applies the bounds in this order to copies of the state; returns the first one rejected, or
// null after storing both.
const BoundOption* ApplyInOrder(ViewState& view, Engine& engine, const BoundOption& first,
                                const BoundOption& second) {
    ViewState triedView = view;
    Engine triedEngine = engine;
    for (const BoundOption* bound : {&first, &second}) {
        if (bound->text != nullptr &&
            !TryField(triedView, triedEngine, bound->field, *bound->text)) {
            return bound;
        }
    }
    view = triedView;
    engine = triedEngine;
    return nullptr;
}

// A pair of bounds is taken in whichever order lets both pass the fields' rules, as a user
// raising both bounds enters the upper one first.
void ApplyBoundPair(ViewState& view, Engine& engine, const BoundOption& low,
                    const BoundOption& high) {
    const BoundOption* rejected = ApplyInOrder(view, engine, low, high);
    if (rejected != nullptr && ApplyInOrder(view, engine, high, low) != nullptr) {
        Rejected(rejected->option, *rejected->text);
    }
}

const std::string* Find(const CommandLine& line, const std::string& option) {
    const auto found = line.values.find(option);
    return found == line.values.end() ? nullptr : &found->second;
}

ExtendedReal RealOption(const CommandLine& line, const std::string& option) {
    const std::string* text = Find(line, option);
    ExtendedReal value = 0;
    if (text != nullptr && !NumberSyntax(*text, value)) Rejected(option, *text);
    return value;
}

void ApplyRealOption(const CommandLine& line, ViewState& view, Engine& engine, ParameterField field,
                     const std::string& option) {
    if (const std::string* text = Find(line, option)) {
        if (!TryField(view, engine, field, *text)) Rejected(option, *text);
    }
}

// The index options given as whole numbers outside the fields' rules, named with their ranges:
// the last index from above the first one up to kMaxIndex, the first one from 0 to below the
// last one (each as given, or as held).
void CheckIndexRanges(const CommandLine& line, const Engine& engine) {
    const std::string* firstText = Find(line, "--n0");
    const std::string* lastText = Find(line, "--nk");
    int32_t first = 0;
    int32_t last = 0;
    const bool firstIsNumber = firstText != nullptr && IntegerText(*firstText, first);
    const bool lastIsNumber = lastText != nullptr && IntegerText(*lastText, last);
    const bool firstUsable = firstIsNumber && first >= 0 && first < kMaxIndex;
    const int32_t firstHeld = firstUsable ? first : engine.IndexFrom;
    if (lastIsNumber && (last < 1 || last > kMaxIndex))
        OutOfRange("--nk", *lastText, std::max(1, firstHeld + 1), kMaxIndex);
    const int32_t lastHeld = lastIsNumber ? last : engine.IndexTo;
    if (firstIsNumber && (first < 0 || first >= lastHeld))
        OutOfRange("--n0", *firstText, 0, lastHeld - 1);
}

// a0, c and the index range, checked with the parameter fields' rules.
void ApplyParameters(const CommandLine& line, ViewState& view, Engine& engine) {
    ApplyRealOption(line, view, engine, ParameterField::A0, "--a0");
    ApplyRealOption(line, view, engine, ParameterField::C, "--c");
    CheckIndexRanges(line, engine);
    ApplyBoundPair(view, engine, {ParameterField::N0, "--n0", Find(line, "--n0")},
                   {ParameterField::Nk, "--nk", Find(line, "--nk")});
}

// Comma-separated parts of an option's value.
std::vector<std::string> SplitList(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t comma = text.find(separator); comma != std::string::npos;
         comma = text.find(separator, start)) {
        parts.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// --decimal-comma, given before the command: the comma between two digits of the expression
// and the number options is the decimal point, and the results show the comma.
bool& DecimalComma() {
    static bool chosen = false;
    return chosen;
}

// A result as printed: with the decimal comma when it is chosen.
std::string Shown(const std::string& text) {
    return DecimalComma() ? PointAsComma(text) : text;
}

void PrintLine(const std::string& text) {
    std::printf("%s\n", Shown(text).c_str());
}

int Information(const std::string& text, int code = kExitInformation) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return code;
}

// While it lives, SIGINT (Ctrl+C) raises a flag that the work polls instead of ending the
// process; the former handler comes back afterwards.
class InterruptStop {
  public:
    InterruptStop() : previous_(std::signal(SIGINT, Raise)) {}
    ~InterruptStop() { std::signal(SIGINT, previous_); }
    InterruptStop(const InterruptStop&) = delete;
    InterruptStop& operator=(const InterruptStop&) = delete;

    static std::atomic<bool>& Requested() { return requested_; }

  private:
    static void Raise(int) { requested_.store(true, std::memory_order_relaxed); }
    // Constant-initialised, so that the handler never meets it unmade.
    static inline std::atomic<bool> requested_{false};
    void (*previous_)(int);
};

// --threads N: 1 to kMostThreads; the machine's cores when not given.
SampleControl ThreadsOf(const CommandLine& line) {
    SampleControl control;
    control.Threads = DefaultThreadCount();
    const std::string* text = Find(line, "--threads");
    if (text == nullptr) return control;
    constexpr size_t kMostDigits = 9;
    const bool digits =
        !text->empty() && text->size() <= kMostDigits &&
        std::all_of(text->begin(), text->end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) Rejected("--threads", *text);
    const int count = std::stoi(*text);
    if (count < 1 || count > kMostThreads) OutOfRange("--threads", *text, 1, kMostThreads);
    control.Threads = count;
    return control;
}

// What a run leaves: the result text, and a0 advanced when the expression has no x.
RunOutcome RunOnce(Engine& engine, const ViewState& view, DrawSurface& canvas,
                   const DrawOptions& options, const std::string& expression) {
    return RunExpression(engine, view, canvas, options, Cp1251FromUtf8(expression), expression);
}

// A result that is an error text is printed where any result is, and fails the command.
int ResultExit(bool failed) {
    return failed ? kExitFailedResult : 0;
}

int ShowRun(const RunOutcome& outcome, FILE* stream = stdout) {
    if (outcome.Overflow) return Information(OverflowText());
    std::fprintf(stream, "%s\n", Shown(RunEndText(outcome).value_or("")).c_str());
    return ResultExit(outcome.End == RunEnd::Failed);
}

int ShowCalculation(const CalcOutcome& outcome) {
    const CalcTexts words = CalcWords(outcome);
    if (words.Information) return Information(*words.Information);
    PrintLine(words.ResultText.value_or(""));
    return ResultExit(outcome.FailCode.has_value());
}

// The last run's expression is what the calculations evaluate; a small picture is enough.
int RunCalculation(const CommandLine& line) {
    ViewState view;
    Engine engine;
    ApplyParameters(line, view, engine);
    // A point or a limit that is no number is a usage error, as for every other option.
    for (const char* option : {"--x", "--from", "--to"}) RealOption(line, option);
    Canvas canvas(1, 1);
    const RunOutcome run = RunOnce(engine, view, canvas, DrawOptions{}, line.expression);
    if (line.command == "value" && !line.Has("--x")) {
        if (run.End == RunEnd::GraphBuilt) {
            throw UsageError{
                Words(QT_TRANSLATE_NOOP("TarvikCli", "value: для выражения с x нужен параметр %1"),
                      {"--x"})};
        }
        return ShowRun(run);
    }
    if (run.Overflow) return Information(OverflowText());
    if (line.command == "value") return ShowCalculation(CalculateValue(engine, line.Value("--x")));
    if (line.command == "derivative") {
        return ShowCalculation(CalculateDerivative(engine, line.Value("--x")));
    }
    SampleControl control = ThreadsOf(line);
    TerminalProgress progress(Words(QT_TRANSLATE_NOOP("TarvikCli", "Вычисление интеграла…")),
                              kIntegralStripCount + 1);
    control.Progress = [&progress](int64_t done) { progress.Update(done); };
    return ShowCalculation(
        CalculateIntegral(engine, line.Value("--from"), line.Value("--to"), control));
}

std::string NodeText(const TBinary& node) {
    static constexpr const char* kOperatorSigns[] = {"?", "+", "-", "*", "/", "^"};
    switch (node.Kind) {
        case NodeKind::Constant:
            return RealDisplayText(node.Value, 10);
        case NodeKind::Operator:
            return node.Code >= 1 && node.Code <= 5 ? kOperatorSigns[node.Code] : "?";
        case NodeKind::Function:
            return node.Code >= 1 && node.Code <= 9
                       ? std::string(FunctionNames[static_cast<size_t>(node.Code - 1)])
                       : "?";
        case NodeKind::ArgumentX:
            return "x";
        case NodeKind::ValueA:
            return "a";
        case NodeKind::IndexN:
            return "n";
        case NodeKind::None:
            break;
    }
    return "?";
}

int ShowTree(const CommandLine& line) {
    Engine engine;
    const int32_t error = BuildExpression(engine, Cp1251FromUtf8(line.expression));
    if (error != kNoError) {
        PrintLine(FailureText(error));
        return kExitFailedResult;
    }
    std::string text;
    for (int32_t slot = 1; slot <= engine.NodeCount; ++slot) {
        if (slot > 1) text += "; ";
        text += std::to_string(slot) + ": " + NodeText(engine.NodeTable[static_cast<size_t>(slot)]);
    }
    PrintLine(text);
    return 0;
}

// "RRGGBB" into the 24-bit colour with red in the low byte.
Colour ParseColour(const std::string& option, const std::string& text) {
    if (text.size() != 6) Rejected(option, text);
    int32_t rgb = 0;
    if (!IntegerText("$" + text, rgb)) Rejected(option, text);
    const auto value = static_cast<uint32_t>(rgb);
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

// --scale K: device pixels to a logical pixel of a raster picture, 1 to Canvas::kMaxScale, and
// no more than keeps the picture's longer side within the largest size.
int ParseScale(const CommandLine& line, int width, int height) {
    const std::string* text = Find(line, "--scale");
    if (text == nullptr) return 1;
    int32_t scale = 0;
    if (!IntegerText(*text, scale)) Rejected("--scale", *text);
    const int highest =
        std::max(1, std::min(Canvas::kMaxScale, kMaxPictureSide / std::max(width, height)));
    if (scale < 1 || scale > highest) OutOfRange("--scale", *text, 1, highest);
    return scale;
}

void ParseSize(const CommandLine& line, int& width, int& height) {
    const std::string* text = Find(line, "--size");
    if (text == nullptr) return;
    const std::vector<std::string> parts = SplitList(*text, 'x');
    int32_t w = 0;
    int32_t h = 0;
    if (parts.size() != 2 || !IntegerText(parts[0], w) || !IntegerText(parts[1], h))
        Rejected("--size", *text);
    if (w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide)
        OutOfRange("--size", *text, 1, kMaxPictureSide);
    width = w;
    height = h;
}

// The view: given outright, or centred (by default at the default scale).
void ApplyView(const CommandLine& line, ViewState& view, Engine& engine, int width, int height) {
    const std::string* text = Find(line, "--view");
    if (text != nullptr && line.flags.contains("--centre")) {
        throw UsageError{Words(QT_TRANSLATE_NOOP("TarvikCli", "%1 и %2 вместе не задаются"),
                               {"--view", "--centre"})};
    }
    if (text == nullptr) {
        CentreView(view, width, height);
        return;
    }
    const std::vector<std::string> parts = SplitList(*text, ',');
    if (parts.size() != 4) Rejected("--view", *text);
    const ParameterField fields[] = {ParameterField::X, ParameterField::Y, ParameterField::Xm,
                                     ParameterField::Ym};
    for (size_t k = 0; k < 4; ++k) {
        if (!TryField(view, engine, fields[k], parts[k])) Rejected("--view", *text);
    }
}

// --bound LOW,HIGH: refused with the whole value and the reason.
void ApplyBoundOption(ViewState& view, Engine& engine, const std::string& text) {
    const auto refuse = [&text](const char* why) {
        throw UsageError{
            Words(QT_TRANSLATE_NOOP("TarvikCli", "недопустимое значение %1: «%2» (%3)"),
                  {"--bound", text, Words(why)})};
    };
    const std::vector<std::string> parts = SplitList(text, ',');
    if (parts.size() != 2)
        refuse(QT_TRANSLATE_NOOP("TarvikCli", "нужны две границы через запятую"));
    ExtendedReal low = 0;
    ExtendedReal high = 0;
    if (!NumberSyntax(parts[0], low) || !NumberSyntax(parts[1], high))
        refuse(QT_TRANSLATE_NOOP("TarvikCli", "граница — не число"));
    if (!(low < high)) refuse(QT_TRANSLATE_NOOP("TarvikCli", "нижняя граница не меньше верхней"));
    try {
        ApplyBoundPair(view, engine, {ParameterField::X0, "--bound", &parts[0]},
                       {ParameterField::Xk, "--bound", &parts[1]});
    } catch (const UsageError&) {
        refuse(QT_TRANSLATE_NOOP("TarvikCli", "граница вне допустимых пределов"));
    }
}

DrawOptions ApplyDrawing(const CommandLine& line, ViewState& view, Engine& engine) {
    DrawOptions options;
    options.Lines = !line.flags.contains("--points");
    options.Grid = !line.flags.contains("--no-grid");
    options.Axes = !line.flags.contains("--no-axes");
    options.BreakPoles = line.flags.contains("--break-poles");
    if (const std::string* text = Find(line, "--bg"))
        options.BackgroundColour = ParseColour("--bg", *text);
    if (const std::string* text = Find(line, "--fg"))
        options.LineColour = ParseColour("--fg", *text);
    if (const std::string* text = Find(line, "--spp")) {
        int32_t count = 0;
        if (IntegerText(*text, count) && count < 1)
            OutOfRange("--spp", *text, 1, std::numeric_limits<int32_t>::max());
        if (!TryField(view, engine, ParameterField::Tochn, *text)) Rejected("--spp", *text);
    }
    if (const std::string* text = Find(line, "--bound")) {
        ApplyBoundOption(view, engine, *text);
        options.BoundArgument = true;
    }
    return options;
}

// Whether the name is a device, a pipe or the like, which is written in place: its name need
// not carry an extension.
bool NotAPlainFile(const std::string& name) {
    struct stat info {};
    return stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
}

// Whether the name is this process's standard output under another name (/dev/stdout,
// /dev/fd/1): the picture then takes it, and the text goes to standard error.
bool IsStandardOutput(const std::string& name) {
    struct stat named {};
    struct stat out {};
    return name == kStandardOutput ||
           (stat(name.c_str(), &named) == 0 && fstat(STDOUT_FILENO, &out) == 0 &&
            named.st_dev == out.st_dev && named.st_ino == out.st_ino);
}

// The format of the picture: from the name's extension, whatever kind of file it names, or
// from --format (by default BMP) for standard output and for a device or a pipe without one.
PictureFormat OutputFormat(const CommandLine& line) {
    const std::string& output = line.Value("-o");
    std::optional<PictureFormat> format;
    if (const std::string* named = Find(line, "--format")) {
        format = PictureFormatNamed(*named);
        if (!format) {
            Rejected("--format",
                     Words(QT_TRANSLATE_NOOP("TarvikCli", "%1 (bmp, png, svg или pdf)"), {*named}));
        }
    }
    const bool inPlace = output == kStandardOutput || NotAPlainFile(output);
    std::optional<PictureFormat> byName;
    if (output != kStandardOutput) byName = PictureFormatOfName(QFile::decodeName(output.c_str()));
    if (!inPlace && !byName) {
        throw UsageError{Words(
            QT_TRANSLATE_NOOP("TarvikCli",
                              "расширение файла рисунка должно быть .bmp, .png, .svg или .pdf: %1"),
            {output})};
    }
    if (format && byName && *format != *byName)
        throw UsageError{
            Words(QT_TRANSLATE_NOOP("TarvikCli", "--format не совпадает с расширением файла %1"),
                  {output})};
    if (format) return *format;
    return byName ? *byName : PictureFormat::Bmp;
}

// A rendered picture: the raster for BMP and PNG, written out row by row, or the finished bytes
// of SVG and PDF.
struct RenderedPicture {
    PictureFormat Format = PictureFormat::Bmp;
    std::unique_ptr<Canvas> Raster;
    QByteArray Vector;

    bool Write(const ByteWriter& write) const {
        if (Raster) return WritePicture(Format, Raster->Image(), {}, write);
        return write(Vector.constData(), size_t(Vector.size()));
    }
    ByteSource Source() const {
        return [this](const ByteWriter& write) { return Write(write); };
    }
};

// Draws the run into the picture of the format: the raster canvas for BMP and PNG (`scale`
// device pixels to a logical one), the vector surface for SVG and PDF. The run's outcome comes
// back through `run`.
RenderedPicture RenderPicture(PictureFormat format, int width, int height, int scale,
                              RunOutcome& run,
                              const std::function<RunOutcome(DrawSurface&)>& draw) {
    RenderedPicture picture;
    picture.Format = format;
    if (format == PictureFormat::Bmp || format == PictureFormat::Png) {
        picture.Raster = std::make_unique<Canvas>(width, height, scale);
        run = draw(*picture.Raster);
        return picture;
    }
    const PictureDrawing vector = [&](DrawSurface& surface) { run = draw(surface); };
    const QSize size(width, height);
    picture.Vector = format == PictureFormat::Svg ? PictureSvgBytes(size, vector)
                                                  : PicturePdfBytes(size, vector);
    return picture;
}

// Standard output takes the bytes as they are made; every write is checked.
bool WriteStandardOutput(const ByteSource& source) {
    errno = 0;
    const bool written = source(
        [](const char* data, size_t size) { return std::fwrite(data, 1, size, stdout) == size; });
    return std::fflush(stdout) == 0 && written && !std::ferror(stdout);
}

// A function file as the window loads it: its values (the bounds as a pair) written into the
// fields and read back by the run, and the view centred. Returns the file's expression.
std::string ApplyLoadedFile(const CommandLine& line, ViewState& view, Engine& engine,
                            DrawOptions& options, int width, int height) {
    for (const char* option :
         {"--view", "--centre", "--spp", "--bound", "--a0", "--c", "--n0", "--nk"}) {
        if (line.Has(option) || line.flags.contains(option))
            throw UsageError{Words(QT_TRANSLATE_NOOP("TarvikCli", "%1 и %2 вместе не задаются"),
                                   {"--load", option})};
    }
    const FunctionFileParse parse =
        LoadFunctionFile(QFile::decodeName(line.Value("--load").c_str()));
    if (!parse.File) throw LoadRefused{GeneralErrorReportText(LoadErrorText(parse.Error))};
    ApplyFunctionFile(*parse.File, view, engine);
    options.BoundArgument = parse.File->Bounded;
    const std::array<std::string, 11> shown = ShowParameters(view, engine);
    for (const ParameterField field : kRunExitOrder) {
        const size_t at = static_cast<size_t>(
            std::find(kShowOrder.begin(), kShowOrder.end(), field) - kShowOrder.begin());
        ApplyFieldExit(view, engine, field, shown[at]);
    }
    CentreView(view, width, height);
    return parse.File->Expression;
}

// --- Sequences and tables: the expression built with the parameters given, not run first, so
// that a0 is the one on the command line.

Engine BuiltWithParameters(const CommandLine& line) {
    ViewState view;
    Engine engine;
    ApplyParameters(line, view, engine);
    BuildExpression(engine, Cp1251FromUtf8(line.expression));
    return engine;
}

void PrintRows(const TableRows& rows) {
    std::string text;
    for (size_t k = 0; k < rows.Size(); ++k) {
        text += rows.KeyText(k) + '\t' + rows.ValueText(k, TableFailureWords()) + '\n';
    }
    text = Shown(text);
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// A table all of whose rows are errors (an expression that does not build among them) failed.
bool NoRowHasAValue(const TableRows& rows) {
    return rows.Size() > 0 && std::all_of(rows.Codes.begin(), rows.Codes.end(),
                                          [](int32_t code) { return code != kNoError; });
}

// x, then one value column per expression, tab-separated.
void PrintColumns(const CommandLine& line, const TableRange& range) {
    std::vector<TableRows> columns;
    CommandLine each = line;
    const SampleControl control = ThreadsOf(line);
    for (size_t k = 0; k <= line.moreExpressions.size(); ++k) {
        each.expression = k == 0 ? line.expression : line.moreExpressions[k - 1];
        columns.push_back(FunctionRows(BuiltWithParameters(each), range, &control));
    }
    std::string text;
    for (size_t row = 0; row < columns.front().Size(); ++row) {
        text += columns.front().KeyText(row);
        for (const TableRows& column : columns) {
            text += '\t' + column.ValueText(row, TableFailureWords());
        }
        text += '\n';
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
}

int ShowTable(const CommandLine& line) {
    const auto range = MakeTableRange(RealOption(line, "--from"), RealOption(line, "--to"),
                                      RealOption(line, "--step"));
    if (const auto* refused = std::get_if<TableRefusal>(&range)) {
        throw UsageError{"--step: " + TableRefusalText(*refused)};
    }
    if (!line.moreExpressions.empty()) {
        PrintColumns(line, std::get<TableRange>(range));
        return 0;
    }
    if (RealOption(line, "--from") > RealOption(line, "--to")) {
        throw UsageError{Words(QT_TRANSLATE_NOOP("TarvikCli", "--from больше --to: %1 > %2"),
                               {line.Value("--from"), line.Value("--to")})};
    }
    const TableRange& rows = std::get<TableRange>(range);
    const Engine engine = BuiltWithParameters(line);
    // Ctrl+C stops the table between two batches of rows: nothing is printed then.
    const InterruptStop interrupt;
    SampleControl control = ThreadsOf(line);
    control.Stop = &InterruptStop::Requested();
    TerminalProgress progress(Words(QT_TRANSLATE_NOOP("TarvikCli", "Вычисление таблицы…")),
                              rows.Count);
    control.Progress = [&progress](int64_t done) { progress.Update(done); };
    const TableRows computed = FunctionRows(engine, rows, &control);
    if (InterruptStop::Requested()) {
        return Information(Words(QT_TRANSLATE_NOOP("TarvikCli", "Вычисление таблицы прервано")),
                           kExitInterrupted);
    }
    PrintRows(computed);
    return ResultExit(NoRowHasAValue(computed));
}

int ShowSequence(const CommandLine& line) {
    const TermList terms = ComputeTerms(BuiltWithParameters(line), RealOption(line, "--x"));
    if (!line.flags.contains("--summary")) {
        PrintRows(SequenceRows(terms));
        return ResultExit(terms.Failed());
    }
    const SequenceEnd end = SequenceSummary(terms);
    for (const std::string& text : SummaryLines(end)) PrintLine(text);
    // A walk that failed is still a result when its behaviour was found (an overflow that
    // diverges).
    return ResultExit(terms.Failed() && end.Verdict.Kind == BehaviourKind::Undetermined);
}

// --- Points of interest and the tangent: one line per point, numbers to be read back exactly.

// More samples than a window is wide: close points stay apart, and the command line can wait.
constexpr int32_t kPointSamples = 10000;
// 21 significant digits, the point as decimal point, an exponent where the magnitude needs one:
// the window's text of a point's numbers.
std::string ReadBackText(ExtendedReal value) {
    return PointNumberText(value);
}

// The fixed words of the output, in every language.
const char* PointKindWord(PointKind kind) {
    switch (kind) {
        case PointKind::Zero:
            return "zero";
        case PointKind::Minimum:
            return "min";
        case PointKind::Maximum:
            return "max";
        case PointKind::Inflection:
            return "inflection";
        case PointKind::Intersection:
            break;
    }
    return "intersection";
}

constexpr std::array<const char*, kPointGroups> kPointGroupWords = {"zeros", "extrema",
                                                                    "inflections", "intersections"};

// --kind: one group or all of them; with two expressions only the intersections.
PointsRequest PointsOf(const CommandLine& line) {
    PointsRequest request;
    request.Samples = kPointSamples;
    const bool two = line.secondExpression.has_value();
    const std::string kind = line.Has("--kind") ? line.Value("--kind") : "all";
    request.Wanted = {!two, !two, !two, two};
    if (kind != "all") {
        const auto named = std::find(kPointGroupWords.begin(), kPointGroupWords.end(), kind);
        if (named == kPointGroupWords.end()) Rejected("--kind", kind);
        const auto group = static_cast<size_t>(named - kPointGroupWords.begin());
        const bool intersections = group == static_cast<size_t>(PointGroup::Intersections);
        if (intersections != two) {
            throw UsageError{Words(
                QT_TRANSLATE_NOOP("TarvikCli",
                                  "пересечения ищутся для двух выражений, остальные точки - для "
                                  "одного: --kind %1"),
                {kind})};
        }
        request.Wanted = {};
        request.Wanted[group] = true;
    }
    request.From = RealOption(line, "--from");
    request.To = RealOption(line, "--to");
    if (!(request.From < request.To)) {
        throw UsageError{Words(QT_TRANSLATE_NOOP("TarvikCli", "интервал пуст: %1 не меньше %2"),
                               {line.Value("--from"), line.Value("--to")})};
    }
    // Its length beyond the extended range.
    if (!UsableInterval(request)) {
        throw UsageError{
            Words(QT_TRANSLATE_NOOP("TarvikCli", "интервал слишком широк: от %1 до %2"),
                  {line.Value("--from"), line.Value("--to")})};
    }
    return request;
}

// The expression built with the command line's parameters, or the build's error text.
std::optional<std::string> BuildFailure(const Engine& engine) {
    if (engine.LastBuildError == kNoError) return std::nullopt;
    return FailureText(engine.LastBuildError);
}

int ShowPoints(const CommandLine& line) {
    const PointsRequest request = PointsOf(line);
    const Engine first = BuiltWithParameters(line);
    if (auto failure = BuildFailure(first)) return Information(*failure);
    // The samples on every core, as a render takes them without --threads.
    PointsControl control;
    control.Threads = ThreadsOf(line).Threads;
    PointsResult result;
    if (line.secondExpression) {
        CommandLine other = line;
        other.expression = *line.secondExpression;
        const Engine second = BuiltWithParameters(other);
        if (auto failure = BuildFailure(second)) return Information(*failure);
        result = FindIntersections(first, second, request, control);
    } else {
        result = FindPoints(first, request, control);
    }
    std::string text;
    for (const PointOfInterest& point : result.Points) {
        text += std::string(PointKindWord(point.Kind)) + '\t' + ReadBackText(point.X) + '\t' +
                ReadBackText(point.Y) + '\n';
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    // The points beyond the limit are not cut silently.
    for (size_t group = 0; group < kPointGroups; ++group) {
        if (!result.MoreThanLimit[group]) continue;
        std::fprintf(
            stderr, "tarvik-cli: %s\n",
            Words(QT_TRANSLATE_NOOP("TarvikCli", "%1: больше %2 точек, показаны первые %2"),
                  {kPointGroupWords[group], std::to_string(kMostPointsPerGroup)})
                .c_str());
    }
    return 0;
}

int ShowTangent(const CommandLine& line) {
    const ExtendedReal x = RealOption(line, "--x");
    const Engine engine = BuiltWithParameters(line);
    if (auto failure = BuildFailure(engine)) return Information(*failure);
    const Tangent tangent = TangentAt(engine, x);
    if (tangent.FailCode) return Information(FailureText(*tangent.FailCode));
    PrintLine(ReadBackText(tangent.Slope) + '\t' + ReadBackText(tangent.Offset));
    return 0;
}

PictureMode RenderMode(const CommandLine& line) {
    const bool terms = line.flags.contains("--terms");
    const bool cobweb = line.flags.contains("--cobweb");
    if (terms && cobweb) {
        throw UsageError{Words(QT_TRANSLATE_NOOP("TarvikCli", "%1 и %2 вместе не задаются"),
                               {"--terms", "--cobweb"})};
    }
    if (!terms && !cobweb && line.Has("--x"))
        throw UsageError{
            Words(QT_TRANSLATE_NOOP("TarvikCli", "--x только с --terms или --cobweb"))};
    return terms ? PictureMode::Terms : cobweb ? PictureMode::Cobweb : PictureMode::Graph;
}

// The sequence picture over what the run drew, the walk starting from the a0 given (the run of
// an expression without x has advanced it). Returns a message for an InformationBox, if any.
std::optional<std::string> DrawSequencePicture(const CommandLine& line, const Engine& run,
                                               ExtendedReal a0, const ViewState& view,
                                               DrawSurface& surface, const DrawOptions& options,
                                               PictureMode mode) {
    Engine engine = run;
    engine.ValueA = a0;
    try {
        return PictureInformation(
            DrawPicture(surface, engine, view, options, mode, RealOption(line, "--x")));
    } catch (const DrawingOverflow&) {
        return OverflowText();
    }
}

// Several curves, colours chosen, a legend or a saved set: drawn as a document.
bool RendersSet(const CommandLine& line) {
    const bool setFile = line.Has("--load") && line.Value("--load").ends_with(".tvkset");
    return !line.moreExpressions.empty() || line.Has("--colours") ||
           line.flags.contains("--legend") || setFile;
}

// "--colours "#ffff00,#56b4e9"": one colour per curve, the palette for the rest.
std::vector<Colour> ColoursOf(const CommandLine& line) {
    std::vector<Colour> colours;
    const std::string* text = Find(line, "--colours");
    if (text == nullptr) return colours;
    size_t start = 0;
    while (start <= text->size()) {
        const size_t comma = std::min(text->find(',', start), text->size());
        Colour colour = 0;
        if (!ParseColourText(std::string_view(*text).substr(start, comma - start), colour))
            Rejected("--colours", *text);
        colours.push_back(colour);
        start = comma + 1;
    }
    return colours;
}

// The saved set of "--load FILE.tvkset", in its own view.
PlotDocument LoadedSet(const CommandLine& line) {
    std::string bytes;
    const FileResult read =
        ReadFileStart(QFile::decodeName(line.Value("--load").c_str()), bytes, 16 * 1024 * 1024);
    if (!read.Ok()) throw LoadRefused{GeneralErrorReportText(FileFailureText(read))};
    PlotDocument document;
    const SetFileRefusal refusal = ParseCurveSetFile(QByteArray::fromStdString(bytes), document);
    if (!refusal.Ok()) throw LoadRefused{GeneralErrorReportText(SetFileRefusalText(refusal))};
    return document;
}

// The document of the command line: each expression built with the parameters given, the
// first in the line colour, the others in the palette's, unless --colours says otherwise.
bool DocumentOfLine(const CommandLine& line, int width, int height, PlotDocument& document,
                    RunOutcome& failed) {
    ViewState view;
    Engine engine;
    ApplyParameters(line, view, engine);
    const DrawOptions options = ApplyDrawing(line, view, engine);
    ApplyView(line, view, engine, width, height);
    document.View = view;
    document.Frame = {options.BackgroundColour, options.Grid, options.Axes, options.BreakPoles};
    const std::vector<Colour> colours = ColoursOf(line);
    std::vector<std::string> expressions = {line.expression};
    expressions.insert(expressions.end(), line.moreExpressions.begin(), line.moreExpressions.end());
    for (size_t k = 0; k < expressions.size(); ++k) {
        Curve curve;
        int32_t code = kNoError;
        if (!BuildCurve(expressions[k], ParametersOf(engine), curve, code)) {
            failed.End = RunEnd::Failed;
            failed.Code = code;
            return false;
        }
        curve.LineColour = k < colours.size() ? colours[k]
                           : k == 0           ? options.LineColour
                                              : kCurvePalette[k % kCurvePalette.size()];
        curve.Lines = options.Lines;
        curve.BoundArgument = options.BoundArgument;
        curve.ArgumentFrom = view.ArgumentFrom;
        curve.ArgumentTo = view.ArgumentTo;
        document.Curves.Add(std::move(curve));
    }
    return true;
}

int RenderSet(const CommandLine& line) {
    int width = kDefaultWidth;
    int height = kDefaultHeight;
    ParseSize(line, width, height);
    const int scale = ParseScale(line, width, height);
    const PictureFormat format = OutputFormat(line);
    PlotDocument document;
    RunOutcome run;
    if (line.Has("--load")) {
        document = LoadedSet(line);
    } else if (!DocumentOfLine(line, width, height, document, run)) {
        return ShowRun(run);
    }
    document.Mode = RenderMode(line);
    document.SequenceX = RealOption(line, "--x");
    document.Legend = line.flags.contains("--legend");
    const bool labels = line.flags.contains("--labels");
    SampleControl control = ThreadsOf(line);
    TerminalProgress progress(Words(QT_TRANSLATE_NOOP("TarvikCli", "Построение графика…")),
                              ExpectedSamples(document, width * scale));
    control.Progress = [&progress](int64_t done) { progress.Update(done); };
    std::optional<QGuiApplication> fonts;
    if (labels || document.Legend) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        static int argc = 1;
        static char name[] = "tarvik-cli";
        static char* argv[] = {name, nullptr};
        fonts.emplace(argc, argv);
    }
    std::optional<std::string> information;
    const RenderedPicture picture =
        RenderPicture(format, width, height, scale, run, [&](DrawSurface& surface) {
            RunOutcome outcome;
            outcome.Ran = true;
            outcome.End = RunEnd::GraphBuilt;
            try {
                information = PictureInformation(DrawDocument(surface, document, control));
            } catch (const DrawingOverflow&) {
                outcome.Overflow = true;
            }
            if (labels) DrawAxisLabels(surface, document.View, document.Frame.Background);
            return outcome;
        });
    const std::string& output = line.Value("-o");
    const bool toStandardOutput = output == kStandardOutput;
    if (toStandardOutput
            ? !WriteStandardOutput(picture.Source())
            : !WriteFileFrom(QFile::decodeName(output.c_str()), picture.Source()).Ok()) {
        return Information(Words(QT_TRANSLATE_NOOP("TarvikCli", "Не удалось записать файл %1: %2"),
                                 {output, std::strerror(errno != 0 ? errno : EIO)}));
    }
    if (information) return Information(*information);
    return ShowRun(run, toStandardOutput ? stderr : stdout);
}

int Render(const CommandLine& line) {
    if (RendersSet(line)) return RenderSet(line);
    int width = kDefaultWidth;
    int height = kDefaultHeight;
    ParseSize(line, width, height);
    const int scale = ParseScale(line, width, height);
    const PictureFormat format = OutputFormat(line);
    ViewState view;
    Engine engine;
    std::string expression = line.expression;
    DrawOptions options;
    if (line.Has("--load")) {
        options = ApplyDrawing(line, view, engine);
        expression = ApplyLoadedFile(line, view, engine, options, width, height);
    } else {
        ApplyParameters(line, view, engine);
        options = ApplyDrawing(line, view, engine);
        ApplyView(line, view, engine, width, height);
    }

    const PictureMode mode = RenderMode(line);
    const ExtendedReal a0 = engine.ValueA;
    SampleControl control = ThreadsOf(line);
    TerminalProgress progress(Words(QT_TRANSLATE_NOOP("TarvikCli", "Построение графика…")),
                              int64_t{width} * scale * std::max<int32_t>(view.SamplesPerPixel, 1));
    control.Progress = [&progress](int64_t done) { progress.Update(done); };
    // Text needs the fonts of a GUI application. It never shows a window, so it runs offscreen,
    // and the platform's own notices (a missing runtime folder) stay out of the output.
    const bool labels = line.flags.contains("--labels");
    std::optional<QGuiApplication> fonts;
    if (labels) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        static int argc = 1;
        static char name[] = "tarvik-cli";
        static char* argv[] = {name, nullptr};
        fonts.emplace(argc, argv);
    }
    RunOutcome run;
    std::optional<std::string> information;
    const RenderedPicture picture =
        RenderPicture(format, width, height, scale, run, [&](DrawSurface& surface) {
            RunOutcome outcome = RunExpression(engine, view, surface, options,
                                               Cp1251FromUtf8(expression), expression, control);
            if (mode != PictureMode::Graph && !outcome.Overflow) {
                information = DrawSequencePicture(line, engine, a0, view, surface, options, mode);
            }
            if (labels) DrawAxisLabels(surface, view, options.BackgroundColour);
            return outcome;
        });
    // A cobweb refused for an expression with n leaves no picture.
    if (mode == PictureMode::Cobweb && information && engine.UsesN)
        return Information(*information);
    const std::string& output = line.Value("-o");
    FILE* const textStream = IsStandardOutput(output) ? stderr : stdout;
    // An expression that does not build draws nothing: no picture is written.
    if (run.End == RunEnd::Failed && !run.Built) return ShowRun(run, textStream);
    if (output == kStandardOutput) {
        if (!WriteStandardOutput(picture.Source())) {
            return Information(
                Words(QT_TRANSLATE_NOOP("TarvikCli",
                                        "Не удалось записать рисунок в стандартный вывод: %1"),
                      {std::strerror(errno != 0 ? errno : EIO)}));
        }
        if (information) return Information(*information);
        return ShowRun(run, stderr);
    }
    const FileResult written = WriteFileFrom(QFile::decodeName(output.c_str()), picture.Source());
    if (!written.Ok()) {
        return Information(Words(QT_TRANSLATE_NOOP("TarvikCli", "Не удалось записать файл %1: %2"),
                                 {output, FileFailureReason(written)}));
    }
    if (information) return Information(*information);
    return ShowRun(run, textStream);
}

// Takes --decimal-comma from before the command; the rest of the line is read as without it.
void TakeDecimalComma(int& argc, char**& argv) {
    if (argc < 2 || std::string_view(argv[1]) != "--decimal-comma") return;
    DecimalComma() = true;
    argv[1] = argv[0];
    ++argv;
    --argc;
}

// With the decimal comma, the expression and the options that hold one number are read with
// the comma as the point (the lists of --view and --bound keep the comma as their separator).
void ReadDecimalCommas(CommandLine& line) {
    if (!DecimalComma()) return;
    line.expression = CommaAsPoint(line.expression);
    for (const char* option : {"--x", "--a0", "--c", "--from", "--to", "--step"}) {
        const auto found = line.values.find(option);
        if (found != line.values.end()) found->second = CommaAsPoint(found->second);
    }
}

// The commands in the order the help lists them, each with its options.
std::vector<CommandOptions> HelpCommands() {
    static const char* const kOrder[] = {"value", "tree",     "derivative", "integral",
                                         "table", "sequence", "render"};
    std::vector<CommandOptions> commands;
    std::set<std::string> listed;
    const auto add = [&](const std::string& name, const CommandSpec& accepted) {
        if (!listed.insert(name).second) return;
        CommandOptions entry{name, {}};
        entry.options.assign(accepted.valueOptions.begin(), accepted.valueOptions.end());
        entry.options.insert(entry.options.end(), accepted.flagOptions.begin(),
                             accepted.flagOptions.end());
        commands.push_back(std::move(entry));
    };
    for (const char* name : kOrder) {
        if (const auto found = Commands().find(name); found != Commands().end())
            add(found->first, found->second);
    }
    for (const auto& [name, accepted] : Commands()) add(name, accepted);
    return commands;
}

// --help, -h, help [COMMAND] and --version, which stand alone on the command line; nothing when
// the line is something else.
std::optional<int> AnswerConventions(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    const std::string_view first = argv[1];
    const bool help = first == "--help" || first == "-h" || first == "help";
    if (first == "--version" && argc == 2) {
        std::printf("%s\n", VersionText().c_str());
        return 0;
    }
    if (!help) return std::nullopt;
    if (argc == 2) {
        std::fputs(FullHelp(HelpCommands()).c_str(), stdout);
        return 0;
    }
    if (first == "help" && argc == 3) {
        for (const CommandOptions& command : HelpCommands()) {
            if (command.command == argv[2]) {
                std::fputs(CommandHelp(command).c_str(), stdout);
                return 0;
            }
        }
        throw UsageError{
            Words(QT_TRANSLATE_NOOP("TarvikCli", "неизвестная команда: %1"), {argv[2]}), true};
    }
    throw UsageError{Words(QT_TRANSLATE_NOOP("TarvikCli", "лишние слова после %1"), {argv[1]}),
                     true};
}

}  // namespace

int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    DisableRegexpJit();
    UseCatalogue(LanguageFromEnvironment());
    try {
        TakeDecimalComma(argc, argv);
        if (const std::optional<int> answered = AnswerConventions(argc, argv)) return *answered;
        CommandLine line = ParseCommandLine(argc, argv);
        ReadDecimalCommas(line);
        if (line.command == "tree") return ShowTree(line);
        if (line.command == "render") return Render(line);
        if (line.command == "table") return ShowTable(line);
        if (line.command == "sequence") return ShowSequence(line);
        if (line.command == "points") return ShowPoints(line);
        if (line.command == "tangent") return ShowTangent(line);
        return RunCalculation(line);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "tarvik-cli: %s\n", error.message.c_str());
        if (error.withUsage) std::fprintf(stderr, "%s\n", ShortUsageHint().c_str());
        return kExitUsage;
    } catch (const LoadRefused& refusal) {
        return Information(refusal.message);
    }
}
