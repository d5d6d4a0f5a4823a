// The curve list page "Кривые" and the document the picture is drawn from: the list shows the
// set, a selected curve brings its expression and parameters into the fields, and every edit of
// the list redraws. Runs put their curves into the set here.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <functional>
#include <utility>

#include "files/curve_set_file.h"
#include "files/file_access.h"
#include "messages/messages.h"
#include "ui/general_form.h"
#include "ui/table_window.h"
#include "ui/utf8_text.h"
#include "ui/widget_factory.h"
#include "view/vector_surface.h"

namespace {

QIcon Swatch(Colour colour) {
    QPixmap pixmap(14, 14);
    pixmap.fill(ToQColor(colour));
    return QIcon(pixmap);
}

// The list's rows as the style draws them; a left click on a row's colour swatch calls `clicked`
// with the row, and the click goes no further.
class SwatchDelegate : public QStyledItemDelegate {
  public:
    SwatchDelegate(QObject* parent, std::function<void(int)> clicked)
        : QStyledItemDelegate(parent), clicked_(std::move(clicked)) {}

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                SwatchRect(option, index).contains(mouse->position().toPoint())) {
                clicked_(index.row());
                return true;
            }
        }
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }

  private:
    QRect SwatchRect(const QStyleOptionViewItem& option, const QModelIndex& index) const {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QWidget* widget = option.widget;
        const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        return style->subElementRect(QStyle::SE_ItemViewItemDecoration, &item, widget);
    }

    std::function<void(int)> clicked_;
};

QPushButton* MakeButton(QWidget* page, const char* name, const QRect& place, const QString& text,
                        const QString& hint) {
    auto* button = ui::Make<QPushButton>(page, name, place);
    button->setText(text);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

}  // namespace

void GeneralForm::createCurvesPage(QWidget* page) {
    lstCurves = ui::Make<QListWidget>(page, "lstCurves", {4, 4, 201, 150});
    lstCurves->setToolTip(tr("Кривые рисунка: цвет, видимость, выражение"));
    lstCurves->setIconSize(QSize(14, 14));
    btnCurveReplace =
        MakeButton(page, "btnCurveReplace", {4, 158, 134, 22}, tr("Заменить выбранную"),
                   tr("Заменить выбранную кривую выражением и параметрами из полей"));
    btnCurveColour =
        MakeButton(page, "btnCurveColour", {140, 158, 65, 22}, tr("Цвет…"), tr("Цвет кривой"));
    btnCurveUp = MakeButton(page, "btnCurveUp", {4, 184, 46, 22}, tr("Выше"),
                            tr("Переместить кривую вверх"));
    btnCurveDown = MakeButton(page, "btnCurveDown", {52, 184, 46, 22}, tr("Ниже"),
                              tr("Переместить кривую вниз"));
    btnCurveRemove = MakeButton(page, "btnCurveRemove", {100, 184, 52, 22}, tr("Удалить"),
                                tr("Удалить выбранную кривую (Delete)"));
    btnCurveClear = MakeButton(page, "btnCurveClear", {154, 184, 51, 22}, tr("Очистить"),
                               tr("Удалить все кривые"));
    connect(lstCurves, &QListWidget::currentRowChanged, this,
            &GeneralForm::lstCurvesCurrentRowChanged);
    connect(lstCurves, &QListWidget::itemChanged, this, &GeneralForm::lstCurvesItemChanged);
    connect(lstCurves, &QListWidget::itemDoubleClicked, this, &GeneralForm::btnCurveColourClick);
    lstCurves->setItemDelegate(new SwatchDelegate(lstCurves, [this](int row) {
        lstCurves->setCurrentRow(row);
        btnCurveColourClick();
    }));
    connect(btnCurveReplace, &QPushButton::clicked, this, &GeneralForm::btnCurveReplaceClick);
    connect(btnCurveColour, &QPushButton::clicked, this, &GeneralForm::btnCurveColourClick);
    connect(btnCurveRemove, &QPushButton::clicked, this, &GeneralForm::btnCurveRemoveClick);
    connect(btnCurveClear, &QPushButton::clicked, this, &GeneralForm::btnCurveClearClick);
    connect(btnCurveUp, &QPushButton::clicked, this, &GeneralForm::btnCurveUpClick);
    connect(btnCurveDown, &QPushButton::clicked, this, &GeneralForm::btnCurveDownClick);
    auto* remove = new QShortcut(QKeySequence(Qt::Key_Delete), lstCurves);
    remove->setContext(Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, &GeneralForm::btnCurveRemoveClick);
    RefreshCurveList();

    mnuFunctionOpenSet = new QAction(tr("Открыть набор кривых…"), this);
    mnuFunctionOpenSet->setObjectName(QStringLiteral("mnuFunctionOpenSet"));
    connect(mnuFunctionOpenSet, &QAction::triggered, this, &GeneralForm::mnuFunctionOpenSetClick);
    mnuFunctionSaveSet = new QAction(tr("Сохранить набор кривых…"), this);
    mnuFunctionSaveSet->setObjectName(QStringLiteral("mnuFunctionSaveSet"));
    connect(mnuFunctionSaveSet, &QAction::triggered, this, &GeneralForm::mnuFunctionSaveSetClick);
    const QStringList filters = {FromUtf8(CurveSetFilter())};
    SetSaveDialog = new QFileDialog(this);
    SetSaveDialog->setObjectName(QStringLiteral("SetSaveDialog"));
    SetSaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    SetSaveDialog->setNameFilters(filters);
    SetOpenDialog = new QFileDialog(this);
    SetOpenDialog->setObjectName(QStringLiteral("SetOpenDialog"));
    SetOpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
    SetOpenDialog->setFileMode(QFileDialog::ExistingFile);
    SetOpenDialog->setNameFilters(filters);
}

namespace {

QString ChosenName(GeneralForm& form, QFileDialog& dialog) {
    if (form.ExecModal(dialog) != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

}  // namespace

void GeneralForm::mnuFunctionSaveSetClick() {
    const QString chosen = ChosenName(*this, *SetSaveDialog);
    if (chosen.isEmpty()) return;
    const QString name = WithExtension(chosen, kCurveSetExtension);
    const std::string error = FileFailureText(SaveCurveSetFile(name, document_));
    if (!error.empty()) {
        GeneralErrorReport(FromUtf8(error));
        return;
    }
    RememberFile(name);
}

void GeneralForm::mnuFunctionOpenSetClick() {
    const QString chosen = ChosenName(*this, *SetOpenDialog);
    if (chosen.isEmpty()) return;
    OpenSetFile(chosen);
}

bool GeneralForm::OpenSetFile(const QString& chosen) {
    std::string bytes;
    // A set of curves is small; a file far beyond any set is read only as far as the limit.
    constexpr size_t kLimit = 16 * 1024 * 1024;
    const FileResult read = ReadFileStart(chosen, bytes, kLimit);
    if (!read.Ok()) {
        GeneralErrorReport(FromUtf8(FileFailureText(read)));
        return false;
    }
    CancelWork();
    PlotDocument loaded = document_;
    const SetFileRefusal refusal = ParseCurveSetFile(QByteArray::fromStdString(bytes), loaded);
    if (!refusal.Ok()) {
        GeneralErrorReport(FromUtf8(SetFileRefusalText(refusal)));
        return false;
    }
    RememberFile(chosen);
    document_ = std::move(loaded);
    const QColor background = ToQColor(document_.Frame.Background);
    ui::SetColours(txtBkColor, background, background);
    cbxSetka->setChecked(document_.Frame.Grid);
    cbxOci->setChecked(document_.Frame.Axes);
    {
        const QSignalBlocker blocker(mnuViewBreakPoles);
        mnuViewBreakPoles->setChecked(document_.Frame.BreakPoles);
    }
    ShowSelectedCurve();
    ShowParameters();
    CurvesChanged();
    return true;
}

void GeneralForm::RunParametersChanged() {
    Curve* selected = document_.Curves.SelectedCurve();
    if (selected == nullptr) return;
    selected->ArgumentFrom = document_.View.ArgumentFrom;
    selected->ArgumentTo = document_.View.ArgumentTo;
    SetCurveParameters(*selected, ParametersOf(document_.RunEngine));
}

void GeneralForm::ConnectDocumentControls() {
    connect(cbxSetka, &QCheckBox::toggled, this, [this](bool on) { document_.Frame.Grid = on; });
    connect(cbxOci, &QCheckBox::toggled, this, [this](bool on) { document_.Frame.Axes = on; });
    connect(rbtLines, &QRadioButton::toggled, this, [this](bool on) {
        if (Curve* selected = document_.Curves.SelectedCurve()) selected->Lines = on;
    });
    connect(cbxBorderX, &QCheckBox::toggled, this, [this](bool on) {
        if (Curve* selected = document_.Curves.SelectedCurve()) selected->BoundArgument = on;
    });
}

void GeneralForm::ColourFieldChanged(const QLineEdit* field) {
    const Colour colour = ui::ColourOf(field);
    if (field == txtBkColor) {
        document_.Frame.Background = colour;
    } else if (Curve* selected = document_.Curves.SelectedCurve()) {
        selected->LineColour = colour;
        RefreshCurveList();
    }
}

void GeneralForm::TablePictureChanged() {
    document_.Mode = tableWindow->Mode();
    document_.SequenceX = tableWindow->SequenceX();
    RedrawPicture();
}

void GeneralForm::ShowLegendChoice() {
    document_.Legend = legendChoice_.value_or(document_.Curves.VisibleCount() >= 2);
    if (mnuViewLegend == nullptr) return;
    const QSignalBlocker blocker(mnuViewLegend);
    mnuViewLegend->setChecked(document_.Legend);
}

bool GeneralForm::AddRunCurve(const RunOutcome& outcome, bool viewRun) {
    Curve curve = CurveOfBuild(outcome.Expression, document_.RunEngine);
    curve.LineColour = ui::ColourOf(txtLineColor);
    curve.Lines = rbtLines->isChecked();
    curve.BoundArgument = cbxBorderX->isChecked();
    curve.ArgumentFrom = document_.View.ArgumentFrom;
    curve.ArgumentTo = document_.View.ArgumentTo;
    CurveSet& set = document_.Curves;
    if (viewRun && set.Selected()) {
        // A layout or a zoom renews the curve in view and keeps the others.
        curve.Visible = set.SelectedCurve()->Visible;
        set.Replace(*set.Selected(), std::move(curve));
    } else if (cbxKill->isChecked() || (viewRun && set.Empty())) {
        set.Clear();
        set.Add(std::move(curve));
    } else if (!document_.RunEngine.UsesX) {
        return false;
    } else {
        if (!set.Empty()) curve.LineColour = set.NextColour();
        SetLineColourField(curve.LineColour);
        set.Add(std::move(curve));
    }
    RefreshCurveList();
    return true;
}

void GeneralForm::SetLineColourField(Colour colour) {
    const QColor shown = ToQColor(colour);
    ui::SetColours(txtLineColor, shown, shown);
}

void GeneralForm::RefreshCurveList() {
    if (lstCurves == nullptr) return;
    const QSignalBlocker blocker(lstCurves);
    const CurveSet& set = document_.Curves;
    // The rows are rewritten in place: a click whose press changed the selection still ends on
    // its row (a click on a swatch opens the colour choice at its release).
    while (lstCurves->count() > static_cast<int>(set.Size())) {
        delete lstCurves->takeItem(lstCurves->count() - 1);
    }
    for (size_t i = 0; i < set.Size(); ++i) {
        const Curve& curve = set.At(i);
        QListWidgetItem* item = lstCurves->item(static_cast<int>(i));
        if (item == nullptr) {
            item = new QListWidgetItem(lstCurves);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        }
        item->setIcon(Swatch(curve.LineColour));
        item->setText(FromUtf8(curve.Expression));
        item->setCheckState(curve.Visible ? Qt::Checked : Qt::Unchecked);
    }
    lstCurves->setCurrentRow(set.Selected() ? static_cast<int>(*set.Selected()) : -1);
    const bool any = set.Selected().has_value();
    for (QPushButton* button :
         {btnCurveReplace, btnCurveColour, btnCurveRemove, btnCurveUp, btnCurveDown}) {
        button->setEnabled(any);
    }
    btnCurveClear->setEnabled(!set.Empty());
    ShowLegendChoice();
}

void GeneralForm::ShowSelectedCurve() {
    const Curve* curve = document_.Curves.SelectedCurve();
    if (curve == nullptr || curve->Built == nullptr) return;
    // The calculations and the next run work on the selected curve.
    document_.RunEngine = *curve->Built;
    document_.View.ArgumentFrom = curve->ArgumentFrom;
    document_.View.ArgumentTo = curve->ArgumentTo;
    SetBorderX(curve->BoundArgument);
    SetLineColourField(curve->LineColour);
    (curve->Lines ? rbtLines : rbtPixels)->setChecked(true);
    SetExpressionText(FromUtf8(curve->Expression));
    ShowCalculationExpression(FromUtf8(curve->Expression));
    UpdateRunButton();
    ShowParameters();
}

void GeneralForm::CurvesChanged() {
    RefreshCurveList();
    RedrawPicture();
    AfterRunForTable();
}

void GeneralForm::lstCurvesCurrentRowChanged(int row) {
    // The curve left keeps what the fields gave it as they changed.
    document_.Curves.Select(row < 0 ? std::nullopt : std::optional<size_t>(size_t(row)));
    ShowSelectedCurve();
    RefreshCurveList();
    AfterRunForTable();
}

void GeneralForm::lstCurvesItemChanged() {
    CurveSet& set = document_.Curves;
    for (int i = 0; i < lstCurves->count() && size_t(i) < set.Size(); ++i) {
        set.At(size_t(i)).Visible = lstCurves->item(i)->checkState() == Qt::Checked;
    }
    CurvesChanged();
}

void GeneralForm::btnCurveReplaceClick() {
    const std::optional<size_t> selected = document_.Curves.Selected();
    if (!selected) return;
    for (const ParameterField field : kRunExitOrder) ApplyExitRule(field);
    ShowParameters();
    Curve curve = document_.Curves.At(*selected);
    int32_t error = kNoError;
    const std::string text = txtFunctionText->currentText().toStdString();
    if (!BuildCurve(text, ParametersOf(document_.RunEngine), curve, error)) {
        txtResult->setText(FromUtf8(FailureText(error)));
        return;
    }
    document_.Curves.Replace(*selected, curve);
    document_.RunEngine = *curve.Built;
    ShowCalculationExpression(FromUtf8(curve.Expression));
    CurvesChanged();
}

void GeneralForm::btnCurveColourClick() {
    if (!document_.Curves.Selected()) return;
    PickColour(txtLineColor);
    CurvesChanged();
}

void GeneralForm::btnCurveRemoveClick() {
    const std::optional<size_t> selected = document_.Curves.Selected();
    if (!selected) return;
    document_.Curves.Remove(*selected);
    ShowSelectedCurve();
    CurvesChanged();
}

void GeneralForm::btnCurveClearClick() {
    document_.Curves.Clear();
    CurvesChanged();
}

void GeneralForm::btnCurveUpClick() {
    const std::optional<size_t> selected = document_.Curves.Selected();
    if (selected && document_.Curves.MoveUp(*selected)) CurvesChanged();
}

void GeneralForm::btnCurveDownClick() {
    const std::optional<size_t> selected = document_.Curves.Selected();
    if (selected && document_.Curves.MoveDown(*selected)) CurvesChanged();
}

void GeneralForm::ShowCalculationExpression(const QString& expression) {
    lblFuncExpression->setText(QStringLiteral("f(x) = ") + expression);
}
