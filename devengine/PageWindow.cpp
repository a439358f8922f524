// A view's page window: a child of the browser's window that stands for the
// rendered page. Its window text is the current source; it draws the address
// and title, and the New Tab page's heading and search box, which posts
// "focus_url" when clicked. Keys pressed in it are offered as accelerators.
#include "devengine/Internal.h"

#include <algorithm>

namespace devengine {
namespace {

const wchar_t kPageClass[] = L"VelquinDevEnginePage";

ViewState* ViewOf(HWND window) { return reinterpret_cast<ViewState*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

// Where the New Tab page's "Search Google..." box is; false on other pages.
bool SearchBoxRect(const ViewState& view, RECT* box) {
    if (view.page == nullptr || !IsNewTabPage(view)) return false;
    RECT client;
    GetClientRect(view.page, &client);
    const LONG width = std::min<LONG>(500, client.right - 40);
    if (width <= 0) return false;
    box->left = (client.right - width) / 2;
    box->right = box->left + width;
    box->top = client.bottom / 2 + 10;
    box->bottom = box->top + 50;
    return true;
}

HFONT MakeFont(int height, int weight) {
    return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Segoe UI");
}

void DrawLine(HDC dc, const std::wstring& text, RECT rect, UINT format) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_SINGLELINE | DT_NOPREFIX);
}

void Paint(HWND window, const ViewState& view) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    const bool newTab = IsNewTabPage(view);
    const HBRUSH background = CreateSolidBrush(newTab ? RGB(0xF0, 0xF2, 0xF5) : RGB(0xFF, 0xFF, 0xFF));
    FillRect(dc, &client, background);
    DeleteObject(background);
    SetBkMode(dc, TRANSPARENT);

    const HFONT smallFont = MakeFont(13, FW_NORMAL);
    // The heading grows and shrinks with the zoom, as a page's text does.
    const HFONT bigFont = MakeFont(static_cast<int>(40 * view.zoomFactor + 0.5), FW_BOLD);
    const HGDIOBJ oldFont = SelectObject(dc, smallFont);
    SetTextColor(dc, RGB(0x60, 0x67, 0x70));
    DrawLine(dc, L"Address: " + CurrentSource(view), RECT{8, 4, client.right - 8, 22}, DT_END_ELLIPSIS);
    DrawLine(dc, L"Title: " + CurrentTitle(view), RECT{8, 22, client.right - 8, 40}, DT_END_ELLIPSIS);

    SelectObject(dc, bigFont);
    SetTextColor(dc, RGB(0x1C, 0x1E, 0x21));
    RECT box;
    if (SearchBoxRect(view, &box)) {
        DrawLine(dc, L"New Tab", RECT{0, box.top - 80, client.right, box.top - 20}, DT_CENTER | DT_VCENTER);
        const HBRUSH white = CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF));
        const HPEN border = CreatePen(PS_SOLID, 1, RGB(0xDD, 0xDD, 0xDD));
        const HGDIOBJ oldBrush = SelectObject(dc, white);
        const HGDIOBJ oldPen = SelectObject(dc, border);
        RoundRect(dc, box.left, box.top, box.right, box.bottom, 50, 50);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(white);
        DeleteObject(border);
        SelectObject(dc, smallFont);
        SetTextColor(dc, RGB(0x88, 0x88, 0x88));
        DrawLine(dc, L"Search Google...", box, DT_CENTER | DT_VCENTER);
    } else {
        const std::wstring heading = CurrentTitle(view).empty() ? CurrentSource(view) : CurrentTitle(view);
        DrawLine(dc, heading, RECT{8, 40, client.right - 8, client.bottom}, DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
    }
    SelectObject(dc, oldFont);
    DeleteObject(smallFont);
    DeleteObject(bigFont);
    EndPaint(window, &paint);
}

void OnClick(ViewState& view, POINT point) {
    // Clicking a page gives it the keyboard focus, whatever is clicked.
    SetFocus(view.page);
    RECT box;
    if (SearchBoxRect(view, &box) && PtInRect(&box, point)) {
        Log(L"view " + std::to_wstring(view.id) + L" search box clicked");
        QueueWebMessage(FindView(view.id), StringMessage(L"focus_url"));
    }
}

// Offers a key to AcceleratorKeyPressed when the real engine would: while Ctrl
// or Alt is down, or for a key that types no character; Escape always, Shift
// never.
void OnKey(ViewState& view, UINT message, WPARAM virtualKey, LPARAM lParam) {
    KeyEvent key;
    key.virtualKey = static_cast<UINT>(virtualKey);
    key.lParam = static_cast<INT>(lParam);
    key.ctrl = GetKeyState(VK_CONTROL) < 0;
    key.shift = GetKeyState(VK_SHIFT) < 0;
    key.alt = GetKeyState(VK_MENU) < 0;
    const bool typesNoCharacter = MapVirtualKeyW(key.virtualKey, MAPVK_VK_TO_CHAR) == 0;
    const bool isAccelerator = key.virtualKey == VK_ESCAPE ||
                               (key.virtualKey != VK_SHIFT && (key.ctrl || key.alt || typesNoCharacter));
    if (!isAccelerator) return;
    switch (message) {
        case WM_KEYDOWN: key.kind = COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN; break;
        case WM_KEYUP: key.kind = COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP; break;
        case WM_SYSKEYDOWN: key.kind = COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN; break;
        default: key.kind = COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_UP; break;
    }
    QueueAcceleratorKey(FindView(view.id), key);
}

LRESULT CALLBACK PageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    ViewState* view = ViewOf(window);
    if (view == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_PAINT:
            Paint(window, *view);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            OnClick(*view, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
            OnKey(*view, message, wParam, lParam);
            return 0;
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            OnKey(*view, message, wParam, lParam);
            break;  // Alt+F4 and the like still reach the default handling
        case WM_DESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            // Destroyed with its parent rather than by Close: the view closes too.
            if (!view->closed) {
                view->page = nullptr;
                CloseView(*view, L"parent window destroyed");
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreatePageWindow(HWND parent, const ViewPtr& view) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = PageWindowProc;
        windowClass.hInstance = ThisModule();
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kPageClass;
        registered = RegisterClassExW(&windowClass) != 0;
    }
    return CreateWindowExW(0, kPageClass, CurrentSource(*view).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                           0, 0, parent, nullptr, ThisModule(), view.get());
}

void RefreshPageWindow(const ViewState& view) {
    if (view.page == nullptr) return;
    SetWindowTextW(view.page, CurrentSource(view).c_str());
    // A hidden page is repainted whole when it is shown again. Under Wine each
    // invalidation is a round trip to its server, and background tabs may
    // change thousands of times.
    if (view.visible) InvalidateRect(view.page, nullptr, TRUE);
}

bool ClickPage(int id, bool onSearchBox) {
    const ViewPtr view = OpenView(id);
    if (view == nullptr || view->page == nullptr) return false;
    POINT point = {2, 2};
    RECT box;
    if (onSearchBox) {
        if (!SearchBoxRect(*view, &box)) return false;
        point = POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }
    const LPARAM where = MAKELPARAM(point.x, point.y);
    SendMessageW(view->page, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(view->page, WM_LBUTTONUP, 0, where);
    return true;
}

}  // namespace devengine
