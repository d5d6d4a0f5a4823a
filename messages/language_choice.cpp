// The interface language from a locale name or the locale variables, and the catalogue that
// tarvik-cli reads its texts from.
#include "messages/language_choice.h"

#include <cstdlib>

#include "messages/catalogue.h"

QString LanguageCode(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ru");
}

Language LanguageOfName(const QString& name) {
    // "en", "en-US", "en_GB.UTF-8": the part before the first separator names the language.
    // Scanned by hand: a regular expression would have its JIT map a writable and executable
    // page for the rest of the process.
    qsizetype end = 0;
    while (end < name.size() && !QStringView(u"-_.@").contains(name.at(end))) ++end;
    const QString code = name.left(end).toLower();
    return code == QLatin1String("en") ? Language::English : Language::Russian;
}

Language LanguageOfEnvironment(const char* language, const char* all, const char* messages,
                               const char* lang) {
    for (const char* value : {language, all, messages, lang}) {
        if (value == nullptr || *value == '\0') continue;
        // A LANGUAGE list: its first entry that is not empty.
        const QStringList entries =
            QString::fromLocal8Bit(value).split(QLatin1Char(':'), Qt::SkipEmptyParts);
        if (entries.isEmpty()) continue;
        return LanguageOfName(entries.front());
    }
    return Language::Russian;
}

Language LanguageFromEnvironment() {
    return LanguageOfEnvironment(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                 std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

void DisableRegexpJit() {
    qputenv("QT_ENABLE_REGEXP_JIT", "0");
}

bool UseCatalogue(Language language) {
    if (language == Language::Russian) {
        DropOwnCatalogue();
        return true;
    }
    return LoadOwnCatalogue(QStringLiteral("tarvik_") + LanguageCode(language),
                            kProgramTranslations);
}
