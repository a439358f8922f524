// The window fixture for the reliability tests: every test also ends by
// checking that the browser let go of every engine object and that the engine
// let go of every handler object, and real keyboard and mouse input can be sent
// through the thread's input queue to the browser's own message loop.
#pragma once

#include "tests/BrowserFixture.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class ReliabilityFixture : public BrowserFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Drops every engine reference the browser holds (as start-up does after
    // its loop) and expects the engine's live objects and its references to
    // the browser's handler objects to be back where they were at SetUp.
    void ExpectReferencesBalanced();

    // For tests that need no pixels: under Wine, repainting the tab strip and
    // the page takes milliseconds each time either changes. Layout, focus and
    // the controls' state work the same on the hidden window.
    static void HideMainWindow();

    // Checks the balance, then starts again with a new main window and a reset
    // engine, as a new run of the program would (the engine not yet started).
    void RestartBrowser();

    long liveObjectsAtStart_ = 0;
    long heldHandlersAtStart_ = 0;
};

// Removes a WM_QUIT left in the queue (by a destroyed main window).
void DropQuitMessage();

// Real input: queued with SendInput, so it goes through the input queue,
// GetMessage and TranslateMessage like the user's own.
INPUT KeyInput(WORD virtualKey, bool up);
INPUT UnicodeInput(wchar_t unit, bool up);
// Moves the mouse to a control's centre and presses and releases the left button `clicks` times.
std::vector<INPUT> ClickInputs(HWND control, int clicks);
void Send(const std::vector<INPUT>& inputs);

// Runs the browser's message loop (RunMessageLoop) until the input sent so far
// and everything it caused has been handled.
void RunLoopUntilInputHandled();

// Text as an edit control or a page may be given it. Wine's text layout
// (gdi32, Wine 8) crashes on a non-spacing mark of the right-to-left blocks
// (U+0590 to U+08FF) followed by a letter of another right-to-left script, so
// under Wine those marks are left out. Windows gets the text whole.
std::wstring ShowableText(const std::wstring& text);

// A seed for a randomized test: VELQUIN_RELIABILITY_SEED if set, else `fallback`.
uint32_t TestSeed(uint32_t fallback);

// A small seeded generator (splitmix64): the same numbers with every compiler.
// (Not a standard engine: with mingw, GCC's register allocation across
// translation units can meet another unit's copy of the engine's template
// code and lose registers.)
class Random {
public:
    explicit Random(uint64_t seed = 0) : state_(seed) {}
    uint64_t Next();
    // A number in [0, bound); bound must not be 0.
    uint32_t Below(size_t bound) { return static_cast<uint32_t>(Next() % bound); }

private:
    uint64_t state_;
};

// The engine log as it grows: NewLines returns what was logged since its last call.
class EngineLogFollower {
public:
    std::vector<std::wstring> NewLines();

private:
    size_t seen_ = 0;
};

// For a line "view <id> event <event> <text>": the view id and the text.
bool ParseViewEvent(const std::wstring& line, const std::wstring& event, int* viewId, std::wstring* text);
