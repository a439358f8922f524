// The acceptance suite's fixture: one velquin.exe per test, started from the
// folder the suite was given, with the steps a person takes (click a button or
// a tab, type an address, press keys) and what a person then sees (captions,
// the selected tab, the address bar, message boxes), each step waiting until
// the browser shows its effect. The engine behaviours the suite relies on are
// listed at the top of AcceptanceTest.cpp.
#pragma once

#include "BrowserUnderTest.h"
#include "Polling.h"
#include "TestPages.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

extern const wchar_t kNewTabCaption[];
extern const wchar_t kNewTabAddress[];

testing::AssertionResult Result(bool ok, const std::wstring& failure);

// One figure, printed where a person reading the run's output finds it.
void PrintFigure(const char* what, double milliseconds);

// Polls every 2 ms, for figures finer than WaitUntil's steps.
template <typename Condition>
bool WaitClosely(Condition condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline) return false;
        Sleep(2);
    }
    return true;
}

// Text for a failure message, non-ASCII characters as "?".
std::string Narrow(const std::wstring& text);

class Acceptance : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    BrowserUnderTest& Browser() { return *browser_; }

    // Writes (or rewrites) a page, with `head` and `body` markup after its
    // own, and returns its address.
    std::wstring Page(const std::wstring& name, const std::wstring& title, const std::wstring& head = L"",
                      const std::wstring& body = L"");
    // Writes a file beside the pages, e.g. an image a page shows.
    testing::AssertionResult PageFile(const std::wstring& name, const std::string& bytes);

    // The start: one tab, current, showing the New Tab page. The engine may
    // take seconds to start the first time on a machine.
    testing::AssertionResult WaitForNewTabPage(DWORD timeoutMs = 30000);
    bool ShowsNewTabPage(size_t tabs, int current);
    // The tabs, the selected one and the address, for failure messages.
    std::wstring State();

    // Clicks the button with this label.
    testing::AssertionResult Click(const std::wstring& label);
    // Clicks "+" and waits for a new current tab at the end, on the New Tab page.
    testing::AssertionResult OpenTab();
    // Clicks tab `index` and waits until it is selected.
    testing::AssertionResult ClickTab(int index);
    // Clicks into the address bar and waits for it to have the focus.
    testing::AssertionResult FocusAddressBar();
    // Clicks into the address bar and replaces its text by typing `text`.
    testing::AssertionResult TypeAddress(const std::wstring& text);
    // Types the address, presses Enter and waits for the page.
    testing::AssertionResult Visit(const std::wstring& title, const std::wstring& address);
    // Writes pages "<name>-one" and "<name>-two", titled "Acceptance <name>
    // one" and "Acceptance <name> two", waits for the New Tab page and visits
    // both in the first tab; their addresses go to *first and *second.
    testing::AssertionResult StartOnTwoPages(const std::wstring& name, std::wstring* first, std::wstring* second);

    // The current tab shows this page: its title as the caption, its address
    // in the bar.
    testing::AssertionResult WaitForPage(const std::wstring& title, const std::wstring& address);
    bool Shows(const std::wstring& title, const std::wstring& address);
    testing::AssertionResult WaitForTabCount(size_t count);
    // Waits for the one message box of the browser with this caption.
    testing::AssertionResult WaitForMessageBox(const std::wstring& caption, HWND* box);
    testing::AssertionResult DismissMessageBox(HWND box);

private:
    TestPages pages_;
    std::unique_ptr<BrowserUnderTest> browser_;
};
