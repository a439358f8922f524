// Fits the controls to the main window's width and gives the current tab's
// page the area below the two rows of controls; in full screen the page has
// the whole client area.
#pragma once

#include <windows.h>

// Top of the page area, below the tab row and the navigation row.
constexpr int kPageTop = 70;

void ResizeBrowser();
