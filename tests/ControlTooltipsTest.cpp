// What the controls say about themselves: the hovered tab's whole title and
// address, the buttons' tooltips with their keys, and the accessible names of
// "+" and "X".
#include "BrowserFixture.h"

#include "core/CommandIds.h"
#include "core/TabActions.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "shell/ControlTooltips.h"

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <algorithm>
#include <functional>
#include <string>

namespace {

using ControlTooltips = BrowserFixture;

const wchar_t kUnanswered[] = L"(unanswered)";

HWND TabStripTooltip() { return reinterpret_cast<HWND>(SendMessageW(g_hTabCtrl, TCM_GETTOOLTIPS, 0, 0)); }

// Asks `target` for a tooltip's text as the tooltip `from` does for tool
// `id`; the text it answers with, or kUnanswered.
std::wstring RequestTipText(HWND target, HWND from, UINT_PTR id, UINT flags = 0) {
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = from;
    info.hdr.idFrom = id;
    info.hdr.code = TTN_GETDISPINFOW;
    info.uFlags = flags;
    info.lpszText = const_cast<wchar_t*>(kUnanswered);
    SendMessageW(target, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
    return info.lpszText != nullptr ? std::wstring(info.lpszText) : std::wstring(L"(null)");
}

std::wstring TabTip(int index) { return RequestTipText(g_hMainWnd, TabStripTooltip(), static_cast<UINT_PTR>(index)); }

TEST_F(ControlTooltips, ATabShowsItsWholeTitleAndAddressAsTheyAreNow) {
    ASSERT_NE(GetWindowLongPtrW(g_hTabCtrl, GWL_STYLE) & TCS_TOOLTIPS, 0);
    const HWND tooltip = TabStripTooltip();
    ASSERT_NE(tooltip, nullptr);
    // Two lines, and ampersands in titles and addresses are shown, not taken as mnemonics.
    EXPECT_GT(SendMessageW(tooltip, TTM_GETMAXTIPWIDTH, 0, 0), 0);
    EXPECT_NE(GetWindowLongPtrW(tooltip, GWL_STYLE) & TTS_NOPREFIX, 0);

    StartEngine();
    EXPECT_EQ(TabTip(0), L"New Tab\nbrowser://newtab");
    OpenTabs(1);
    const std::wstring longTitle = L"A & B: " + std::wstring(70, L'x') + L" " + std::wstring(79, L'x');
    devengine::SetPageTitle(L"https://long.test/?a=1&b=2", longTitle);
    PressEnterInAddressBar(L"https://long.test/?a=1&b=2");
    ASSERT_EQ(TabCaptions()[1], L"New Tab") << "the caption leaves a long title out";
    EXPECT_EQ(TabTip(1), longTitle + L"\nhttps://long.test/?a=1&b=2");

    // A later title and address are what the next hover shows.
    ASSERT_TRUE(devengine::TriggerTitleChange(TabViewIds()[1], L"Renamed"));
    ASSERT_TRUE(devengine::TriggerSourceChange(TabViewIds()[1], L"https://long.test/#moved"));
    Settle();
    EXPECT_EQ(TabTip(1), L"Renamed\nhttps://long.test/#moved");
    // The text goes with the tab to its new place.
    MoveTabPlace(1, 0);
    EXPECT_EQ(TabTip(0), L"Renamed\nhttps://long.test/#moved");
    EXPECT_EQ(TabTip(1), L"New Tab\nbrowser://newtab");
    // Asked of the strip itself, the answer is the same.
    EXPECT_EQ(RequestTipText(g_hTabCtrl, tooltip, 0), L"Renamed\nhttps://long.test/#moved");

    // When the engine cannot tell, the caption and the last reported address stand.
    devengine::GetKnobs().titleResult = E_FAIL;
    devengine::GetKnobs().sourceResult = E_FAIL;
    EXPECT_EQ(TabTip(0), L"Renamed\nhttps://long.test/#moved");
}

// Only the strip's own tooltip, naming a tab that exists, gets a tab's text.
TEST_F(ControlTooltips, OnlyTheStripsTooltipNamingATabIsAnswered) {
    StartEngine();
    EXPECT_EQ(RequestTipText(g_hMainWnd, TabStripTooltip(), 1), kUnanswered);
    EXPECT_EQ(RequestTipText(g_hMainWnd, TabStripTooltip(), static_cast<UINT_PTR>(-1)), kUnanswered);
    EXPECT_EQ(RequestTipText(g_hMainWnd, TabStripTooltip(), 0, TTF_IDISHWND), kUnanswered);
    EXPECT_EQ(RequestTipText(g_hMainWnd, g_hTabCtrl, 0), kUnanswered);
    EXPECT_EQ(RequestTipText(g_hMainWnd, g_hButtonTooltips, 0), kUnanswered);
    EXPECT_EQ(RequestTipText(g_hMainWnd, g_hAddressBar, 0), kUnanswered);
    EXPECT_EQ(RequestTipText(g_hMainWnd, nullptr, 0), kUnanswered);
    EXPECT_EQ(RequestTipText(g_hMainWnd, TabStripTooltip(), 0), L"New Tab\nbrowser://newtab");
}

std::wstring ButtonTip(HWND button) {
    wchar_t text[128] = {};
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = g_hMainWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = text;
    if (!SendMessageW(g_hButtonTooltips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return L"(no tool)";
    if (tool.lpszText == LPSTR_TEXTCALLBACKW) return L"(asked for)";
    return text;
}

TEST_F(ControlTooltips, TheButtonsNameWhatTheyDoWithTheirKeys) {
    ASSERT_NE(g_hButtonTooltips, nullptr);
    EXPECT_EQ(GetWindow(g_hButtonTooltips, GW_OWNER), g_hMainWnd);
    // Back and Next have a second tool, for while they are greyed.
    EXPECT_EQ(SendMessageW(g_hButtonTooltips, TTM_GETTOOLCOUNT, 0, 0), 7);
    const HWND reload = GetDlgItem(g_hMainWnd, ID_RELOAD);
    EXPECT_EQ(ButtonTip(g_hNewTabButton), L"New tab (Ctrl+T)");
    EXPECT_EQ(ButtonTip(g_hCloseTabButton), L"Close tab (Ctrl+W)");
    EXPECT_EQ(ButtonTip(GetDlgItem(g_hMainWnd, ID_BACK)), L"Back (Alt+Left)");
    EXPECT_EQ(ButtonTip(GetDlgItem(g_hMainWnd, ID_NEXT)), L"Next (Alt+Right)");
    EXPECT_EQ(ButtonTip(reload), L"(asked for)");
    EXPECT_EQ(ButtonTip(g_hAddressBar), L"(no tool)");

    // Reload's says what a click does now: reload, or stop while loading.
    const auto reloadTip = [&] {
        return RequestTipText(g_hMainWnd, g_hButtonTooltips, reinterpret_cast<UINT_PTR>(reload), TTF_IDISHWND);
    };
    EXPECT_EQ(reloadTip(), L"Reload (F5)") << "no tab yet";
    StartEngine();
    EXPECT_EQ(reloadTip(), L"Reload (F5)");
    devengine::GetKnobs().holdNavigations = true;
    PressEnterInAddressBar(L"https://slow.test/");
    EXPECT_EQ(reloadTip(), L"Stop loading this page");
    ASSERT_TRUE(devengine::ReleaseNavigation(TabViewIds()[0]));
    Settle();
    EXPECT_EQ(reloadTip(), L"Reload (F5)");
    // Another button's id from the same tooltip is not Reload's.
    EXPECT_EQ(RequestTipText(g_hMainWnd, g_hButtonTooltips, reinterpret_cast<UINT_PTR>(g_hNewTabButton),
                             TTF_IDISHWND),
              kUnanswered);

    // The visible texts stay the symbols.
    wchar_t text[8] = {};
    GetWindowTextW(g_hNewTabButton, text, 8);
    EXPECT_STREQ(text, L"+");
    GetWindowTextW(g_hCloseTabButton, text, 8);
    EXPECT_STREQ(text, L"X");
}

// The pointer resting on "+" shows its tooltip, whether or not the platform
// has the accessibility service.
TEST_F(ControlTooltips, ThePointerOnAButtonShowsItsTooltip) {
    RECT rect;
    GetWindowRect(g_hNewTabButton, &rect);
    SetCursorPos((rect.left + rect.right) / 2 - 3, (rect.top + rect.bottom) / 2);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(g_hButtonTooltips) != FALSE; }, 5000));
    wchar_t text[64] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.lpszText = text;
    ASSERT_TRUE(SendMessageW(g_hButtonTooltips, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(tool.uId, reinterpret_cast<UINT_PTR>(g_hNewTabButton));
    EXPECT_STREQ(text, L"New tab (Ctrl+T)");
}

// The point in the middle of `window`'s rectangle `rect` (in its client
// coordinates), on the screen.
POINT MiddleOnScreen(HWND window, RECT rect) {
    POINT at = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(window, &at);
    return at;
}

RECT TabRect(int index) {
    RECT item = {};
    SendMessageW(g_hTabCtrl, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item;
}

POINT MiddleOfTab(int index) { return MiddleOnScreen(g_hTabCtrl, TabRect(index)); }

POINT MiddleOfControl(HWND control) {
    RECT client;
    GetClientRect(control, &client);
    return MiddleOnScreen(control, client);
}

// Moves the real pointer onto `at` and leaves it there.
void RestPointerAt(POINT at) {
    SetCursorPos(at.x - 3, at.y);
    SetCursorPos(at.x, at.y);
}

// The text a tooltip window shows now.
std::wstring ShownTipText(HWND tooltip) {
    wchar_t text[4096] = {};
    GetWindowTextW(tooltip, text, 4096);
    return text;
}

std::function<bool()> Shows(HWND tooltip) {
    return [tooltip] { return IsWindowVisible(tooltip) != FALSE; };
}

int ToolCount(HWND tooltip) { return static_cast<int>(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0)); }

// The pointer resting on a tab shows its text, also where the platform's
// strip registers no tooltip tool per tab.
TEST_F(ControlTooltips, ThePointerOnATabShowsItsTitleAndAddress) {
    StartEngine();
    OpenTabs(1);
    devengine::SetPageTitle(L"https://hover.test/", L"Hovered page");
    PressEnterInAddressBar(L"https://hover.test/");
    const HWND tooltip = TabStripTooltip();
    RestPointerAt(MiddleOfTab(1));
    ASSERT_TRUE(PumpUntil(Shows(tooltip), 4000)) << ToolCount(tooltip) << " tools";
    EXPECT_EQ(ShownTipText(tooltip), L"Hovered page\nhttps://hover.test/");
}

// A tab that goes, or moves, takes a shown tip with it: the tip named the
// tab by its place.
TEST_F(ControlTooltips, ATabThatGoesTakesItsShownTipWithIt) {
    StartEngine();
    OpenTabs(1);
    const HWND tooltip = TabStripTooltip();
    RestPointerAt(MiddleOfTab(1));
    ASSERT_TRUE(PumpUntil(Shows(tooltip), 4000));
    MoveTab(1, 0);
    EXPECT_FALSE(IsWindowVisible(tooltip));
    RestPointerAt(MiddleOfTab(0));
    RestPointerAt(MiddleOfTab(1));
    ASSERT_TRUE(PumpUntil(Shows(tooltip), 4000));
    CloseTab(1);
    EXPECT_FALSE(IsWindowVisible(tooltip));
}

void MoveOnStrip() { SendMessageW(g_hTabCtrl, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)); }

// The strip's tooltip tool for tab `index`: its rectangle, or an empty one
// without such a tool.
RECT StripToolRect(int index) {
    wchar_t text[80] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.lpszText = text;
    tool.hwnd = g_hTabCtrl;
    tool.uId = static_cast<UINT_PTR>(index);
    if (!SendMessageW(TabStripTooltip(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return RECT{};
    EXPECT_EQ(tool.lpszText, LPSTR_TEXTCALLBACKW);
    return tool.rect;
}

bool SameRect(RECT a, RECT b) { return EqualRect(&a, &b) != FALSE; }

// Where the platform's strip registers no tool per tab, the tools follow the
// tabs: one for each, at its place now.
TEST_F(ControlTooltips, TheStripsTooltipHasAToolForEachTabAtItsPlace) {
    StartEngine();
    OpenTabs(2);
    MoveOnStrip();
    ASSERT_EQ(ToolCount(TabStripTooltip()), 3);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(SameRect(TabRect(i), StripToolRect(i))) << "tab " << i;
    const RECT lastPlace = TabRect(2);
    CloseTab(0);
    CloseTab(0);
    MoveOnStrip();
    EXPECT_EQ(ToolCount(TabStripTooltip()), 1);
    EXPECT_TRUE(SameRect(TabRect(0), StripToolRect(0)));
    EXPECT_FALSE(SameRect(lastPlace, StripToolRect(0)));
}

// A strip that registers its own tools (Windows') has one before the first
// move: none is added beside it.
TEST_F(ControlTooltips, AStripWithToolsOfItsOwnGetsNoneAdded) {
    TTTOOLINFOW own = {};
    own.cbSize = sizeof(own);
    own.hwnd = g_hTabCtrl;
    own.uId = 0;
    own.lpszText = LPSTR_TEXTCALLBACKW;
    ASSERT_TRUE(SendMessageW(TabStripTooltip(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&own)));
    StartEngine();
    OpenTabs(2);
    MoveOnStrip();
    EXPECT_EQ(ToolCount(TabStripTooltip()), 1);
}

// An address without a blank to wrap at (a tracking link) is shown whole, on
// lines that fit in the tooltip.
TEST_F(ControlTooltips, ALongAddressIsShownWholeWithinItsTooltip) {
    StartEngine();
    const std::wstring address = L"https://redirect.test/url?q=" + std::wstring(400, L'a');
    devengine::SetPageTitle(address, L"Result");
    PressEnterInAddressBar(address);
    const HWND tooltip = TabStripTooltip();
    RestPointerAt(MiddleOfTab(0));
    ASSERT_TRUE(PumpUntil(Shows(tooltip), 4000));
    const std::wstring shown = ShownTipText(tooltip);
    const size_t titleEnd = shown.find(L'\n');
    ASSERT_EQ(shown.substr(0, titleEnd), L"Result");
    std::wstring joined = shown.substr(titleEnd + 1);
    joined.erase(std::remove(joined.begin(), joined.end(), L'\n'), joined.end());
    EXPECT_EQ(joined, address);

    RECT client;
    GetClientRect(tooltip, &client);
    HDC dc = GetDC(tooltip);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(tooltip, WM_GETFONT, 0, 0)));
    for (size_t start = 0; start < shown.size();) {
        const size_t end = std::min(shown.find(L'\n', start), shown.size());
        SIZE line = {};
        GetTextExtentPoint32W(dc, shown.c_str() + start, static_cast<int>(end - start), &line);
        EXPECT_LE(line.cx, client.right) << "line " << testing::PrintToString(shown.substr(start, end - start));
        start = end + 1;
    }
    SelectObject(dc, old);
    ReleaseDC(tooltip, dc);
}

// A tooltip that shows says what is so now: a chat's title with its unread
// count, Reload's "Stop" once the page loads.
TEST_F(ControlTooltips, AShownTooltipFollowsWhatItSays) {
    StartEngine();
    devengine::SetPageTitle(L"https://chat.test/", L"Chat");
    PressEnterInAddressBar(L"https://chat.test/");
    const HWND tooltip = TabStripTooltip();
    RestPointerAt(MiddleOfTab(0));
    ASSERT_TRUE(PumpUntil(Shows(tooltip), 4000));
    ASSERT_EQ(ShownTipText(tooltip), L"Chat\nhttps://chat.test/");
    ASSERT_TRUE(devengine::TriggerTitleChange(TabViewIds()[0], L"(3) Chat"));
    ASSERT_TRUE(devengine::TriggerSourceChange(TabViewIds()[0], L"https://chat.test/#inbox"));
    Settle();
    ASSERT_TRUE(IsWindowVisible(tooltip));
    EXPECT_EQ(ShownTipText(tooltip), L"(3) Chat\nhttps://chat.test/#inbox");

    RestPointerAt(MiddleOfControl(GetDlgItem(g_hMainWnd, ID_RELOAD)));
    ASSERT_TRUE(PumpUntil(Shows(g_hButtonTooltips), 4000));
    ASSERT_EQ(ShownTipText(g_hButtonTooltips), L"Reload (F5)");
    devengine::GetKnobs().holdNavigations = true;
    PressEnterInAddressBar(L"https://slow.test/");
    ASSERT_TRUE(IsWindowVisible(g_hButtonTooltips));
    EXPECT_EQ(ShownTipText(g_hButtonTooltips), L"Stop loading this page");
}

// A greyed button gets no mouse messages (its window does not take them), yet
// resting the pointer on it says what it is; off it, the tip goes.
TEST_F(ControlTooltips, AGreyedButtonStillShowsItsTooltip) {
    StartEngine();
    const HWND back = GetDlgItem(g_hMainWnd, ID_BACK);
    ASSERT_FALSE(IsWindowEnabled(back));
    RestPointerAt(MiddleOfControl(back));
    ASSERT_TRUE(PumpUntil(Shows(g_hButtonTooltips), 4000));
    EXPECT_EQ(ShownTipText(g_hButtonTooltips), L"Back (Alt+Left)");

    // The main window's own area between Back and Next.
    RECT rect;
    GetWindowRect(back, &rect);
    RestPointerAt(POINT{rect.right + 2, (rect.top + rect.bottom) / 2});
    ASSERT_EQ(WindowFromPoint(POINT{rect.right + 2, (rect.top + rect.bottom) / 2}), g_hMainWnd);
    EXPECT_TRUE(PumpUntil([] { return IsWindowVisible(g_hButtonTooltips) == FALSE; }, 4000));
}

std::wstring AccessibleName(HWND window) {
    Microsoft::WRL::ComPtr<IAccessible> accessible;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(accessible.GetAddressOf())))) {
        return L"(no object)";
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (FAILED(accessible->get_accName(self, &name)) || name == nullptr) return L"(no name)";
    std::wstring result(name, SysStringLen(name));
    SysFreeString(name);
    return result;
}

// Whether this platform's accessibility service takes annotations at all:
// tried on a window of the test's own.
bool PlatformAnnotatesNames() {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services)))) {
        return false;
    }
    const HWND probe = CreateWindowExW(0, L"BUTTON", L"?", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    services->SetHwndPropStr(probe, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, L"probe");
    const bool annotated = AccessibleName(probe) == L"probe";
    MSAAPROPID name = PROPID_ACC_NAME;
    services->ClearHwndProps(probe, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
    DestroyWindow(probe);
    services->Release();
    return annotated;
}

TEST_F(ControlTooltips, TheSymbolButtonsHaveAccessibleNamesWhereThePlatformGivesThem) {
    if (PlatformAnnotatesNames()) {
        EXPECT_EQ(AccessibleName(g_hNewTabButton), L"New tab");
        EXPECT_EQ(AccessibleName(g_hCloseTabButton), L"Close tab");
    } else {
        // Without the service the buttons keep the name their text gives.
        const std::wstring name = AccessibleName(g_hNewTabButton);
        EXPECT_TRUE(name == L"+" || name == L"(no object)" || name == L"(no name)") << testing::PrintToString(name);
    }
}

}  // namespace
