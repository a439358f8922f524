// Dragging a tab along the strip with the mouse. The press selects the tab
// (the strip's own handling, as for a click); while the button is held the
// tab takes a neighbour's place as soon as the pointer passes that
// neighbour's middle. Releasing the button, Escape or a lost capture ends the
// drag, the tab staying where it is.
#pragma once

#include <windows.h>

bool IsDraggingTab();

// The left button went down at `point` (the strip's client coordinates),
// after the strip's own handling selected the tab there: a drag of that tab
// begins, the strip capturing the mouse.
void BeginTabDrag(HWND strip, POINT point);

// The pointer is at `point` with the button held.
void ContinueTabDrag(HWND strip, POINT point);

// Ends the drag, if one is going on.
void EndTabDrag(HWND strip);
