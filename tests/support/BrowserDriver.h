// Drives the browser of this process as the user's input reaches it: button
// commands, tab selection and Enter in the address bar go through the main
// window's own message handling, and the engine environment is requested from
// the stand-in engine with the browser's own completion handler, as start-up
// requests it. Shared by the tests and the benchmarks. Nothing here waits for
// the engine: callers run its queue in their own way.
#pragma once

#include <windows.h>

// Where the stand-in engine is told to keep its profile (it writes nothing).
extern const wchar_t kTestUserDataFolder[];

// Starts the browser's engine with the stand-in engine's environment export in
// place of the loader's (StartEngineEnvironment, completed by
// OnEnvironmentCreated); returns the request's result. The first tab arrives
// once the engine's queue runs.
HRESULT RequestBrowserEnvironment(const wchar_t* userDataFolder = kTestUserDataFolder);

// Sends the main window the command of one of its buttons, as a click does.
void ClickButton(int controlId);

// Makes tab `index` current as a click on the strip does: the strip selects
// it and notifies the main window (TCN_SELCHANGE).
void SelectTab(int index);

// Presses Enter in the address bar: the key-down and the character, as the
// edit control receives them from the message loop.
void SendEnterToAddressBar();
