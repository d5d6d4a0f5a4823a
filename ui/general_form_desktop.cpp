// The window among the desktop's programs: a function file named on the command line or dropped
// on the window is opened as "Загрузить функцию" opens it, a curve set as "Открыть набор
// кривых…" does, "Последние файлы" lists the last
// files opened or saved, and "Десятичная запятая" lets the comma stand for the decimal point
// (both kept in the user's settings).
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTimer>
#include <QUrl>

#include "engine/decimal_comma.h"
#include "files/curve_set_file.h"
#include "files/function_file.h"
#include "messages/messages.h"
#include "ui/general_form.h"
#include "ui/utf8_text.h"

namespace {

const QString kRecentKey = QStringLiteral("files/recent");
const QString kDecimalCommaKey = QStringLiteral("view/decimalComma");
constexpr int kRecentCount = 8;
constexpr int kStartPollMs = 20;

QSettings RecentSettings() {
    return QSettings(kApplicationTitle, kApplicationTitle);
}

QStringList RecentFiles() {
    return RecentSettings().value(kRecentKey).toStringList();
}

void StoreRecentFiles(const QStringList& files) {
    RecentSettings().setValue(kRecentKey, files);
}

bool IsSetFile(const QString& path) {
    return path.endsWith(kCurveSetExtension);
}

// The files a drag brings that the window opens: local function files and curve sets.
QString DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() &&
            (path.endsWith(QString::fromLatin1(kFunctionFileExtension)) || IsSetFile(path)))
            return path;
    }
    return {};
}

}  // namespace

void GeneralForm::OpenAtStart(const QString& path) {
    // The start-up picture comes first: the file waits for the first layout.
    if (ResizeCount == 0) {
        QTimer::singleShot(kStartPollMs, this, [this, path] { OpenAtStart(path); });
        return;
    }
    OpenFile(path);
}

bool GeneralForm::OpenFile(const QString& path) {
    return IsSetFile(path) ? OpenSetFile(path) : OpenFunctionFile(path);
}

bool GeneralForm::OpenFunctionFile(const QString& path) {
    const FunctionFileParse parse = LoadFunctionFile(path);
    if (!parse.File) {
        GeneralErrorReport(FromUtf8(LoadErrorText(parse.Error)));
        return false;
    }
    RememberFile(path);
    ApplyLoadedFunction(*parse.File);
    return true;
}

void GeneralForm::RememberFile(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(full);
    files.prepend(full);
    while (files.size() > kRecentCount) files.removeLast();
    StoreRecentFiles(files);
}

void GeneralForm::createRecentMenu() {
    mnuFunctionRecent = new QMenu(tr("Последние файлы"), mnuFunction);
    mnuFunctionRecent->setObjectName(QStringLiteral("mnuFunctionRecent"));
    connect(mnuFunctionRecent, &QMenu::aboutToShow, this, &GeneralForm::FillRecentMenu);
    // After the two function entries, before the first separator.
    QAction* before = nullptr;
    for (QAction* action : mnuFunction->actions()) {
        if (action->objectName() == QLatin1String("mnuFunctionLine1")) before = action;
    }
    mnuFunction->insertMenu(before, mnuFunctionRecent);
    setAcceptDrops(true);
}

void GeneralForm::FillRecentMenu() {
    mnuFunctionRecent->clear();
    const QStringList files = RecentFiles();
    for (int k = 0; k < files.size(); ++k) {
        const QString path = files[k];
        QAction* entry = mnuFunctionRecent->addAction(
            QStringLiteral("&%1 %2").arg(k + 1).arg(QFileInfo(path).fileName()));
        entry->setObjectName(QStringLiteral("mnuFunctionRecent%1").arg(k + 1));
        entry->setToolTip(path);
        entry->setStatusTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { mnuFunctionRecentClick(path); });
    }
    if (!files.isEmpty()) mnuFunctionRecent->addSeparator();
    QAction* clear = mnuFunctionRecent->addAction(tr("Очистить список"));
    clear->setObjectName(QStringLiteral("mnuFunctionRecentClear"));
    clear->setEnabled(!files.isEmpty());
    connect(clear, &QAction::triggered, this, [] { StoreRecentFiles({}); });
}

void GeneralForm::mnuFunctionRecentClick(const QString& path) {
    if (!QFileInfo::exists(path)) {
        QStringList files = RecentFiles();
        files.removeAll(path);
        StoreRecentFiles(files);
        InformationBox(tr("Файл %1 не найден; он убран из списка последних файлов.").arg(path));
        return;
    }
    OpenFile(path);
}

void GeneralForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void GeneralForm::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // The drop's own event ends first: the load may show a message box.
    QTimer::singleShot(0, this, [this, path] { OpenFile(path); });
}

void GeneralForm::createDecimalCommaToggle() {
    mnuViewDecimalComma = new QAction(tr("Десятичная запятая"), this);
    mnuViewDecimalComma->setObjectName(QStringLiteral("mnuViewDecimalComma"));
    mnuViewDecimalComma->setCheckable(true);
    mnuViewDecimalComma->setChecked(RecentSettings().value(kDecimalCommaKey, false).toBool());
    connect(mnuViewDecimalComma, &QAction::toggled, this, &GeneralForm::mnuViewDecimalCommaClick);
    mnuView->insertAction(mnuView->actions().value(3), mnuViewDecimalComma);
}

void GeneralForm::mnuViewDecimalCommaClick(bool checked) {
    RecentSettings().setValue(kDecimalCommaKey, checked);
    // The fields show the held values in the chosen form at once.
    ShowParameters();
}

std::string GeneralForm::Entered(const QString& text) const {
    const bool comma = mnuViewDecimalComma != nullptr && mnuViewDecimalComma->isChecked();
    return comma ? CommaAsPoint(text.toStdString()) : text.toStdString();
}

QString GeneralForm::Displayed(const std::string& text) const {
    const bool comma = mnuViewDecimalComma != nullptr && mnuViewDecimalComma->isChecked();
    return FromUtf8(comma ? PointAsComma(text) : text);
}
