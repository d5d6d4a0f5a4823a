// The About box: the program's icons, its name, version and release, its licence, and a link to
// the help on this computer. A click on the link closes the box and asks the owner to open the
// help; OK closes the box.
#pragma once

#include <QDialog>
#include <QString>

#include "tarvik_version.h"

class QFrame;
class QLabel;
class QPushButton;

inline const QString kAboutCaption = QStringLiteral("About " TARVIK_NAME_AND_VERSION);
inline const QString kAboutTitle = QStringLiteral(TARVIK_NAME_AND_VERSION);

class AboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit AboutBox(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblLicence = nullptr;
    QLabel* lblLink = nullptr;
    QPushButton* OKButton = nullptr;

  signals:
    // The link to the help was clicked.
    void helpRequested();

  public slots:
    void lblLinkClick();
    void OKButtonClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
