#include "tests/support/BrowserDriver.h"

#include "core/CommandIds.h"
#include "core/EngineStart.h"
#include "core/TabCreation.h"
#include "core/WindowHandles.h"
#include "devengine/DevEngine.h"

#include <commctrl.h>

const wchar_t kTestUserDataFolder[] = L"C:\\velquin\\Browser_Data";

HRESULT RequestBrowserEnvironment(const wchar_t* userDataFolder) {
    // The stand-in's export stands for the loader's: a new environment after a
    // failure comes from it too.
    return StartEngineEnvironment(devengine::CreateEnvironment, userDataFolder);
}

void ClickButton(int controlId) {
    SendMessageW(g_hMainWnd, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(g_hMainWnd, controlId)));
}

void SelectTab(int index) {
    SendMessageW(g_hTabCtrl, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    NMHDR header = {};
    header.hwndFrom = g_hTabCtrl;
    header.idFrom = ID_TAB_CONTROL;
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageW(g_hMainWnd, WM_NOTIFY, ID_TAB_CONTROL, reinterpret_cast<LPARAM>(&header));
}

void SendEnterToAddressBar() {
    // Scan code 0x1C, repeat count 1: what the keyboard sends for Enter.
    const LPARAM keyData = 0x001C0001;
    SendMessageW(g_hAddressBar, WM_KEYDOWN, VK_RETURN, keyData);
    SendMessageW(g_hAddressBar, WM_CHAR, L'\r', keyData);
}
