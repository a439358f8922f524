// Fits the controls to the main window's width and gives the current tab's
// page the area below the two rows of controls; while the page fills the
// window (full screen) the controls are hidden and the page has the whole
// client area.
#pragma once

#include <windows.h>

// Top of the page area, below the tab row and the navigation row.
constexpr int kPageTop = 70;

// Places all eight controls by the main window's width, with or without a
// tab, and gives the current tab's page the area below them (or all of it
// while the page fills the window).
void ResizeBrowser();

// Hides the eight controls so that the page fills the window, or shows them
// again. The keyboard leaves a control before it is hidden (to the main
// window, which hands it to the page). Lays out nothing: the caller resizes
// once the window has its new shape.
void SetPageFillsWindow(bool fills);

// WM_SIZE: hides the current page from the engine while the window is
// minimised and shows it again when restored; lays out otherwise.
void OnMainWindowSized(WPARAM kind);

// WM_MOVE: tells the current tab's engine that its window moved.
void OnMainWindowMoved();
