// The icon on each tab: its page's own icon (asked of the engine when the page
// reports a change, decoded and scaled to the small-icon size), Velquin's icon
// for the New Tab page, a plain page where there is none, and a speaker while
// the page plays sound (crossed while it is muted). The icon is chosen again
// from the engine's state each time; a tab keeps only its own image.
// An engine without icons or sound leaves those parts out quietly.
#pragma once

#include "core/Tabs.h"

#include <windows.h>

#include <commctrl.h>

// The fixed images at the start of the strip's image list; the tabs' own
// images come after them.
enum FixedTabImage {
    kPlainPageImage = 0,
    kNewTabPageImage,
    kSoundImage,
    kMutedSoundImage,
    kFixedTabImageCount
};

// Creates the strip's image list with the fixed images and gives it to the
// strip. Called once, when the strip is made.
void CreateTabImages(HWND tabStrip);

// Destroys the image list (after the strip is gone or has let it go).
void DestroyTabImages();

// The strip's image list; null before CreateTabImages.
HIMAGELIST TabImages();

// Registers the icon and sound events on a new tab's web view.
void RegisterTabIconHandlers(BrowserTab& tab);

// Tab `index` shows a new document: the previous page's icon goes at once,
// its answers still on the way are not shown, and the page's icon is asked
// for again (the engine tells of no change when the icon is the same).
void OnTabNewDocument(int index);

// Shows the icon tab `index` should show now (its page's address, sound or
// icon changed).
void RefreshTabIcon(int index);

// Decodes a PNG (or any image the imaging component reads) of at most
// kMaxIconBytes into a 32-bit premultiplied bitmap of size x size, or null.
// Images larger than kMaxIconSide on a side are refused.
constexpr ULONGLONG kMaxIconBytes = 1024 * 1024;
constexpr UINT kMaxIconSide = 1024;
HBITMAP DecodeIconImage(IStream* stream, int size);
