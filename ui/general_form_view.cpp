// The "Вид" menu: numbers on the axes, breaks at poles, trace and the view history, with their
// settings, and the picture as shown (with its labels). Every redraw goes through RedrawPicture.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSettings>
#include <QTimer>
#include <algorithm>

#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "messages/messages.h"
#include "ui/general_form.h"
#include "ui/picture_overlay.h"
#include "ui/picture_widget.h"
#include "ui/widget_factory.h"
#include "view/axis_label_painter.h"

namespace {

const QString kLabelsKey = QStringLiteral("view/labels");
const QString kBreakPolesKey = QStringLiteral("view/breakPoles");
// Off unless chosen: the pictures stay as the program has always drawn them.
const QString kSmoothKey = QStringLiteral("view/smoothing");
// Absent until the user switches the legend: it is then shown with two or more visible curves.
const QString kLegendKey = QStringLiteral("view/legend");
// The widest read-out: a signed value with 8 digits before the point and 5 after.
const QString kWidestReadOut = QStringLiteral("-88888888.88888");
constexpr int kReadOutWidth = 100;

QSettings ViewSettings() {
    return QSettings(kApplicationTitle, kApplicationTitle);
}

QAction* MakeToggle(QObject* parent, const char* name, const QString& text, bool checked) {
    auto* action = new QAction(text, parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

}  // namespace

void GeneralForm::createViewControls() {
    const QSettings settings = ViewSettings();
    mnuViewLabels = MakeToggle(this, "mnuViewLabels", tr("Подписи осей"),
                               settings.value(kLabelsKey, true).toBool());
    connect(mnuViewLabels, &QAction::toggled, this, &GeneralForm::mnuViewLabelsClick);
    mnuViewBreakPoles = MakeToggle(this, "mnuViewBreakPoles", tr("Разрывы у полюсов"),
                                   settings.value(kBreakPolesKey, true).toBool());
    document_.Frame.BreakPoles = mnuViewBreakPoles->isChecked();
    connect(mnuViewBreakPoles, &QAction::toggled, this, &GeneralForm::mnuViewBreakPolesClick);
    mnuViewSmooth = MakeToggle(this, "mnuViewSmooth", tr("Сглаживание"),
                               settings.value(kSmoothKey, false).toBool());
    mnuViewSmooth->setToolTip(tr("Сглаженные линии кривых в окне и в рисунках"));
    connect(mnuViewSmooth, &QAction::toggled, this, &GeneralForm::mnuViewSmoothClick);
    mnuViewLegend = MakeToggle(this, "mnuViewLegend", tr("Легенда"), false);
    if (settings.contains(kLegendKey)) legendChoice_ = settings.value(kLegendKey).toBool();
    ShowLegendChoice();
    connect(mnuViewLegend, &QAction::triggered, this, &GeneralForm::mnuViewLegendClick);
    mnuViewTrace = MakeToggle(this, "mnuViewTrace", tr("Трассировка"), false);
    // T works while the picture has the focus, so that it still types into the fields.
    mnuViewTrace->setShortcut(QKeySequence(Qt::Key_T));
    mnuViewTrace->setShortcutContext(Qt::WidgetShortcut);
    Image->addAction(mnuViewTrace);
    connect(mnuViewTrace, &QAction::toggled, this, &GeneralForm::mnuViewTraceClick);
    mnuViewBack = new QAction(tr("Назад"), this);
    mnuViewBack->setObjectName(QStringLiteral("mnuViewBack"));
    mnuViewBack->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    connect(mnuViewBack, &QAction::triggered, this, &GeneralForm::mnuViewBackClick);
    mnuViewForward = new QAction(tr("Вперёд"), this);
    mnuViewForward->setObjectName(QStringLiteral("mnuViewForward"));
    mnuViewForward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    connect(mnuViewForward, &QAction::triggered, this, &GeneralForm::mnuViewForwardClick);
    addAction(mnuViewBack);
    addAction(mnuViewForward);
    mnuViewBack->setEnabled(false);
    mnuViewForward->setEnabled(false);

    mnuView = new QMenu(tr("&Вид"), this);
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuView->addAction(mnuViewLabels);
    mnuView->addAction(mnuViewBreakPoles);
    mnuView->addAction(mnuViewSmooth);
    mnuView->addAction(mnuViewLegend);
    mnuView->addAction(mnuViewTrace);
    createPointsControls(*mnuView);
    createTangentControls(*mnuView);
    createPictureModeMenu(*mnuView);
    mnuView->addSeparator();
    mnuView->addAction(mnuViewBack);
    mnuView->addAction(mnuViewForward);
    menuBar()->insertMenu(mnuHelp->menuAction(), mnuView);

    overlay = new PictureOverlay(Image);
    Image->setFocusPolicy(Qt::ClickFocus);
    Image->installEventFilter(this);

    redrawTimer_ = new QTimer(this);
    redrawTimer_->setSingleShot(true);
    redrawTimer_->setInterval(0);
    connect(redrawTimer_, &QTimer::timeout, this, &GeneralForm::RedrawPicture);

    // The read-out fields hold a signed value with 8 digits before the point and 5 after.
    const int readOut =
        std::max(kReadOutWidth, txtXNow->fontMetrics().horizontalAdvance(kWidestReadOut) + 12);
    txtXNow->setGeometry(txtXNow->x(), txtXNow->y(), readOut, txtXNow->height());
    txtYNow->setGeometry(txtXNow->x() + readOut + 2, txtYNow->y(), readOut, txtYNow->height());
}

void GeneralForm::SaveViewSettings() const {
    QSettings settings = ViewSettings();
    settings.setValue(kLabelsKey, mnuViewLabels->isChecked());
    settings.setValue(kBreakPolesKey, mnuViewBreakPoles->isChecked());
    settings.setValue(kSmoothKey, mnuViewSmooth->isChecked());
}

QImage GeneralForm::ShownPicture() const {
    QImage shown = Image->canvas().Image();
    if (shown.isNull() || !mnuViewLabels->isChecked()) return shown;
    QPainter painter(&shown);
    const QSize logical = shown.deviceIndependentSize().toSize();
    PaintAxisLabels(painter, document_.View, logical.width(), logical.height(),
                    document_.Frame.Background);
    return shown;
}

QImage GeneralForm::RasterPicture(int scale) const {
    const Canvas& shown = Image->canvas();
    if (shown.Image().isNull() || shown.Scale() == scale) return ShownPicture();
    Canvas picture(shown.LogicalWidth(), shown.LogicalHeight(), scale);
    VectorPicture()(picture);
    return picture.Image();
}

// --- Menu ---

void GeneralForm::mnuViewLabelsClick() {
    SaveViewSettings();
    AfterPictureShown();
}

void GeneralForm::mnuViewBreakPolesClick() {
    document_.Frame.BreakPoles = mnuViewBreakPoles->isChecked();
    SaveViewSettings();
    RedrawPicture();
}

void GeneralForm::mnuViewSmoothClick() {
    SaveViewSettings();
    RedrawPicture();
}

void GeneralForm::mnuViewLegendClick() {
    legendChoice_ = mnuViewLegend->isChecked();
    ViewSettings().setValue(kLegendKey, *legendChoice_);
    ShowLegendChoice();
    RedrawPicture();
}

void GeneralForm::mnuViewTraceClick() {
    overlay->SetTrace(std::nullopt);
}

void GeneralForm::mnuViewBackClick() {
    StepHistory(true);
}

void GeneralForm::mnuViewForwardClick() {
    StepHistory(false);
}

void GeneralForm::StepHistory(bool back) {
    ViewWindow window;
    if (!(back ? history_.Back(window) : history_.Forward(window))) return;
    ApplyWindow(document_.View, window);
    RedrawPicture();
}
