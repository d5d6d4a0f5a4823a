// The program's own help window: the help pages in a text browser with back, forward and home
// buttons, links between the pages and find-in-page (Ctrl+F). It opens when no desktop browser
// takes the help page, and from its own entry in the help menu.
#pragma once

#include <QUrl>
#include <QWidget>

#include "ui/language.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTextBrowser;
class QToolButton;

class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows `home` (the help index) and makes it the page of the home button.
    void OpenHome(const QUrl& home);
    // Selects the next occurrence of `text` on the page after the selection (before it when
    // `backwards`), wrapping around the page once; false when the page does not hold it.
    bool FindInPage(const QString& text, bool backwards = false);
    // Shows the find bar with the focus in its field.
    void ShowFindBar();

    // The entry of the help menu that opens this window.
    static QString EntryText();

  private:
    QWidget* createNavigationBar();
    QWidget* createFindBar();
    void findFromBar(bool backwards);
    void hideFindBar();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QUrl home_;
    QTextBrowser* browser_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
    QToolButton* homeButton_ = nullptr;
    QWidget* findBar_ = nullptr;
    QLineEdit* findText_ = nullptr;
    QLabel* findStatus_ = nullptr;
};

// The address of the help index beside the program in the interface language.
QUrl HelpIndexUrl(const QString& programFolder);
// The help index in `language`: the English pages live in help/en/; when they are missing the
// Russian index is the one there is.
QUrl HelpIndexUrl(const QString& programFolder, Language language);
// Shows the program's help window over `owner` at `index`, creating it the first time.
HelpWindow* ShowProgramHelp(QWidget& owner, const QUrl& index);
// Puts the entry that always opens the program's help window into `menu` before `before`; the
// help is looked for in `programFolder` as it reads when the entry is chosen (the folder must
// outlive the entry).
QAction* AddHelpWindowEntry(QWidget& owner, const QString& programFolder, QMenu& menu,
                            QAction* before);
