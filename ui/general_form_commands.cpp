// The scale buttons, the calculations of the "Функция" page, and the event filter that maps
// focus, key and mouse events onto the handlers and the shared helpers.
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

#include "calc/calculations.h"
#include "document/run_command.h"
#include "messages/messages.h"
#include "ui/general_form.h"
#include "ui/picture_widget.h"
#include "ui/plot_job.h"
#include "ui/utf8_text.h"
#include "view/scale_commands.h"

namespace {

bool IsEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Leaving a field for another control of this window; activating another window or opening a
// menu or popup is no exit.
bool IsExit(const QEvent* event) {
    if (event->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

}  // namespace

// --- Scale commands ---

void GeneralForm::btnHomeClick() {
    CentrePicture();
}

void GeneralForm::btnMPlusClick() {
    if (ZoomIn(document_.View)) RedrawPicture();
}

void GeneralForm::btnMMinusClick() {
    if (ZoomOut(document_.View)) RedrawPicture();
}

void GeneralForm::btnOptimClick() {
    if (EqualScales(document_.View)) RedrawPicture();
}

void GeneralForm::btnDefaultClick() {
    if (DefaultScale(document_.View)) RedrawPicture();
}

// --- Calculations ---

void GeneralForm::btnCalcFuncClick() {
    ShowCalcOutcome(CalculateValue(document_.RunEngine, Entered(txtXfunc->text())));
}

void GeneralForm::btnCalcProizClick() {
    ShowCalcOutcome(CalculateDerivative(document_.RunEngine, Entered(txtXProiz->text())));
}

void GeneralForm::btnCalcIntClick() {
    StartIntegral(Entered(txtX0int->text()), Entered(txtXkint->text()));
}

// --- Run button ---

void GeneralForm::btnStartClick() {
    if (work_->ProgressShown()) {
        StopWork();
        return;
    }
    RunExpressionCommand();
}

// --- Events ---

bool GeneralForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image && ImageViewEvent(event)) return true;
    // The combo box holds the focus and hands keys and focus events to its text part itself.
    QLineEdit* expression = txtFunctionText->lineEdit();
    if (watched == txtFunctionText) {
        if (IsEnter(event)) {
            RunExpressionCommand();
            return true;
        }
        if (event->type() == QEvent::FocusOut) {
            // Qt clears the selection of a line edit that loses the focus; the keypad still
            // inserts over it.
            savedText_ = expression->text();
            savedCursor_ = expression->cursorPosition();
            savedSelectionStart_ = expression->selectionStart();
            savedSelectionLength_ = static_cast<int>(expression->selectedText().size());
        }
        return false;
    }
    if (watched == txtResult && IsEnter(event)) {
        RunExpressionCommand();
        return true;
    }
    if (IsEnter(event)) {
        // Enter in a calculation field clicks its button and still reaches the field.
        if (watched == txtXfunc) btnCalcFunc->click();
        if (watched == txtXProiz) btnCalcProiz->click();
        if (watched == txtX0int || watched == txtXkint) btnCalcInt->click();
        return false;
    }
    if ((watched == txtBkColor || watched == txtLineColor) &&
        event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == txtBkColor) txtBkColorClick();
        if (watched == txtLineColor) txtLineColorClick();
        return false;
    }
    if (IsExit(event)) {
        for (size_t i = 0; i < parameterFields.size(); ++i) {
            if (watched == parameterFields[i]) ApplyExitRule(static_cast<ParameterField>(i));
        }
        return false;
    }
    if (watched == central && event->type() == QEvent::MouseMove) {
        // Moves over a control without its own tracking reach the window too; only the free
        // area counts.
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (!central->childAt(at)) FormMouseMove();
    }
    return QMainWindow::eventFilter(watched, event);
}
