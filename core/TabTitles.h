// Tab captions follow their documents' titles.
#pragma once

#include "engine/WebViewInterfaces.h"

#include <string>

// Titles longer than this many UTF-16 code units are not shown.
constexpr size_t kMaxCaptionLength = 100;

// The caption for a document title: the title, or "New Tab" when it is
// empty, names a data URL or is too long.
std::wstring CaptionForTitle(const std::wstring& title);

// Sets the caption of tab `index` from its document's title. A failed title
// request leaves the caption as it is.
void UpdateTabTitle(int index);

HRESULT OnDocumentTitleChanged(ICoreWebView2* sender, IUnknown* args);
