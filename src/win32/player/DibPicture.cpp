#include "win32/player/DibPicture.h"

#include <wincodec.h>
#include <wrl/client.h>

#include "platform/win32/SystemError.h"
#include "platform/win32/WideText.h"

namespace revuro {

using Microsoft::WRL::ComPtr;

namespace {

// What the imaging component's failures mean for the user's message.
Error DecodeError(const std::string& path, HRESULT result) {
    switch (result) {
        case WINCODEC_ERR_COMPONENTNOTFOUND:
        case WINCODEC_ERR_UNKNOWNIMAGEFORMAT:
            return Error{ErrorKind::UnrecognizedFormat, SystemMessage(result), path};
        case HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND):
        case HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND):
        case HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED):
        case HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION):
            return SystemError(path, HRESULT_CODE(result));
        default:
            return Error{ErrorKind::DamagedFile, SystemMessage(result), path};
    }
}

}  // namespace

Outcome DibPicture::Load(const std::string& path) {
    const Result<std::wstring> wide = WideText(path);
    if (!wide) return Error{ErrorKind::InvalidPath, "the path " + wide.error().reason, path};
    ComPtr<IWICImagingFactory> factory;
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(&factory));
    if (FAILED(result)) return DecodeError(path, result);
    ComPtr<IWICBitmapDecoder> decoder;
    result = factory->CreateDecoderFromFilename(wide.value().c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, &decoder);
    if (FAILED(result)) return DecodeError(path, result);
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(result = decoder->GetFrame(0, &frame))) return DecodeError(path, result);
    // Premultiplied over black: a transparent part shows the black around the picture.
    ComPtr<IWICBitmapSource> pixels;
    if (FAILED(result =
                   WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.Get(), &pixels)))
        return DecodeError(path, result);
    UINT width = 0;
    UINT height = 0;
    if (FAILED(result = pixels->GetSize(&width, &height))) return DecodeError(path, result);
    constexpr UINT kLargest = 1U << 15;  // GDI's own limit for one side
    if (width == 0 || height == 0 || width > kLargest || height > kLargest)
        return Error{ErrorKind::DamagedFile, "has no size a picture can have", path};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top row first, as the decoder gives
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return SystemError(path, GetLastError());
    const UINT stride = width * 4;
    if (FAILED(result = pixels->CopyPixels(nullptr, stride, stride * height,
                                           static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return DecodeError(path, result);
    }
    Reset();
    bitmap_ = bitmap;
    width_ = static_cast<LONG>(width);
    height_ = static_cast<LONG>(height);
    return Ok();
}

void DibPicture::Reset() {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    bitmap_ = nullptr;
    width_ = height_ = 0;
}

void DibPicture::DrawFitted(HDC target, const RECT& area) const {
    if (empty()) return;
    const RECT fit = FitInto(area, width_, height_);
    const HDC source = CreateCompatibleDC(target);
    const HGDIOBJ before = SelectObject(source, bitmap_);
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, fit.left, fit.top, fit.right - fit.left, fit.bottom - fit.top, source, 0, 0,
               width_, height_, SRCCOPY);
    SelectObject(source, before);
    DeleteDC(source);
}

RECT FitInto(const RECT& area, LONG width, LONG height) {
    const LONG areaWidth = area.right - area.left;
    const LONG areaHeight = area.bottom - area.top;
    if (width <= 0 || height <= 0 || areaWidth <= 0 || areaHeight <= 0) return RECT{};
    LONG fitWidth = areaWidth;
    LONG fitHeight = static_cast<LONG>(static_cast<long long>(areaWidth) * height / width);
    if (fitHeight > areaHeight) {
        fitHeight = areaHeight;
        fitWidth = static_cast<LONG>(static_cast<long long>(areaHeight) * width / height);
    }
    const LONG left = area.left + (areaWidth - fitWidth) / 2;
    const LONG top = area.top + (areaHeight - fitHeight) / 2;
    return RECT{left, top, left + fitWidth, top + fitHeight};
}

}  // namespace revuro
