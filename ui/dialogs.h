// The modal side of the window shared with the windows and menus it owns: modal dialogs and
// message boxes run through one object, whose hooks the window tests set to answer them
// without a user.
#pragma once

#include <QString>
#include <functional>

class QDialog;
class QMessageBox;
class QWidget;

inline const QString kApplicationTitle = QStringLiteral("Tarvik");

class Dialogs {
  public:
    // The message boxes are owned by `owner` while they show.
    explicit Dialogs(QWidget& owner) : owner_(owner) {}

    // Runs a modal dialog (through modalHook when a test has set one).
    int ExecModal(QDialog& dialog) const;
    // Shows a message box modally (through messageHook when a test has set one).
    void ExecMessage(QMessageBox& box) const;
    void InformationBox(const QString& text) const;
    void GeneralErrorReport(const QString& text) const;
    QWidget& Owner() const { return owner_; }

    // Tests replace the modal loops: the hook gets the dialog (or box) ready to be shown and
    // returns the dialog's result.
    std::function<int(QDialog&)> modalHook;
    std::function<void(QMessageBox&)> messageHook;

  private:
    QWidget& owner_;
};
