// The table window: its controls, the filling of the two tables, copying, CSV and the picture
// mode. A fill takes a copy of the main window's engine (the last run expression and the
// parameters as they stand) to a background thread; one that lasts shows its progress and can
// be stopped. The window asks the main window to redraw when the picture mode or its argument
// changes.
#include "ui/table_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <variant>

#include "calc/sequence_behaviour.h"
#include "document/plot_document.h"
#include "engine/number_text.h"
#include "files/csv_export.h"
#include "files/file_access.h"
#include "messages/messages.h"
#include "ui/dialogs.h"
#include "ui/points_page.h"
#include "ui/table_model.h"
#include "ui/utf8_text.h"
#include "ui/widget_factory.h"

namespace {

constexpr int kFieldWidth = 65;
constexpr int kRowHeight = 18;

const char* const kFillCaption = QT_TRANSLATE_NOOP("TableWindow", "Заполнить");
const char* const kStopCaption = QT_TRANSLATE_NOOP("TableWindow", "Остановить");
const char* const kFillProgress = QT_TRANSLATE_NOOP("TableWindow", "Заполнение таблицы… %1%");
const char* const kFillStopped = QT_TRANSLATE_NOOP("TableWindow", "Заполнение прервано");

QLineEdit* Field(QWidget* parent, const char* name, const QString& text, const QString& hint) {
    auto* field = ui::MakeField(parent, name, QRect(0, 0, kFieldWidth, 21), text, hint);
    field->setFixedWidth(kFieldWidth);
    return field;
}

QLabel* Label(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setFont(ui::BoldFont(parent->font(), 11));
    return label;
}

template <class Button>
Button* Named(QWidget* parent, const char* name, const QString& text, const QString& hint) {
    auto* button = new Button(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    return button;
}

}  // namespace

TableWindow::TableWindow(QWidget& owner, const Dialogs& dialogs)
    : QWidget(&owner, Qt::Window), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TableWindow"));
    setWindowTitle(tr(kTableWindowCaption));
    setFont(owner.font());
    filler_ = new TableFiller(this);
    connect(filler_, &TableFiller::progressStarted, this, &TableWindow::FillStarted);
    connect(filler_, &TableFiller::progress, this, &TableWindow::FillProgress);
    connect(filler_, &TableFiller::progressEnded, this, &TableWindow::FillEnded);
    connect(filler_, &TableFiller::finished, this, &TableWindow::FillDelivered);
    // Closing the program drops the fill in flight, so that its thread ends promptly.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TableWindow::CancelFill);
    createControls();
    layOutControls();
    resize(420, 560);
}

TableWindow::~TableWindow() {
    // A field losing the focus while the controls are destroyed would reach the handlers of
    // this half-destroyed window.
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
    filler_->blockSignals(true);
    filler_->Cancel();
}

void TableWindow::createControls() {
    rbtSequence = Named<QRadioButton>(this, "rbtSequence", tr("Последовательность"),
                                      tr("Члены a_n при n от n0 до nk"));
    rbtSequence->setChecked(true);
    rbtFunctionTable = Named<QRadioButton>(this, "rbtFunctionTable", tr("Таблица функции"),
                                           tr("Значения f(x) при x = x0 + k·h"));
    txtSeqX = Field(this, "txtSeqX", QStringLiteral("0"),
                    tr("Значение аргумента x для последовательности"));
    txtTableX0 = Field(this, "txtTableX0", QStringLiteral("0"), tr("Начальное x"));
    txtTableXk = Field(this, "txtTableXk", QStringLiteral("1"), tr("Конечное x"));
    txtTableStep = Field(this, "txtTableStep", QStringLiteral("0.1"), tr("Шаг h"));
    btnTableFill = Named<QPushButton>(this, "btnTableFill", tr(kFillCaption),
                                      tr("Заполнить таблицу для последнего выражения"));
    lblFillStatus = new QLabel(this);
    lblFillStatus->setObjectName(QStringLiteral("lblFillStatus"));
    // Esc stops a fill; while nothing fills the key is left to the controls.
    stopFillShortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    stopFillShortcut->setObjectName(QStringLiteral("stopFillShortcut"));
    stopFillShortcut->setEnabled(false);
    connect(stopFillShortcut, &QShortcut::activated, this, &TableWindow::StopFill);
    cbxPictureMode = new QComboBox(this);
    cbxPictureMode->setObjectName(QStringLiteral("cbxPictureMode"));
    cbxPictureMode->setToolTip(tr("Что показывает рисунок главного окна"));
    for (const PictureMode mode : {PictureMode::Graph, PictureMode::Terms, PictureMode::Cobweb}) {
        cbxPictureMode->addItem(FromUtf8(PictureModeName(mode)));
    }

    tblRows = new QTableView(this);
    tblRows->setObjectName(QStringLiteral("tblRows"));
    model = new TableRowsModel(tblRows);
    tblRows->setModel(model);
    // Fixed row heights: the view never measures rows it does not show.
    tblRows->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblRows->verticalHeader()->setDefaultSectionSize(kRowHeight);
    tblRows->verticalHeader()->hide();
    tblRows->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblRows->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblRows->setWordWrap(false);
    // The view's own copy key would take only the current cell.
    tblRows->installEventFilter(this);

    lblLastTerm = new QLabel(this);
    lblLastTerm->setObjectName(QStringLiteral("lblLastTerm"));
    lblLastDifference = new QLabel(this);
    lblLastDifference->setObjectName(QStringLiteral("lblLastDifference"));
    lblBehaviour = new QLabel(this);
    lblBehaviour->setObjectName(QStringLiteral("lblBehaviour"));
    lblBehaviour->setWordWrap(true);
    for (QLabel* label : {lblLastTerm, lblLastDifference, lblBehaviour}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    btnTableCopy = Named<QPushButton>(this, "btnTableCopy", tr("Копировать"),
                                      tr("Копировать выбранные строки"));
    btnTableSaveCsv = Named<QPushButton>(this, "btnTableSaveCsv", tr("Сохранить CSV..."),
                                         tr("Сохранить таблицу в CSV-файле"));
    SaveCsvDialog = new QFileDialog(this);
    SaveCsvDialog->setObjectName(QStringLiteral("SaveCsvDialog"));
    SaveCsvDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveCsvDialog->setNameFilters({tr("Файлы CSV (*.csv)")});
}

void TableWindow::layOutControls() {
    auto* grid = new QGridLayout;
    grid->addWidget(rbtSequence, 0, 0);
    grid->addWidget(Label(this, QStringLiteral("x =")), 0, 1);
    grid->addWidget(txtSeqX, 0, 2);
    grid->addWidget(rbtFunctionTable, 1, 0);
    auto* range = new QHBoxLayout;
    for (auto [text, field] :
         {std::pair{"x0 =", txtTableX0}, {"xk =", txtTableXk}, {"h =", txtTableStep}}) {
        range->addWidget(Label(this, QString::fromUtf8(text)));
        range->addWidget(field);
    }
    range->addStretch();
    auto* commands = new QHBoxLayout;
    commands->addWidget(btnTableFill);
    commands->addWidget(lblFillStatus);
    commands->addStretch();
    commands->addWidget(Label(this, tr("Рисунок:")));
    commands->addWidget(cbxPictureMode);
    auto* saving = new QHBoxLayout;
    saving->addWidget(btnTableCopy);
    saving->addWidget(btnTableSaveCsv);
    saving->addStretch();
    // The tables on the first page, the points of interest on the second.
    auto* tablePage = new QWidget(this);
    auto* column = new QVBoxLayout(tablePage);
    column->addLayout(grid);
    column->addLayout(range);
    column->addLayout(commands);
    column->addWidget(tblRows, 1);
    column->addWidget(lblLastTerm);
    column->addWidget(lblLastDifference);
    column->addWidget(lblBehaviour);
    column->addLayout(saving);
    pgTablePages = new QTabWidget(this);
    pgTablePages->setObjectName(QStringLiteral("pgTablePages"));
    pgTablePages->addTab(tablePage, tr(kTableWindowCaption));
    pointsPage = new PointsPage(dialogs_, this);
    pgTablePages->addTab(pointsPage, tr("Особые точки"));
    auto* pages = new QVBoxLayout(this);
    pages->setContentsMargins(0, 0, 0, 0);
    pages->addWidget(pgTablePages);

    connect(btnTableFill, &QPushButton::clicked, this, &TableWindow::btnTableFillClick);
    connect(btnTableCopy, &QPushButton::clicked, this, &TableWindow::btnTableCopyClick);
    connect(btnTableSaveCsv, &QPushButton::clicked, this, &TableWindow::btnTableSaveCsvClick);
    connect(cbxPictureMode, &QComboBox::currentIndexChanged, this,
            &TableWindow::cbxPictureModeChange);
    connect(txtSeqX, &QLineEdit::editingFinished, this, &TableWindow::txtSeqXExit);
    for (QLineEdit* field : {txtSeqX, txtTableX0, txtTableXk, txtTableStep}) {
        connect(field, &QLineEdit::returnPressed, this, &TableWindow::fillRequested);
    }
    ShowSummary(true);
}

bool TableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tblRows && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        btnTableCopyClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

PictureMode TableWindow::Mode() const {
    switch (cbxPictureMode->currentIndex()) {
        case 1:
            return PictureMode::Terms;
        case 2:
            return PictureMode::Cobweb;
        default:
            return PictureMode::Graph;
    }
}

bool TableWindow::ReadSequenceX() {
    ExtendedReal x = 0;
    if (!NumberSyntax(txtSeqX->text().toStdString(), x)) {
        dialogs_.InformationBox(FromUtf8(CalcRefusalText(CalcRefusal::Argument)));
        txtSeqX->setFocus();
        return false;
    }
    sequenceX_ = x;
    return true;
}

void TableWindow::ShowSummary(bool shown) {
    for (QLabel* label : {lblLastTerm, lblLastDifference, lblBehaviour}) label->setVisible(shown);
}

void TableWindow::FillSequence(const Engine& lastBuild) {
    if (!ReadSequenceX()) return;
    auto job = std::make_shared<TableFillJob>();
    job->Sequence = true;
    job->JobEngine = lastBuild;
    job->X = sequenceX_;
    StartFill(std::move(job));
}

void TableWindow::FillFunctionTable(const PlotDocument& document, const Engine& lastBuild) {
    const auto range =
        ParseTableRange(txtTableX0->text().toStdString(), txtTableXk->text().toStdString(),
                        txtTableStep->text().toStdString());
    if (const auto* refused = std::get_if<TableRefusal>(&range)) {
        dialogs_.InformationBox(QString::fromStdString(TableRefusalText(*refused)));
        return;
    }
    auto job = std::make_shared<TableFillJob>();
    job->Sequence = false;
    job->JobEngine = lastBuild;
    // Among several visible curves, one value column for each.
    if (document.Curves.VisibleCount() >= 2) job->Columns = VisibleColumns(document);
    job->Range = std::get<TableRange>(range);
    StartFill(std::move(job));
}

void TableWindow::StartFill(std::shared_ptr<TableFillJob> job) {
    lblFillStatus->clear();
    stopFillShortcut->setEnabled(true);
    filler_->Start(std::move(job));
}

void TableWindow::Fill(const PlotDocument& document, const Engine& lastBuild) {
    CancelFill();
    if (rbtSequence->isChecked()) {
        FillSequence(lastBuild);
    } else {
        FillFunctionTable(document, lastBuild);
    }
}

void TableWindow::CancelFill() {
    filler_->Cancel();
    stopFillShortcut->setEnabled(false);
}

bool TableWindow::Filling() const {
    return filler_->Running();
}

void TableWindow::StopFill() {
    filler_->Stop();
}

void TableWindow::btnTableFillClick() {
    // While a fill shows its progress the button stops it.
    if (filler_->Running() && filler_->ProgressShown()) {
        StopFill();
    } else {
        emit fillRequested();
    }
}

void TableWindow::FillStarted() {
    btnTableFill->setText(tr(kStopCaption));
    FillProgress(0);
}

void TableWindow::FillProgress(int percent) {
    lblFillStatus->setText(tr(kFillProgress).arg(percent));
}

void TableWindow::FillEnded() {
    btnTableFill->setText(tr(kFillCaption));
    lblFillStatus->clear();
}

// A stopped fill leaves the table as it was and says so.
void TableWindow::FillDelivered(const std::shared_ptr<TableFillJob>& job) {
    stopFillShortcut->setEnabled(false);
    if (job->Stopped) {
        lblFillStatus->setText(tr(kFillStopped));
        return;
    }
    model->SetRows(std::move(job->Rows));
    if (job->Sequence) {
        const auto summary = SummaryLines(job->Summary);
        lblLastTerm->setText(QString::fromStdString(summary[0]));
        lblLastDifference->setText(QString::fromStdString(summary[1]));
        lblBehaviour->setText(QString::fromStdString(summary[2]));
    }
    ShowSummary(job->Sequence);
}

void TableWindow::SetMode(PictureMode mode) {
    cbxPictureMode->setCurrentIndex(static_cast<int>(mode));
}

void TableWindow::closeEvent(QCloseEvent* event) {
    CancelFill();
    // The sequence pictures belong to this window: closing it returns the picture to the graph.
    SetMode(PictureMode::Graph);
    QWidget::closeEvent(event);
}

void TableWindow::btnTableCopyClick() {
    std::vector<size_t> chosen;
    for (const QModelIndex& index : tblRows->selectionModel()->selectedIndexes()) {
        chosen.push_back(static_cast<size_t>(index.row()));
    }
    const std::string text =
        TabSeparatedRows(model->Rows(), std::move(chosen), TableFailureWords());
    if (!text.empty()) QApplication::clipboard()->setText(QString::fromStdString(text));
}

void TableWindow::btnTableSaveCsvClick() {
    SaveCsvDialog->setOption(QFileDialog::DontConfirmOverwrite);
    if (dialogs_.ExecModal(*SaveCsvDialog) != QDialog::Accepted) return;
    const QStringList files = SaveCsvDialog->selectedFiles();
    if (files.isEmpty()) return;
    const QString name = WithExtension(files.front(), kCsvExtension);
    const std::string error =
        ExportFailureText(name, SaveCsv(name, model->Rows(), TableFailureWords()));
    if (!error.empty()) dialogs_.GeneralErrorReport(QString::fromStdString(error));
}

void TableWindow::ShowPoints(const std::vector<PointMarker>& markers,
                             const std::array<bool, kPointGroups>& more) {
    pointsPage->ShowPoints(markers, more);
}

void TableWindow::cbxPictureModeChange() {
    emit pictureChoiceChanged();
}

// A new argument redraws a sequence picture at once; the graph does not depend on it.
void TableWindow::txtSeqXExit() {
    const ExtendedReal before = sequenceX_;
    ExtendedReal x = 0;
    if (!NumberSyntax(txtSeqX->text().toStdString(), x)) return;
    sequenceX_ = x;
    if (Mode() != PictureMode::Graph && x != before) emit pictureChoiceChanged();
}
