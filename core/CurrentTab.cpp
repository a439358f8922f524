#include "core/CurrentTab.h"

#include "core/AddressBarFocus.h"
#include "core/AddressBarText.h"
#include "core/FullScreen.h"
#include "core/KeyboardFocus.h"
#include "core/Layout.h"
#include "core/Loading.h"
#include "core/MemoryLevels.h"
#include "core/NavigationButtons.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

namespace {

// The web view whose page was last shown, for identity only: it may have
// closed since, and is then no tab.
const ICoreWebView2* g_shownWebView = nullptr;

void ShowOnlyCurrentPage() {
    const int shown = FindTabByWebView(g_shownWebView);
    if (shown != -1 && shown != g_currentTab) {
        g_tabs[shown].controller->put_IsVisible(FALSE);
        SetTabInBackground(shown, true);
    }
    g_shownWebView = CurrentWebView();
    // A minimised window keeps its page hidden from the engine until restored.
    const bool minimised = IsIconic(g_hMainWnd) != FALSE;
    SetTabInBackground(g_currentTab, minimised);
    if (ICoreWebView2Controller* controller = CurrentController()) controller->put_IsVisible(minimised ? FALSE : TRUE);
}

}  // namespace

void ShowCurrentTab(KeyboardAfterChange keyboard) {
    ShowOnlyCurrentPage();
    ApplyFullScreen();
    ShowCurrentAddress();
    UpdateNavigationButtons();
    UpdateReloadButton();
    ResizeBrowser();
    switch (keyboard) {
        case KeyboardAfterChange::Page:
            FocusCurrentPage();
            break;
        case KeyboardAfterChange::AddressBar:
            FocusAddressBar();
            break;
        case KeyboardAfterChange::Stays:
            break;
    }
}
