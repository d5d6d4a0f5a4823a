// The About box's layout and its two handlers.
#include "ui/about_box.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

#include "ui/icons.h"
#include "ui/widget_factory.h"

namespace {

QLabel* MakePicture(QWidget* parent, const char* name, const QRect& box) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(box);
    picture->setPixmap(icons::Program().pixmap(32, 32));
    return picture;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBoxForm"));
    setWindowTitle(kAboutCaption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(298, 190);
    setFont(ui::SansFont(11));
    setModal(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 281, 137);
    Panel1->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);

    ProgramIcon = MakePicture(Panel1, "ProgramIcon", {8, 8, 33, 33});
    ProgramIcon->setScaledContents(true);
    QFont titleFont = ui::SerifFont(19);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    lblTitle = ui::MakeLabel(Panel1, "lblTitle", {80, 8}, kAboutTitle, titleFont);
    lblTitle->setStyleSheet(QStringLiteral("color: red"));
    Image1 = MakePicture(Panel1, "Image1", {8, 40, 41, 33});
    Label1 = ui::MakeLabel(Panel1, "Label1", {64, 48}, tr("Разработчики проекта Tarvik"),
                           ui::SansFont(13));
    Label2 = ui::MakeLabel(Panel1, "Label2", {64, 72},
                           tr("Версия %1 — декабрь 2026 г.").arg(QStringLiteral(TARVIK_VERSION)),
                           ui::SansFont(13));
    lblLicence = ui::MakeLabel(Panel1, "lblLicence", {64, 96}, tr("Лицензия: все права защищены"),
                               ui::SansFont(11));
    QFont linkFont = ui::SansFont(11);
    linkFont.setUnderline(true);
    lblLink =
        ui::MakeLabel(Panel1, "lblLink", {64, 114}, tr("Справка на этом компьютере"), linkFont);
    lblLink->setToolTip(tr("Открыть справку (F1)"));
    lblLink->setStyleSheet(QStringLiteral("color: blue"));
    lblLink->setCursor(Qt::PointingHandCursor);
    lblLink->installEventFilter(this);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(215, 156, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &AboutBox::OKButtonClick);
}

void AboutBox::lblLinkClick() {
    // The help window would sit behind the modal box: the box goes first.
    accept();
    emit helpRequested();
}

void AboutBox::OKButtonClick() {
    accept();
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblLink && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        lblLinkClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutBox::showEvent(QShowEvent* event) {
    // Centred on the screen, not on the main window.
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    QDialog::showEvent(event);
}
