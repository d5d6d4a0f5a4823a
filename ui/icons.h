// Pictures of the flat buttons, the menu entries and the program, drawn with QPainter.
#pragma once

#include <QIcon>

namespace icons {

QIcon Run();           // 32 x 32: a play triangle over a small curve
QIcon ZoomIn();        // 16 x 16: magnifier with a plus
QIcon ZoomOut();       // 16 x 16: magnifier with a minus
QIcon Centre();        // 16 x 16: crossed axes with a centre dot
QIcon EqualScales();   // 16 x 16: a square with equal arrows
QIcon DefaultScale();  // 16 x 16: the digit 1 between brackets
QIcon Move();          // 16 x 16: four-way arrows
QIcon Rectangle();     // 16 x 16: a dashed frame with a magnifier
QIcon Open();          // 16 x 16: an open folder
QIcon Save();          // 16 x 16: a disk
QIcon SavePicture();   // 16 x 16: a small framed graph
QIcon SaveLog();       // 16 x 16: a page of lines
QIcon Help();          // 32 x 32: a question mark in a circle
QIcon Program();       // 32 x 32: a sine curve over axes

}  // namespace icons
