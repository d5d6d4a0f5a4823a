#include "tools/cli_help.h"

#include <QtGlobal>
#include <map>
#include <set>

#include "messages/catalogue.h"
#include "tarvik_version.h"

namespace {

constexpr size_t kNameColumn = 24;

std::string Tr(const char* source) {
    return TranslatedUtf8("TarvikCli", source);
}

struct Entry {
    const char* argument;     // what follows the option or the command, if anything
    const char* description;  // the source text
};

const std::map<std::string, Entry>& CommandEntries() {
    static const std::map<std::string, Entry> entries = {
        {"value",
         {QT_TRANSLATE_NOOP("TarvikCli", "ВЫРАЖЕНИЕ"),
          QT_TRANSLATE_NOOP("TarvikCli",
                            "значение выражения без x, или значение f(x) в точке --x")}},
        {"tree",
         {QT_TRANSLATE_NOOP("TarvikCli", "ВЫРАЖЕНИЕ"),
          QT_TRANSLATE_NOOP("TarvikCli", "узлы дерева выражения по порядку")}},
        {"derivative",
         {QT_TRANSLATE_NOOP("TarvikCli", "ВЫРАЖЕНИЕ"),
          QT_TRANSLATE_NOOP("TarvikCli", "производная f'(x) в точке --x")}},
        {"integral",
         {QT_TRANSLATE_NOOP("TarvikCli", "ВЫРАЖЕНИЕ"),
          QT_TRANSLATE_NOOP("TarvikCli", "определённый интеграл от --from до --to")}},
        {"table",
         {QT_TRANSLATE_NOOP("TarvikCli", "ВЫРАЖЕНИЕ"),
          QT_TRANSLATE_NOOP("TarvikCli", "значения f(x) от --from до --to с шагом --step")}},
        {"sequence",
         {QT_TRANSLATE_NOOP("TarvikCli", "ВЫРАЖЕНИЕ"),
          QT_TRANSLATE_NOOP("TarvikCli", "члены последовательности или, с --summary, её итог")}},
        {"render",
         {QT_TRANSLATE_NOOP("TarvikCli", "ВЫРАЖЕНИЕ | --load ФАЙЛ.tvk"),
          QT_TRANSLATE_NOOP("TarvikCli", "рисунок графика в файл BMP, PNG, SVG или PDF (-o)")}},
    };
    return entries;
}

const std::map<std::string, Entry>& OptionEntries() {
    static const std::map<std::string, Entry> entries = {
        {"--x", {"X", QT_TRANSLATE_NOOP("TarvikCli", "значение аргумента x")}},
        {"--a0",
         {QT_TRANSLATE_NOOP("TarvikCli", "ЧИСЛО"),
          QT_TRANSLATE_NOOP("TarvikCli", "начальное значение a (1)")}},
        {"--c",
         {QT_TRANSLATE_NOOP("TarvikCli", "ЧИСЛО"),
          QT_TRANSLATE_NOOP("TarvikCli", "значение константы c (1)")}},
        {"--n0", {"N", QT_TRANSLATE_NOOP("TarvikCli", "первый индекс n, от 0 (1)")}},
        {"--nk", {"N", QT_TRANSLATE_NOOP("TarvikCli", "последний индекс n, до 100000 (100)")}},
        {"--from",
         {QT_TRANSLATE_NOOP("TarvikCli", "ЧИСЛО"),
          QT_TRANSLATE_NOOP("TarvikCli", "нижний предел интегрирования, первое x таблицы")}},
        {"--to",
         {QT_TRANSLATE_NOOP("TarvikCli", "ЧИСЛО"),
          QT_TRANSLATE_NOOP("TarvikCli", "верхний предел интегрирования, последнее x таблицы")}},
        {"--step",
         {QT_TRANSLATE_NOOP("TarvikCli", "ЧИСЛО"),
          QT_TRANSLATE_NOOP("TarvikCli", "шаг таблицы, больше нуля")}},
        {"--threads",
         {"N", QT_TRANSLATE_NOOP("TarvikCli", "число потоков, 1..256 (по числу ядер)")}},
        {"--summary",
         {"", QT_TRANSLATE_NOOP("TarvikCli", "последний член, последняя разность и поведение")}},
        {"-o",
         {QT_TRANSLATE_NOOP("TarvikCli", "ФАЙЛ"),
          QT_TRANSLATE_NOOP("TarvikCli",
                            "файл рисунка .bmp, .png, .svg или .pdf; - для стандартного вывода")}},
        {"--format",
         {"bmp|png|svg|pdf",
          QT_TRANSLATE_NOOP("TarvikCli", "формат стандартного вывода или устройства (bmp)")}},
        {"--size",
         {QT_TRANSLATE_NOOP("TarvikCli", "ШxВ"),
          QT_TRANSLATE_NOOP("TarvikCli", "размер рисунка в пикселях, до 20000 (308x275)")}},
        {"--scale",
         {"K", QT_TRANSLATE_NOOP("TarvikCli",
                                 "пикселей BMP и PNG на пиксель рисунка, 1..4, для печати (1)")}},
        {"--view",
         {"X,Y,XM,YM", QT_TRANSLATE_NOOP("TarvikCli", "левый верхний угол и масштабы по X и Y")}},
        {"--centre",
         {"", QT_TRANSLATE_NOOP("TarvikCli", "начало координат в центре (так и есть без --view)")}},
        {"--spp", {"N", QT_TRANSLATE_NOOP("TarvikCli", "точность: отсчётов на пиксель (1)")}},
        {"--bound", {"X0,XK", QT_TRANSLATE_NOOP("TarvikCli", "ограничить значения аргумента")}},
        {"--bg", {"RRGGBB", QT_TRANSLATE_NOOP("TarvikCli", "цвет фона (000000)")}},
        {"--fg", {"RRGGBB", QT_TRANSLATE_NOOP("TarvikCli", "цвет линии (FFFF00)")}},
        {"--load",
         {QT_TRANSLATE_NOOP("TarvikCli", "ФАЙЛ.tvk"),
          QT_TRANSLATE_NOOP("TarvikCli", "выражение и параметры из файла функции")}},
        {"--points", {"", QT_TRANSLATE_NOOP("TarvikCli", "точки вместо линий")}},
        {"--no-grid", {"", QT_TRANSLATE_NOOP("TarvikCli", "без сетки")}},
        {"--no-axes", {"", QT_TRANSLATE_NOOP("TarvikCli", "без осей")}},
        {"--terms", {"", QT_TRANSLATE_NOOP("TarvikCli", "члены последовательности точками")}},
        {"--cobweb", {"", QT_TRANSLATE_NOOP("TarvikCli", "лестница Ламерея (паутина)")}},
        {"--labels", {"", QT_TRANSLATE_NOOP("TarvikCli", "числа на осях")}},
        {"--break-poles", {"", QT_TRANSLATE_NOOP("TarvikCli", "не соединять кривую через полюсы")}},
        {"--help", {"", QT_TRANSLATE_NOOP("TarvikCli", "эта справка")}},
        {"--version", {"", QT_TRANSLATE_NOOP("TarvikCli", "версия программы")}},
        {"--decimal-comma",
         {"", QT_TRANSLATE_NOOP("TarvikCli",
                                "перед командой: запятая между цифрами — десятичная точка, "
                                "результаты с запятой")}},
    };
    return entries;
}

std::string Translated(const char* text) {
    return text == nullptr || *text == '\0' ? std::string() : Tr(text);
}

// Characters on the screen, not bytes: the texts are UTF-8.
size_t ScreenWidth(const std::string& text) {
    size_t width = 0;
    for (const char c : text) width += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return width;
}

// "  NAME ARGUMENT   description"
std::string Line(const std::string& name, const char* argument, const char* description) {
    std::string head = "  " + name;
    const std::string shownArgument = Translated(argument);
    if (!shownArgument.empty()) head += " " + shownArgument;
    const size_t width = ScreenWidth(head);
    head += width + 2 <= kNameColumn ? std::string(kNameColumn - width, ' ') : "  ";
    return head + Translated(description) + "\n";
}

std::string OptionLine(const std::string& option) {
    const auto found = OptionEntries().find(option);
    if (found == OptionEntries().end()) return "  " + option + "\n";
    return Line(option, found->second.argument, found->second.description);
}

std::string CommandEntryLine(const std::string& command) {
    const auto found = CommandEntries().find(command);
    if (found == CommandEntries().end()) return "  " + command + "\n";
    return Line(command, nullptr, found->second.description);
}

std::string UsageLines() {
    return Tr(QT_TRANSLATE_NOOP("TarvikCli",
                                "Использование: tarvik-cli КОМАНДА ВЫРАЖЕНИЕ [параметры]\n"
                                "               tarvik-cli render --load ФАЙЛ.tvk -o РИСУНОК "
                                "[параметры рисунка]\n"
                                "               tarvik-cli help КОМАНДА | --help | --version\n"));
}

}  // namespace

std::string FullHelp(const std::vector<CommandOptions>& commands) {
    std::string text = UsageLines() + "\n" + Tr(QT_TRANSLATE_NOOP("TarvikCli", "Команды:")) + "\n";
    std::set<std::string> listed;
    std::vector<std::string> options;
    for (const CommandOptions& command : commands) {
        text += CommandEntryLine(command.command);
        for (const std::string& option : command.options) {
            if (listed.insert(option).second) options.push_back(option);
        }
    }
    text += "\n" + Tr(QT_TRANSLATE_NOOP("TarvikCli", "Параметры:")) + "\n";
    for (const std::string& option : options) text += OptionLine(option);
    for (const char* option : {"--help", "--version", "--decimal-comma"})
        text += OptionLine(option);
    text += "\n" +
            Tr(QT_TRANSLATE_NOOP("TarvikCli",
                                 "Параметры команды: tarvik-cli help КОМАНДА. Результат, "
                                 "который является ошибкой, даёт код выхода 1, ошибка в "
                                 "командной строке — код 2.")) +
            "\n";
    return text;
}

std::string CommandHelp(const CommandOptions& command) {
    const auto found = CommandEntries().find(command.command);
    const char* argument = found == CommandEntries().end() ? nullptr : found->second.argument;
    std::string text =
        Tr(QT_TRANSLATE_NOOP("TarvikCli", "Использование:")) + " tarvik-cli " + command.command;
    if (argument != nullptr) text += " " + Translated(argument);
    text += " " + Tr(QT_TRANSLATE_NOOP("TarvikCli", "[параметры]")) + "\n";
    if (found != CommandEntries().end())
        text += "  " + Translated(found->second.description) + "\n";
    if (!command.options.empty()) {
        text += "\n" + Tr(QT_TRANSLATE_NOOP("TarvikCli", "Параметры:")) + "\n";
        for (const std::string& option : command.options) text += OptionLine(option);
    }
    return text;
}

std::string ShortUsageHint() {
    return Tr(QT_TRANSLATE_NOOP("TarvikCli",
                                "использование: tarvik-cli КОМАНДА ВЫРАЖЕНИЕ [параметры]; "
                                "список команд и параметров: tarvik-cli --help"));
}

std::string VersionText() {
    return std::string("tarvik-cli ") + TARVIK_VERSION;
}
