// The main window's class, its eight controls and its font, and its end.
#include "BrowserFixture.h"

#include "core/AddressInput.h"
#include "core/CommandIds.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "shell/AddressBar.h"
#include "shell/MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using MainWindow = BrowserFixture;

struct ExpectedControl {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int id;
};

TEST_F(MainWindow, WindowClassTitleAndSize) {
    wchar_t className[64] = {};
    GetClassNameW(g_hMainWnd, className, 64);
    EXPECT_STREQ(className, L"TabBrowserClass");
    wchar_t title[64] = {};
    GetWindowTextW(g_hMainWnd, title, 64);
    EXPECT_STREQ(title, L"Velquin");
    EXPECT_EQ(GetClassLongPtrW(g_hMainWnd, GCL_STYLE), static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(GetWindowLongPtrW(g_hMainWnd, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    RECT rc;
    GetWindowRect(g_hMainWnd, &rc);
    EXPECT_EQ(rc.right - rc.left, 1100);
    EXPECT_EQ(rc.bottom - rc.top, 800);
}

TEST_F(MainWindow, EightControlsInCreationOrderWithTheirFont) {
    const ExpectedControl expected[] = {
        {L"SysTabControl32", L"", 0x50000000, ID_TAB_CONTROL},
        {L"Button", L"+", 0x50000000, ID_NEW_TAB},
        {L"Button", L"X", 0x50000000, ID_CLOSE_TAB},
        {L"Button", L"Back", 0x50000000, ID_BACK},
        {L"Button", L"Next", 0x50000000, ID_NEXT},
        {L"Button", L"Reload", 0x50000000, ID_RELOAD},
        {L"Edit", L"", 0x50800080, ID_ADDRESS_BAR},
        {L"Button", L"History", 0x50000000, ID_HISTORY},
    };
    // Child windows are added at the bottom of the z-order: this walk is creation order.
    std::vector<HWND> children;
    for (HWND child = GetWindow(g_hMainWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) >= ID_BACK && GetDlgCtrlID(child) <= ID_CLOSE_TAB) children.push_back(child);
    }
    ASSERT_EQ(children.size(), 8u);

    for (size_t i = 0; i < 8; ++i) {
        const ExpectedControl& e = expected[i];
        HWND child = children[i];
        wchar_t className[64] = {}, text[64] = {};
        GetClassNameW(child, className, 64);
        GetWindowTextW(child, text, 64);
        EXPECT_EQ(lstrcmpiW(className, e.className), 0) << className;
        EXPECT_STREQ(text, e.text);
        EXPECT_EQ(GetDlgCtrlID(child), e.id);
        // Controls may add state bits of their own (a tab strip's clip flags); ours are all there,
        // except WS_BORDER, which an edit control takes over to draw its border itself.
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
        EXPECT_EQ(style & e.style & ~WS_BORDER, e.style & ~WS_BORDER) << i;
        EXPECT_EQ(style & (BS_TYPEMASK | ES_MULTILINE | ES_READONLY | TCS_MULTILINE | TCS_BUTTONS), 0u) << i;
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), g_hFont) << i;
    }
    EXPECT_EQ(children[0], g_hTabCtrl);
    EXPECT_EQ(children[6], g_hAddressBar);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(g_hAddressBar, GWLP_WNDPROC)), AddressBarProc);
    EXPECT_NE(g_oldAddressBarProc, nullptr);

    LOGFONTW font = {};
    ASSERT_EQ(GetObjectW(g_hFont, sizeof(font), &font), static_cast<int>(sizeof(font)));
    EXPECT_STREQ(font.lfFaceName, L"Segoe UI");
    EXPECT_EQ(font.lfHeight, 18);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfQuality, CLEARTYPE_QUALITY);
    EXPECT_EQ(font.lfPitchAndFamily, FF_SWISS);
}

TEST_F(MainWindow, UnknownCommandsAndNotificationsAnswerZero) {
    EXPECT_EQ(SendMessageW(g_hMainWnd, WM_COMMAND, MAKEWPARAM(999, 0), 0), 0);
    EXPECT_EQ(SendMessageW(g_hMainWnd, WM_COMMAND, MAKEWPARAM(ID_ADDRESS_BAR, EN_CHANGE), 0), 0);
    NMHDR selChanging = {g_hTabCtrl, ID_TAB_CONTROL, static_cast<UINT>(TCN_SELCHANGING)};
    EXPECT_EQ(SendMessageW(g_hMainWnd, WM_NOTIFY, ID_TAB_CONTROL, reinterpret_cast<LPARAM>(&selChanging)), 0);
    NMHDR selChange = {g_hTabCtrl, ID_TAB_CONTROL, static_cast<UINT>(TCN_SELCHANGE)};
    EXPECT_EQ(SendMessageW(g_hMainWnd, WM_NOTIFY, ID_TAB_CONTROL, reinterpret_cast<LPARAM>(&selChange)), 0);
    EXPECT_TRUE(IsWindow(g_hMainWnd));
}

TEST_F(MainWindow, ClosingDeletesTheFontAndQuitsWithCodeZero) {
    HFONT font = g_hFont;
    ASSERT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    SendMessageW(g_hMainWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(g_hMainWnd));
    EXPECT_EQ(GetObjectType(font), 0u);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

// Closing the window as Alt+F4 and the system menu do, with the page holding
// the keyboard (and, the second time, full screen): every tab is closed once,
// while the window still exists, and nothing is asked of a closed page after.
class ClosingWindow : public BrowserFixture {
protected:
    void CloseWithThePageFocused(bool fullScreen) {
        StartEngine();
        OpenTabs(1);
        const int view = TabViewIds()[1];
        if (fullScreen) {
            ASSERT_TRUE(devengine::TriggerFullScreen(view, true));
            Settle();
            ASSERT_FALSE(IsWindowVisible(g_hAddressBar)) << "full screen";
        }
        SetForegroundWindow(g_hMainWnd);
        SetFocus(devengine::GetView(view).pageWindow);
        ASSERT_EQ(GetFocus(), devengine::GetView(view).pageWindow);
        SendMessageW(g_hMainWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_FALSE(IsWindow(g_hMainWnd));
        Settle();
        for (int id : devengine::ViewIds()) {
            const std::vector<std::wstring> calls = devengine::CallLog(id);
            EXPECT_TRUE(devengine::GetView(id).closed) << "view " << id;
            EXPECT_EQ(std::count(calls.begin(), calls.end(), L"Close"), 1) << "view " << id;
        }
        for (const std::wstring& line : devengine::EngineLog()) {
            EXPECT_EQ(line.find(L"[closed]"), std::wstring::npos) << testing::PrintToString(line);
        }
        EXPECT_TRUE(g_tabs.empty());
    }
};

TEST_F(ClosingWindow, AsksNothingOfAClosedPage) { CloseWithThePageFocused(false); }

TEST_F(ClosingWindow, InFullScreenAsksNothingOfAClosedPage) { CloseWithThePageFocused(true); }

}  // namespace
