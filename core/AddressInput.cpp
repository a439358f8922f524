#include "core/AddressInput.h"

#include "core/NewTabPage.h"
#include "core/Tabs.h"

const wchar_t kSearchPrefix[] = L"https://www.google.com/search?q=";

namespace {

const wchar_t kSchemeSeparator[] = L"://";
const wchar_t kDefaultScheme[] = L"https://";

bool IsUnreserved(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.' || c == '~';
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Reads the code point at `pos` and advances past it.
char32_t NextCodePoint(const std::wstring& text, size_t& pos) {
    const wchar_t unit = text[pos++];
    if (IsHighSurrogate(unit) && pos < text.size() && IsLowSurrogate(text[pos])) {
        const wchar_t low = text[pos++];
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
    }
    if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) return 0xFFFD;
    return unit;
}

void AppendPercentByte(std::wstring& out, unsigned byte) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    out += L'%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

void AppendPercentUtf8(std::wstring& out, char32_t c) {
    if (c < 0x80) {
        AppendPercentByte(out, c);
    } else if (c < 0x800) {
        AppendPercentByte(out, 0xC0 | (c >> 6));
        AppendPercentByte(out, 0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        AppendPercentByte(out, 0xE0 | (c >> 12));
        AppendPercentByte(out, 0x80 | ((c >> 6) & 0x3F));
        AppendPercentByte(out, 0x80 | (c & 0x3F));
    } else {
        AppendPercentByte(out, 0xF0 | (c >> 18));
        AppendPercentByte(out, 0x80 | ((c >> 12) & 0x3F));
        AppendPercentByte(out, 0x80 | ((c >> 6) & 0x3F));
        AppendPercentByte(out, 0x80 | (c & 0x3F));
    }
}

}  // namespace

bool LooksLikeUrl(const std::wstring& input) {
    if (input.find(kSchemeSeparator) != std::wstring::npos) return true;
    return input.find(L' ') == std::wstring::npos && input.find(L'.') != std::wstring::npos;
}

std::wstring EncodeSearchTerms(const std::wstring& input) {
    std::wstring encoded;
    encoded.reserve(input.size() * 3);
    size_t pos = 0;
    while (pos < input.size()) {
        const char32_t c = NextCodePoint(input, pos);
        if (c == U' ') {
            encoded += L'+';
        } else if (IsUnreserved(c)) {
            encoded += static_cast<wchar_t>(c);
        } else {
            AppendPercentUtf8(encoded, c);
        }
    }
    return encoded;
}

AddressResolution ResolveAddressInput(const std::wstring& input) {
    AddressResolution resolution;
    if (input.empty()) return resolution;
    if (input == kNewTabAddress) {
        resolution.action = AddressAction::ShowNewTabPage;
        return resolution;
    }
    resolution.action = AddressAction::Navigate;
    if (LooksLikeUrl(input)) {
        const bool hasScheme = input.find(kSchemeSeparator) != std::wstring::npos;
        resolution.targetUrl = hasScheme ? input : kDefaultScheme + input;
    } else {
        resolution.targetUrl = kSearchPrefix + EncodeSearchTerms(input);
    }
    return resolution;
}

std::wstring ReadAddressBarText(HWND addressBar) {
    wchar_t buffer[kAddressBufferSize];
    const int length = GetWindowTextW(addressBar, buffer, kAddressBufferSize);
    return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

void NavigateFromAddressInput(const std::wstring& input) {
    const AddressResolution resolution = ResolveAddressInput(input);
    ICoreWebView2* webview = CurrentWebView();
    if (webview == nullptr) return;
    switch (resolution.action) {
        case AddressAction::ShowNewTabPage:
            webview->NavigateToString(NewTabPageHtml);
            break;
        case AddressAction::Navigate:
            webview->Navigate(resolution.targetUrl.c_str());
            break;
        case AddressAction::Nothing:
            break;
    }
}
