// The acceptance suite: velquin.exe, started from the folder given on the
// command line, driven only as a person would drive it (SendInput clicks and
// keys) and checked only by what a person sees (window texts, the tab strip's
// captions and selection, whether a button is enabled, the focus and the
// address bar's selection, a message box's text, the colours drawn on a tab
// and the size of a page's text on the screen). It knows nothing
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
//   source and title again; it tells of each change of that list
//   (HistoryChanged) and answers CanGoBack and CanGoForward from it, a fresh
//   view with an empty list.
// - A click into the page gives it the keyboard focus, and the shortcut keys
//   pressed there (with Ctrl or Alt, and F5, F6) are offered to the browser
//   as accelerator keys before the page acts on them.
// - A page's <link rel="icon" href="name.png"> (a PNG beside the page) is
//   its icon; a page's <audio autoplay loop> element plays (a page of the
//   suite also plays it on a click into the page) and is reported as sound
//   (on Windows that needs an audio output device).
// - A page's text is drawn dark on light, and scales with the controller's
//   zoom factor.
// It needs no network: every page is a local file the suite writes itself.
//
// It prints figures, not assertions: the time from creating the process to
// the New Tab page shown, and from Enter to the typed page's title in the tab.
#include "AcceptanceFixture.h"
#include "RemoteWindows.h"
#include "UserInput.h"

namespace {

TEST_F(Acceptance, StartsOnTheNewTabPage) {
    ASSERT_TRUE(WaitForNewTabPage());
    PrintFigure("start-up: process created to the New Tab page shown", MillisecondsSince(Browser().StartedAt()));
    EXPECT_EQ(TextOf(Browser().Window()), L"Velquin");
    EXPECT_TRUE(IsWindowEnabled(Browser().AddressBar()));
}

TEST_F(Acceptance, TypedAddressShowsItsPageTitleAndAddress) {
    const std::wstring address = Page(L"first", L"Acceptance first page");
    ASSERT_TRUE(WaitForNewTabPage());
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
    std::wstring first, second;
    ASSERT_TRUE(StartOnTwoPages(L"page", &first, &second));

    ASSERT_TRUE(Click(L"Back"));
    EXPECT_TRUE(WaitForPage(L"Acceptance page one", first));
    ASSERT_TRUE(Click(L"Next"));
    EXPECT_TRUE(WaitForPage(L"Acceptance page two", second));

    // The file changes on disk: Reload shows its new title at the same address.
    ASSERT_EQ(Page(L"page-two", L"Acceptance page two, reloaded"), second);
    ASSERT_TRUE(Click(L"Reload"));
    EXPECT_TRUE(WaitForPage(L"Acceptance page two, reloaded", second));
    EXPECT_EQ(Browser().TabCaptions().size(), 1u);
}

TEST_F(Acceptance, PlusTabClickXAndCtrlW) {
    const std::wstring first = Page(L"tab-one", L"Acceptance tab one");
    const std::wstring second = Page(L"tab-two", L"Acceptance tab two");
    ASSERT_TRUE(WaitForNewTabPage());
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
    std::wstring first, second;
    ASSERT_TRUE(StartOnTwoPages(L"history", &first, &second));
    // Every tab's visits go into the one list; New Tab pages do not.
    ASSERT_TRUE(OpenTab());
    ASSERT_TRUE(Visit(L"Acceptance history one", first));

    ASSERT_TRUE(Click(L"History"));
    HWND box = nullptr;
    ASSERT_TRUE(WaitForMessageBox(L"History", &box));
    EXPECT_EQ(MessageBoxText(box), first + L"\n" + second + L"\n" + first + L"\n");
    EXPECT_TRUE(DismissMessageBox(box));
}

// Without the engine's loader beside it, velquin.exe says what is missing and
// stays open, empty. It loads the loader only from its own folder: one in the
// working folder is not used.
TEST(AcceptanceWithoutLoader, SaysWhatIsMissing) {
    TestPages scratch, working;
    ASSERT_TRUE(scratch.Error().empty()) << Narrow(scratch.Error());
    ASSERT_TRUE(working.Error().empty()) << Narrow(working.Error());
    ASSERT_TRUE(CopyFileW((g_browserFolder + L"\\velquin.exe").c_str(), (scratch.Folder() + L"\\velquin.exe").c_str(),
                          TRUE));
    ASSERT_TRUE(CopyFileW((g_browserFolder + L"\\WebView2Loader.dll").c_str(),
                          (working.Folder() + L"\\WebView2Loader.dll").c_str(), TRUE));
    BrowserUnderTest browser(scratch.Folder(), working.Folder());
    ASSERT_TRUE(browser.Error().empty()) << Narrow(browser.Error());

    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = browser.MessageBoxCaptioned(L"Velquin")) != nullptr; }, 30000));
    const std::wstring text = MessageBoxText(box);
    // ERROR_MOD_NOT_FOUND, as an HRESULT.
    EXPECT_NE(text.find(L"0x8007007E"), std::wstring::npos) << Narrow(text);
    EXPECT_NE(text.find(L"WebView2Loader.dll"), std::wstring::npos) << Narrow(text);
    ASSERT_TRUE(ClickWindow(DialogButton(box, L"OK")));
    EXPECT_TRUE(WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }));
    EXPECT_TRUE(IsWindowVisible(browser.Window()));
    EXPECT_TRUE(browser.TabCaptions().empty());
}

}  // namespace
