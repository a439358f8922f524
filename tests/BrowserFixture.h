// A real main window (class, procedure, controls) with the stand-in engine
// linked in, for tests of the browser's behaviour on real Win32 controls. The
// drivers of tests/support (SelectTab, ...) come with it.
#pragma once

#include "devengine/DevEngine.h"
#include "tests/support/BrowserDriver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class BrowserFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Completes the environment request as start-up makes it and lets the
    // first tab arrive.
    void StartEngine();
    // Presses "+" `count` times and lets the new tabs arrive.
    void OpenTabs(int count);
    // Delivers everything the engine has queued.
    static void Settle();
    // Runs the main window's posted messages and the engine's completions and
    // events one at a time until `done` holds; false if neither has anything
    // left first.
    static bool StepUntil(const std::function<bool()>& done);
    // Dispatches messages until `done` holds; false if it still does not after timeoutMs.
    static bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

    // What the window shows.
    static std::vector<std::wstring> TabCaptions();
    static int SelectedTab();
    static std::wstring AddressBarText();
    // The view ids of the open tabs, in tab order.
    static std::vector<int> TabViewIds();
    // Ids of the views whose page is visible.
    static std::vector<int> VisibleViewIds();
    // Tab strip, list, selection and visible page all agree.
    static void ExpectConsistent();

    static void Click(int controlId);
    static void PressEnterInAddressBar(const std::wstring& text);
    // Calls the browser made on a view, filtered to those starting with `prefix`.
    static std::vector<std::wstring> Calls(int viewId, const std::wstring& prefix);
};

// The engine's current source for the view behind tab `index`.
std::wstring SourceOfTab(int index);

// Answers the message boxes this thread opens from now on (their modal loops
// run the timer) with the button `answer` (IDOK, IDYES, IDNO) and records
// their captions and texts.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int answer = IDOK);
    ~MessageBoxAnswerer();
    struct Box {
        HWND owner;
        std::wstring caption;
        std::wstring text;
    };
    static std::vector<Box>& Seen();

private:
    UINT_PTR timer_;
};
