// The window's background work: the plots of runs and redraws and the integral go to the work
// runner with copies of the engine and the picture; their outcomes come back here and are
// written into the picture, the fields and the scenario log. Work that lasts past
// WorkRunner::kProgressDelayMs shows its progress in the result field, a busy pointer over the
// picture and the picture as it grows; Esc or the run button then stop it.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QToolButton>

#include "calc/calculations.h"
#include "calc/sample_stream.h"
#include "messages/messages.h"
#include "ui/general_form.h"
#include "ui/picture_overlay.h"
#include "ui/picture_widget.h"
#include "ui/plot_job.h"
#include "ui/table_window.h"
#include "ui/utf8_text.h"
#include "ui/widget_factory.h"

namespace {

const char* const kRunCaption = QT_TRANSLATE_NOOP("GeneralForm", "Выполнить");
const char* const kStopCaption = QT_TRANSLATE_NOOP("GeneralForm", "Остановить");
const char* const kPlotProgress = QT_TRANSLATE_NOOP("GeneralForm", "Построение графика… %1%");
const char* const kIntegralProgress = QT_TRANSLATE_NOOP("GeneralForm", "Вычисление интеграла… %1%");
const char* const kIntegralStopped = QT_TRANSLATE_NOOP("GeneralForm", "Вычисление прервано");

}  // namespace

GeneralForm::WorkBatch::WorkBatch(GeneralForm& form) : form_(form) {
    ++form_.workBatchDepth_;
}

GeneralForm::WorkBatch::~WorkBatch() {
    if (--form_.workBatchDepth_ == 0) form_.SubmitWork();
}

void GeneralForm::SetUpWork() {
    work_ = new WorkRunner(this);
    connect(work_, &WorkRunner::progressStarted, this, &GeneralForm::WorkStarted);
    connect(work_, &WorkRunner::progress, this, &GeneralForm::WorkProgress);
    connect(work_, &WorkRunner::progressEnded, this, &GeneralForm::WorkEnded);
    connect(work_, &WorkRunner::finished, this, &GeneralForm::WorkDelivered);
    // Esc stops the work from its start and cancels a mouse gesture; while neither is under
    // way the key is left to the controls.
    stopShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    stopShortcut_->setEnabled(false);
    connect(stopShortcut_, &QShortcut::activated, this, &GeneralForm::EscapePressed);
}

bool GeneralForm::WorkRunning() const {
    return work_->Running();
}

void GeneralForm::StopWork() {
    work_->Stop();
}

void GeneralForm::CancelWork() {
    work_->Cancel();
    stopShortcut_->setEnabled(Image->ToolGesturePending());
    integralRunning_ = false;
}

DrawOptions GeneralForm::CurrentDrawOptions() const {
    DrawOptions options;
    options.BackgroundColour = ui::ColourOf(txtBkColor);
    options.LineColour = ui::ColourOf(txtLineColor);
    options.ClearFirst = cbxKill->isChecked();
    options.Grid = cbxSetka->isChecked();
    options.Axes = cbxOci->isChecked();
    options.Lines = rbtLines->isChecked();
    options.BoundArgument = cbxBorderX->isChecked();
    options.BreakPoles = mnuViewBreakPoles != nullptr && mnuViewBreakPoles->isChecked();
    return options;
}

void GeneralForm::UpdateRunButton() {
    // While the work shows its progress the button stops it.
    btnStart->setEnabled(
        !txtFunctionText->currentText().isEmpty() ||
        (work_ != nullptr && WorkRunning() && btnStart->text() != tr(kRunCaption)));
}

void GeneralForm::QueueStep(PlotStep step) {
    if (!pendingWork_) {
        // A redraw or a run ends a gesture half done; the picture it starts from has no mark.
        EndGesture(true);
        CancelWork();
        pendingWork_ = std::make_shared<WorkJob>();
        pendingWork_->JobEngine = document_.RunEngine;
        pendingWork_->Picture = canvas();
        pendingWork_->Picture.SetSmoothLines(mnuViewSmooth != nullptr &&
                                             mnuViewSmooth->isChecked());
    }
    pendingWork_->Steps.push_back(std::move(step));
    if (workBatchDepth_ == 0) SubmitWork();
}

void GeneralForm::QueueRun(const RunOutcome& begun, bool drawRunOver) {
    PlotStep step;
    step.Run = true;
    // The marks of the last calculations stay until the next run.
    document_.Shading.reset();
    document_.Tangent.reset();
    DropPoints();
    step.Document = document_;
    step.DrawRunOver = drawRunOver;
    step.Options = CurrentDrawOptions();
    step.Outcome = begun;
    QueueStep(std::move(step));
}

void GeneralForm::PlotPicture(bool keepResult) {
    PlotStep step;
    step.KeepResult = keepResult;
    DropPoints();
    step.Document = document_;
    step.Options = CurrentDrawOptions();
    QueueStep(std::move(step));
}

void GeneralForm::StartIntegral(const std::string& from, const std::string& to) {
    CancelWork();
    // Refusals and equal limits answer at once.
    if (!IntegralSamples(document_.RunEngine, from, to)) {
        ShowCalcOutcome(CalculateIntegral(document_.RunEngine, from, to));
        return;
    }
    auto job = std::make_shared<WorkJob>();
    job->Integral = true;
    job->JobEngine = document_.RunEngine;
    job->From = from;
    job->To = to;
    integralRunning_ = true;
    stopShortcut_->setEnabled(true);
    work_->Start(std::move(job), DefaultThreadCount());
}

void GeneralForm::ShowCalcOutcome(const CalcOutcome& outcome) {
    const CalcTexts words = CalcWords(outcome);
    if (words.Information) {
        InformationBox(FromUtf8(*words.Information));
        QLineEdit* focus = nullptr;
        switch (outcome.Focus) {
            case CalcField::XFunc:
                focus = txtXfunc;
                break;
            case CalcField::XProiz:
                focus = txtXProiz;
                break;
            case CalcField::X0Int:
                focus = txtX0int;
                break;
            case CalcField::XkInt:
                focus = txtXkint;
                break;
            case CalcField::None:
                break;
        }
        if (focus) focus->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (words.ResultText) txtFuncResult->setText(Displayed(*words.ResultText));
    if (words.ResultHint) txtFuncResult->setToolTip(FromUtf8(*words.ResultHint));
}

void GeneralForm::AfterPictureShown() {
    if (overlay == nullptr) return;
    overlay->SetLabels(mnuViewLabels->isChecked(), document_.View, document_.Frame.Background);
    overlay->SetTrace(std::nullopt);
    // The steps of a drag in progress are no views of their own: its end is.
    if (Image->drag().Moving) return;
    if (wheelPending_ && wheelMerges_) {
        history_.ShownAgain(WindowOf(document_.View));
    } else {
        history_.Shown(WindowOf(document_.View));
    }
    wheelStepShown_ = wheelPending_;
    wheelPending_ = wheelMerges_ = false;
    mnuViewBack->setEnabled(history_.CanGoBack());
    mnuViewForward->setEnabled(history_.CanGoForward());
}

void GeneralForm::SubmitWork() {
    if (!pendingWork_) return;
    stopShortcut_->setEnabled(true);
    integralRunning_ = false;
    work_->Start(std::move(pendingWork_), DefaultThreadCount());
    pendingWork_.reset();
}

void GeneralForm::WorkStarted() {
    resultBeforeProgress_ = txtResult->text();
    pictureCursor_ = Image->cursor().shape();
    Image->setCursor(Qt::BusyCursor);
    btnStart->setText(tr(kStopCaption));
    btnStart->setEnabled(true);
    WorkProgress(0, QImage());
}

void GeneralForm::WorkProgress(int percent, const QImage& preview) {
    txtResult->setText(tr(integralRunning_ ? kIntegralProgress : kPlotProgress).arg(percent));
    if (!preview.isNull()) Image->ShowPreview(preview);
}

// The progress display goes: the result field, the pointer and the button are as before.
void GeneralForm::WorkEnded() {
    Image->ClearPreview();
    Image->setCursor(pictureCursor_);
    btnStart->setText(tr(kRunCaption));
    txtResult->setText(resultBeforeProgress_);
    UpdateRunButton();
}

void GeneralForm::WorkDelivered(const std::shared_ptr<WorkJob>& job) {
    stopShortcut_->setEnabled(Image->ToolGesturePending());
    document_.RunEngine.EngineError = job->JobEngine.EngineError;
    if (job->Integral) {
        integralRunning_ = false;
        if (job->Stopped) {
            txtResult->setText(tr(kIntegralStopped));
            memoGenHelp->appendPlainText(tr(kIntegralStopped));
        } else {
            ShowCalcOutcome(job->IntegralOutcome);
            if (job->IntegralOutcome.ResultText && !job->IntegralOutcome.FailCode) {
                ShadeIntegral(job->From, job->To);
            }
        }
    } else {
        ApplySteps(*job);
    }
    emit workFinished();
}

void GeneralForm::ApplySteps(const WorkJob& job) {
    document_.RunEngine.NodeCursor = job.JobEngine.NodeCursor;
    // The new picture wipes any mark, and the gesture it belonged to ends with it.
    if (Image->ToolGesturePending()) EndGesture(false);
    canvas() = job.Picture;
    // The window's own marks are drawn the plain way.
    canvas().SetSmoothLines(false);
    Image->update();
    AfterPictureShown();
    if (!job.Stopped) StartPoints();
    bool reportedStop = false;
    bool overflow = false;
    for (size_t i = 0; i < job.StepsDone && i < job.Steps.size(); ++i) {
        const PlotStep& step = job.Steps[i];
        reportedStop = false;
        if (step.Run) {
            const RunOutcome& outcome = step.Outcome;
            const RunTexts words = RunWords(outcome);
            // The separator and the expression were written when the run began.
            for (size_t k = 2; k < words.LogLines.size(); ++k) {
                memoGenHelp->appendPlainText(FromUtf8(words.LogLines[k]));
            }
            if (words.ResultText) txtResult->setText(Displayed(*words.ResultText));
            if (outcome.NewA0Text && !job.KeepA0) {
                document_.RunEngine.ValueA = job.JobEngine.ValueA;
                RunParametersChanged();
                txtA0->setText(Displayed(*outcome.NewA0Text));
            }
            reportedStop = outcome.End == RunEnd::Stopped;
            overflow = overflow || outcome.Overflow;
            if (outcome.Overflow) InformationBox(FromUtf8(OverflowText()));
            AfterRunForTable();
        } else {
            if (step.GraphBuilt && !step.KeepResult) txtResult->setText(FromUtf8(GraphBuiltText()));
            if (step.Overflow) GeneralErrorReport(FromUtf8(OverflowText()));
        }
        if (const auto text = PictureInformation(step.Drawn)) InformationBox(FromUtf8(*text));
    }
    if (job.Stopped && !reportedStop) {
        txtResult->setText(FromUtf8(PlotStoppedText()));
        memoGenHelp->appendPlainText(FromUtf8(PlotStoppedText()));
    }
}
