#include "RemoteWindows.h"

#include "Polling.h"

#include <commctrl.h>

namespace {

// Memory inside another process, for messages that carry pointers.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, size_t size)
        : process_(process),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~RemoteBuffer() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    // The remote address `offset` bytes in.
    void* At(size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool Write(const void* data, size_t size, size_t offset = 0) const {
        return WriteProcessMemory(process_, At(offset), data, size, nullptr) != FALSE;
    }
    bool Read(void* data, size_t size, size_t offset = 0) const {
        return ReadProcessMemory(process_, At(offset), data, size, nullptr) != FALSE;
    }

private:
    HANDLE process_;
    void* address_;
};

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kStepTimeoutMs, &result)) return -1;
    return static_cast<LRESULT>(result);
}

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleWindowOfProcess(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::wstring TextOf(HWND window) {
    const LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

RECT RectInParent(HWND window) {
    RECT rect = ScreenRect(window);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ScreenRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

SIZE SizeOf(const RECT& rect) { return SIZE{rect.right - rect.left, rect.bottom - rect.top}; }

POINT CentreOf(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

HWND FocusedWindowOfThread(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
    WindowSearch search = {processId, {}};
    EnumWindows(CollectVisibleWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsDialogBox(HWND window) { return ClassOf(window) == L"#32770"; }

std::vector<HWND> DialogBoxes(DWORD processId) {
    std::vector<HWND> boxes;
    for (HWND window : VisibleTopLevelWindows(processId)) {
        if (IsDialogBox(window)) boxes.push_back(window);
    }
    return boxes;
}

HWND DialogBoxCaptioned(DWORD processId, const std::wstring& caption) {
    HWND found = nullptr;
    for (HWND dialog : DialogBoxes(processId)) {
        if (TextOf(dialog) == caption) found = dialog;
    }
    return found;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const std::wstring& className) {
    std::vector<HWND> children;
    for (HWND child = FindWindowExW(parent, nullptr, className.c_str(), nullptr); child != nullptr;
         child = FindWindowExW(parent, child, className.c_str(), nullptr)) {
        children.push_back(child);
    }
    return children;
}

std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    for (HWND label : ChildrenOfClass(box, L"Static")) text += TextOf(label);
    return text;
}

HWND DialogButton(HWND box, const std::wstring& text) {
    for (HWND button : ChildrenOfClass(box, L"Button")) {
        if (TextOf(button) == text) return button;
    }
    return nullptr;
}

int TabCount(HWND tabStrip) { return static_cast<int>(Send(tabStrip, TCM_GETITEMCOUNT, 0, 0)); }

int SelectedTab(HWND tabStrip) { return static_cast<int>(Send(tabStrip, TCM_GETCURSEL, 0, 0)); }

std::vector<std::wstring> TabCaptions(HANDLE process, HWND tabStrip) {
    const int kCaptionCapacity = 512;
    std::vector<std::wstring> captions;
    RemoteBuffer buffer(process, sizeof(TCITEMW) + kCaptionCapacity * sizeof(wchar_t));
    if (!buffer.Valid()) return captions;
    const int count = TabCount(tabStrip);
    for (int i = 0; i < count; ++i) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = static_cast<wchar_t*>(buffer.At(sizeof(TCITEMW)));
        item.cchTextMax = kCaptionCapacity;
        const wchar_t nothing = L'\0';
        wchar_t caption[kCaptionCapacity] = {};
        if (!buffer.Write(&item, sizeof(item)) || !buffer.Write(&nothing, sizeof(nothing), sizeof(TCITEMW)) ||
            Send(tabStrip, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.At(0))) == 0 ||
            !buffer.Read(caption, sizeof(caption), sizeof(TCITEMW))) {
            captions.push_back(L"<unreadable>");
            continue;
        }
        caption[kCaptionCapacity - 1] = L'\0';
        captions.push_back(caption);
    }
    return captions;
}

RECT TabItemScreenRect(HANDLE process, HWND tabStrip, int index) {
    RECT rect = {};
    RemoteBuffer buffer(process, sizeof(RECT));
    if (!buffer.Valid() ||
        Send(tabStrip, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.At(0))) == 0 ||
        !buffer.Read(&rect, sizeof(rect))) {
        return RECT();
    }
    MapWindowPoints(tabStrip, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
