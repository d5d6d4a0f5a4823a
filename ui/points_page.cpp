// The points page of the table window: a plain list filled from the main window's points, the
// clipboard and the CSV file through files/points_csv.
#include "ui/points_page.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "files/csv_export.h"
#include "files/file_access.h"
#include "files/points_csv.h"
#include "messages/messages.h"
#include "ui/dialogs.h"

namespace {

const char* KindWord(PointKind kind) {
    switch (kind) {
        case PointKind::Zero:
            return QT_TRANSLATE_NOOP("GeneralForm", "Нуль");
        case PointKind::Minimum:
            return QT_TRANSLATE_NOOP("GeneralForm", "Минимум");
        case PointKind::Maximum:
            return QT_TRANSLATE_NOOP("GeneralForm", "Максимум");
        case PointKind::Inflection:
            return QT_TRANSLATE_NOOP("GeneralForm", "Перегиб");
        case PointKind::Intersection:
            break;
    }
    return QT_TRANSLATE_NOOP("GeneralForm", "Пересечение");
}

std::string KindWords(PointKind kind) {
    return PointKindText(kind).toStdString();
}

PointsHeader Header() {
    return {PointsPage::tr("Точка").toStdString(), "x", "y"};
}

}  // namespace

// The kinds' words are the main window's texts.
QString PointKindText(PointKind kind) {
    return QCoreApplication::translate("GeneralForm", KindWord(kind));
}

PointsPage::PointsPage(const Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("PointsPage"));
    tblPoints = new QTableWidget(0, 3, this);
    tblPoints->setObjectName(QStringLiteral("tblPoints"));
    const PointsHeader header = Header();
    tblPoints->setHorizontalHeaderLabels({QString::fromStdString(header[0]),
                                          QString::fromStdString(header[1]),
                                          QString::fromStdString(header[2])});
    tblPoints->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblPoints->verticalHeader()->hide();
    tblPoints->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblPoints->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblPoints->setWordWrap(false);
    lblPointsStatus = new QLabel(this);
    lblPointsStatus->setObjectName(QStringLiteral("lblPointsStatus"));
    lblPointsStatus->setWordWrap(true);
    btnPointsCopy = new QPushButton(tr("Копировать"), this);
    btnPointsCopy->setObjectName(QStringLiteral("btnPointsCopy"));
    btnPointsCopy->setToolTip(tr("Копировать выбранные строки"));
    btnPointsSaveCsv = new QPushButton(tr("Сохранить CSV..."), this);
    btnPointsSaveCsv->setObjectName(QStringLiteral("btnPointsSaveCsv"));
    btnPointsSaveCsv->setToolTip(tr("Сохранить точки в CSV-файле"));
    SavePointsDialog = new QFileDialog(this);
    SavePointsDialog->setObjectName(QStringLiteral("SavePointsDialog"));
    SavePointsDialog->setAcceptMode(QFileDialog::AcceptSave);
    SavePointsDialog->setNameFilters({tr("Файлы CSV (*.csv)")});

    auto* saving = new QHBoxLayout;
    saving->addWidget(btnPointsCopy);
    saving->addWidget(btnPointsSaveCsv);
    saving->addStretch();
    auto* column = new QVBoxLayout(this);
    column->addWidget(tblPoints, 1);
    column->addWidget(lblPointsStatus);
    column->addLayout(saving);

    connect(btnPointsCopy, &QPushButton::clicked, this, &PointsPage::btnPointsCopyClick);
    connect(btnPointsSaveCsv, &QPushButton::clicked, this, &PointsPage::btnPointsSaveCsvClick);
    // The view's own copy key would take only the current cell.
    auto* copy = new QShortcut(QKeySequence::Copy, tblPoints, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this, &PointsPage::btnPointsCopyClick);
    ShowPoints({}, {});
}

void PointsPage::ShowPoints(const std::vector<PointMarker>& markers,
                            const std::array<bool, kPointGroups>& more) {
    points_.clear();
    for (const PointMarker& marker : markers) points_.push_back(marker.Point);
    tblPoints->clearContents();
    tblPoints->setRowCount(static_cast<int>(points_.size()));
    for (size_t row = 0; row < points_.size(); ++row) {
        const std::array<std::string, 3> texts = PointTexts(points_[row], KindWords);
        for (size_t column = 0; column < texts.size(); ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(texts[column]));
            if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblPoints->setItem(int(row), int(column), item);
        }
    }
    const bool over = std::any_of(more.begin(), more.end(), [](bool cut) { return cut; });
    lblPointsStatus->setText(
        over ? tr("Точек одного вида больше %1: показаны первые %1.").arg(kMostPointsPerGroup)
             : tr("Точек: %1").arg(points_.size()));
}

void PointsPage::btnPointsCopyClick() {
    std::vector<size_t> chosen;
    for (const QModelIndex& index : tblPoints->selectionModel()->selectedIndexes()) {
        chosen.push_back(static_cast<size_t>(index.row()));
    }
    const std::string text = TabSeparatedPoints(points_, std::move(chosen), KindWords);
    if (!text.empty()) QApplication::clipboard()->setText(QString::fromStdString(text));
}

void PointsPage::btnPointsSaveCsvClick() {
    SavePointsDialog->setOption(QFileDialog::DontConfirmOverwrite);
    if (dialogs_.ExecModal(*SavePointsDialog) != QDialog::Accepted) return;
    const QStringList files = SavePointsDialog->selectedFiles();
    if (files.isEmpty()) return;
    const QString name = WithExtension(files.front(), kCsvExtension);
    const std::string error =
        ExportFailureText(name, SavePointsCsv(name, points_, Header(), KindWords));
    if (!error.empty()) dialogs_.GeneralErrorReport(QString::fromStdString(error));
}
