// The interface language: the choice from the system's languages and the stored override, Qt's
// own texts in Russian, the program's English catalogue complete and loaded, and the language
// submenu that keeps the choice.
#include "ui/language.h"

#include <QAction>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <QXmlStreamReader>

#include "form_controls.h"
#include "ui/general_form.h"
#include "ui/help_window.h"
#include "window_fixture.h"

namespace {

const QString kLanguageKey = QStringLiteral("interface/language");

QSettings UserSettings() {
    return QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik"));
}

// Installs the translations of a language for one test and removes them afterwards.
class InstalledLanguage {
  public:
    explicit InstalledLanguage(Language language)
        : translators_(InstallTranslations(*QCoreApplication::instance(), language)) {}
    ~InstalledLanguage() {
        for (QTranslator* translator : translators_) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    qsizetype count() const { return translators_.size(); }

  private:
    QList<QTranslator*> translators_;
};

struct CatalogueMessage {
    QString context, source, translation;
    QString type;  // "unfinished", "vanished", "obsolete" or empty
};

// Every message of a translation source file.
QList<CatalogueMessage> ReadCatalogue(const QString& path) {
    QList<CatalogueMessage> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return messages;
    QXmlStreamReader xml(&file);
    QString context;
    CatalogueMessage message;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement()) continue;
        const QStringView name = xml.name();
        if (name == u"TS" || name == u"context" || name == u"message") {
            if (name == u"message") message = {context, {}, {}, {}};
            continue;
        }
        if (name == u"name") {
            context = xml.readElementText();
        } else if (name == u"source") {
            message.source = xml.readElementText();
        } else if (name == u"translation") {
            message.type = xml.attributes().value("type").toString();
            message.translation = xml.readElementText();
            messages << message;
        } else {
            xml.skipCurrentElement();
        }
    }
    return messages;
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup();
    void languageFor_data();
    void languageFor();
    void storedChoiceWins_data();
    void storedChoiceWins();
    void qtTextsInRussian_data();
    void qtTextsInRussian();
    void dialogsOfTheWindowInRussian();
    void catalogueIsComplete();
    void englishCatalogueIsLoaded();
    void windowInEnglish();
    void windowInRussianByDefault();
    void languageMenu_data();
    void languageMenu();
};

void LanguageTest::cleanup() {
    UserSettings().remove(kLanguageKey);
}

void LanguageTest::languageFor_data() {
    QTest::addColumn<QStringList>("preferred");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("english");
    QTest::newRow("en_US") << QStringList{"en-US", "en-Latn-US", "en"} << "" << true;
    QTest::newRow("en_GB") << QStringList{"en-GB", "en-Latn-GB"} << "" << true;
    QTest::newRow("plain en") << QStringList{"en"} << "" << true;
    QTest::newRow("ru_RU") << QStringList{"ru-RU", "ru-Cyrl-RU", "ru"} << "" << false;
    QTest::newRow("C") << QStringList{"C"} << "" << false;
    QTest::newRow("POSIX") << QStringList{"POSIX"} << "" << false;
    QTest::newRow("de_DE") << QStringList{"de-DE", "de-Latn-DE", "de"} << "" << false;
    QTest::newRow("German before English") << QStringList{"de", "en-US"} << "" << false;
    QTest::newRow("nothing") << QStringList{} << "" << false;
    QTest::newRow("not English but en-like") << QStringList{"eo"} << "" << false;
    QTest::newRow("stored en wins over ru") << QStringList{"ru-RU"} << "en" << true;
    QTest::newRow("stored ru wins over en") << QStringList{"en-US"} << "ru" << false;
    QTest::newRow("stored en wins over C") << QStringList{"C"} << "en" << true;
    QTest::newRow("unknown stored value ignored") << QStringList{"en-US"} << "xx" << true;
}

void LanguageTest::languageFor() {
    QFETCH(QStringList, preferred);
    QFETCH(QString, stored);
    QFETCH(bool, english);
    QCOMPARE(LanguageFor(preferred, stored) == Language::English, english);
}

void LanguageTest::storedChoiceWins_data() {
    QTest::addColumn<Language>("stored");
    QTest::newRow("English") << Language::English;
    QTest::newRow("Russian") << Language::Russian;
}

void LanguageTest::storedChoiceWins() {
    QFETCH(Language, stored);
    QCOMPARE(ChosenLanguage(), LanguageFor(QLocale::system().uiLanguages(), QString()));
    StoreLanguage(stored);
    QCOMPARE(UserSettings().value(kLanguageKey).toString(), LanguageCode(stored));
    QCOMPARE(ChosenLanguage(), stored);
}

void LanguageTest::qtTextsInRussian_data() {
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("russian");
    QTest::newRow("button") << "QPlatformTheme"
                            << "Cancel"
                            << "Отмена";
    QTest::newRow("file dialog") << "QFileDialog"
                                 << "Save As"
                                 << "Сохранить как";
    QTest::newRow("colour dialog") << "QColorDialog"
                                   << "Select Color"
                                   << "Выбор цвета";
}

void LanguageTest::qtTextsInRussian() {
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, russian);
    const auto translated = [&] {
        return QCoreApplication::translate(context.toLatin1(), source.toLatin1());
    };
    QCOMPARE(translated(), source);
    {
        const InstalledLanguage language(Language::Russian);
        QCOMPARE(language.count(), 1);
        QCOMPARE(translated(), russian);
    }
    QCOMPARE(translated(), source);
}

void LanguageTest::dialogsOfTheWindowInRussian() {
    const InstalledLanguage language(Language::Russian);
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
    GeneralForm form;
    const FormControls ui(form);
    QCOMPARE(ui.ColorDialog->windowTitle(), QStringLiteral("Выбор цвета"));
}

void LanguageTest::catalogueIsComplete() {
    const QList<CatalogueMessage> messages =
        ReadCatalogue(QStringLiteral(TARVIK_SOURCE_DIR "/translations/tarvik_en.ts"));
    QVERIFY(messages.size() >= 10);
    QTranslator built;
    QVERIFY(built.load(QStringLiteral(":/i18n/tarvik_en.qm")));
    for (const CatalogueMessage& message : messages) {
        const QString where = message.context + ": " + message.source;
        QVERIFY2(message.type.isEmpty(), qPrintable(where));
        QVERIFY2(!message.translation.isEmpty(), qPrintable(where));
        // The built catalogue gives the same translation.
        QCOMPARE(built.translate(message.context.toUtf8(), message.source.toUtf8()),
                 message.translation);
    }
}

void LanguageTest::englishCatalogueIsLoaded() {
    {
        const InstalledLanguage language(Language::English);
        // Qt's English catalogue is empty (Qt's texts are English): only the program's counts.
        QVERIFY(language.count() >= 1);
        QCOMPARE(HelpWindow().windowTitle(), QStringLiteral("Help — Tarvik"));
        QCOMPARE(HelpWindow::EntryText(), QStringLiteral("Help in the program's window"));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
    }
    QCOMPARE(HelpWindow().windowTitle(), QStringLiteral("Справка — Tarvik"));
}

// Under English the window's own texts, the messages of a run and of a refusal read in English;
// the caption of the information box stays "Information".
void LanguageTest::windowInEnglish() {
    const InstalledLanguage language(Language::English);
    WindowFixture w;
    QCOMPARE(w->findChild<QToolButton*>("btnStart")->text(), QStringLiteral("Run"));
    QCOMPARE(w->findChild<QToolButton*>("btnCalcFunc")->toolTip(),
             QStringLiteral("Compute the value of the function"));
    QStringList menus;
    for (QAction* menu : w->menuBar()->actions()) menus << menu->text();
    QVERIFY2(menus.contains(QStringLiteral("&File")), qPrintable(menus.join(", ")));
    QVERIFY2(menus.contains(QStringLiteral("&Help")), qPrintable(menus.join(", ")));

    w.Run(QStringLiteral("1/0"));
    w.Settle();
    auto* result = w->findChild<QLineEdit*>("txtResult");
    QCOMPARE(result->text(), QStringLiteral("ERROR: Division by zero"));
    QCOMPARE(result->toolTip(), QStringLiteral("Result of processing the expression 1/0"));

    w.Run(QStringLiteral("sinx"));
    w.Settle();
    QCOMPARE(result->text(), QStringLiteral("Graph drawn"));
    w.TypeInto(w.Field("txtXfunc"), QStringLiteral("abc"));
    QTest::mouseClick(w->findChild<QToolButton*>("btnCalcFunc"), Qt::LeftButton);
    QCOMPARE(w.messages.size(), size_t(1));
    QCOMPARE(w.messages.front().caption, QStringLiteral("Information"));
    QCOMPARE(w.messages.front().text, QStringLiteral("Enter a valid argument value"));
}

// Without a catalogue the window shows its Russian texts.
void LanguageTest::windowInRussianByDefault() {
    WindowFixture w;
    QCOMPARE(w->findChild<QToolButton*>("btnStart")->text(), QStringLiteral("Выполнить"));
    w.Run(QStringLiteral("1/0"));
    w.Settle();
    QCOMPARE(w->findChild<QLineEdit*>("txtResult")->text(),
             QStringLiteral("ОШИБКА: Деление на ноль"));
}

void LanguageTest::languageMenu_data() {
    QTest::addColumn<QString>("stored");  // the choice before the window is built
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<int>("messages");
    QTest::newRow("Russian start, English chosen") << "ru"
                                                   << "mnuLanguageEnglish"
                                                   << "en" << 1;
    QTest::newRow("Russian start, Russian chosen") << "ru"
                                                   << "mnuLanguageRussian"
                                                   << "ru" << 0;
    QTest::newRow("English start, Russian chosen") << "en"
                                                   << "mnuLanguageRussian"
                                                   << "ru" << 1;
}

void LanguageTest::languageMenu() {
    QFETCH(QString, stored);
    QFETCH(QString, entry);
    QFETCH(QString, storedAfter);
    QFETCH(int, messages);
    UserSettings().setValue(kLanguageKey, stored);
    GeneralForm form;
    const FormControls ui(form);
    QStringList shown;
    form.messageHook = [&](QMessageBox& box) { shown << box.text(); };
    auto* languages = form.findChild<QMenu*>("mnuLanguage");
    QVERIFY(languages);
    QCOMPARE(languages->title(), QStringLiteral("Язык / Language"));
    // In the help menu, before the About entry.
    const QList<QAction*> entries = ui.mnuHelp->actions();
    QCOMPARE(entries.indexOf(languages->menuAction()), entries.indexOf(ui.mnuHelpAbout) - 1);
    auto* russian = form.findChild<QAction*>("mnuLanguageRussian");
    auto* english = form.findChild<QAction*>("mnuLanguageEnglish");
    QCOMPARE(russian->text(), QStringLiteral("Русский"));
    QCOMPARE(english->text(), QStringLiteral("English"));
    QCOMPARE(russian->isChecked(), stored == "ru");
    QCOMPARE(english->isChecked(), stored == "en");

    form.findChild<QAction*>(entry)->trigger();
    QCOMPARE(UserSettings().value(kLanguageKey).toString(), storedAfter);
    QCOMPARE(russian->isChecked(), storedAfter == "ru");
    QCOMPARE(english->isChecked(), storedAfter == "en");
    QCOMPARE(shown.size(), messages);
    if (messages)
        QCOMPARE(shown.front(),
                 QStringLiteral("Язык интерфейса сменится при следующем запуске программы."));
}

std::unique_ptr<QObject> MakeLanguageTest() {
    return std::make_unique<LanguageTest>();
}

#include "language_test.moc"
