// The shared helpers (run the expression, redraw the last expression, centre the view, apply
// the exit rule of a field), the colour fields, the check boxes that switch other controls, the
// expression box's change handler and the window's layout on resizing.
#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>

#include "document/run_command.h"
#include "files/cp1251.h"
#include "messages/messages.h"
#include "ui/general_form.h"
#include "ui/picture_widget.h"
#include "ui/plot_job.h"
#include "ui/table_window.h"
#include "ui/utf8_text.h"
#include "ui/widget_factory.h"
#include "view/scale_commands.h"

namespace {

constexpr int kShowLayoutDelayMs = 300;

}  // namespace

// --- Run command ---

void GeneralForm::RunExpressionCommand(bool viewRun) {
    const QString text = txtFunctionText->currentText();
    bool known = false;
    for (int i = 0; i < txtFunctionText->count() && !known; ++i) {
        known = txtFunctionText->itemText(i) == text;
    }
    if (!known) {
        // Adding the first item makes it current, which would rewrite the text part and move
        // its caret; the text part stays as the user left it.
        QLineEdit* edit = txtFunctionText->lineEdit();
        const int cursor = edit->cursorPosition();
        const int selStart = edit->selectionStart();
        const int selLength = edit->selectedText().size();
        const QSignalBlocker blocker(txtFunctionText);
        txtFunctionText->addItem(text);
        if (edit->text() != text) edit->setText(text);
        if (selLength > 0) {
            edit->setSelection(selStart, selLength);
        } else {
            edit->setCursorPosition(cursor);
        }
    }
    for (const ParameterField field : kRunExitOrder) ApplyExitRule(field);
    ShowParameters();

    const std::string shown = text.toStdString();
    // The build is quick and stays here; the plot and the outcome line follow from the
    // background work.
    if (!pendingWork_) CancelWork();
    // The table of the previous expression is dropped; the run fills it anew when it ends.
    tableWindow->CancelFill();
    RunOutcome outcome;
    // The build raises nothing: the drawing overflow can only come from the plot.
    const bool plot = BeginRun(document_.RunEngine, outcome, Cp1251FromUtf8(Entered(text)), shown);
    const RunTexts words = RunWords(outcome);
    for (const std::string& line : words.LogLines) memoGenHelp->appendPlainText(FromUtf8(line));
    if (outcome.Ran) txtResult->setToolTip(FromUtf8(words.ResultHint));
    if (words.Caption) {
        setWindowTitle(FromUtf8(*words.Caption));
        ShowCalculationExpression(text);
        if (!outcome.Overflow) ShowParameters();
    }
    if (words.ResultText) txtResult->setText(Displayed(*words.ResultText));
    if (outcome.Overflow) InformationBox(FromUtf8(OverflowText()));
    SelectBuildError(outcome);
    if (plot) {
        const bool inSet = AddRunCurve(outcome, viewRun);
        QueueRun(outcome, !inSet);
    } else if (outcome.Ran) {
        AfterRunForTable();
    }
}

void GeneralForm::SelectBuildError(const RunOutcome& outcome) {
    if (outcome.Stop.Length <= 0) return;
    // The engine counts one byte a character; the box counts UTF-16 units.
    QLineEdit* edit = txtFunctionText->lineEdit();
    const QString text = edit->text();
    const auto unitOf = [&text](int32_t character) {
        int units = 0;
        for (int32_t k = 0; k < character && units < text.size(); ++k) {
            units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
        }
        return units;
    };
    const int start = unitOf(outcome.Stop.Start - 1);
    const int end = unitOf(outcome.Stop.Start - 1 + outcome.Stop.Length);
    edit->setSelection(start, end - start);
    // Kept for the keypad, which then types over the token.
    savedText_ = text;
    savedCursor_ = edit->cursorPosition();
    savedSelectionStart_ = start;
    savedSelectionLength_ = end - start;
}

void GeneralForm::txtFunctionTextChange() {
    UpdateRunButton();
}

void GeneralForm::SetExpressionText(const QString& text) {
    const QSignalBlocker blocker(txtFunctionText);
    txtFunctionText->setEditText(text);
}

QStringList GeneralForm::ScenarioLines() const {
    QStringList lines;
    for (QTextBlock block = memoGenHelp->document()->begin(); block.isValid();
         block = block.next()) {
        lines << block.text();
    }
    if (lines.size() == 1 && lines.front().isEmpty()) lines.clear();
    return lines;
}

// --- Parameter fields ---

QLineEdit* GeneralForm::FieldEdit(ParameterField field) const {
    return parameterFields[static_cast<size_t>(field)];
}

void GeneralForm::ApplyExitRule(ParameterField field) {
    QLineEdit* edit = FieldEdit(field);
    const std::optional<std::string> rewrite =
        ApplyFieldExit(document_.View, document_.RunEngine, field, Entered(edit->text()));
    if (rewrite) edit->setText(Displayed(*rewrite));
    // The fields show and set the selected curve's parameters and argument bound.
    RunParametersChanged();
}

void GeneralForm::ShowParameters() {
    const std::array<std::string, 11> texts = ::ShowParameters(document_.View, document_.RunEngine);
    for (size_t i = 0; i < texts.size(); ++i) {
        FieldEdit(kShowOrder[i])->setText(Displayed(texts[i]));
    }
}

void GeneralForm::SetBorderX(bool checked) {
    cbxBorderX->setChecked(checked);
    ApplyExitRule(ParameterField::X0);
    ApplyExitRule(ParameterField::Xk);
}

// --- Redrawing ---

void GeneralForm::RedrawPicture() {
    // The document's redraw clears the picture: "Новый" stays as the user set it, for the next
    // run.
    ShowParameters();
    PlotPicture();
}

void GeneralForm::CentrePicture() {
    if (CentreView(document_.View, canvas().LogicalWidth(), canvas().LogicalHeight()))
        RedrawPicture();
}

void GeneralForm::PickColour(QLineEdit* field) {
    // One dialog for both fields, starting on the colour of the swatch clicked.
    ColorDialog->setCurrentColor(field->palette().color(QPalette::Base));
    if (ExecModal(*ColorDialog) == QDialog::Accepted) {
        lastConfirmedColour_ = ColorDialog->currentColor();
        ui::SetColours(field, lastConfirmedColour_, lastConfirmedColour_);
        ColourFieldChanged(field);
    }
    txtFunctionText->setFocus(Qt::OtherFocusReason);
}

void GeneralForm::txtBkColorClick() {
    PickColour(txtBkColor);
}
void GeneralForm::txtLineColorClick() {
    PickColour(txtLineColor);
}

void GeneralForm::cbxKillClick() {
    const bool on = cbxKill->isChecked();
    cbxSetka->setEnabled(on);
    cbxOci->setEnabled(on);
}

void GeneralForm::cbxBorderXClick() {
    const bool on = cbxBorderX->isChecked();
    for (QWidget* widget : std::initializer_list<QWidget*>{txtX0, txtXk, Label1, Label2}) {
        widget->setEnabled(on);
    }
}

// --- Resizing ---

void GeneralForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // A hidden window gets its pending resize when it is shown; showEvent serves that one.
    if (isVisible()) FormCanResize();
}

void GeneralForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Maximising brings its resize after the show, from the window system; the start is laid
    // out by that one alone. Where no resize comes (no window manager to maximise, or the
    // maximised size equal to the shown one) the window is laid out a moment later.
    QTimer::singleShot(kShowLayoutDelayMs, this, [this] {
        if (LayoutWidth == 0 && LayoutHeight == 0) FormCanResize();
    });
}

void GeneralForm::FormCanResize() {
    if (ResizeCount == 0) {
        const int i = QRandomGenerator::global()->bounded(1, 11);
        SetExpressionText(ExampleExpressions.at(i - 1));
    }
    const ExtendedReal a0 = document_.RunEngine.ValueA;
    ++ResizeCount;
    if (ResizeCount == 1) memoGenHelp->clear();
    // The window's own size, without the frame: the frame is the window manager's and becomes
    // known only after the window is mapped, which would lay the window out twice.
    const int w = width();
    const int h = height();
    // The height of the last layout is compared too, so that a taller or lower window is laid
    // out anew.
    if (w == LayoutWidth && h == LayoutHeight) return;
    if (w > 25) txtFunctionText->resize(w - 25, txtFunctionText->height());
    if (w > 329) txtResult->resize(w - 329, txtResult->height());
    if (h > 385) memoGenHelp->resize(memoGenHelp->width(), h - 385);
    if (w > 327) Image->resize(w - 327, Image->height());
    if (h > 145) Image->resize(Image->width(), h - 145);
    Image->FitCanvas();
    {
        // The run and the centring go into one job; the layout keeps a0.
        const WorkBatch batch(*this);
        RunExpressionCommand(true);
        if (pendingWork_) pendingWork_->KeepA0 = true;
        CentrePicture();
    }
    document_.RunEngine.ValueA = a0;
    RunParametersChanged();
    ShowParameters();
    LayoutWidth = w;
    LayoutHeight = h;
}
