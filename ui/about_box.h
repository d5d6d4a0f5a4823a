// The About box: the program's icons, its name and release, and a link to the project's page.
// A click on the link asks the owner to open it (the box stays open); OK closes the box.
#pragma once

#include <QDialog>
#include <QString>

#include "tarvik_version.h"

class QFrame;
class QLabel;
class QPushButton;

inline const QString kAboutCaption = QStringLiteral("About " TARVIK_NAME_AND_VERSION);
inline const QString kAboutTitle = QStringLiteral(TARVIK_NAME_AND_VERSION);
inline const QString kProjectPage = QStringLiteral("https://tarvik.example.org/");

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
    QLabel* lblLink = nullptr;
    QPushButton* OKButton = nullptr;

  signals:
    // The link was clicked: the address it shows.
    void linkClicked(const QString& address);

  public slots:
    void lblLinkClick();
    void OKButtonClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
