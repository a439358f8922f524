// The fixture of the end-to-end tests: one velquin.exe per test, driven by
// real mouse and keyboard input and observed through its windows and the
// stand-in engine's log.
//
// The engine numbers its views 1, 2, 3, ... in the order the browser gets
// them, so the n-th tab ever opened is view n; its page window is remembered
// when it appears.
#pragma once

#include "BrowserProcess.h"
#include "core/CommandIds.h"
#include "core/NewTabAddress.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// A line of the engine log about one view: "view <id> <event>".
std::wstring ViewLine(int viewId, const std::wstring& event);

class BrowserSession : public ::testing::Test {
protected:
    void TearDown() override;

    // Installs and starts the browser; succeeds once its main window is visible.
    testing::AssertionResult Launch(const LaunchOptions& options = LaunchOptions());
    // Waits until the first tab shows the New Tab page.
    testing::AssertionResult WaitForFirstTab();
    // Clicks "+" and waits until the new tab shows the New Tab page.
    testing::AssertionResult OpenTab();

    testing::AssertionResult Click(int controlId);
    testing::AssertionResult ClickTab(int index);
    // Clicks into the address bar and replaces its text by typing `text`.
    testing::AssertionResult TypeIntoAddressBar(const std::wstring& text);
    // Types `text` into the address bar, presses Enter and waits until the
    // current tab (view `viewId`) is told to navigate to `url` and shows it.
    testing::AssertionResult NavigateByTyping(int viewId, const std::wstring& text, const std::wstring& url);

    testing::AssertionResult WaitForLogLine(const std::wstring& line);
    testing::AssertionResult WaitForTabCount(int count);
    testing::AssertionResult WaitForAddressText(const std::wstring& text);
    testing::AssertionResult WaitForFocus(HWND window);
    // Waits for a message box of the browser with this caption.
    testing::AssertionResult WaitForMessageBox(const std::wstring& caption, HWND* box);
    // Clicks the box's OK button and waits until the box is gone.
    testing::AssertionResult DismissMessageBox(HWND box);
    // Closes the main window (WM_CLOSE) and expects the process to end with 0.
    testing::AssertionResult CloseWindowAndExpectExitCode0();
    // Expects the process to end with 0 by itself.
    testing::AssertionResult ExpectExitCode0();

    BrowserProcess& Browser() { return *browser_; }
    HWND Window() const { return browser_->Window(); }
    HWND Control(int id) const { return GetDlgItem(browser_->Window(), id); }
    std::wstring AddressText() const;
    int CountTabs() const;
    int CurrentTabIndex() const;
    std::vector<std::wstring> Captions() const;
    HWND Focus() const;

    std::vector<std::wstring> Log() const { return browser_->EngineLog(); }
    // Lines of the engine log equal to `line`.
    size_t LogCount(const std::wstring& line) const;
    std::vector<std::wstring> LogLinesStartingWith(const std::wstring& prefix) const;

    // The page window of a view, remembered when its tab opened.
    HWND PageOf(int viewId) const;
    // The views whose page windows are visible.
    std::vector<int> VisibleViews() const;

private:
    // Remembers the page window that appeared for view `viewId`.
    void RememberNewPage(int viewId);

    std::unique_ptr<BrowserProcess> browser_;
    std::map<int, HWND> pages_;
    int lastView_ = 0;
};
