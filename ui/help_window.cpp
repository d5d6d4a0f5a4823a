// The program's own help window: navigation bar, text browser and find bar.
#include "ui/help_window.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kHelpIndex = QStringLiteral("help/index.htm");
const QString kEnglishHelpIndex = QStringLiteral("help/en/index.htm");
constexpr QSize kHelpWindowSize{820, 640};

QToolButton* MakeButton(QWidget* parent, const char* name, const QString& text, const QString& hint,
                        const QIcon& picture = QIcon()) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(hint);
    button->setIcon(picture);
    button->setAutoRaise(true);
    button->setToolButtonStyle(picture.isNull() ? Qt::ToolButtonTextOnly
                                                : Qt::ToolButtonTextBesideIcon);
    return button;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Справка — Tarvik"));
    resize(kHelpWindowSize);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    // Pages of the help folder open here; addresses of the web go to the desktop's browser.
    browser_->setOpenExternalLinks(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(createNavigationBar());
    layout->addWidget(browser_, 1);
    layout->addWidget(createFindBar());

    auto* find = new QShortcut(QKeySequence::Find, this);
    find->setObjectName(QStringLiteral("helpFindShortcut"));
    connect(find, &QShortcut::activated, this, &HelpWindow::ShowFindBar);
}

QString HelpWindow::EntryText() {
    return tr("Справка в окне программы");
}

QWidget* HelpWindow::createNavigationBar() {
    auto* bar = new QWidget(this);
    const QStyle* look = style();
    back_ = MakeButton(bar, "btnHelpBack", tr("Назад"), tr("Предыдущая страница"),
                       look->standardIcon(QStyle::SP_ArrowBack));
    forward_ = MakeButton(bar, "btnHelpForward", tr("Вперёд"), tr("Следующая страница"),
                          look->standardIcon(QStyle::SP_ArrowForward));
    homeButton_ = MakeButton(bar, "btnHelpHome", tr("Содержание"), tr("Главная страница справки"),
                             look->standardIcon(QStyle::SP_DirHomeIcon));
    back_->setShortcut(QKeySequence::Back);
    forward_->setShortcut(QKeySequence::Forward);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(homeButton_, &QToolButton::clicked, this, [this] { browser_->setSource(home_); });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);

    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(back_);
    row->addWidget(forward_);
    row->addWidget(homeButton_);
    row->addStretch(1);
    return bar;
}

QWidget* HelpWindow::createFindBar() {
    findBar_ = new QWidget(this);
    findBar_->setObjectName(QStringLiteral("helpFindBar"));
    auto* label = new QLabel(tr("Найти:"), findBar_);
    findText_ = new QLineEdit(findBar_);
    findText_->setObjectName(QStringLiteral("helpFindText"));
    findText_->installEventFilter(this);
    label->setBuddy(findText_);
    QToolButton* next =
        MakeButton(findBar_, "btnHelpFindNext", QStringLiteral("↓"), tr("Найти далее (Enter)"));
    QToolButton* previous = MakeButton(findBar_, "btnHelpFindPrevious", QStringLiteral("↑"),
                                       tr("Найти ранее (Shift+Enter)"));
    QToolButton* close =
        MakeButton(findBar_, "btnHelpFindClose", QStringLiteral("×"), tr("Закрыть поиск (Esc)"));
    findStatus_ = new QLabel(findBar_);
    findStatus_->setObjectName(QStringLiteral("lblHelpFindStatus"));

    // Typing searches from the start of the current match, so that the match grows with the text.
    connect(findText_, &QLineEdit::textEdited, this, [this] {
        QTextCursor cursor = browser_->textCursor();
        cursor.setPosition(cursor.selectionStart());
        browser_->setTextCursor(cursor);
        findFromBar(false);
    });
    connect(next, &QToolButton::clicked, this, [this] { findFromBar(false); });
    connect(previous, &QToolButton::clicked, this, [this] { findFromBar(true); });
    connect(close, &QToolButton::clicked, this, &HelpWindow::hideFindBar);

    auto* row = new QHBoxLayout(findBar_);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(label);
    row->addWidget(findText_, 1);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(findStatus_);
    row->addWidget(close);
    findBar_->hide();
    return findBar_;
}

void HelpWindow::OpenHome(const QUrl& home) {
    home_ = home;
    if (home.isLocalFile() && !QFileInfo::exists(home.toLocalFile())) {
        browser_->clearHistory();
        browser_->setHtml(
            QStringLiteral("<p>%1</p>")
                .arg(
                    tr("Страница справки не найдена: %1").arg(home.toLocalFile().toHtmlEscaped())));
        return;
    }
    browser_->setSource(home);
}

bool HelpWindow::FindInPage(const QString& text, bool backwards) {
    if (text.isEmpty()) return false;
    const QTextDocument::FindFlags flags =
        backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (browser_->find(text, flags)) return true;
    // Once more from the other end of the page; the selection stays where it was otherwise.
    const QTextCursor before = browser_->textCursor();
    QTextCursor edge(browser_->document());
    edge.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
    browser_->setTextCursor(edge);
    if (browser_->find(text, flags)) return true;
    browser_->setTextCursor(before);
    return false;
}

void HelpWindow::ShowFindBar() {
    findBar_->show();
    findText_->setFocus(Qt::ShortcutFocusReason);
    findText_->selectAll();
}

void HelpWindow::findFromBar(bool backwards) {
    const QString text = findText_->text();
    const bool found = text.isEmpty() || FindInPage(text, backwards);
    findStatus_->setText(found ? QString() : tr("Не найдено"));
}

void HelpWindow::hideFindBar() {
    findBar_->hide();
    findStatus_->clear();
    browser_->setFocus();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == findText_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            findFromBar(key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            hideFindBar();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QUrl HelpIndexUrl(const QString& programFolder) {
    return HelpIndexUrl(programFolder, ChosenLanguage());
}

QUrl HelpIndexUrl(const QString& programFolder, Language language) {
    if (language == Language::English) {
        const QString english = programFolder + kEnglishHelpIndex;
        if (QFileInfo::exists(english)) return QUrl::fromLocalFile(english);
    }
    return QUrl::fromLocalFile(programFolder + kHelpIndex);
}

HelpWindow* ShowProgramHelp(QWidget& owner, const QUrl& index) {
    auto* window = owner.findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window) window = new HelpWindow(&owner);
    window->OpenHome(index);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

QAction* AddHelpWindowEntry(QWidget& owner, const QString& programFolder, QMenu& menu,
                            QAction* before) {
    auto* entry = new QAction(HelpWindow::EntryText(), &owner);
    entry->setObjectName(QStringLiteral("mnuHelpWindow"));
    QObject::connect(entry, &QAction::triggered, &owner, [&owner, &programFolder] {
        ShowProgramHelp(owner, HelpIndexUrl(programFolder));
    });
    menu.insertAction(before, entry);
    return entry;
}
