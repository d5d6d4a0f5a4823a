// The interface language: the user's stored choice, else the system's preferred language, and
// the translations that go with it (Qt's own dialogs and buttons, and the program's texts). The
// choice made in the menu takes effect at the next start.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "messages/language_choice.h"

class Dialogs;
class QAction;
class QCoreApplication;
class QMenu;
class QTranslator;

// English when the first preferred language is English, Russian for every other one, C and
// POSIX included. A stored choice ("ru" or "en") wins over the preferred languages.
Language LanguageFor(const QStringList& uiLanguages, const QString& stored);
// The language of this start: the stored choice, else the system's preferred languages.
Language ChosenLanguage();
// Keeps the choice for the next start.
void StoreLanguage(Language language);

// Loads Qt's own translation and the program's for `language` and installs them in `app`, which
// owns them; the translators installed (a missing file is skipped).
QList<QTranslator*> InstallTranslations(QCoreApplication& app, Language language);
// The translations of the chosen language installed, before any window is built.
Language SetUpLanguage(QCoreApplication& app);

// Puts the "Язык / Language" submenu into `menu` before `before`.
QMenu* AddLanguageMenu(const Dialogs& dialogs, QMenu& menu, QAction* before);
