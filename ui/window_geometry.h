// The main window's designed size, which is also its smallest, and the place it takes when it
// is not maximised (the remembered one, or 80% of the screen centred).
#pragma once

#include <QRect>
#include <QSize>

// The designed size of the window: every control fits at this size and above.
inline constexpr QSize kDesignedWindowSize{635, 420};

// The designed window centred on the available area of the screen, with room above and beside
// it for the window manager's frame, so that the title bar can always be reached.
QRect NormalWindowGeometry(const QRect& available, QSize size = kDesignedWindowSize);

// The normal size of the window when nothing is remembered: about 80% of the available area,
// never below `smallest`.
QSize NormalWindowSize(const QRect& available, QSize smallest);

// Where the window goes when it is not maximised: the remembered place when it is a place the
// window may take (not below `smallest`, its title bar on the available area), otherwise the
// normal size centred.
QRect RestoredWindowGeometry(const QRect& remembered, const QRect& available, QSize smallest);

// The smallest window: the designed size, or wider where a control at a fixed place (the wide
// pointer read-outs) reaches past the designed width; `rightmost` is that control's right edge.
QSize SmallestWindowSize(int rightmost);
