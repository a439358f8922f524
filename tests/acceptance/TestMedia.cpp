#include "TestMedia.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <cstdint>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// COM for the calling thread while it lives.
class ComScope {
public:
    ComScope() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (initialized_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialized_;
};

void AppendLittleEndian(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string SolidPng(COLORREF colour, int side) {
    const ComScope com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) ||
        FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(static_cast<UINT>(side), static_cast<UINT>(side)))) {
        return std::string();
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat32bppBGRA) return std::string();
    const uint32_t pixel =
        0xFF000000u | (uint32_t{GetRValue(colour)} << 16) | (uint32_t{GetGValue(colour)} << 8) | GetBValue(colour);
    std::vector<uint32_t> pixels(static_cast<size_t>(side) * side, pixel);
    const UINT stride = static_cast<UINT>(side) * 4;
    if (FAILED(frame->WritePixels(static_cast<UINT>(side), stride, stride * static_cast<UINT>(side),
                                  reinterpret_cast<BYTE*>(pixels.data()))) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
        return std::string();
    }
    STATSTG stat = {};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return std::string();
    std::string bytes(static_cast<size_t>(stat.cbSize.QuadPart), '\0');
    const LARGE_INTEGER start = {};
    ULONG read = 0;
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) ||
        FAILED(stream->Read(&bytes[0], static_cast<ULONG>(bytes.size()), &read)) || read != bytes.size()) {
        return std::string();
    }
    return bytes;
}

std::string ToneWav(int seconds) {
    const uint32_t rate = 8000;
    const uint32_t samples = rate * static_cast<uint32_t>(seconds);
    std::string wav = "RIFF";
    AppendLittleEndian(wav, 36 + samples, 4);
    wav += "WAVEfmt ";
    AppendLittleEndian(wav, 16, 4);    // the format chunk's size
    AppendLittleEndian(wav, 1, 2);     // PCM
    AppendLittleEndian(wav, 1, 2);     // mono
    AppendLittleEndian(wav, rate, 4);  // samples a second
    AppendLittleEndian(wav, rate, 4);  // bytes a second
    AppendLittleEndian(wav, 1, 2);     // bytes a sample
    AppendLittleEndian(wav, 8, 2);     // bits a sample
    wav += "data";
    AppendLittleEndian(wav, samples, 4);
    // A square wave: 440 Hz is a period of about 18 samples at 8 kHz.
    for (uint32_t i = 0; i < samples; ++i) wav += static_cast<char>((i * 440 * 2 / rate) % 2 == 0 ? 0xA0 : 0x60);
    return wav;
}
