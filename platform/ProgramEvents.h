// Behaviour that every window of the program shares without doing anything
// itself: tool tips switched on or off for the whole program at once, and the
// focus highlight.  Both work through one event filter on the application.
//
// Focus highlight: the input control that takes the focus (entry, spin box,
// text area, check box, radio button, drop-down list or combination box)
// gets the background colour RGB(254, 254, 201) and a frame of that colour
// around it; when the focus moves on,
// its own colours come back.  Hidden or disabled controls and plain lists
// are left alone.  A control can opt out with the property "vmNoHighlight".
#pragma once

#include <QColor>

class QWidget;

namespace vm {

inline const QColor kFocusColour{254, 254, 201};

// Installs the filter (once).  Every window calls it; so does program start.
void installProgramEvents();

// Tool tips on or off for every window.
void setToolTipsEnabled(bool on);
bool toolTipsEnabled();
// GLO:TIPFLAG: tool tips are on when it is 1 and off for any other value.
void applyTipFlag();

// The control the highlight's frame is drawn around now, if any.
QWidget* highlightFrameTarget();

// True for the kinds of control that are highlighted when they take focus.
bool isHighlightable(const QWidget* control);

}  // namespace vm
