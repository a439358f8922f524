#include "TestPages.h"

#include <windows.h>

#include <cwctype>

namespace {

std::string Utf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], size, nullptr, nullptr);
    }
    return utf8;
}

// The temporary folder with long names (a runner's may be given as RUNNER~1),
// without the trailing backslash.
std::wstring TemporaryFolder() {
    wchar_t shortPath[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH + 1, shortPath) == 0) return std::wstring();
    std::wstring path(32768, L'\0');
    const DWORD length = GetLongPathNameW(shortPath, &path[0], static_cast<DWORD>(path.size()));
    path = length > 0 && length < path.size() ? path.substr(0, length) : std::wstring(shortPath);
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

bool WriteWholeFile(const std::wstring& path, const std::string& content) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                    written == content.size();
    CloseHandle(file);
    return ok;
}

}  // namespace

TestPages::TestPages() {
    const std::wstring temporary = TemporaryFolder();
    // Numbered too: two made in the same tick get folders of their own.
    static unsigned made = 0;
    folder_ = temporary + L"\\velquin-acceptance-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++made);
    if (temporary.empty() || !CreateDirectoryW(folder_.c_str(), nullptr)) {
        error_ = L"cannot create the pages' folder " + folder_;
        folder_.clear();
    }
}

TestPages::~TestPages() {
    if (folder_.empty()) return;
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                DeleteFileW((folder_ + L"\\" + found.cFileName).c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder_.c_str());
}

std::wstring TestPages::Write(const std::wstring& name, const std::wstring& title, const std::wstring& head,
                              const std::wstring& body) {
    if (folder_.empty()) return std::wstring();
    const std::wstring path = folder_ + L"\\" + name + L".html";
    const std::wstring html = L"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title + L"</title>" +
                              head + L"</head>\n<body><h1>" + title + L"</h1><p>A page of the acceptance suite.</p>" +
                              body + L"</body></html>\n";
    return WriteWholeFile(path, Utf8(html)) ? FileAddress(path) : std::wstring();
}

bool TestPages::WriteBytes(const std::wstring& name, const std::string& bytes) {
    return !folder_.empty() && WriteWholeFile(folder_ + L"\\" + name, bytes);
}

std::wstring FileAddress(const std::wstring& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::wstring address = L"file:///";
    for (const char c : Utf8(path)) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            address += L'/';
        } else if (byte <= 0x20 || byte >= 0x7F || c == '"' || c == '<' || c == '>' || c == '`' || c == '#' ||
                   c == '%' || c == '?') {
            address += L'%';
            address += static_cast<wchar_t>(kHex[byte >> 4]);
            address += static_cast<wchar_t>(kHex[byte & 0x0F]);
        } else {
            address += static_cast<wchar_t>(byte);
        }
    }
    // The drive letter in upper case.
    if (address.size() > 9 && address[9] == L':') address[8] = static_cast<wchar_t>(towupper(address[8]));
    return address;
}
