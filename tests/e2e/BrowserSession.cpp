#include "BrowserSession.h"

#include "Polling.h"
#include "RemoteWindows.h"
#include "XInput.h"

#include <algorithm>
#include <iostream>

namespace {

const wchar_t kPageWindowClass[] = L"VelquinDevEnginePage";
const size_t kLogLinesShownOnFailure = 40;
const size_t kLogLineWidthShown = 160;

testing::AssertionResult Result(bool ok, const std::wstring& failure) {
    if (ok) return testing::AssertionSuccess();
    return testing::AssertionFailure() << failure;
}

}  // namespace

std::wstring ViewLine(int viewId, const std::wstring& event) {
    return L"view " + std::to_wstring(viewId) + L" " + event;
}

void BrowserSession::TearDown() {
    if (browser_ && HasFailure()) {
        const std::vector<std::wstring> log = Log();
        const size_t first = log.size() > kLogLinesShownOnFailure ? log.size() - kLogLinesShownOnFailure : 0;
        std::wcout << L"Engine log, last lines:\n";
        for (size_t i = first; i < log.size(); ++i) std::wcout << L"  " << log[i].substr(0, kLogLineWidthShown) << L"\n";
        std::wcout.flush();
    }
    browser_.reset();
}

testing::AssertionResult BrowserSession::Launch(const LaunchOptions& options) {
    browser_.reset(new BrowserProcess(options));
    return Result(browser_->Error().empty(), L"launch: " + browser_->Error());
}

testing::AssertionResult BrowserSession::WaitForFirstTab() {
    const testing::AssertionResult shown = WaitForLogLine(ViewLine(1, L"event DocumentTitleChanged New Tab"));
    if (!shown) return shown;
    RememberNewPage(1);
    return WaitForTabCount(1);
}

testing::AssertionResult BrowserSession::OpenTab() {
    const int view = lastView_ + 1;
    const int count = CountTabs();
    const testing::AssertionResult clicked = Click(ID_NEW_TAB);
    if (!clicked) return clicked;
    const testing::AssertionResult shown = WaitForLogLine(ViewLine(view, L"event DocumentTitleChanged New Tab"));
    if (!shown) return shown;
    RememberNewPage(view);
    return WaitForTabCount(count + 1);
}

testing::AssertionResult BrowserSession::Click(int controlId) {
    return Result(ClickWindow(Control(controlId)), L"could not click control " + std::to_wstring(controlId));
}

testing::AssertionResult BrowserSession::ClickTab(int index) {
    const RECT item = TabItemScreenRect(browser_->Process(), Control(ID_TAB_CONTROL), index);
    if (IsRectEmpty(&item)) return Result(false, L"no tab " + std::to_wstring(index) + L" to click");
    return Result(ClickAt(CentreOf(item)), L"could not click tab " + std::to_wstring(index));
}

testing::AssertionResult BrowserSession::TypeIntoAddressBar(const std::wstring& text) {
    const testing::AssertionResult clicked = Click(ID_ADDRESS_BAR);
    if (!clicked) return clicked;
    const testing::AssertionResult focused = WaitForFocus(Control(ID_ADDRESS_BAR));
    if (!focused) return focused;
    if (!PressKeys(L"End shift+Home BackSpace") || (!text.empty() && !TypeText(text))) {
        return Result(false, L"could not type into the address bar");
    }
    return WaitForAddressText(text);
}

testing::AssertionResult BrowserSession::NavigateByTyping(int viewId, const std::wstring& text,
                                                          const std::wstring& url) {
    const testing::AssertionResult typed = TypeIntoAddressBar(text);
    if (!typed) return typed;
    if (!PressKeys(L"Return")) return Result(false, L"could not press Enter");
    const testing::AssertionResult navigated = WaitForLogLine(ViewLine(viewId, L"Navigate " + url));
    if (!navigated) return navigated;
    return WaitForAddressText(url);
}

testing::AssertionResult BrowserSession::WaitForLogLine(const std::wstring& line) {
    return Result(WaitUntil([&] { return LogCount(line) > 0; }), L"the engine log never showed: " + line);
}

testing::AssertionResult BrowserSession::WaitForTabCount(int count) {
    return Result(WaitUntil([&] { return CountTabs() == count; }),
                  L"expected " + std::to_wstring(count) + L" tabs, the strip has " + std::to_wstring(CountTabs()));
}

testing::AssertionResult BrowserSession::WaitForAddressText(const std::wstring& text) {
    return Result(WaitUntil([&] { return AddressText() == text; }),
                  L"the address bar shows [" + AddressText() + L"], not [" + text + L"]");
}

testing::AssertionResult BrowserSession::WaitForFocus(HWND window) {
    return Result(WaitUntil([&] { return Focus() == window; }),
                  L"the focus is on a " + ClassOf(Focus()) + L" window, not on the expected " + ClassOf(window));
}

testing::AssertionResult BrowserSession::WaitForMessageBox(const std::wstring& caption, HWND* box) {
    *box = nullptr;
    const bool shown = WaitUntil([&] {
        for (HWND dialog : DialogBoxes(browser_->Id())) {
            if (TextOf(dialog) == caption) *box = dialog;
        }
        return *box != nullptr;
    });
    return Result(shown, L"no message box captioned " + caption);
}

testing::AssertionResult BrowserSession::DismissMessageBox(HWND box) {
    if (!ClickWindow(DialogButton(box, L"OK"))) return Result(false, L"could not click the box's OK button");
    return Result(WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }),
                  L"the message box stayed after OK was clicked; dialog boxes open: " +
                      std::to_wstring(DialogBoxes(browser_->Id()).size()));
}

testing::AssertionResult BrowserSession::CloseWindowAndExpectExitCode0() {
    PostMessageW(Window(), WM_CLOSE, 0, 0);
    return ExpectExitCode0();
}

testing::AssertionResult BrowserSession::ExpectExitCode0() {
    DWORD exitCode = 0;
    if (!browser_->WaitForExit(kStepTimeoutMs, &exitCode)) return Result(false, L"the browser did not end");
    return Result(exitCode == 0, L"the browser ended with exit code " + std::to_wstring(exitCode));
}

std::wstring BrowserSession::AddressText() const { return TextOf(Control(ID_ADDRESS_BAR)); }

int BrowserSession::CountTabs() const { return TabCount(Control(ID_TAB_CONTROL)); }

int BrowserSession::CurrentTabIndex() const { return SelectedTab(Control(ID_TAB_CONTROL)); }

std::vector<std::wstring> BrowserSession::Captions() const {
    return TabCaptions(browser_->Process(), Control(ID_TAB_CONTROL));
}

HWND BrowserSession::Focus() const { return FocusedWindowOfThread(Window()); }

size_t BrowserSession::LogCount(const std::wstring& line) const {
    const std::vector<std::wstring> log = Log();
    return static_cast<size_t>(std::count(log.begin(), log.end(), line));
}

std::vector<std::wstring> BrowserSession::LogLinesStartingWith(const std::wstring& prefix) const {
    std::vector<std::wstring> lines;
    for (const std::wstring& line : Log()) {
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
    }
    return lines;
}

HWND BrowserSession::PageOf(int viewId) const {
    const auto page = pages_.find(viewId);
    return page == pages_.end() ? nullptr : page->second;
}

std::vector<int> BrowserSession::VisibleViews() const {
    std::vector<int> views;
    for (const auto& page : pages_) {
        if (IsWindow(page.second) && IsWindowVisible(page.second)) views.push_back(page.first);
    }
    return views;
}

void BrowserSession::RememberNewPage(int viewId) {
    lastView_ = std::max(lastView_, viewId);
    for (HWND page : ChildrenOfClass(Window(), kPageWindowClass)) {
        const bool known = std::any_of(pages_.begin(), pages_.end(),
                                       [page](const std::pair<const int, HWND>& entry) { return entry.second == page; });
        if (!known) pages_[viewId] = page;
    }
}
