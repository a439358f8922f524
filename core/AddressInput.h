// What text typed into the address bar means: nothing, the built-in New Tab
// page, a web address, or a web search.
#pragma once

#include <windows.h>

#include <string>

// The web search's query address; the encoded search terms follow it.
extern const wchar_t kSearchPrefix[];

// The address bar holds at most this many UTF-16 code units when it is read.
constexpr int kAddressBufferSize = 2048;

enum class AddressAction { Nothing, ShowNewTabPage, Navigate };

struct AddressResolution {
    AddressAction action = AddressAction::Nothing;
    std::wstring targetUrl;  // set for Navigate
};

// True when the text contains "://", or has no blank and at least one dot.
bool LooksLikeUrl(const std::wstring& input);

// Encodes search terms as a form value: UTF-8, unreserved ASCII kept, blanks
// as "+", every other byte as %XX. An unpaired surrogate becomes U+FFFD.
std::wstring EncodeSearchTerms(const std::wstring& input);

// Decides what `input` means; touches nothing.
AddressResolution ResolveAddressInput(const std::wstring& input);

// The address bar's text as resolution sees it: at most
// kAddressBufferSize - 1 UTF-16 units.
std::wstring ReadAddressBarText(HWND addressBar);

// Resolves `input` and, when there is a current tab, navigates it.
void NavigateFromAddressInput(const std::wstring& input);
