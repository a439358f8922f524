#include "AcceptanceFixture.h"

#include "RemoteWindows.h"
#include "UserInput.h"

#include <cstdio>

const wchar_t kNewTabCaption[] = L"New Tab";
const wchar_t kNewTabAddress[] = L"browser://newtab";

namespace {

std::wstring Joined(const std::vector<std::wstring>& items) {
    std::wstring text;
    for (const std::wstring& item : items) text += (text.empty() ? L"[" : L", [") + item + L"]";
    return text.empty() ? L"(none)" : text;
}

}  // namespace

testing::AssertionResult Result(bool ok, const std::wstring& failure) {
    if (ok) return testing::AssertionSuccess();
    return testing::AssertionFailure() << failure;
}

void PrintFigure(const char* what, double milliseconds) {
    std::printf("[ FIGURE   ] %s: %.0f ms\n", what, milliseconds);
    std::fflush(stdout);
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (const wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

void Acceptance::SetUp() {
    if (g_engineRuntimeAbsent) GTEST_SKIP() << "needs an engine that starts";
    ASSERT_TRUE(pages_.Error().empty()) << Narrow(pages_.Error());
    browser_.reset(new BrowserUnderTest());
    ASSERT_TRUE(browser_->Error().empty()) << Narrow(browser_->Error());
}

void Acceptance::TearDown() {
    if (browser_ && HasFailure()) {
        std::printf("  the browser showed: tabs %s, selected %d, address [%s]\n",
                    Narrow(Joined(Browser().TabCaptions())).c_str(), Browser().SelectedTab(),
                    Narrow(Browser().AddressText()).c_str());
    }
    browser_.reset();
}

std::wstring Acceptance::Page(const std::wstring& name, const std::wstring& title, const std::wstring& head,
                              const std::wstring& body) {
    const std::wstring address = pages_.Write(name, title, head, body);
    EXPECT_FALSE(address.empty()) << "cannot write page " << Narrow(name);
    return address;
}

testing::AssertionResult Acceptance::PageFile(const std::wstring& name, const std::string& bytes) {
    return Result(!bytes.empty() && pages_.WriteBytes(name, bytes), L"cannot write file " + name);
}

testing::AssertionResult Acceptance::WaitForNewTabPage(DWORD timeoutMs) {
    const bool shown = WaitClosely([this] { return ShowsNewTabPage(1, 0); }, timeoutMs);
    return Result(shown, L"no New Tab page: " + State());
}

bool Acceptance::ShowsNewTabPage(size_t tabs, int current) {
    const std::vector<std::wstring> captions = Browser().TabCaptions();
    return captions.size() == tabs && Browser().SelectedTab() == current && captions[current] == kNewTabCaption &&
           Browser().AddressText() == kNewTabAddress;
}

std::wstring Acceptance::State() {
    return L"tabs " + Joined(Browser().TabCaptions()) + L", selected " + std::to_wstring(Browser().SelectedTab()) +
           L", address [" + Browser().AddressText() + L"]";
}

testing::AssertionResult Acceptance::Click(const std::wstring& label) {
    // "Reload" reads "Stop" while the page loads: wait for the label, as a person would.
    HWND button = nullptr;
    WaitUntil([&] { return (button = Browser().Button(label)) != nullptr; });
    if (!BringToFront(Browser().Window())) return Result(false, L"cannot bring the browser to the front");
    return Result(ClickWindow(button), L"cannot click " + label);
}

testing::AssertionResult Acceptance::OpenTab() {
    const size_t count = Browser().TabCaptions().size();
    const testing::AssertionResult clicked = Click(L"+");
    if (!clicked) return clicked;
    return Result(WaitUntil([&] { return ShowsNewTabPage(count + 1, static_cast<int>(count)); }),
                  L"\"+\" showed no new tab on the New Tab page: " + State());
}

testing::AssertionResult Acceptance::ClickTab(int index) {
    const RECT item = Browser().TabRect(index);
    if (IsRectEmpty(&item)) return Result(false, L"no tab " + std::to_wstring(index) + L" to click");
    if (!BringToFront(Browser().Window())) return Result(false, L"cannot bring the browser to the front");
    const bool clicked = ClickAt(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    return Result(clicked && WaitUntil([&] { return Browser().SelectedTab() == index; }),
                  L"a click on tab " + std::to_wstring(index) + L" did not select it: " + State());
}

testing::AssertionResult Acceptance::FocusAddressBar() {
    if (!BringToFront(Browser().Window())) return Result(false, L"cannot bring the browser to the front");
    if (!ClickWindow(Browser().AddressBar())) return Result(false, L"cannot click the address bar");
    return Result(WaitUntil([this] { return Browser().Focus() == Browser().AddressBar(); }),
                  L"a click on the address bar left the focus on a " + ClassOf(Browser().Focus()) + L" window");
}

testing::AssertionResult Acceptance::TypeAddress(const std::wstring& text) {
    const testing::AssertionResult focused = FocusAddressBar();
    if (!focused) return focused;
    if (!PressKeys({VK_END}) || !PressKeys({VK_SHIFT, VK_HOME}) || !PressKeys({VK_DELETE}) || !TypeText(text)) {
        return Result(false, L"cannot type into the address bar");
    }
    return Result(WaitUntil([&] { return Browser().AddressText() == text; }),
                  L"the address bar shows [" + Browser().AddressText() + L"] after typing [" + text + L"]");
}

testing::AssertionResult Acceptance::WaitForPage(const std::wstring& title, const std::wstring& address) {
    return Result(WaitUntil([&] { return Shows(title, address); }),
                  L"expected [" + title + L"] at [" + address + L"]; " + State());
}

bool Acceptance::Shows(const std::wstring& title, const std::wstring& address) {
    const std::vector<std::wstring> captions = Browser().TabCaptions();
    const int current = Browser().SelectedTab();
    return current >= 0 && static_cast<size_t>(current) < captions.size() && captions[current] == title &&
           Browser().AddressText() == address;
}

testing::AssertionResult Acceptance::Visit(const std::wstring& title, const std::wstring& address) {
    const testing::AssertionResult typed = TypeAddress(address);
    if (!typed) return typed;
    if (!PressKeys({VK_RETURN})) return Result(false, L"cannot press Enter");
    return WaitForPage(title, address);
}

testing::AssertionResult Acceptance::StartOnTwoPages(const std::wstring& name, std::wstring* first,
                                                     std::wstring* second) {
    *first = Page(name + L"-one", L"Acceptance " + name + L" one");
    *second = Page(name + L"-two", L"Acceptance " + name + L" two");
    testing::AssertionResult done = WaitForNewTabPage();
    if (done) done = Visit(L"Acceptance " + name + L" one", *first);
    if (done) done = Visit(L"Acceptance " + name + L" two", *second);
    return done;
}

testing::AssertionResult Acceptance::WaitForTabCount(size_t count) {
    return Result(WaitUntil([&] { return Browser().TabCaptions().size() == count; }),
                  L"expected " + std::to_wstring(count) + L" tabs; " + State());
}

testing::AssertionResult Acceptance::WaitForMessageBox(const std::wstring& caption, HWND* box) {
    *box = nullptr;
    const bool shown = WaitUntil([&] { return (*box = Browser().MessageBoxCaptioned(caption)) != nullptr; });
    return Result(shown, L"no message box captioned " + caption);
}

testing::AssertionResult Acceptance::DismissMessageBox(HWND box) {
    if (!ClickWindow(DialogButton(box, L"OK"))) return Result(false, L"cannot click the box's OK button");
    return Result(WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }),
                  L"the message box stayed after OK");
}
