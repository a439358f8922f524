#include "tests/reliability/ReliabilityFixture.h"

#include "core/EngineStart.h"
#include "core/TabCreation.h"
#include "core/WindowHandles.h"
#include "shell/Startup.h"

#include <cstdlib>

void ReliabilityFixture::SetUp() {
    BrowserFixture::SetUp();
    liveObjectsAtStart_ = devengine::LiveObjectCount();
    heldHandlersAtStart_ = devengine::HeldHandlerCount();
}

void ReliabilityFixture::TearDown() {
    ExpectReferencesBalanced();
    BrowserFixture::TearDown();
}

void ReliabilityFixture::ExpectReferencesBalanced() {
    ReleaseEngineObjects();
    DropQuitMessage();
    // Completions still queued hold handler objects until they run.
    EXPECT_TRUE(devengine::RunPending());
    EXPECT_EQ(devengine::LiveObjectCount(), liveObjectsAtStart_) << "engine objects the browser still holds";
    EXPECT_EQ(devengine::HeldHandlerCount(), heldHandlersAtStart_) << "handler references the engine still holds";
}

void ReliabilityFixture::HideMainWindow() {
    ShowWindow(g_hMainWnd, SW_HIDE);
}

void ReliabilityFixture::RestartBrowser() {
    ExpectReferencesBalanced();
    BrowserFixture::TearDown();
    BrowserFixture::SetUp();
}

void DropQuitMessage() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

std::vector<INPUT> ClickInputs(HWND control, int clicks) {
    RECT rc;
    GetWindowRect(control, &rc);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    input.mi.dx = ((rc.left + rc.right) / 2 * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = ((rc.top + rc.bottom) / 2 * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    std::vector<INPUT> inputs = {input};
    for (int i = 0; i < clicks; ++i) {
        input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
        inputs.push_back(input);
        input.mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
        inputs.push_back(input);
    }
    return inputs;
}

void Send(const std::vector<INPUT>& inputs) {
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), const_cast<INPUT*>(inputs.data()), sizeof(INPUT)),
              inputs.size());
}

namespace {

void CALLBACK QuitOnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PostQuitMessage(0);
}

}  // namespace

void RunLoopUntilInputHandled() {
    // A timer's message is retrieved only when no input is waiting, so its
    // quit ends the loop after the input queued so far.
    do {
        const UINT_PTR timer = SetTimer(nullptr, 0, 1, QuitOnTimer);
        EXPECT_EQ(RunMessageLoop(), 0);
        KillTimer(nullptr, timer);
    } while (HIWORD(GetQueueStatus(QS_INPUT)) != 0);
    EXPECT_TRUE(devengine::RunPending());
}

std::wstring ShowableText(const std::wstring& text) {
    static const bool onWine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    if (!onWine) return text;
    std::wstring showable;
    for (const wchar_t c : text) {
        WORD type = 0;
        if (c >= 0x0590 && c <= 0x08FF && GetStringTypeW(CT_CTYPE3, &c, 1, &type) && (type & C3_NONSPACING) != 0) {
            continue;
        }
        showable += c;
    }
    return showable;
}

uint32_t TestSeed(uint32_t fallback) {
    const char* text = std::getenv("VELQUIN_RELIABILITY_SEED");
    return text != nullptr && *text != '\0' ? static_cast<uint32_t>(std::strtoul(text, nullptr, 0)) : fallback;
}

uint64_t Random::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

std::vector<std::wstring> EngineLogFollower::NewLines() {
    std::vector<std::wstring> log = devengine::EngineLog();
    if (log.size() < seen_) seen_ = 0;  // the engine was reset
    std::vector<std::wstring> lines(log.begin() + static_cast<std::ptrdiff_t>(seen_), log.end());
    seen_ = log.size();
    return lines;
}

bool ParseViewEvent(const std::wstring& line, const std::wstring& event, int* viewId, std::wstring* text) {
    const std::wstring prefix = L"view ";
    const std::wstring marker = L" event " + event + L" ";
    if (line.compare(0, prefix.size(), prefix) != 0) return false;
    const size_t markerAt = line.find(marker, prefix.size());
    if (markerAt == std::wstring::npos) return false;
    const std::wstring id = line.substr(prefix.size(), markerAt - prefix.size());
    if (id.empty() || id.find_first_not_of(L"0123456789") != std::wstring::npos) return false;
    *viewId = std::stoi(id);
    *text = line.substr(markerAt + marker.size());
    return true;
}
