// The acceptance suite: velquin.exe, started from the folder given on the
// command line, driven only as a person would drive it (SendInput clicks and
// keys) and checked only by what a person sees (window texts, the tab strip's
// captions and selection, the focus, a message box's text). It knows nothing
// of the engine beside the exe, so the same program checks the browser with
// the real engine on Windows and with any other engine that behaves alike.
//
// What it relies on the engine to do, as the real engine does:
// - A page given by a file: address loads the file from disk and takes the
//   text of its <title> as its document title, and loads it again on Reload
//   (a title changed in the file meanwhile shows).
// - The source it reports for such a page is the address in its normalised
//   form, file:///C:/dir/page.html with forward slashes, an upper-case drive
//   letter and %20 for a blank; the suite types exactly that form, so the
//   address bar must read it back unchanged.
// - A page given as an HTML string reports a data:text/html source (the
//   browser shows its New Tab page that way) and its <title> as its title.
// - Back and Next move along its back/forward list and report each page's
//   source and title again.
// - A click into the page gives it the keyboard focus, and Ctrl+W pressed
//   there is offered to the browser as an accelerator key.
// It needs no network: every page is a local file the suite writes itself.
//
// It prints figures, not assertions: the time from creating the process to
// the New Tab page shown, and from Enter to the typed page's title in the tab.
#include "BrowserUnderTest.h"
#include "Polling.h"
#include "RemoteWindows.h"
#include "TestPages.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

const wchar_t kNewTabCaption[] = L"New Tab";
const wchar_t kNewTabAddress[] = L"browser://newtab";

testing::AssertionResult Result(bool ok, const std::wstring& failure) {
    if (ok) return testing::AssertionSuccess();
    return testing::AssertionFailure() << failure;
}

std::wstring Joined(const std::vector<std::wstring>& items) {
    std::wstring text;
    for (const std::wstring& item : items) text += (text.empty() ? L"[" : L", [") + item + L"]";
    return text.empty() ? L"(none)" : text;
}

// One figure, printed where a person reading the run's output finds it.
void PrintFigure(const char* what, double milliseconds) {
    std::printf("[ FIGURE   ] %s: %.0f ms\n", what, milliseconds);
    std::fflush(stdout);
}

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

class Acceptance : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pages_.Error().empty()) << Narrow(pages_.Error());
        browser_.reset(new BrowserUnderTest());
        ASSERT_TRUE(browser_->Error().empty()) << Narrow(browser_->Error());
    }

    void TearDown() override {
        if (browser_ && HasFailure()) {
            std::printf("  the browser showed: tabs %s, selected %d, address [%s]\n",
                        Narrow(Joined(Browser().TabCaptions())).c_str(), Browser().SelectedTab(),
                        Narrow(Browser().AddressText()).c_str());
        }
        browser_.reset();
    }

    static std::string Narrow(const std::wstring& text) {
        std::string narrow;
        for (const wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
        return narrow;
    }

    BrowserUnderTest& Browser() { return *browser_; }

    // Writes a page and returns its address.
    std::wstring Page(const std::wstring& name, const std::wstring& title) {
        const std::wstring address = pages_.Write(name, title);
        EXPECT_FALSE(address.empty()) << "cannot write page " << Narrow(name);
        return address;
    }

    // The start: one tab, current, showing the New Tab page.
    testing::AssertionResult WaitForNewTabPage(DWORD timeoutMs = kStepTimeoutMs) {
        const bool shown = WaitClosely([this] { return ShowsNewTabPage(1, 0); }, timeoutMs);
        return Result(shown, L"no New Tab page: " + State());
    }

    bool ShowsNewTabPage(size_t tabs, int current) {
        const std::vector<std::wstring> captions = Browser().TabCaptions();
        return captions.size() == tabs && Browser().SelectedTab() == current && captions[current] == kNewTabCaption &&
               Browser().AddressText() == kNewTabAddress;
    }

    std::wstring State() {
        return L"tabs " + Joined(Browser().TabCaptions()) + L", selected " + std::to_wstring(Browser().SelectedTab()) +
               L", address [" + Browser().AddressText() + L"]";
    }

    testing::AssertionResult Click(const std::wstring& label) {
        const HWND button = Browser().Button(label);
        if (!BringToFront(Browser().Window())) return Result(false, L"cannot bring the browser to the front");
        return Result(ClickWindow(button), L"cannot click " + label);
    }

    // Clicks "+" and waits for a new current tab at the end, on the New Tab page.
    testing::AssertionResult OpenTab() {
        const size_t count = Browser().TabCaptions().size();
        const testing::AssertionResult clicked = Click(L"+");
        if (!clicked) return clicked;
        return Result(WaitUntil([&] { return ShowsNewTabPage(count + 1, static_cast<int>(count)); }),
                      L"\"+\" showed no new tab on the New Tab page: " + State());
    }

    testing::AssertionResult ClickTab(int index) {
        const RECT item = Browser().TabRect(index);
        if (IsRectEmpty(&item)) return Result(false, L"no tab " + std::to_wstring(index) + L" to click");
        if (!BringToFront(Browser().Window())) return Result(false, L"cannot bring the browser to the front");
        const bool clicked = ClickAt(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        return Result(clicked && WaitUntil([&] { return Browser().SelectedTab() == index; }),
                      L"a click on tab " + std::to_wstring(index) + L" did not select it: " + State());
    }

    // Clicks into the address bar and replaces its text by typing `text`.
    testing::AssertionResult TypeAddress(const std::wstring& text) {
        if (!BringToFront(Browser().Window()) || !ClickWindow(Browser().AddressBar())) {
            return Result(false, L"cannot click the address bar");
        }
        if (!WaitUntil([this] { return Browser().Focus() == Browser().AddressBar(); })) {
            return Result(false, L"a click on the address bar did not give it the focus");
        }
        if (!PressKeys({VK_END}) || !PressKeys({VK_SHIFT, VK_HOME}) || !PressKeys({VK_DELETE}) || !TypeText(text)) {
            return Result(false, L"cannot type into the address bar");
        }
        return Result(WaitUntil([&] { return Browser().AddressText() == text; }),
                      L"the address bar shows [" + Browser().AddressText() + L"] after typing [" + text + L"]");
    }

    // The current tab shows this page: its title as the caption, its address
    // in the bar.
    testing::AssertionResult WaitForPage(const std::wstring& title, const std::wstring& address) {
        return Result(WaitUntil([&] { return Shows(title, address); }),
                      L"expected [" + title + L"] at [" + address + L"]; " + State());
    }

    bool Shows(const std::wstring& title, const std::wstring& address) {
        const std::vector<std::wstring> captions = Browser().TabCaptions();
        const int current = Browser().SelectedTab();
        return current >= 0 && static_cast<size_t>(current) < captions.size() && captions[current] == title &&
               Browser().AddressText() == address;
    }

    // Types the address, presses Enter and waits for the page.
    testing::AssertionResult Visit(const std::wstring& title, const std::wstring& address) {
        const testing::AssertionResult typed = TypeAddress(address);
        if (!typed) return typed;
        if (!PressKeys({VK_RETURN})) return Result(false, L"cannot press Enter");
        return WaitForPage(title, address);
    }

    testing::AssertionResult WaitForTabCount(size_t count) {
        return Result(WaitUntil([&] { return Browser().TabCaptions().size() == count; }),
                      L"expected " + std::to_wstring(count) + L" tabs; " + State());
    }

    // Waits for the one message box of the browser with this caption.
    testing::AssertionResult WaitForMessageBox(const std::wstring& caption, HWND* box) {
        *box = nullptr;
        const bool shown = WaitUntil([&] {
            for (HWND dialog : Browser().MessageBoxes()) {
                if (TextOf(dialog) == caption) *box = dialog;
            }
            return *box != nullptr;
        });
        return Result(shown, L"no message box captioned " + caption);
    }

    testing::AssertionResult DismissMessageBox(HWND box) {
        if (!ClickWindow(DialogButton(box, L"OK"))) return Result(false, L"cannot click the box's OK button");
        return Result(WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }),
                      L"the message box stayed after OK");
    }

    TestPages pages_;
    std::unique_ptr<BrowserUnderTest> browser_;
};

TEST_F(Acceptance, StartsOnTheNewTabPage) {
    ASSERT_TRUE(WaitForNewTabPage(30000));
    PrintFigure("start-up: process created to the New Tab page shown", MillisecondsSince(Browser().StartedAt()));
    EXPECT_EQ(TextOf(Browser().Window()), L"Velquin");
    EXPECT_TRUE(IsWindowEnabled(Browser().AddressBar()));
}

TEST_F(Acceptance, TypedAddressShowsItsPageTitleAndAddress) {
    const std::wstring address = Page(L"first", L"Acceptance first page");
    ASSERT_TRUE(WaitForNewTabPage(30000));
    ASSERT_TRUE(TypeAddress(address));
    const LONGLONG enter = PerformanceCounterNow();
    ASSERT_TRUE(PressKeys({VK_RETURN}));
    const bool titled = WaitClosely([this] {
        const std::vector<std::wstring> captions = Browser().TabCaptions();
        return captions.size() == 1 && captions[0] == L"Acceptance first page";
    }, kStepTimeoutMs);
    ASSERT_TRUE(titled) << "the page's title never reached the tab: " << Narrow(State());
    PrintFigure("Enter to the page's title in the tab", MillisecondsSince(enter));
    EXPECT_TRUE(WaitForPage(L"Acceptance first page", address));
}

TEST_F(Acceptance, BackNextAndReload) {
    const std::wstring first = Page(L"back", L"Acceptance page one");
    const std::wstring second = Page(L"next", L"Acceptance page two");
    ASSERT_TRUE(WaitForNewTabPage(30000));
    ASSERT_TRUE(Visit(L"Acceptance page one", first));
    ASSERT_TRUE(Visit(L"Acceptance page two", second));

    ASSERT_TRUE(Click(L"Back"));
    EXPECT_TRUE(WaitForPage(L"Acceptance page one", first));
    ASSERT_TRUE(Click(L"Next"));
    EXPECT_TRUE(WaitForPage(L"Acceptance page two", second));

    // The file changes on disk: Reload shows its new title at the same address.
    ASSERT_EQ(Page(L"next", L"Acceptance page two, reloaded"), second);
    ASSERT_TRUE(Click(L"Reload"));
    EXPECT_TRUE(WaitForPage(L"Acceptance page two, reloaded", second));
    EXPECT_EQ(Browser().TabCaptions().size(), 1u);
}

TEST_F(Acceptance, PlusTabClickXAndCtrlW) {
    const std::wstring first = Page(L"tab-one", L"Acceptance tab one");
    const std::wstring second = Page(L"tab-two", L"Acceptance tab two");
    ASSERT_TRUE(WaitForNewTabPage(30000));
    ASSERT_TRUE(Visit(L"Acceptance tab one", first));

    // "+" adds a current tab on the New Tab page; each tab keeps its page.
    ASSERT_TRUE(OpenTab());
    ASSERT_TRUE(Visit(L"Acceptance tab two", second));
    ASSERT_TRUE(ClickTab(0));
    EXPECT_TRUE(WaitForPage(L"Acceptance tab one", first));
    ASSERT_TRUE(ClickTab(1));
    EXPECT_TRUE(WaitForPage(L"Acceptance tab two", second));

    // "X" closes the current tab; the other one is shown.
    ASSERT_TRUE(Click(L"X"));
    ASSERT_TRUE(WaitForTabCount(1));
    EXPECT_TRUE(WaitForPage(L"Acceptance tab one", first));

    // Ctrl+W in the address bar closes the current tab.
    ASSERT_TRUE(OpenTab());
    ASSERT_TRUE(TypeAddress(L"typed, never sent"));
    ASSERT_TRUE(PressKeys({VK_CONTROL, 'W'}));
    ASSERT_TRUE(WaitForTabCount(1));
    EXPECT_TRUE(WaitForPage(L"Acceptance tab one", first));

    // Ctrl+W with the keyboard focus in the page, where the engine has it.
    ASSERT_TRUE(OpenTab());
    ASSERT_TRUE(Visit(L"Acceptance tab two", second));
    ASSERT_TRUE(BringToFront(Browser().Window()));
    ASSERT_TRUE(ClickAt(Browser().PagePoint()));
    ASSERT_TRUE(WaitUntil([this] { return Browser().Focus() != Browser().AddressBar(); }))
        << "a click into the page left the focus in the address bar";
    ASSERT_TRUE(PressKeys({VK_CONTROL, 'W'}));
    ASSERT_TRUE(WaitForTabCount(1));
    EXPECT_TRUE(WaitForPage(L"Acceptance tab one", first));

    // The last tab stays.
    ASSERT_TRUE(Click(L"X"));
    ASSERT_TRUE(TypeAddress(first));
    ASSERT_TRUE(PressKeys({VK_CONTROL, 'W'}));
    ASSERT_TRUE(Click(L"History"));
    HWND box = nullptr;
    ASSERT_TRUE(WaitForMessageBox(L"History", &box));
    EXPECT_EQ(Browser().TabCaptions(), std::vector<std::wstring>{L"Acceptance tab one"});
    EXPECT_TRUE(DismissMessageBox(box));
}

TEST_F(Acceptance, HistoryListsTheVisitedAddressesInOrder) {
    const std::wstring first = Page(L"history-one", L"Acceptance history one");
    const std::wstring second = Page(L"history-two", L"Acceptance history two");
    ASSERT_TRUE(WaitForNewTabPage(30000));
    ASSERT_TRUE(Visit(L"Acceptance history one", first));
    ASSERT_TRUE(Visit(L"Acceptance history two", second));
    // Every tab's visits go into the one list; New Tab pages do not.
    ASSERT_TRUE(OpenTab());
    ASSERT_TRUE(Visit(L"Acceptance history one", first));

    ASSERT_TRUE(Click(L"History"));
    HWND box = nullptr;
    ASSERT_TRUE(WaitForMessageBox(L"History", &box));
    EXPECT_EQ(MessageBoxText(box), first + L"\n" + second + L"\n" + first + L"\n");
    EXPECT_TRUE(DismissMessageBox(box));
}

}  // namespace
