// The small rules behind the address bar, tab captions, the History report,
// the New Tab page and the profile folder.
#include "core/History.h"
#include "core/NewTabPage.h"
#include "core/TabTitles.h"
#include "core/Tabs.h"
#include "shell/Startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(AddressForDisplay, DataUrlsShowTheInternalAddress) {
    EXPECT_EQ(AddressForDisplay(L"https://a.b/"), L"https://a.b/");
    EXPECT_EQ(AddressForDisplay(L"data:text/html;charset=utf-8;base64,PGh0bWw+"), L"browser://newtab");
    // Only at the start: a web page cannot pass for the New Tab page by
    // carrying the text elsewhere in its address.
    EXPECT_EQ(AddressForDisplay(L"https://a.b/?u=data:text/html"), L"https://a.b/?u=data:text/html");
    EXPECT_EQ(AddressForDisplay(L"https://evil.example/login#data:text/html"),
              L"https://evil.example/login#data:text/html");
    // The search is case-sensitive.
    EXPECT_EQ(AddressForDisplay(L"DATA:TEXT/HTML,x"), L"DATA:TEXT/HTML,x");
    EXPECT_EQ(AddressForDisplay(L"data:text/plain,x"), L"data:text/plain,x");
}

TEST(CaptionForTitle, ReplacesEmptyDataAndOverlongTitles) {
    EXPECT_EQ(CaptionForTitle(L"Example"), L"Example");
    EXPECT_EQ(CaptionForTitle(L""), L"New Tab");
    EXPECT_EQ(CaptionForTitle(L"x data:text/html y"), L"New Tab");
    EXPECT_EQ(CaptionForTitle(L"https://a.b/"), L"https://a.b/");
    EXPECT_EQ(CaptionForTitle(L"A & B"), L"A & B");
    EXPECT_EQ(CaptionForTitle(L"  padded  "), L"  padded  ");

    const std::wstring hundred(100, L'x');
    EXPECT_EQ(CaptionForTitle(hundred), hundred);
    EXPECT_EQ(CaptionForTitle(hundred + L"x"), L"New Tab");
    // Lengths count UTF-16 code units: 50 surrogate pairs are 100 units.
    std::wstring pairs;
    for (int i = 0; i < 50; ++i) pairs += L"\xD83D\xDE00";
    EXPECT_EQ(CaptionForTitle(pairs), pairs);
    EXPECT_EQ(CaptionForTitle(pairs + L"a"), L"New Tab");
}

TEST(HistoryText, EachEntryOnItsOwnLine) {
    EXPECT_EQ(HistoryText({}), L"No history.");
    EXPECT_EQ(HistoryText({L"a", L"b"}), L"a\nb\n");
    EXPECT_EQ(HistoryText({L"a", L"a"}), L"a\na\n");
    EXPECT_EQ(HistoryText({L""}), L"\n");
}

TEST(HistoryText, LargeHistoryKeepsEveryEntryInOrder) {
    std::vector<std::wstring> history;
    for (int i = 0; i < 100000; ++i) history.push_back(L"https://site/" + std::to_wstring(i));
    const std::wstring text = HistoryText(history);
    size_t pos = 0;
    for (const std::wstring& entry : history) {
        ASSERT_EQ(text.compare(pos, entry.size(), entry), 0);
        pos += entry.size();
        ASSERT_EQ(text[pos], L'\n');
        ++pos;
    }
    EXPECT_EQ(pos, text.size());
}

TEST(NewTabPage, PageTextAndItsMessage) {
    const std::wstring html = NewTabPageHtml;
    EXPECT_EQ(html.size(), 849u);
    EXPECT_EQ(html.rfind(L"<html><head><title>New Tab</title>", 0), 0u);
    EXPECT_NE(html.find(L"window.chrome.webview.postMessage(\"focus_url\")"), std::wstring::npos);
    EXPECT_NE(html.find(L">Search Google...</div></body></html>"), std::wstring::npos);
    EXPECT_EQ(html.find(L'\n'), std::wstring::npos);
    for (wchar_t c : html) ASSERT_LT(c, 0x80) << "the page is pure ASCII";

    EXPECT_TRUE(IsFocusAddressBarMessage(L"focus_url"));
    EXPECT_FALSE(IsFocusAddressBarMessage(L"focus_url "));
    EXPECT_FALSE(IsFocusAddressBarMessage(L"FOCUS_URL"));
    EXPECT_FALSE(IsFocusAddressBarMessage(L"\"focus_url\""));
    EXPECT_FALSE(IsFocusAddressBarMessage(L""));
}

TEST(UserDataFolderFor, FolderBesideTheExecutable) {
    EXPECT_EQ(UserDataFolderFor(L"C:\\Tools\\Web\\app.exe"), L"C:\\Tools\\Web\\Browser_Data");
    EXPECT_EQ(UserDataFolderFor(L"C:/Tools/Web/app.exe"), L"C:/Tools/Web\\Browser_Data");
    EXPECT_EQ(UserDataFolderFor(L"C:\\Tools/Web\\app.exe"), L"C:\\Tools/Web\\Browser_Data");
    EXPECT_EQ(UserDataFolderFor(L"C:/Tools\\Web/app.exe"), L"C:/Tools\\Web\\Browser_Data");
    EXPECT_EQ(UserDataFolderFor(L"app.exe"), L"app.exe\\Browser_Data");
}

TEST(ExecutablePath, WholePathOfTheRunningProgram) {
    const std::wstring path = ExecutablePath();
    ASSERT_GT(path.size(), 4u);
    EXPECT_EQ(path.find(L'\0'), std::wstring::npos);
    wchar_t shortBuffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, shortBuffer, MAX_PATH);
    if (length < MAX_PATH) {
        EXPECT_EQ(path, std::wstring(shortBuffer, length));
    }
    EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
