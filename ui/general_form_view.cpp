// The "Вид" menu and the steering of the picture: numbers on the axes, breaks at poles, trace,
// the view history, wheel zoom about the pointer, dragging the picture, and the keys of the
// picture when it has the focus. Every redraw goes through RedrawPicture; the wheel, the drag and
// the keys change the view at once and leave one redraw pending, so a fast wheel or drag never
// builds a backlog.
#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "ui/general_form.h"
#include "ui/picture_overlay.h"
#include "ui/picture_widget.h"
#include "ui/widget_factory.h"
#include "view/axis_label_painter.h"
#include "view/scale_commands.h"
#include "view/vector_surface.h"

namespace {

const QString kLabelsKey = QStringLiteral("view/labels");
const QString kBreakPolesKey = QStringLiteral("view/breakPoles");
// A press followed by more movement than this, before the release, is a drag.
constexpr int kDragThreshold = 3;
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

bool IsDragButton(Qt::MouseButton button, bool moveTool) {
    return button == Qt::MiddleButton || (button == Qt::LeftButton && moveTool);
}

}  // namespace

void GeneralForm::createViewControls() {
    const QSettings settings = ViewSettings();
    mnuViewLabels = MakeToggle(this, "mnuViewLabels", QStringLiteral("Подписи осей"),
                               settings.value(kLabelsKey, true).toBool());
    connect(mnuViewLabels, &QAction::toggled, this, &GeneralForm::mnuViewLabelsClick);
    mnuViewBreakPoles = MakeToggle(this, "mnuViewBreakPoles", QStringLiteral("Разрывы у полюсов"),
                                   settings.value(kBreakPolesKey, true).toBool());
    connect(mnuViewBreakPoles, &QAction::toggled, this, &GeneralForm::mnuViewBreakPolesClick);
    mnuViewTrace = MakeToggle(this, "mnuViewTrace", QStringLiteral("Трассировка"), false);
    // T works while the picture has the focus, so that it still types into the fields.
    mnuViewTrace->setShortcut(QKeySequence(Qt::Key_T));
    mnuViewTrace->setShortcutContext(Qt::WidgetShortcut);
    Image->addAction(mnuViewTrace);
    connect(mnuViewTrace, &QAction::toggled, this, &GeneralForm::mnuViewTraceClick);
    mnuViewBack = new QAction(QStringLiteral("Назад"), this);
    mnuViewBack->setObjectName(QStringLiteral("mnuViewBack"));
    mnuViewBack->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    connect(mnuViewBack, &QAction::triggered, this, &GeneralForm::mnuViewBackClick);
    mnuViewForward = new QAction(QStringLiteral("Вперёд"), this);
    mnuViewForward->setObjectName(QStringLiteral("mnuViewForward"));
    mnuViewForward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    connect(mnuViewForward, &QAction::triggered, this, &GeneralForm::mnuViewForwardClick);
    addAction(mnuViewBack);
    addAction(mnuViewForward);
    mnuViewBack->setEnabled(false);
    mnuViewForward->setEnabled(false);

    mnuView = new QMenu(QStringLiteral("&Вид"), this);
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuView->addAction(mnuViewLabels);
    mnuView->addAction(mnuViewBreakPoles);
    mnuView->addAction(mnuViewTrace);
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
}

void GeneralForm::AfterPictureShown() {
    if (overlay == nullptr) return;
    overlay->SetLabels(mnuViewLabels->isChecked(), view_, ui::ColourOf(txtBkColor));
    overlay->SetTrace(std::nullopt);
    // The steps of a drag in progress are no views of their own: its end is.
    if (Image->drag().Moving) return;
    history_.Shown(WindowOf(view_));
    mnuViewBack->setEnabled(history_.CanGoBack());
    mnuViewForward->setEnabled(history_.CanGoForward());
}

QImage GeneralForm::ShownPicture() const {
    QImage shown = Image->canvas().Image();
    if (shown.isNull() || !mnuViewLabels->isChecked()) return shown;
    QPainter painter(&shown);
    PaintAxisLabels(painter, view_, shown.width(), shown.height(), ui::ColourOf(txtBkColor));
    return shown;
}

// --- Menu ---

void GeneralForm::mnuViewLabelsClick() {
    SaveViewSettings();
    AfterPictureShown();
}

void GeneralForm::mnuViewBreakPolesClick() {
    SaveViewSettings();
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
    ApplyWindow(view_, window);
    RedrawPicture();
}

// --- Wheel, drag and keys ---

void GeneralForm::ScheduleRedraw() {
    if (!redrawTimer_->isActive()) redrawTimer_->start();
}

bool GeneralForm::ImageViewEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Wheel: {
            // Each turn, whole notch or touchpad fraction, zooms the view at once by its own
            // factor; the redraw waits until the events queued so far are handled, so that
            // however fast the wheel turns one redraw at most is pending.
            const auto* wheel = static_cast<QWheelEvent*>(event);
            int angle = wheel->angleDelta().y();
            if (angle == 0) angle = wheel->angleDelta().x();
            const Qt::KeyboardModifiers keys = wheel->modifiers();
            const ZoomAxes axes = keys & Qt::ControlModifier ? ZoomAxes::XOnly
                                  : keys & Qt::ShiftModifier ? ZoomAxes::YOnly
                                                             : ZoomAxes::Both;
            const QPoint at = wheel->position().toPoint();
            if (angle != 0 && ZoomAbout(view_, WheelFactor(angle), axes, at.x(), at.y())) {
                ScheduleRedraw();
            }
            return true;
        }
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            PictureWidget::Drag& drag = Image->drag();
            if (drag.Button != Qt::NoButton ||
                !IsDragButton(mouse->button(), btnMove->isChecked())) {
                return false;
            }
            drag = {mouse->button(), mouse->position().toPoint(), mouse->position().toPoint(),
                    false};
            // The middle button drags in every tool; its press reaches the tools only when
            // the release shows there was no drag.
            return mouse->button() == Qt::MiddleButton;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            PictureWidget::Drag& drag = Image->drag();
            if (drag.Button == Qt::NoButton || !(mouse->buttons() & drag.Button)) return false;
            const QPoint at = mouse->position().toPoint();
            if (!drag.Moving && (at - drag.Press).manhattanLength() <= kDragThreshold) {
                return false;
            }
            if (!drag.Moving && btnMove->isChecked()) {
                // A drag ends a two-click move begun before it; its mark goes with the redraw.
                Image->EndToolGesture();
            }
            drag.Moving = true;
            const QPoint step = at - drag.Last;
            drag.Last = at;
            if (PanBy(view_, step.x(), step.y())) {
                // The picture follows at once: the image shifted now, drawn anew soon.
                QImage& image = canvas().ImageForPainting();
                const QImage before = image.copy();
                QPainter painter(&image);
                painter.fillRect(image.rect(), ToQColor(ui::ColourOf(txtBkColor)));
                painter.drawImage(step, before);
                painter.end();
                Image->update();
                overlay->SetLabels(mnuViewLabels->isChecked(), view_, ui::ColourOf(txtBkColor));
                ShowParameters();
                ScheduleRedraw();
            }
            return false;
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            PictureWidget::Drag& drag = Image->drag();
            if (drag.Button == Qt::NoButton || mouse->button() != drag.Button) return false;
            const PictureWidget::Drag ended = drag;
            drag = {};
            if (!ended.Moving) {
                if (ended.Button == Qt::MiddleButton && btnRect->isChecked()) {
                    StartRectangle(ended.Press.x(), ended.Press.y());
                }
                return false;
            }
            const QPoint step = mouse->position().toPoint() - ended.Last;
            PanBy(view_, step.x(), step.y());
            redrawTimer_->stop();
            RedrawPicture();
            return true;
        }
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
            const int w = Image->width();
            const int h = Image->height();
            bool changed = false;
            switch (key->key()) {
                case Qt::Key_Left:
                    changed = PanBy(view_, w / 10, 0);
                    break;
                case Qt::Key_Right:
                    changed = PanBy(view_, -(w / 10), 0);
                    break;
                case Qt::Key_Up:
                    changed = PanBy(view_, 0, h / 10);
                    break;
                case Qt::Key_Down:
                    changed = PanBy(view_, 0, -(h / 10));
                    break;
                case Qt::Key_Plus:
                case Qt::Key_Equal:
                    changed = ZoomAbout(view_, WheelFactor(4 * kWheelNotch), ZoomAxes::Both, w / 2,
                                        h / 2);
                    break;
                case Qt::Key_Minus:
                    changed = ZoomAbout(view_, WheelFactor(-4 * kWheelNotch), ZoomAxes::Both, w / 2,
                                        h / 2);
                    break;
                default:
                    return false;
            }
            if (changed) ScheduleRedraw();
            return true;
        }
        case QEvent::Leave:
            txtXNow->clear();
            txtYNow->clear();
            overlay->SetTrace(std::nullopt);
            return false;
        default:
            return false;
    }
}
