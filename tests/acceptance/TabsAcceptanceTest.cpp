// The tab menu, dragging tabs and what a tab shows, as a person meets them: a
// right click on a tab opens its menu, whose items act on that tab; a dragged
// tab lands where it is let go, its page with it; a tab shows its page's icon,
// or a speaker while the page plays sound, crossed out once muted.
#include "AcceptanceFixture.h"
#include "RemoteWindows.h"
#include "ScreenPixels.h"
#include "TestMedia.h"
#include "UserInput.h"

namespace {

class TabsAcceptance : public Acceptance {
protected:
    // Three tabs on pages "<name> one", "two" and "three", the last current.
    void StartOnThreeTabs(const std::wstring& name) {
        ASSERT_TRUE(WaitForNewTabPage());
        for (const wchar_t* which : {L"one", L"two", L"three"}) {
            pages_.push_back(Page(name + L"-" + which, L"Acceptance " + name + L" " + which));
            if (pages_.size() > 1) {
                ASSERT_TRUE(OpenTab());
            }
            ASSERT_TRUE(Visit(L"Acceptance " + name + L" " + which, pages_.back()));
        }
    }

    bool MenuShown() {
        DWORD processId = 0;
        GetWindowThreadProcessId(Browser().Window(), &processId);
        for (const HWND window : VisibleTopLevelWindows(processId)) {
            if (ClassOf(window) == L"#32768") return true;
        }
        return false;
    }

    // Right-clicks tab `index` and picks an item of its menu by the item's underlined letter.
    testing::AssertionResult PickFromTabMenu(int index, WORD letter) {
        if (!BringToFront(Browser().Window()) || !RightClickAt(CentreOf(Browser().TabRect(index))) ||
            !WaitUntil([this] { return MenuShown(); })) {
            return Result(false, L"no menu opened; " + State());
        }
        return Result(PressKeys({letter}) && WaitUntil([this] { return !MenuShown(); }), L"the menu stayed open");
    }

    testing::AssertionResult WaitForCaptions(const std::wstring& name, const std::vector<const wchar_t*>& which) {
        std::vector<std::wstring> captions;
        for (const wchar_t* page : which) captions.push_back(L"Acceptance " + name + L" " + page);
        return Result(WaitUntil([&] { return Browser().TabCaptions() == captions; }), L"unexpected tabs; " + State());
    }

    // The pixels of the icon at the left of tab `index`, with the pointer
    // on the page, so that nothing it hovers over is drawn on the strip.
    bool TabIcon(int index, ScreenImage* icon) {
        const RECT tab = Browser().TabRect(index);
        return MovePointerTo(Browser().PagePoint()) &&
               CaptureScreen(RECT{tab.left + 2, tab.top + 2, tab.left + 24, tab.bottom - 2}, icon);
    }

    // Waits until tab `index`'s icon has pixels of `colour` (or has none).
    testing::AssertionResult WaitForIconColour(int index, COLORREF colour, bool shown, const wchar_t* what) {
        ScreenImage icon;
        return Result(WaitUntil([&] {
                          return TabIcon(index, &icon) && (CountPixelsNear(icon, colour, kTolerance) > 20) == shown;
                      }),
                      std::wstring(L"tab ") + std::to_wstring(index) + (shown ? L" does not show " : L" shows ") +
                          what + L"; " + State());
    }

    // Tab `index`'s icon shows no pixel near `colour` through a second, so
    // that an icon arriving late is seen too.
    testing::AssertionResult StaysWithoutColour(int index, COLORREF colour, const wchar_t* what) {
        ScreenImage icon;
        const ULONGLONG end = GetTickCount64() + 1000;
        do {
            if (!TabIcon(index, &icon) || CountPixelsNear(icon, colour, kTolerance) > 0) {
                return Result(false, std::wstring(L"tab ") + std::to_wstring(index) + L" shows " + what + L"; " +
                                         State());
            }
            Sleep(100);
        } while (GetTickCount64() < end);
        return Result(true, L"");
    }

    // The speaker is drawn dark on the tab, the cross on it red.
    testing::AssertionResult WaitForSpeaker(int index, bool crossed) {
        ScreenImage icon;
        return Result(WaitUntil([&] {
                          return TabIcon(index, &icon) && CountPixelsNear(icon, kSpeaker, kTolerance) > 10 &&
                                 CountPixelsNear(icon, kIconColour, kTolerance) == 0 &&
                                 (CountPixelsNear(icon, kCross, 60) > 3) == crossed;
                      }),
                      std::wstring(L"no ") + (crossed ? L"crossed " : L"") + L"speaker on tab " +
                          std::to_wstring(index) + L"; " + State());
    }

    static const COLORREF kIconColour = RGB(0, 200, 0);
    static const COLORREF kSpeaker = RGB(40, 40, 40);
    static const COLORREF kCross = RGB(200, 0, 0);
    static const int kTolerance = 40;

    std::vector<std::wstring> pages_;
};

TEST_F(TabsAcceptance, TheTabMenuActsOnTheTabRightClicked) {
    ASSERT_NO_FATAL_FAILURE(StartOnThreeTabs(L"menu"));
    ASSERT_TRUE(PickFromTabMenu(0, 'D'));  // Duplicate
    EXPECT_TRUE(WaitForCaptions(L"menu", {L"one", L"one", L"two", L"three"}));
    EXPECT_TRUE(WaitForPage(L"Acceptance menu one", pages_[0]));
    EXPECT_EQ(Browser().SelectedTab(), 1);

    ASSERT_TRUE(PickFromTabMenu(1, 'I'));  // Close tabs to the right
    EXPECT_TRUE(WaitForCaptions(L"menu", {L"one", L"one"}));
    // Ctrl+Shift+T brings back the rightmost first.
    ASSERT_TRUE(PressKeys({VK_CONTROL, VK_SHIFT, 'T'}));
    EXPECT_TRUE(WaitForPage(L"Acceptance menu three", pages_[2]));
}

TEST_F(TabsAcceptance, ADraggedTabLandsWhereItIsLetGo) {
    ASSERT_NO_FATAL_FAILURE(StartOnThreeTabs(L"drag"));
    const POINT from = CentreOf(Browser().TabRect(0));
    const POINT to = {Browser().TabRect(2).right - 2, from.y};
    ASSERT_TRUE(BringToFront(Browser().Window()));
    ASSERT_TRUE(DragAlong({from, POINT{(from.x + to.x) / 2, from.y}, to}));
    EXPECT_TRUE(WaitForCaptions(L"drag", {L"two", L"three", L"one"}));
    EXPECT_TRUE(WaitForPage(L"Acceptance drag one", pages_[0]));
    EXPECT_EQ(Browser().SelectedTab(), 2);
    // Each tab keeps its own page.
    ASSERT_TRUE(ClickTab(0));
    EXPECT_TRUE(WaitForPage(L"Acceptance drag two", pages_[1]));
}

TEST_F(TabsAcceptance, ATabShowsItsPagesIconAndNeverTheOneBefore) {
    ASSERT_TRUE(WaitForNewTabPage());
    ASSERT_TRUE(PageFile(L"green.png", SolidPng(kIconColour, 32)));
    const std::wstring withIcon =
        Page(L"icon-green", L"Acceptance icon green", L"<link rel=\"icon\" href=\"green.png\">");
    const std::wstring without = Page(L"icon-none", L"Acceptance icon none");
    ASSERT_TRUE(Visit(L"Acceptance icon green", withIcon));
    EXPECT_TRUE(WaitForIconColour(0, kIconColour, true, L"the page's icon"));

    ASSERT_TRUE(OpenTab());
    EXPECT_TRUE(StaysWithoutColour(1, kIconColour, L"another page's icon on the New Tab page"));
    EXPECT_TRUE(WaitForIconColour(0, kIconColour, true, L"its icon in the background"));

    ASSERT_TRUE(ClickTab(0));
    ASSERT_TRUE(Visit(L"Acceptance icon none", without));
    EXPECT_TRUE(WaitForIconColour(0, kIconColour, false, L"the previous page's icon"));
    EXPECT_TRUE(StaysWithoutColour(0, kIconColour, L"the previous page's icon again"));
}

TEST_F(TabsAcceptance, ATabPlayingSoundIsMutedAndUnmutedFromItsMenu) {
    ASSERT_TRUE(WaitForNewTabPage());
    ASSERT_TRUE(PageFile(L"green.png", SolidPng(kIconColour, 32)));
    ASSERT_TRUE(PageFile(L"tone.wav", ToneWav(3)));
    // The tone plays from the load on; a click into the page starts it too,
    // for an engine that waits for a person before a page may play sound.
    const std::wstring playing =
        Page(L"sound", L"Acceptance sound", L"<link rel=\"icon\" href=\"green.png\">",
             L"<audio src=\"tone.wav\" autoplay loop></audio><script>document.addEventListener('click', "
             L"function () { document.querySelector('audio').play(); });</script>");
    ASSERT_TRUE(Visit(L"Acceptance sound", playing));
    ASSERT_TRUE(BringToFront(Browser().Window()));
    ASSERT_TRUE(ClickAt(Browser().PagePoint()));
    EXPECT_TRUE(WaitForSpeaker(0, false));

    ASSERT_TRUE(PickFromTabMenu(0, 'M'));  // Mute tab
    EXPECT_TRUE(WaitForSpeaker(0, true));
    ASSERT_TRUE(PickFromTabMenu(0, 'M'));  // Unmute tab
    EXPECT_TRUE(WaitForSpeaker(0, false));
}

}  // namespace
