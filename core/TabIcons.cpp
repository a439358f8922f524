#include "core/TabIcons.h"

#include "core/EngineString.h"
#include "core/WindowHandles.h"
#include "engine/Handler.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <string>
#include <utility>

using Microsoft::WRL::ComPtr;

namespace {

HIMAGELIST g_tabImages = nullptr;

int SmallIconSize() {
    const int size = GetSystemMetrics(SM_CXSMICON);
    return size > 0 ? size : 16;
}

// A top-down 32-bit bitmap of size x size; its pixels at *bits.
HBITMAP CreateIconBitmap(int size, void** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    *bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// The drawings of the fixed images, on a background of kClear.
const COLORREF kClear = RGB(255, 0, 255);
enum class Drawing { PlainPage, Speaker, MutedSpeaker };

void DrawSpeaker(HDC dc, int s) {
    HBRUSH dark = CreateSolidBrush(RGB(40, 40, 40));
    HGDIOBJ oldBrush = SelectObject(dc, dark);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const POINT body[] = {{s * 1 / 16, s * 6 / 16}, {s * 4 / 16, s * 6 / 16}, {s * 8 / 16, s * 2 / 16},
                          {s * 8 / 16, s * 14 / 16}, {s * 4 / 16, s * 10 / 16}, {s * 1 / 16, s * 10 / 16}};
    Polygon(dc, body, static_cast<int>(sizeof(body) / sizeof(body[0])));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(dark);
}

void DrawFixed(HDC dc, int s, Drawing drawing) {
    RECT all = {0, 0, s, s};
    HBRUSH clear = CreateSolidBrush(kClear);
    FillRect(dc, &all, clear);
    DeleteObject(clear);
    if (drawing == Drawing::PlainPage) {
        // A sheet with a few lines of text.
        HPEN border = CreatePen(PS_SOLID, 1, RGB(110, 110, 110));
        HGDIOBJ oldPen = SelectObject(dc, border);
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
        Rectangle(dc, s * 3 / 16, s / 16, s * 13 / 16, s * 15 / 16);
        for (int y = s * 5 / 16; y < s * 13 / 16; y += s * 3 / 16) {
            MoveToEx(dc, s * 5 / 16, y, nullptr);
            LineTo(dc, s * 11 / 16, y);
        }
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(border);
        return;
    }
    DrawSpeaker(dc, s);
    const bool muted = drawing == Drawing::MutedSpeaker;
    HPEN pen = CreatePen(PS_SOLID, s >= 24 ? 2 : 1, muted ? RGB(200, 0, 0) : RGB(40, 40, 40));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    if (muted) {
        // A cross right of the speaker.
        MoveToEx(dc, s * 11 / 16, s * 5 / 16, nullptr);
        LineTo(dc, s * 15 / 16, s * 11 / 16);
        MoveToEx(dc, s * 15 / 16, s * 5 / 16, nullptr);
        LineTo(dc, s * 11 / 16, s * 11 / 16);
    } else {
        // Two sound waves: the right-hand halves of circles around the cone's
        // mouth, drawn counterclockwise from below to above.
        for (const int radius : {s * 3 / 16, s * 6 / 16}) {
            const int x = s * 8 / 16;
            const int y = s * 8 / 16;
            Arc(dc, x - radius, y - radius, x + radius + 1, y + radius + 1, x, y + radius, x, y - radius);
        }
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// Adds one fixed drawing to the list: the background clear, the rest opaque.
void AddFixed(HIMAGELIST images, int size, Drawing drawing) {
    void* bits = nullptr;
    HBITMAP bitmap = CreateIconBitmap(size, &bits);
    if (bitmap == nullptr) {
        ImageList_SetImageCount(images, static_cast<UINT>(ImageList_GetImageCount(images) + 1));
        return;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DrawFixed(dc, size, drawing);
    GdiFlush();
    auto* pixel = static_cast<DWORD*>(bits);
    for (int i = 0; i < size * size; ++i) {
        const DWORD rgb = pixel[i] & 0x00FFFFFF;  // kClear reads the same in the DIB's blue-green-red order
        pixel[i] = rgb == 0x00FF00FF ? 0 : (rgb | 0xFF000000);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_Add(images, bitmap, nullptr);
    DeleteObject(bitmap);
}

void AddOwnIcon(HIMAGELIST images, int size) {
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, size, size, 0));
    // A program without the icon (a test) shows the plain page there instead.
    if (icon == nullptr || ImageList_AddIcon(images, icon) < 0) AddFixed(images, size, Drawing::PlainPage);
    if (icon != nullptr) DestroyIcon(icon);
}

bool IsPlayingAudio(ICoreWebView2* webview, bool* muted) {
    ComPtr<ICoreWebView2_8> sound;
    BOOL playing = FALSE;
    BOOL isMuted = FALSE;
    if (webview == nullptr || FAILED(webview->QueryInterface(IID_PPV_ARGS(&sound)))) return false;
    if (FAILED(sound->get_IsDocumentPlayingAudio(&playing)) || !playing) return false;
    *muted = SUCCEEDED(sound->get_IsMuted(&isMuted)) && isMuted;
    return true;
}

bool ShowsNewTabPage(ICoreWebView2* webview) {
    EngineString source;
    return webview != nullptr && SUCCEEDED(webview->get_Source(source.Out())) && !source.IsNull() &&
           IsNewTabPageSource(source.Copy());
}

int ImageFor(const BrowserTab& tab) {
    bool muted = false;
    if (IsPlayingAudio(tab.webview.Get(), &muted)) return muted ? kMutedSoundImage : kSoundImage;
    if (ShowsNewTabPage(tab.webview.Get())) return kNewTabPageImage;
    return tab.iconImage >= 0 ? tab.iconImage : kPlainPageImage;
}

std::wstring FaviconUriOf(ICoreWebView2_15* webview) {
    EngineString uri;
    if (FAILED(webview->get_FaviconUri(uri.Out()))) return std::wstring();
    return uri.Copy();
}

// The side of the list's images (the small-icon size when it was made).
int TabImageSide() {
    int width = 0;
    int height = 0;
    return g_tabImages != nullptr && ImageList_GetIconSize(g_tabImages, &width, &height) ? width : SmallIconSize();
}

// Icon requests are numbered across all tabs, so that an answer can tell
// whether a later request or a new page has overtaken it.
UINT64 g_iconRequests = 0;

// Tab `index`'s icon is gone (none, or one that cannot be had): it shows the
// plain page until a later request brings one, and no answer asked for up to
// request `upTo` shows any more.
void ForgetIcon(int index, UINT64 upTo) {
    if (!IsTabIndex(index)) return;
    g_tabs[index].iconAnswersAfter = upTo;
    DropTabIconImage(index);
    RefreshTabIcon(index);
}

// Request `request` for `page`'s icon was answered. It shows unless the tab
// closed, or a later request's answer or a new page came first. An answer
// without an image takes the icon away only if it answers the latest request.
void OnFaviconArrived(ICoreWebView2* page, UINT64 request, HRESULT result, IStream* stream) {
    const int index = FindTabByWebView(page);
    if (index == -1 || request <= g_tabs[index].iconAnswersAfter) return;
    HBITMAP bitmap = SUCCEEDED(result) ? DecodeIconImage(stream, TabImageSide()) : nullptr;
    if (bitmap == nullptr) {
        if (request == g_tabs[index].latestIconRequest) ForgetIcon(index, request);
        return;
    }
    g_tabs[index].iconAnswersAfter = request;
    SetTabIconImage(index, bitmap);
    DeleteObject(bitmap);
    RefreshTabIcon(index);
}

// Asks for the page's icon as the engine has it now; none drops the tab's.
void AskForIcon(ICoreWebView2* sender, int index) {
    ComPtr<ICoreWebView2_15> webview;
    if (FAILED(sender->QueryInterface(IID_PPV_ARGS(&webview)))) return;
    if (FaviconUriOf(webview.Get()).empty()) {
        ForgetIcon(index, g_iconRequests);
        return;
    }
    const UINT64 request = ++g_iconRequests;
    g_tabs[index].latestIconRequest = request;
    const HRESULT asked = webview->GetFavicon(
        COREWEBVIEW2_FAVICON_IMAGE_FORMAT_PNG,
        MakeHandler<ICoreWebView2GetFaviconCompletedHandler>(
            [page = ComPtr<ICoreWebView2>(sender), request](HRESULT result, IStream* stream) {
                OnFaviconArrived(page.Get(), request, result, stream);
                return S_OK;
            })
            .Get());
    if (FAILED(asked)) ForgetIcon(index, request);
}

// The page's icon changed. Its tab keeps the icon it shows until the new one
// arrives, so that a page that changes its icon often does not flicker.
HRESULT OnFaviconChanged(ICoreWebView2* sender, IUnknown* /*args*/) {
    const int index = FindTabByWebView(sender);
    if (index != -1) AskForIcon(sender, index);
    return S_OK;
}

// The page's sound changed: its tab shows it.
HRESULT OnSoundChanged(ICoreWebView2* sender, IUnknown* /*args*/) {
    RefreshTabIcon(FindTabByWebView(sender));
    return S_OK;
}

}  // namespace

void CreateTabImages(HWND tabStrip) {
    if (g_tabImages != nullptr) return;
    const int size = SmallIconSize();
    g_tabImages = ImageList_Create(size, size, ILC_COLOR32, kFixedTabImageCount, 8);
    if (g_tabImages == nullptr) return;
    AddFixed(g_tabImages, size, Drawing::PlainPage);
    AddOwnIcon(g_tabImages, size);
    AddFixed(g_tabImages, size, Drawing::Speaker);
    AddFixed(g_tabImages, size, Drawing::MutedSpeaker);
    SendMessageW(tabStrip, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(g_tabImages));
}

void DestroyTabImages() {
    if (g_tabImages == nullptr) return;
    if (IsWindow(g_hTabCtrl)) SendMessageW(g_hTabCtrl, TCM_SETIMAGELIST, 0, 0);
    ImageList_Destroy(g_tabImages);
    g_tabImages = nullptr;
}

HIMAGELIST TabImages() { return g_tabImages; }

void RegisterTabIconHandlers(BrowserTab& tab) {
    ComPtr<ICoreWebView2_15> icons;
    if (SUCCEEDED(tab.webview.As(&icons))) {
        icons->add_FaviconChanged(MakeHandler<ICoreWebView2FaviconChangedEventHandler>(OnFaviconChanged).Get(),
                                  nullptr);
    }
    ComPtr<ICoreWebView2_8> sound;
    if (SUCCEEDED(tab.webview.As(&sound))) {
        sound->add_IsDocumentPlayingAudioChanged(
            MakeHandler<ICoreWebView2IsDocumentPlayingAudioChangedEventHandler>(OnSoundChanged).Get(), nullptr);
        sound->add_IsMutedChanged(MakeHandler<ICoreWebView2IsMutedChangedEventHandler>(OnSoundChanged).Get(), nullptr);
    }
}

void OnTabNewDocument(int index) {
    if (!IsTabIndex(index)) return;
    // The engine tells of an icon only when it differs from the previous
    // page's: the icon is asked for again rather than waited for.
    ForgetIcon(index, g_iconRequests);
    AskForIcon(g_tabs[index].webview.Get(), index);
}

void RefreshTabIcon(int index) {
    if (!IsTabIndex(index) || g_hTabCtrl == nullptr) return;
    TCITEMW item = {};
    item.mask = TCIF_IMAGE;
    SendMessageW(g_hTabCtrl, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const int image = ImageFor(g_tabs[index]);
    // Setting an item lays the strip out again: only for a change.
    if (item.iImage == image) return;
    item.iImage = image;
    SendMessageW(g_hTabCtrl, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

HBITMAP DecodeIconImage(IStream* stream, int size) {
    if (stream == nullptr || size <= 0) return nullptr;
    STATSTG stat = {};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart == 0 ||
        stat.cbSize.QuadPart > kMaxIconBytes) {
        return nullptr;
    }
    LARGE_INTEGER start = {};
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return nullptr;

    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    ComPtr<IWICBitmapScaler> scaler;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) || width == 0 ||
        height == 0 || width > kMaxIconSide || height > kMaxIconSide ||
        FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                     0.0, WICBitmapPaletteTypeCustom)) ||
        FAILED(factory->CreateBitmapScaler(&scaler)) ||
        FAILED(scaler->Initialize(converter.Get(), static_cast<UINT>(size), static_cast<UINT>(size),
                                  WICBitmapInterpolationModeFant))) {
        return nullptr;
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateIconBitmap(size, &bits);
    if (bitmap == nullptr) return nullptr;
    const UINT stride = static_cast<UINT>(size) * 4;
    if (FAILED(scaler->CopyPixels(nullptr, stride, stride * static_cast<UINT>(size), static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}
