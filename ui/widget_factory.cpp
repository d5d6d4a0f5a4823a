// Small factories for the window's controls.
#include "ui/widget_factory.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QToolButton>

namespace ui {

QFont SansFont(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

QFont SerifFont(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    return font;
}

QFont BoldFont(const QFont& base, int pixelSize) {
    QFont font = base;
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

QLineEdit* MakeField(QWidget* parent, const char* name, const QRect& place, const QString& text,
                     const QString& hint) {
    auto* field = Make<QLineEdit>(parent, name, place);
    field->setText(text);
    field->setToolTip(hint);
    field->setCursorPosition(0);
    return field;
}

QToolButton* MakeFlat(QWidget* parent, const char* name, const QRect& place, const QString& hint,
                      const QIcon& picture, int pictureSize) {
    auto* button = Make<QToolButton>(parent, name, place);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(hint);
    if (!picture.isNull()) {
        button->setIcon(picture);
        button->setIconSize(QSize(pictureSize, pictureSize));
    }
    return button;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QRect& place, const QString& text,
                     const QString& hint, bool checked) {
    auto* box = Make<QCheckBox>(parent, name, place);
    box->setText(text);
    box->setToolTip(hint);
    box->setChecked(checked);
    return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QPoint& at, const QString& text,
                  const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->move(at);
    label->adjustSize();
    return label;
}

void SetColours(QWidget* widget, const QColor& background, const QColor& text) {
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, background);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::Button, background);
        palette.setColor(group, QPalette::ButtonText, text);
    }
    widget->setPalette(palette);
}

void SetButtonTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

Colour ColourOf(const QWidget* field) {
    const QColor c = field->palette().color(QPalette::Base);
    return static_cast<Colour>(c.red()) | (static_cast<Colour>(c.green()) << 8) |
           (static_cast<Colour>(c.blue()) << 16);
}

}  // namespace ui
