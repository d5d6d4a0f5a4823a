// Small factories for the window's controls: a control with its object name and absolute
// place, text fields, flat buttons, check boxes, labels, colours and fonts.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include "view/draw_surface.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace ui {

// "MS Sans Serif" and "Times New Roman" stand-ins, sized in pixels.
QFont SansFont(int pixelSize);
QFont SerifFont(int pixelSize);
QFont BoldFont(const QFont& base, int pixelSize);

template <class T>
T* Make(QWidget* parent, const char* name, const QRect& place) {
    T* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(place);
    return widget;
}

QLineEdit* MakeField(QWidget* parent, const char* name, const QRect& place, const QString& text,
                     const QString& hint);
// A flat button: raised only under the mouse, never takes the keyboard focus.
QToolButton* MakeFlat(QWidget* parent, const char* name, const QRect& place, const QString& hint,
                      const QIcon& picture, int pictureSize);
QCheckBox* MakeCheck(QWidget* parent, const char* name, const QRect& place, const QString& text,
                     const QString& hint, bool checked);
QLabel* MakeLabel(QWidget* parent, const char* name, const QPoint& at, const QString& text,
                  const QFont& font);

// Background and text colours of a field (its palette's Base and Text).
void SetColours(QWidget* widget, const QColor& background, const QColor& text);
void SetButtonTextColour(QWidget* widget, const QColor& colour);
// The background colour of a field (a colour swatch) as the drawing takes it.
Colour ColourOf(const QWidget* field);

}  // namespace ui
