// The memory a tab's page may keep: the engine's low level while the tab is in
// the background (not current, or the window minimised), the normal level
// before it is shown again. An engine without the setting is left as it is.
// The tab also keeps when it went to the background, for TabSleep.
#pragma once

// Tells the engine whether tab `index` is in the background, when that
// changes, and notes since when it is (GetTickCount64).
void SetTabInBackground(int index, bool background);
