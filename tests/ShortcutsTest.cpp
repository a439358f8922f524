// The keyboard shortcuts, each pressed two ways: as real key presses through
// the browser's own message loop (a control has the focus), and offered by the
// engine through AcceleratorKeyPressed (the page has the focus). Either way one
// press is one action, auto-repeats included, and the engine is told the page's
// key was handled.
#include "tests/reliability/ReliabilityFixture.h"

#include "core/ClosedTabs.h"
#include "core/CommandIds.h"
#include "core/History.h"
#include "core/Shortcuts.h"
#include "core/TabActions.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <commctrl.h>

namespace {

enum Modifier : unsigned { kNone = 0, kCtrl = 1, kShift = 2, kAlt = 4 };

enum class KeysFrom { Controls, Page };

void PrintTo(KeysFrom from, std::ostream* out) { *out << (from == KeysFrom::Controls ? "controls" : "page"); }

bool OnWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Records the key-downs that reach a window's procedure while it lives.
class KeyDownRecorder {
public:
    explicit KeyDownRecorder(HWND window) : window_(window) {
        Seen().clear();
        SetWindowSubclass(window_, Record, 1, 0);
    }
    ~KeyDownRecorder() { RemoveWindowSubclass(window_, Record, 1); }
    static std::vector<WPARAM>& Seen() {
        static std::vector<WPARAM> seen;
        return seen;
    }

private:
    static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
        if (message == WM_KEYDOWN && wParam != VK_CONTROL) Seen().push_back(wParam);
        return DefSubclassProc(window, message, wParam, lParam);
    }

    HWND window_;
};

class KeyboardFixture : public ReliabilityFixture {
protected:
    // Real key presses through the browser's own loop: `key` with `modifiers`
    // held, kept down for `times` key-downs (auto-repeat).
    static void PressInLoop(unsigned modifiers, WORD key, int times = 1) {
        std::vector<INPUT> inputs;
        if (modifiers & kCtrl) inputs.push_back(KeyInput(VK_CONTROL, false));
        if (modifiers & kShift) inputs.push_back(KeyInput(VK_SHIFT, false));
        if (modifiers & kAlt) inputs.push_back(KeyInput(VK_MENU, false));
        for (int i = 0; i < times; ++i) inputs.push_back(KeyInput(key, false));
        inputs.push_back(KeyInput(key, true));
        if (modifiers & kAlt) inputs.push_back(KeyInput(VK_MENU, true));
        if (modifiers & kShift) inputs.push_back(KeyInput(VK_SHIFT, true));
        if (modifiers & kCtrl) inputs.push_back(KeyInput(VK_CONTROL, true));
        Send(inputs);
        RunLoopUntilInputHandled();
    }

    // The current tab's engine offers the key-downs and the release; each
    // key-down must be marked handled, the release not.
    static void OfferFromPage(unsigned modifiers, WORD key, int times = 1) {
        const int view = TabViewIds()[g_currentTab];
        const size_t handledBefore = Calls(view, L"put_Handled 1").size();
        const bool alt = (modifiers & kAlt) != 0;
        const auto down = alt ? COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN : COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN;
        const auto up = alt ? COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_UP : COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP;
        for (int i = 0; i < times; ++i) {
            ASSERT_TRUE(devengine::TriggerAcceleratorKey(view, down, key, modifiers & kCtrl, modifiers & kShift));
        }
        ASSERT_TRUE(devengine::TriggerAcceleratorKey(view, up, key, modifiers & kCtrl, modifiers & kShift));
        Settle();
        EXPECT_EQ(Calls(view, L"put_Handled 1").size(), handledBefore + static_cast<size_t>(times));
    }

    static void TypeText(const std::wstring& text) {
        std::vector<INPUT> inputs;
        for (wchar_t c : text) {
            inputs.push_back(UnicodeInput(c, false));
            inputs.push_back(UnicodeInput(c, true));
        }
        Send(inputs);
        RunLoopUntilInputHandled();
    }

    static std::pair<DWORD, DWORD> AddressSelection() {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(g_hAddressBar, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    static void ExpectWholeAddressSelected() {
        EXPECT_EQ(AddressSelection(), std::make_pair(DWORD{0}, static_cast<DWORD>(AddressBarText().size())));
    }

    static void ExpectCurrent(int index) {
        EXPECT_EQ(g_currentTab, index);
        ExpectConsistent();
    }
};

class Shortcuts : public KeyboardFixture, public ::testing::WithParamInterface<KeysFrom> {
protected:
    // Presses `key` with `modifiers` held, kept down for `times` key-downs,
    // from the controls or from the page, and lets everything it causes happen.
    void Press(unsigned modifiers, WORD key, int times = 1) {
        if (GetParam() == KeysFrom::Controls) {
            PressInLoop(modifiers, key, times);
        } else {
            OfferFromPage(modifiers, key, times);
        }
    }

    // The zoom factor of tab `index`'s page, as the engine keeps it.
    static double ZoomOf(int index) { return devengine::GetView(TabViewIds()[index]).zoomFactor; }
};

INSTANTIATE_TEST_SUITE_P(, Shortcuts, ::testing::Values(KeysFrom::Controls, KeysFrom::Page),
                         [](const ::testing::TestParamInfo<KeysFrom>& info) {
                             return info.param == KeysFrom::Controls ? "FromTheControls" : "FromThePage";
                         });

TEST_P(Shortcuts, CtrlTOpensOneTabPerPressAndPerRepeat) {
    StartEngine();
    Press(kCtrl, 'T');
    ASSERT_EQ(g_tabs.size(), 2u);
    ExpectCurrent(1);
    Press(kCtrl, 'T', 3);
    ASSERT_EQ(g_tabs.size(), 5u);
    ExpectCurrent(4);
    EXPECT_EQ(AddressBarText(), L"browser://newtab");
}

TEST_P(Shortcuts, CtrlLAltDAndF6SelectTheWholeAddressBar) {
    StartEngine();
    PressEnterInAddressBar(L"https://a.test/");
    const std::pair<unsigned, WORD> keys[] = {{kCtrl, 'L'}, {kAlt, 'D'}, {kNone, VK_F6}};
    for (const auto& key : keys) {
        SCOPED_TRACE(key.second);
        SetFocus(g_hMainWnd);
        Press(key.first, key.second);
        EXPECT_EQ(GetFocus(), g_hAddressBar);
        EXPECT_EQ(AddressBarText(), L"https://a.test/");
        ExpectWholeAddressSelected();
        // What is typed next replaces the address. (That releasing Alt opens
        // no window menu shows only with input from the X server: end-to-end.)
        TypeText(L"x");
        EXPECT_EQ(AddressBarText(), L"x");
        SetWindowTextW(g_hAddressBar, L"https://a.test/");
    }
}

TEST_P(Shortcuts, CtrlTabAndCtrlPageKeysMoveThroughTheTabsAndWrap) {
    StartEngine();
    OpenTabs(2);
    ExpectCurrent(2);
    Press(kCtrl, VK_TAB);
    ExpectCurrent(0);
    Press(kCtrl, VK_NEXT);
    ExpectCurrent(1);
    Press(kCtrl | kShift, VK_TAB);
    ExpectCurrent(0);
    Press(kCtrl, VK_PRIOR);
    ExpectCurrent(2);
    // Held down: one tab per repeat.
    Press(kCtrl, VK_TAB, 4);
    ExpectCurrent(0);
    Press(kCtrl | kShift, VK_TAB, 2);
    ExpectCurrent(1);
}

TEST_P(Shortcuts, CtrlShiftPageKeysMoveTheCurrentTabWithoutWrapping) {
    StartEngine();
    OpenTabs(2);
    PressEnterInAddressBar(L"https://third.test/");
    const std::wstring caption = TabCaptions()[2];
    Press(kCtrl | kShift, VK_NEXT);
    EXPECT_EQ(TabViewIds(), (std::vector<int>{1, 2, 3}));
    Press(kCtrl | kShift, VK_PRIOR, 3);
    EXPECT_EQ(TabViewIds(), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(TabCaptions(), (std::vector<std::wstring>{caption, L"New Tab", L"New Tab"}));
    EXPECT_EQ(AddressBarText(), L"https://third.test/");
    ExpectCurrent(0);
    Press(kCtrl | kShift, VK_NEXT);
    EXPECT_EQ(TabViewIds(), (std::vector<int>{1, 3, 2}));
    ExpectCurrent(1);
    // The other keys go by the new order.
    Press(kCtrl, VK_TAB);
    ExpectCurrent(2);
    EXPECT_EQ(TabViewIds()[g_currentTab], 2);
    Press(kCtrl, '1');
    EXPECT_EQ(TabViewIds()[g_currentTab], 1);
}

TEST_P(Shortcuts, CtrlDigitsPickATabThatExistsAndCtrl9TheLast) {
    StartEngine();
    Press(kCtrl, '9');
    ExpectCurrent(0);
    Press(kCtrl, '2');
    ExpectCurrent(0);

    OpenTabs(8);
    Press(kCtrl, '1');
    ExpectCurrent(0);
    Press(kCtrl, '8');
    ExpectCurrent(7);
    Press(kCtrl, '3');
    ExpectCurrent(2);
    Press(kCtrl, '9');
    ExpectCurrent(8);

    // With three tabs, Ctrl+5 has no tab to go to.
    while (g_tabs.size() > 3) CloseTab(0);
    Press(kCtrl, '5');
    ExpectCurrent(2);
    Press(kCtrl, '9');
    ExpectCurrent(2);
}

TEST_P(Shortcuts, ReloadBackAndNextActOnTheCurrentTabOnce) {
    StartEngine();
    OpenTabs(1);
    const int view = TabViewIds()[1];
    PressEnterInAddressBar(L"https://a.test/");
    PressEnterInAddressBar(L"https://b.test/");

    Press(kNone, VK_F5);
    Press(kCtrl, 'R');
    EXPECT_EQ(Calls(view, L"Reload").size(), 2u);
    Press(kAlt, VK_LEFT);
    EXPECT_EQ(SourceOfTab(1), L"https://a.test/");
    EXPECT_EQ(AddressBarText(), L"https://a.test/");
    Press(kAlt, VK_RIGHT);
    EXPECT_EQ(SourceOfTab(1), L"https://b.test/");
    EXPECT_EQ(Calls(view, L"GoBack").size(), 1u);
    EXPECT_EQ(Calls(view, L"GoForward").size(), 1u);
    EXPECT_TRUE(Calls(TabViewIds()[0], L"Reload").empty());
}

// Ctrl+Plus (Ctrl+= and Ctrl+Shift+= on US layouts, the keypad's +), Ctrl+Minus
// and Ctrl+0 zoom the current tab one step per press and per repeat; the zoom
// is the tab's own and stays with it through switches, moves and navigations.
TEST_P(Shortcuts, ZoomKeysStepTheCurrentTabWhichKeepsItsZoom) {
    StartEngine();
    OpenTabs(1);
    const int view = TabViewIds()[1];
    Press(kCtrl, VK_OEM_PLUS);
    EXPECT_DOUBLE_EQ(ZoomOf(1), 1.1);
    Press(kCtrl | kShift, VK_OEM_PLUS);
    EXPECT_DOUBLE_EQ(ZoomOf(1), 1.25);
    Press(kCtrl, VK_ADD, 3);
    EXPECT_DOUBLE_EQ(ZoomOf(1), 2.0);
    Press(kCtrl, VK_OEM_MINUS);
    EXPECT_DOUBLE_EQ(ZoomOf(1), 1.75);
    Press(kCtrl, VK_SUBTRACT, 2);
    EXPECT_DOUBLE_EQ(ZoomOf(1), 1.25);
    EXPECT_EQ(Calls(view, L"put_ZoomFactor").size(), 8u) << "one step per press and per repeat";
    EXPECT_DOUBLE_EQ(ZoomOf(0), 1.0);

    Press(kCtrl, '1');
    Press(kCtrl, VK_OEM_MINUS);
    EXPECT_DOUBLE_EQ(ZoomOf(0), 0.9);
    Press(kCtrl, '2');
    EXPECT_DOUBLE_EQ(ZoomOf(1), 1.25);
    PressEnterInAddressBar(L"https://elsewhere.test/");
    Press(kCtrl | kShift, VK_PRIOR);
    ASSERT_EQ(TabViewIds()[0], view);
    EXPECT_DOUBLE_EQ(ZoomOf(0), 1.25);
    Press(kCtrl, VK_OEM_PLUS);
    EXPECT_DOUBLE_EQ(ZoomOf(0), 1.5);
    Press(kCtrl, '0');
    EXPECT_DOUBLE_EQ(ZoomOf(0), 1.0);
    EXPECT_DOUBLE_EQ(ZoomOf(1), 0.9);
    Press(kCtrl, '2');
    Press(kCtrl, VK_NUMPAD0);
    EXPECT_DOUBLE_EQ(ZoomOf(1), 1.0);

    // A reopened tab starts at 100%.
    Press(kCtrl, VK_OEM_PLUS);
    Press(kCtrl, 'W');
    Press(kCtrl | kShift, 'T');
    ASSERT_EQ(g_tabs.size(), 2u);
    EXPECT_DOUBLE_EQ(ZoomOf(1), 1.0);
}

// Held down, the keys walk every step and stop at the ends; a factor the page
// set (Ctrl+wheel) goes on to the next step the key's way.
TEST_P(Shortcuts, ZoomKeysWalkEveryStepStopAtTheEndsAndGoOnFromThePagesZoom) {
    StartEngine();
    const int view = TabViewIds()[0];
    Press(kCtrl, VK_OEM_PLUS, 20);
    EXPECT_DOUBLE_EQ(ZoomOf(0), 5.0);
    EXPECT_EQ(Calls(view, L"put_ZoomFactor").size(), 9u) << "from 100% to 500%, then no further";
    Press(kCtrl, VK_OEM_MINUS, 20);
    EXPECT_DOUBLE_EQ(ZoomOf(0), 0.25);
    EXPECT_EQ(Calls(view, L"put_ZoomFactor").size(), 9u + 16u);

    ASSERT_EQ(devengine::GetController(view)->put_ZoomFactor(1.17), S_OK);
    Press(kCtrl, VK_OEM_MINUS);
    EXPECT_DOUBLE_EQ(ZoomOf(0), 1.1);
    ASSERT_EQ(devengine::GetController(view)->put_ZoomFactor(1.17), S_OK);
    Press(kCtrl, VK_OEM_PLUS);
    EXPECT_DOUBLE_EQ(ZoomOf(0), 1.25);
}

// F12 and Ctrl+Shift+I open the engine's developer tools for the current tab,
// once per press: holding them does not open them again.
TEST_P(Shortcuts, F12AndCtrlShiftIOpenTheDeveloperToolsOncePerPress) {
    StartEngine();
    OpenTabs(1);
    const int repeats = GetParam() == KeysFrom::Controls ? 3 : 1;
    Press(kNone, VK_F12, repeats);
    EXPECT_EQ(Calls(TabViewIds()[1], L"OpenDevToolsWindow").size(), 1u);
    Press(kCtrl | kShift, 'I', repeats);
    EXPECT_EQ(Calls(TabViewIds()[1], L"OpenDevToolsWindow").size(), 2u);
    EXPECT_TRUE(Calls(TabViewIds()[0], L"OpenDevToolsWindow").empty());
}

TEST_P(Shortcuts, FindAndPrintOpenTheEnginesOwnToolsOnTheCurrentTab) {
    StartEngine();
    OpenTabs(1);
    const int view = TabViewIds()[1];
    PressEnterInAddressBar(L"https://a.test/");
    Press(kNone, VK_F3);
    EXPECT_TRUE(Calls(view, L"Find").empty()) << "no find is active yet";

    // The engine's own find bar (not suppressed), then next and previous.
    Press(kCtrl, 'F');
    EXPECT_EQ(Calls(view, L"Find"), std::vector<std::wstring>{L"Find Start "});
    Press(kNone, VK_F3, 2);
    Press(kShift, VK_F3);
    EXPECT_EQ(Calls(view, L"Find Find"),
              (std::vector<std::wstring>{L"Find FindNext", L"Find FindNext", L"Find FindPrevious"}));
    Press(kCtrl, 'P');
    EXPECT_EQ(Calls(view, L"ShowPrintUI"), std::vector<std::wstring>{L"ShowPrintUI browser"});

    // Another tab has no find of its own yet; the first one's is left alone.
    SelectTab(0);
    Press(kNone, VK_F3);
    EXPECT_TRUE(Calls(TabViewIds()[0], L"Find").empty());
    EXPECT_EQ(Calls(view, L"Find").size(), 4u);
}

TEST_P(Shortcuts, CtrlShiftTReopensTheMostRecentlyClosedTabsInTurn) {
    StartEngine();
    Press(kCtrl | kShift, 'T');
    EXPECT_EQ(g_tabs.size(), 1u) << "nothing was closed yet";

    OpenTabs(3);
    SelectTab(1);
    PressEnterInAddressBar(L"https://one.test/");
    SelectTab(2);
    PressEnterInAddressBar(L"https://two.test/");
    Click(ID_CLOSE_TAB);  // two.test
    SelectTab(1);
    Click(ID_CLOSE_TAB);  // one.test
    CloseTab(1);          // the New Tab page that had moved into its place
    ASSERT_EQ(g_tabs.size(), 1u);

    // The New Tab page comes back as the built-in page, not as a data address.
    Press(kCtrl | kShift, 'T');
    ASSERT_EQ(g_tabs.size(), 2u);
    ExpectCurrent(1);
    EXPECT_EQ(AddressBarText(), L"browser://newtab");
    EXPECT_EQ(Calls(TabViewIds()[1], L"NavigateToString").size(), 1u);

    Press(kCtrl | kShift, 'T');
    ASSERT_EQ(g_tabs.size(), 3u);
    ExpectCurrent(2);
    EXPECT_EQ(AddressBarText(), L"https://one.test/");
    EXPECT_EQ(Calls(TabViewIds()[2], L"Navigate "), std::vector<std::wstring>{L"Navigate https://one.test/"});

    SelectTab(0);
    Press(kCtrl | kShift, 'T');
    ASSERT_EQ(g_tabs.size(), 4u);
    ExpectCurrent(3);
    EXPECT_EQ(SourceOfTab(3), L"https://two.test/");

    Press(kCtrl | kShift, 'T');
    EXPECT_EQ(g_tabs.size(), 4u) << "every closed tab is back";
    ExpectCurrent(3);
}

// Keys of the address bar itself, which only the message loop sees.
using LoopKeys = KeyboardFixture;

// An engine without find or print: the keys do nothing, quietly, and stay ours.
TEST_F(LoopKeys, FindAndPrintKeysDoNothingOnAnEngineWithoutThem) {
    devengine::GetKnobs().withholdFind = true;
    devengine::GetKnobs().withholdPrint = true;
    StartEngine();
    const int view = TabViewIds()[0];
    SetFocus(g_hAddressBar);
    PressInLoop(kCtrl, 'F');
    PressInLoop(kNone, VK_F3);
    PressInLoop(kCtrl, 'P');
    OfferFromPage(kCtrl, 'F');
    OfferFromPage(kCtrl, 'P');
    EXPECT_TRUE(Calls(view, L"Find").empty());
    EXPECT_TRUE(Calls(view, L"ShowPrintUI").empty());
    EXPECT_EQ(g_tabs.size(), 1u);
    EXPECT_TRUE(IsWindowEnabled(g_hMainWnd)) << "no box";
    EXPECT_EQ(GetFocus(), g_hAddressBar);
}

TEST_F(LoopKeys, EditingKeysStillWorkInTheAddressBar) {
    StartEngine();
    SetFocus(g_hAddressBar);
    SetWindowTextW(g_hAddressBar, L"");
    TypeText(L"alpha beta");
    PressInLoop(kNone, VK_HOME);
    PressInLoop(kShift, VK_END);
    EXPECT_EQ(AddressSelection(), std::make_pair(DWORD{0}, DWORD{10}));
    PressInLoop(kNone, VK_END);
    PressInLoop(kCtrl, VK_LEFT);
    EXPECT_EQ(AddressSelection(), std::make_pair(DWORD{6}, DWORD{6}));
    PressInLoop(kShift, VK_RIGHT, 2);
    EXPECT_EQ(AddressSelection(), std::make_pair(DWORD{6}, DWORD{8}));
    PressInLoop(kCtrl, VK_RIGHT);
    PressInLoop(kShift, VK_LEFT);
    EXPECT_EQ(AddressSelection(), std::make_pair(DWORD{9}, DWORD{10}));

    // Ctrl+A reaches the bar. Wine's edit control (Wine 8) does not select
    // all on it, as Windows' does, so the selection is made with the keys
    // above where Wine is the platform.
    {
        KeyDownRecorder recorder(g_hAddressBar);
        PressInLoop(kCtrl, 'A');
        EXPECT_EQ(KeyDownRecorder::Seen(), std::vector<WPARAM>{'A'});
    }
    if (OnWine()) {
        PressInLoop(kNone, VK_HOME);
        PressInLoop(kShift, VK_END);
    }
    EXPECT_EQ(AddressSelection(), std::make_pair(DWORD{0}, DWORD{10}));
    PressInLoop(kCtrl, 'C');
    PressInLoop(kNone, VK_END);
    PressInLoop(kCtrl, 'V');
    EXPECT_EQ(AddressBarText(), L"alpha betaalpha beta");
    PressInLoop(kShift, VK_HOME);
    PressInLoop(kCtrl, 'X');
    EXPECT_EQ(AddressBarText(), L"");
    PressInLoop(kCtrl, 'Z');
    EXPECT_EQ(AddressBarText(), L"alpha betaalpha beta");
    EXPECT_EQ(GetFocus(), g_hAddressBar);
    EXPECT_EQ(g_tabs.size(), 1u);
}

TEST_F(LoopKeys, EscapePutsTheCurrentAddressBackAllSelected) {
    StartEngine();
    OpenTabs(1);
    SetFocus(g_hAddressBar);
    TypeText(L"half typed");
    PressInLoop(kNone, VK_ESCAPE);
    EXPECT_EQ(AddressBarText(), L"browser://newtab");
    ExpectWholeAddressSelected();
    EXPECT_EQ(GetFocus(), g_hAddressBar);

    PressEnterInAddressBar(L"https://a.test/x");
    SetFocus(g_hAddressBar);
    PressInLoop(kNone, VK_END);
    TypeText(L"yz");
    PressInLoop(kNone, VK_ESCAPE);
    EXPECT_EQ(AddressBarText(), L"https://a.test/x");
    ExpectWholeAddressSelected();

    // When the engine cannot tell the address, what was typed stays, selected.
    PressInLoop(kNone, VK_END);
    TypeText(L"q");
    devengine::GetKnobs().sourceResult = E_FAIL;
    PressInLoop(kNone, VK_ESCAPE);
    EXPECT_EQ(AddressBarText(), L"https://a.test/xq");
    ExpectWholeAddressSelected();
    EXPECT_TRUE(Calls(TabViewIds()[1], L"put_Handled").empty());
}

TEST(ShortcutTable, NeedsExactModifiersAndLeavesTheEditingKeysAlone) {
    EXPECT_EQ(ShortcutCommand(VK_TAB, true, false, false), ID_NEXT_TAB);
    EXPECT_EQ(ShortcutCommand(VK_TAB, true, true, false), ID_PREVIOUS_TAB);
    EXPECT_EQ(ShortcutCommand('T', true, true, false), ID_REOPEN_CLOSED_TAB);
    EXPECT_EQ(ShortcutCommand(VK_TAB, false, false, false), 0);
    EXPECT_EQ(ShortcutCommand('D', false, false, false), 0);
    EXPECT_EQ(ShortcutCommand(VK_F5, false, true, false), 0);
    EXPECT_EQ(ShortcutCommand(VK_LEFT, true, false, true), 0);
    // Zoom: "=" is "+" with Shift on US layouts; AltGr (Ctrl+Alt) types.
    EXPECT_EQ(ShortcutCommand(VK_OEM_PLUS, true, false, false), ID_ZOOM_IN);
    EXPECT_EQ(ShortcutCommand(VK_OEM_PLUS, true, true, false), ID_ZOOM_IN);
    EXPECT_EQ(ShortcutCommand(VK_OEM_PLUS, true, false, true), 0);
    EXPECT_EQ(ShortcutCommand(VK_OEM_PLUS, false, false, false), 0);
    EXPECT_EQ(ShortcutCommand(VK_OEM_MINUS, false, false, false), 0);
    EXPECT_EQ(ShortcutCommand('0', false, false, false), 0);
    EXPECT_EQ(ShortcutCommand('I', true, false, false), 0);
    const struct {
        UINT key;
        bool ctrl;
        bool shift;
    } editing[] = {{VK_LEFT, true, false}, {VK_RIGHT, true, false}, {VK_LEFT, false, true}, {VK_RIGHT, false, true},
                   {VK_LEFT, true, true},  {VK_HOME, false, false}, {VK_END, false, false}, {VK_HOME, false, true},
                   {VK_END, false, true},  {'C', true, false},      {'V', true, false},     {'X', true, false},
                   {'A', true, false},     {'Z', true, false},      {VK_INSERT, false, true}, {VK_DELETE, false, true},
                   {VK_BACK, false, false}, {VK_ESCAPE, false, false}, {VK_RETURN, false, false}};
    for (const auto& key : editing) {
        EXPECT_EQ(ShortcutCommand(key.key, key.ctrl, key.shift, false), 0) << key.key;
    }
}

// A held key's repeats act again, except F11's and F12's: full screen toggles
// and the developer tools open once per press.
TEST(ShortcutMatcher, RepeatsActExceptF11) {
    EXPECT_EQ(ShortcutForKeyDown(VK_F11, false, false), ID_TOGGLE_FULL_SCREEN);
    EXPECT_EQ(ShortcutForKeyDown(VK_F11, false, true), 0);
    EXPECT_EQ(ShortcutForKeyDown(VK_F5, false, true), ID_RELOAD_PAGE);
    EXPECT_EQ(ShortcutForKeyDown(VK_F12, false, false), ID_DEV_TOOLS);
    EXPECT_EQ(ShortcutForKeyDown(VK_F12, false, true), 0);
    // Alt told by the key event counts as held: Alt+Left is Back.
    EXPECT_EQ(ShortcutForKeyDown(VK_LEFT, true, false), ID_BACK);
    EXPECT_EQ(ShortcutForKeyDown(VK_LEFT, false, false), 0);
}

TEST(ClosedTabList, KeepsTheLast25) {
    g_closedTabs.clear();
    for (int i = 1; i <= 27; ++i) RememberClosedTab(L"https://" + std::to_wstring(i) + L".test/");
    ASSERT_EQ(g_closedTabs.size(), kMaxClosedTabs);
    EXPECT_EQ(g_closedTabs.front(), L"https://3.test/");
    EXPECT_EQ(g_closedTabs.back(), L"https://27.test/");
    g_closedTabs.clear();
}

}  // namespace

TEST_F(LoopKeys, AltGrWTypesRatherThanClosingATab) {
    // AltGr is Ctrl+Alt: on Czech or Hungarian layouts AltGr+W types a character.
    StartEngine();
    OpenTabs(1);
    SetFocus(g_hAddressBar);
    PressInLoop(kCtrl | kAlt, 'W');
    SetFocus(devengine::GetView(TabViewIds()[1]).pageWindow);
    PressInLoop(kCtrl | kAlt, 'W');
    EXPECT_EQ(g_tabs.size(), 2u);
    PressInLoop(kCtrl, 'W');
    EXPECT_EQ(g_tabs.size(), 1u);
}

TEST_F(LoopKeys, WhatTheUserTypesIsNeverOverwrittenByTheEngine) {
    StartEngine();
    SetFocus(g_hAddressBar);
    SetWindowTextW(g_hAddressBar, L"");
    TypeText(L"half typ");
    // A redirect, a pushState or a slow page finishing meanwhile.
    devengine::TriggerSourceChange(TabViewIds()[0], L"https://redirected.example/");
    Settle();
    EXPECT_EQ(AddressBarText(), L"half typ");
    EXPECT_EQ(g_history.back(), L"https://redirected.example/");

    // Escape ends the editing with the latest address.
    PressInLoop(kNone, VK_ESCAPE);
    EXPECT_EQ(AddressBarText(), L"https://redirected.example/");
    devengine::TriggerSourceChange(TabViewIds()[0], L"https://next.example/");
    Settle();
    EXPECT_EQ(AddressBarText(), L"https://next.example/") << "not typed over: the bar follows again";

    // So does Enter: the address it leads to replaces what was typed.
    SetFocus(g_hAddressBar);
    PressInLoop(kNone, VK_HOME);
    PressInLoop(kShift, VK_END);
    TypeText(L"typed.example");
    PressInLoop(kNone, VK_RETURN);
    Settle();
    EXPECT_EQ(AddressBarText(), L"https://typed.example");
}
