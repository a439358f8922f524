// Bringing every tab back after the engine's browser process exited.
#pragma once

// WM_APP_RECOVER_ENGINE: closes every tab, lets the environment go and
// requests a new one from the same loader and user data folder; once it comes,
// the tabs reopen in their order at their last address, the same one current.
// Does nothing unless a tab saw the browser process exit. Tabs not back yet
// when the engine exits again are reopened by the next recovery; a tab the
// working engine cannot make goes among the closed tabs (Ctrl+Shift+T).
void RecoverEngine();

// Asks the engine, anew, for every tab still waiting to come back (its
// restart had failed; the user started it again). Returns whether any waits.
bool ReopenWaitingTabs();

// Drops a recovery's tabs still waiting to come back (the engine is let go).
void ForgetEngineRecovery();
