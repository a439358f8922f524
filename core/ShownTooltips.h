// A tooltip that shows while what it says changes (a tab's title or address,
// Reload's text) asks for its text again; one that does not show asks when it
// next shows. For tools whose text is asked for each time.
#pragma once

#include <windows.h>

// The strip's tooltip, when it shows tab `index`'s text.
void RefreshShownTabTooltip(int index);

// The strip's tooltip goes if it shows: the tabs it names by their places
// moved or went.
void HideShownTabTooltip();

// The buttons' tooltip, when it shows `button`'s text.
void RefreshShownButtonTooltip(HWND button);
