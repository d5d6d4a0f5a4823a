// Shared helpers of the window tests: a shown main window whose message boxes and modal
// dialogs are recorded instead of waiting for a user, and short-hands for typing and clicking.
#pragma once

#include <QLineEdit>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTest>
#include <memory>
#include <vector>

#include "form_controls.h"
#include "ui/general_form.h"

struct ShownMessage {
    QMessageBox::Icon icon;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
};

class WindowFixture {
  public:
    // Creates the window with its About box and shows it maximised, as the program does.
    WindowFixture();
    ~WindowFixture();

    GeneralForm& form() { return *form_; }
    GeneralForm* operator->() { return form_.get(); }
    std::vector<ShownMessage> messages;

  private:
    std::unique_ptr<GeneralForm> form_;

  public:
    // The window's controls, found by their object names.
    const FormControls ui;

    // Makes `widget` the focus widget by a mouse click.
    void ClickFocus(QWidget* widget);
    // Replaces a field's text by typing, the field taking the focus first (keys go to the focus
    // widget, as the keyboard's do: for the expression box that is the combo box).
    void TypeInto(QWidget* field, const QString& text);
    // Types the expression into the box and presses Enter there.
    void Run(const QString& expression);
    // Types a text into a parameter field and leaves it for another field.
    void EnterField(QLineEdit* field, const QString& text);
    QLineEdit* Field(const char* name);
    // The picture once the background work has finished.
    QImage Picture();
    // Waits until the window's background work has finished and its outcome is shown.
    void Settle();
    // Replaces a parameter field's text and leaves the field, as a user does: its exit rule
    // takes the text into the state.
    void SetParameter(QLineEdit* field, const QString& text);
};
