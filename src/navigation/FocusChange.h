// Whether the focus moved from one control of a window to another: coming back from, or
// going to, a menu, a popup, a message box or another window is no such move.
#pragma once

#include <QFocusEvent>

inline bool ControlFocusChange(const QFocusEvent& event)
{
    return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}
