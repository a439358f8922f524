// Zoom of the current tab by the keyboard (Ctrl+Plus, Ctrl+Minus, Ctrl+0),
// kept by the tab's controller as its ZoomFactor: it stays with the tab
// across switches, moves and navigations, and a new controller (a new,
// reopened or recovered tab) starts at 100%.
#pragma once

enum class ZoomChange { In, Out, Reset };

// The zoom factor one key press makes of `factor`: the next of the steps 25,
// 33, 50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400 and
// 500 % in the key's direction (a factor between steps goes to the nearest
// step that way; one within rounding of a step counts as that step); `factor`
// itself where no step lies that way; 1.0 for Reset. A factor that is no zoom
// (not a positive finite number) counts as 100%.
double ZoomFactorAfter(double factor, ZoomChange change);

// Applies the change to the current tab's controller. Nothing happens without
// a current tab, when the engine cannot tell the present factor, or when the
// factor would stay as it is.
void ZoomCurrentTab(ZoomChange change);
