// The interface language: the choice, the translators and the language submenu.
#include "ui/language.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTranslator>

#include "ui/dialogs.h"

namespace {

const QString kLanguageKey = QStringLiteral("interface/language");

// The texts of the language submenu.
class LanguageMenu {
    Q_DECLARE_TR_FUNCTIONS(LanguageMenu)
};

QSettings UserSettings() {
    return QSettings(kApplicationTitle, kApplicationTitle);
}

QTranslator* Install(QCoreApplication& app, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

// Tells that the new language shows at the next start (the texts already built stay).
void AnnounceChange(const Dialogs& dialogs) {
    QMessageBox box(QMessageBox::Information, kApplicationTitle,
                    LanguageMenu::tr("Язык интерфейса сменится при следующем запуске программы."),
                    QMessageBox::Ok, &dialogs.Owner());
    dialogs.ExecMessage(box);
}

}  // namespace

Language LanguageFor(const QStringList& uiLanguages, const QString& stored) {
    if (stored == QLatin1String("en")) return Language::English;
    if (stored == QLatin1String("ru")) return Language::Russian;
    if (uiLanguages.isEmpty()) return Language::Russian;
    return LanguageOfName(uiLanguages.front());
}

Language ChosenLanguage() {
    return LanguageFor(QLocale::system().uiLanguages(),
                       UserSettings().value(kLanguageKey).toString());
}

void StoreLanguage(Language language) {
    UserSettings().setValue(kLanguageKey, LanguageCode(language));
}

QList<QTranslator*> InstallTranslations(QCoreApplication& app, Language language) {
    const QString code = LanguageCode(language);
    QList<QTranslator*> installed;
    // Qt's own texts: file dialogs, the colour dialog, the standard buttons.
    if (QTranslator* qt = Install(app, QStringLiteral("qtbase_") + code,
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installed << qt;
    // The program's texts are written in Russian; only other languages need a catalogue.
    if (language != Language::Russian) {
        if (QTranslator* own = Install(app, QStringLiteral("tarvik_") + code, kProgramTranslations))
            installed << own;
    }
    return installed;
}

Language SetUpLanguage(QCoreApplication& app) {
    const Language language = ChosenLanguage();
    InstallTranslations(app, language);
    return language;
}

QMenu* AddLanguageMenu(const Dialogs& dialogs, QMenu& menu, QAction* before) {
    auto* languages = new QMenu(LanguageMenu::tr("Язык / Language"), &menu);
    languages->setObjectName(QStringLiteral("mnuLanguage"));
    auto* group = new QActionGroup(languages);
    // The language this start shows (the choice is read before any window is built).
    const Language current = ChosenLanguage();
    // Each language is named in itself, so that it can be found whatever the interface shows.
    const struct {
        Language language;
        const char* name;
        QString text;
    } entries[] = {{Language::Russian, "mnuLanguageRussian", QStringLiteral("Русский")},
                   {Language::English, "mnuLanguageEnglish", QStringLiteral("English")}};
    for (const auto& entry : entries) {
        QAction* action = languages->addAction(entry.text);
        action->setObjectName(QString::fromLatin1(entry.name));
        action->setCheckable(true);
        action->setChecked(entry.language == current);
        group->addAction(action);
        const Language language = entry.language;
        QObject::connect(action, &QAction::triggered, &menu, [&dialogs, language, current] {
            StoreLanguage(language);
            if (language != current) AnnounceChange(dialogs);
        });
    }
    menu.insertMenu(before, languages);
    return languages;
}
