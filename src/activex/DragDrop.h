#pragma once
// The platform's drag and drop for the control's text box: the drop target
// registered on the box, and the drop source of a drag that starts there.
#include "control/DragDrop.h"

#include <memory>
#include <string>

namespace zarn {

// Registers the window as a drop target that reports to the listener; none
// when the thread has not initialised OLE.
std::unique_ptr<DropRegistration> RegisterDropTarget(HWND window, DropListener& listener);

// Runs a drag from start (OLEStartDrag) to end (OLECompleteDrag).
void RunDrag(DragSourceListener& listener, const std::wstring* text);

} // namespace zarn
