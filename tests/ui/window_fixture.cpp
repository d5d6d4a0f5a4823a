// Shared helpers of the window tests.
#include "window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>

#include "ui/picture_widget.h"
#include "ui/plot_job.h"

namespace {

std::unique_ptr<GeneralForm> FormWithAboutBox() {
    auto form = std::make_unique<GeneralForm>();
    form->CreateAboutBox();
    return form;
}

}  // namespace

WindowFixture::WindowFixture() : form_(FormWithAboutBox()), ui(*form_) {
    form_->messageHook = [this](QMessageBox& box) {
        messages.push_back({box.icon(), box.windowTitle(), box.text(), box.standardButtons()});
    };
    form_->modalHook = [](QDialog&) { return int(QDialog::Rejected); };
    form_->ShowMaximised();
    form_->activateWindow();
    if (!QTest::qWaitForWindowActive(form_.get())) qWarning("window not active");
    if (!QTest::qWaitFor([this] { return form_->layoutWidth() != 0; })) qWarning("not laid out");
    Settle();
}

// No job thread outlives the test that started it.
WindowFixture::~WindowFixture() {
    form_->CancelWork();
    form_.reset();
    if (!WaitForWorkThreads(10000)) qWarning("background work still running");
}

void WindowFixture::Settle() {
    // The points of interest follow a plot and draw over it: the picture is settled after them.
    if (!QTest::qWaitFor([this] { return !form_->WorkRunning() && !form_->PointsRunning(); },
                         60000)) {
        qWarning("background work did not finish");
    }
}

void WindowFixture::ClickFocus(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(3, widget->height() / 2));
}

void WindowFixture::TypeInto(QWidget* field, const QString& text) {
    ClickFocus(field);
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(focus, Qt::Key_Delete);
    QTest::keyClicks(focus, text);
}

void WindowFixture::Run(const QString& expression) {
    TypeInto(ui.txtFunctionText->lineEdit(), expression);
    QTest::keyClick(ui.txtFunctionText, Qt::Key_Return);
    Settle();
}

void WindowFixture::EnterField(QLineEdit* field, const QString& text) {
    TypeInto(field, text);
    // Leave for a field that is never disabled.
    ClickFocus(field == ui.txtY ? ui.txtX : ui.txtY);
}

QLineEdit* WindowFixture::Field(const char* name) {
    return form_->findChild<QLineEdit*>(QString::fromLatin1(name));
}

QImage WindowFixture::Picture() {
    Settle();
    return ui.Image->canvas().Image().copy();
}

void WindowFixture::SetParameter(QLineEdit* field, const QString& text) {
    field->setText(text);
    ClickFocus(field);
    ClickFocus(field == ui.txtY ? ui.txtX : ui.txtY);
}
