#include "shell/AddressSuggestionList.h"

#include "core/AddressBarText.h"
#include "core/AddressInput.h"
#include "core/AddressSuggestions.h"
#include "core/History.h"
#include "core/WindowHandles.h"

#include <utility>
#include <vector>

HWND g_hSuggestionList = nullptr;

namespace {

const DWORD kListStyle = WS_POPUP | WS_BORDER | LBS_NOINTEGRALHEIGHT;
const DWORD kListExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

WNDPROC g_oldSuggestionListProc = nullptr;
std::vector<std::wstring> g_suggestions;  // what the list shows, newest first
int g_chosen = -1;                        // the entry Down and Up reached; -1: the typed text
std::wstring g_typedText;                 // what the user typed, for Up above the first entry
std::wstring g_chosenAddress;             // the entry the list put into the bar, while the bar holds it
bool g_browserSetsText = false;           // inside the address bar's WM_SETTEXT
bool g_listSetsText = false;              // the list is putting an entry into the bar

// Puts `text` into the bar, the caret after it, as the user's own editing.
void PutIntoAddressBar(const std::wstring& text) {
    g_listSetsText = true;
    SetWindowTextW(g_hAddressBar, text.c_str());
    g_listSetsText = false;
    SendMessageW(g_hAddressBar, EM_SETSEL, static_cast<WPARAM>(text.size()), static_cast<LPARAM>(text.size()));
    BeginAddressEditing();
}

void ChooseEntry(int index) {
    g_chosen = index;
    SendMessageW(g_hSuggestionList, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (index < 0) {
        PutIntoAddressBar(g_typedText);
        g_chosenAddress.clear();
        return;
    }
    PutIntoAddressBar(g_suggestions[index]);
    g_chosenAddress = g_suggestions[index];
}

void ShowSuggestions() {
    SendMessageW(g_hSuggestionList, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& address : g_suggestions) {
        SendMessageW(g_hSuggestionList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(address.c_str()));
    }
    g_chosen = -1;

    RECT bar;
    GetWindowRect(g_hAddressBar, &bar);
    const int itemHeight = static_cast<int>(SendMessageW(g_hSuggestionList, LB_GETITEMHEIGHT, 0, 0));
    RECT frame = {0, 0, bar.right - bar.left, itemHeight * static_cast<int>(g_suggestions.size())};
    AdjustWindowRectEx(&frame, kListStyle, FALSE, kListExStyle);
    SetWindowPos(g_hSuggestionList, HWND_TOP, bar.left, bar.bottom, bar.right - bar.left, frame.bottom - frame.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// A click on an entry goes to it. The list never takes the focus or the
// activation from the address bar, so it handles the button itself.
LRESULT CALLBACK SuggestionListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return 0;
        case WM_LBUTTONUP: {
            const LRESULT hit = SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, lParam);
            const int index = LOWORD(hit);
            if (HIWORD(hit) != 0 || index >= static_cast<int>(g_suggestions.size())) return 0;
            ChooseEntry(index);
            const std::wstring address = g_chosenAddress;
            CloseSuggestions();
            // Chosen, as Enter takes typed text: the bar follows the page again.
            EndAddressEditing();
            NavigateToVisitedAddress(address);
            return 0;
        }
        default:
            return CallWindowProcW(g_oldSuggestionListProc, hwnd, message, wParam, lParam);
    }
}

}  // namespace

void CreateSuggestionList(HWND owner) {
    g_suggestions.clear();
    g_chosen = -1;
    g_chosenAddress.clear();
    g_hSuggestionList = CreateWindowExW(kListExStyle, L"LISTBOX", L"", kListStyle, 0, 0, 0, 0, owner, nullptr,
                                        nullptr, nullptr);
    SendMessageW(g_hSuggestionList, WM_SETFONT, reinterpret_cast<WPARAM>(g_hFont), FALSE);
    g_oldSuggestionListProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(g_hSuggestionList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SuggestionListProc)));
}

bool SuggestionsShown() { return g_hSuggestionList != nullptr && IsWindowVisible(g_hSuggestionList); }

void CloseSuggestions() {
    if (SuggestionsShown()) ShowWindow(g_hSuggestionList, SW_HIDE);
    g_suggestions.clear();
    g_chosen = -1;
}

void OnAddressBarChanged() {
    if (g_listSetsText || g_browserSetsText) return;
    BeginAddressEditing();
    g_chosenAddress.clear();
    // Never over a full-screen page: the bar is hidden then.
    if (GetFocus() != g_hAddressBar || !IsWindowVisible(g_hAddressBar)) {
        CloseSuggestions();
        return;
    }
    g_typedText = ReadAddressBarText(g_hAddressBar);
    g_suggestions = SuggestedAddresses(g_typedText);
    if (g_suggestions.empty()) {
        CloseSuggestions();
    } else {
        ShowSuggestions();
    }
}

LRESULT SetAddressBarTextByBrowser(HWND addressBar, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC setText) {
    if (!g_listSetsText) {
        g_chosenAddress.clear();
        CloseSuggestions();
    }
    const bool outer = g_browserSetsText;
    g_browserSetsText = true;
    const LRESULT result = CallWindowProcW(setText, addressBar, message, wParam, lParam);
    g_browserSetsText = outer;
    return result;
}

bool HandleSuggestionKey(WPARAM key) {
    if (!SuggestionsShown()) return false;
    // Shift, Ctrl and Alt with the arrows are the edit control's: selecting, moving by words.
    const bool modified = GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    if (modified && (key == VK_DOWN || key == VK_UP)) return false;
    const int last = static_cast<int>(g_suggestions.size()) - 1;
    switch (key) {
        case VK_DOWN:
            ChooseEntry(g_chosen < last ? g_chosen + 1 : last);
            return true;
        case VK_UP:
            ChooseEntry(g_chosen > -1 ? g_chosen - 1 : -1);
            return true;
        case VK_ESCAPE:
            CloseSuggestions();
            return true;
        default:
            return false;
    }
}

void NavigateFromAddressBar(const std::wstring& text) {
    CloseSuggestions();
    const std::wstring chosen = std::move(g_chosenAddress);
    g_chosenAddress.clear();
    if (!chosen.empty() && text == chosen) {
        NavigateToVisitedAddress(text);
    } else {
        NavigateFromAddressInput(text);
    }
}
