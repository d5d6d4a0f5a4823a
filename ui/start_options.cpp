#include "ui/start_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <string_view>

#include "tarvik_version.h"

namespace {

constexpr int kExitUsage = 2;

class StartOptionTexts {
    Q_DECLARE_TR_FUNCTIONS(StartOptionTexts)

  public:
    static QString Description() {
        return tr(
            "Tarvik — исследование функций и последовательностей: графики, значения, "
            "производные и интегралы.");
    }
    static QString FileHelp() {
        return tr("Файл функции (.tvk) или набор кривых (.tvkset), который открыть после запуска.");
    }
    static QString FileSyntax() { return tr("[ФАЙЛ]"); }
    static QString UsageHint() { return tr("Список параметров: tarvik --help"); }
};

void Print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

bool HasOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") return false;
        if (argument.size() > 1 && argument.front() == '-') return true;
    }
    return false;
}

StartOptions ReadStartOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(StartOptionTexts::Description());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), StartOptionTexts::FileHelp(),
                                 StartOptionTexts::FileSyntax());
    StartOptions options;
    if (!parser.parse(arguments)) {
        Print(stderr, QStringLiteral("tarvik: %1\n%2\n")
                          .arg(parser.errorText(), StartOptionTexts::UsageHint()));
        options.ExitCode = kExitUsage;
        return options;
    }
    if (parser.isSet(help)) {
        Print(stdout, parser.helpText());
        options.ExitCode = 0;
        return options;
    }
    if (parser.isSet(version)) {
        Print(stdout, QStringLiteral(TARVIK_NAME_AND_VERSION "\n"));
        options.ExitCode = 0;
        return options;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        Print(stderr, QStringLiteral("tarvik: %1\n%2\n")
                          .arg(StartOptionTexts::tr("Можно открыть только один файл."),
                               StartOptionTexts::UsageHint()));
        options.ExitCode = kExitUsage;
        return options;
    }
    if (!files.isEmpty()) options.File = files.front();
    return options;
}
