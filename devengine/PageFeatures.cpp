// A page's icon and sound, and the web view's sleep, memory level and print
// dialog: the modelled slots of ICoreWebView2_3, _8, _15, _16 and _19.
#include "devengine/Internal.h"

#include <cstdint>

namespace devengine {
namespace {

using Microsoft::WRL::ComPtr;

// The side of the icons TriggerFavicon makes, larger than a small icon so
// that the browser has to scale them.
const int kFaviconSide = 32;

// TrySuspend on a visible web view.
const HRESULT kSuspendVisibleResult = HRESULT_FROM_WIN32(ERROR_INVALID_STATE);

void AppendBigEndian(std::string& bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>((value >> shift) & 0xFF);
}

uint32_t Crc32(const std::string& bytes, size_t from) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i) {
        crc ^= static_cast<uint8_t>(bytes[i]);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void AppendChunk(std::string& png, const char* type, const std::string& data) {
    AppendBigEndian(png, static_cast<uint32_t>(data.size()));
    const size_t typeAt = png.size();
    png += type;
    png += data;
    AppendBigEndian(png, Crc32(png, typeAt));
}

// A square PNG of one opaque colour: 8-bit RGBA rows, each with filter 0,
// kept in one stored (uncompressed) deflate block inside the zlib stream.
std::string SolidPng(COLORREF color) {
    std::string rows;
    for (int y = 0; y < kFaviconSide; ++y) {
        rows += '\0';
        for (int x = 0; x < kFaviconSide; ++x) {
            rows += static_cast<char>(GetRValue(color));
            rows += static_cast<char>(GetGValue(color));
            rows += static_cast<char>(GetBValue(color));
            rows += static_cast<char>(0xFF);
        }
    }
    uint32_t a = 1;
    uint32_t b = 0;
    for (char c : rows) {
        a = (a + static_cast<uint8_t>(c)) % 65521;
        b = (b + a) % 65521;
    }
    const uint16_t length = static_cast<uint16_t>(rows.size());
    std::string zlib = "\x78\x01";
    zlib += '\x01';  // the final block, stored
    zlib += static_cast<char>(length & 0xFF);
    zlib += static_cast<char>(length >> 8);
    zlib += static_cast<char>(~length & 0xFF);
    zlib += static_cast<char>((~length >> 8) & 0xFF);
    zlib += rows;
    AppendBigEndian(zlib, (b << 16) | a);

    std::string header;
    AppendBigEndian(header, kFaviconSide);
    AppendBigEndian(header, kFaviconSide);
    header += "\x08\x06";          // 8 bits a channel, RGBA
    header += std::string(3, '\0');  // deflate, adaptive filters, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", zlib);
    AppendChunk(png, "IEND", "");
    return png;
}

ComPtr<IStream> StreamOf(const std::string& bytes) {
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return nullptr;
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

}  // namespace

void SetFavicon(const ViewPtr& view, const std::wstring& uri, const std::string& bytes) {
    if (IsDead(*view) || (view->faviconUri == uri && view->faviconBytes == bytes)) return;
    view->faviconUri = uri;
    view->faviconBytes = bytes;
    Fire(view, kFaviconChanged, nullptr, uri.empty() ? L"(none)" : uri);
}

void SetPlayingAudio(const ViewPtr& view, bool playing) {
    if (IsDead(*view) || view->playingAudio == playing) return;
    view->playingAudio = playing;
    Fire(view, kIsDocumentPlayingAudioChanged, nullptr, playing ? L"1" : L"0");
}

void ForgetPageFeatures(const ViewPtr& view) {
    SetFavicon(view, L"", "");
    SetPlayingAudio(view, false);
}

HRESULT GetFaviconUri(ViewState& view, LPWSTR* uri) {
    if (uri != nullptr) *uri = nullptr;
    if (IsDead(view)) return DeadCall(view, L"get_FaviconUri");
    if (uri == nullptr) return E_POINTER;
    return CopyOut(view.faviconUri, uri);
}

HRESULT GetFavicon(const ViewPtr& view, COREWEBVIEW2_FAVICON_IMAGE_FORMAT format,
                   ICoreWebView2GetFaviconCompletedHandler* handler) {
    if (IsDead(*view)) return DeadCall(*view, L"GetFavicon");
    LogCall(*view, format == COREWEBVIEW2_FAVICON_IMAGE_FORMAT_PNG ? L"GetFavicon png" : L"GetFavicon jpeg");
    if (handler == nullptr) return E_INVALIDARG;
    const HRESULT result = State().knobs.faviconResult;
    // The bytes of the icon at the time of the call, as the engine fetches
    // them; not bound to the view, so the answer comes even after it closed.
    const std::string bytes = view->faviconBytes;
    Post([result, bytes, held = Held<ICoreWebView2GetFaviconCompletedHandler>(handler)]() {
        if (FAILED(result)) {
            held.Get()->Invoke(result, nullptr);
            return;
        }
        const ComPtr<IStream> stream = StreamOf(bytes);
        held.Get()->Invoke(stream ? S_OK : E_OUTOFMEMORY, stream.Get());
    });
    return S_OK;
}

HRESULT PutIsMuted(const ViewPtr& view, BOOL muted) {
    if (IsDead(*view)) return DeadCall(*view, L"put_IsMuted");
    LogCall(*view, muted ? L"put_IsMuted 1" : L"put_IsMuted 0");
    if (view->muted == (muted != FALSE)) return S_OK;
    view->muted = muted != FALSE;
    Post([view]() { Fire(view, kIsMutedChanged, nullptr, view->muted ? L"1" : L"0"); }, view);
    return S_OK;
}

HRESULT TrySuspend(const ViewPtr& view, ICoreWebView2TrySuspendCompletedHandler* handler) {
    if (IsDead(*view)) return DeadCall(*view, L"TrySuspend");
    LogCall(*view, L"TrySuspend");
    if (handler == nullptr) return E_INVALIDARG;
    const Knobs& knobs = State().knobs;
    if (FAILED(knobs.suspendResult)) return knobs.suspendResult;
    // The engine only suspends a web view whose controller is invisible.
    if (view->visible) return kSuspendVisibleResult;
    const bool refused = knobs.refuseSuspend;
    // Not bound to the view: the completion comes even after it closed, then
    // with the closed view's error.
    Post([view, refused, held = Held<ICoreWebView2TrySuspendCompletedHandler>(handler)]() {
        if (IsDead(*view)) {
            const HRESULT dead = view->failed ? kFailedResult : kClosedResult;
            Log(L"view " + std::to_wstring(view->id) + L" TrySuspend completed " + HexResult(dead));
            held.Get()->Invoke(dead, FALSE);
            return;
        }
        // The engine refuses a page that plays sound.
        if (!refused && !view->visible && !view->playingAudio) view->suspended = true;
        Log(L"view " + std::to_wstring(view->id) + L" TrySuspend completed " + (view->suspended ? L"1" : L"0"));
        held.Get()->Invoke(S_OK, view->suspended ? TRUE : FALSE);
    });
    return S_OK;
}

HRESULT Resume(ViewState& view) {
    if (IsDead(view)) return DeadCall(view, L"Resume");
    LogCall(view, L"Resume");
    view.suspended = false;
    return S_OK;
}

HRESULT PutMemoryUsageTargetLevel(ViewState& view, COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL level) {
    if (IsDead(view)) return DeadCall(view, L"put_MemoryUsageTargetLevel");
    if (level != COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_NORMAL && level != COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_LOW) {
        return E_INVALIDARG;
    }
    LogCall(view, level == COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_LOW ? L"put_MemoryUsageTargetLevel low"
                                                                      : L"put_MemoryUsageTargetLevel normal");
    view.memoryLevel = level;
    return S_OK;
}

HRESULT ShowPrintUI(ViewState& view, COREWEBVIEW2_PRINT_DIALOG_KIND kind) {
    if (IsDead(view)) return DeadCall(view, L"ShowPrintUI");
    if (kind != COREWEBVIEW2_PRINT_DIALOG_KIND_BROWSER && kind != COREWEBVIEW2_PRINT_DIALOG_KIND_SYSTEM) {
        return E_INVALIDARG;
    }
    LogCall(view, kind == COREWEBVIEW2_PRINT_DIALOG_KIND_BROWSER ? L"ShowPrintUI browser" : L"ShowPrintUI system");
    return S_OK;
}

bool TriggerFavicon(int id, const std::wstring& uri, FaviconContent content, COLORREF color) {
    const ViewPtr view = OpenView(id);
    if (view == nullptr) return false;
    std::string bytes;
    if (!uri.empty()) bytes = content == FaviconContent::kPng ? SolidPng(color) : std::string("<html>no icon</html>");
    Post([view, uri, bytes]() { SetFavicon(view, uri, bytes); }, view);
    return true;
}

bool TriggerAudio(int id, bool playing) {
    const ViewPtr view = OpenView(id);
    if (view == nullptr) return false;
    Post([view, playing]() { SetPlayingAudio(view, playing); }, view);
    return true;
}

}  // namespace devengine
