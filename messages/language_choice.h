// The interface language and how it is found: the window asks the system's preferred languages,
// tarvik-cli the locale variables. English for an English locale, Russian for every other one
// (C and POSIX included). The program's own catalogue is built into it.
#pragma once

#include <QString>
#include <QStringList>

enum class Language { Russian, English };

// Where the program's catalogues are (built in by qt_add_translations).
inline const QString kProgramTranslations = QStringLiteral(":/i18n");

// "ru" or "en".
QString LanguageCode(Language language);
// English when the name ("en", "en-US", "en_GB.UTF-8") names English; Russian otherwise.
Language LanguageOfName(const QString& name);
// The language of tarvik-cli from the locale variables, as gettext reads them: the first of
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG that is set and not empty decides (LANGUAGE is a list
// separated by colons: its first entry). Russian when none is set.
Language LanguageOfEnvironment(const char* language, const char* all, const char* messages,
                               const char* lang);
Language LanguageFromEnvironment();

// Keeps every regular expression of the process, Qt's own (the file dialogs' filters) among
// them, interpreted: the JIT would map a writable and executable page for the rest of the run.
// Called at start-up, before anything can use one.
void DisableRegexpJit();

// Loads the program's catalogue for `language` into the messages' own translator, for a program
// with no application object to install it in (tarvik-cli); Russian needs none. False when the
// catalogue cannot be loaded. Russian drops any catalogue loaded before.
bool UseCatalogue(Language language);
