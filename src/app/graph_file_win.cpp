#include "app/graph_file_win.h"

#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdio>
#include <new>
#include <vector>

#include "render/draw_graph.h"
#include "render/gdi_objects_win.h"
#include "render/graph_metafile_win.h"
#include "render/svg_surface.h"
#include "state/app_state_win.h"
#include "state/owned_handles_win.h"

namespace ondrix {
namespace {

// COM for this thread while the guard lives, if it was not on already.
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) {
      CoUninitialize();
    }
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

// A Windows error code keeps its own message; other results are their own
// codes, which the system may or may not have words for.
DWORD ErrorOf(HRESULT result) {
  return HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result)
                                                    : static_cast<DWORD>(result);
}

// The picture's rows top-down, 24-bit blue-green-red, each padded to four
// bytes: the layout the PNG encoder takes without converting.
bool ReadPixels(const GraphPicture& picture, UINT stride, std::vector<BYTE>& pixels) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  pixels.resize(static_cast<std::size_t>(stride) * static_cast<std::size_t>(picture.height));
  const WindowDc screen(nullptr);
  return GetDIBits(screen.Get(), picture.bitmap, 0, static_cast<UINT>(picture.height),
                   pixels.data(), &info, DIB_RGB_COLORS) == picture.height;
}

HRESULT StreamBytes(IStream* stream, std::string& bytes) {
  STATSTG status = {};
  HGLOBAL block = nullptr;
  HRESULT result = stream->Stat(&status, STATFLAG_NONAME);
  if (SUCCEEDED(result)) {
    result = GetHGlobalFromStream(stream, &block);
  }
  const auto* data = SUCCEEDED(result) ? static_cast<const char*>(GlobalLock(block)) : nullptr;
  if (data == nullptr) {
    return FAILED(result) ? result : E_OUTOFMEMORY;
  }
  bytes.assign(data, static_cast<std::size_t>(status.cbSize.QuadPart));
  GlobalUnlock(block);
  return S_OK;
}

HRESULT EncodePng(const GraphPicture& picture, std::string& bytes) {
  const UINT stride = (static_cast<UINT>(picture.width) * 3 + 3) & ~3u;
  std::vector<BYTE> pixels;
  if (!ReadPixels(picture, stride, pixels)) {
    return E_OUTOFMEMORY;
  }
  using Microsoft::WRL::ComPtr;
  const ComScope com;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  HRESULT result = S_OK;
  const auto step = [&result](HRESULT next) {
    result = next;
    return SUCCEEDED(next);
  };
  const bool encoded =
      step(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                            IID_PPV_ARGS(&factory))) &&
      step(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
      step(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
      step(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
      step(encoder->CreateNewFrame(&frame, &options)) && step(frame->Initialize(options.Get())) &&
      step(frame->SetSize(static_cast<UINT>(picture.width), static_cast<UINT>(picture.height))) &&
      step(frame->SetPixelFormat(&format)) &&
      step(IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)
               ? S_OK
               : WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT) &&
      step(frame->WritePixels(static_cast<UINT>(picture.height), stride,
                              static_cast<UINT>(pixels.size()), pixels.data())) &&
      step(frame->Commit()) && step(encoder->Commit());
  return encoded ? StreamBytes(stream.Get(), bytes) : result;
}

HRESULT EncodeEmf(const GraphPicture& picture, std::string& bytes) {
  const OwnedMetafile metafile =
      RecordGraphMetafile(picture.settings, picture.width, picture.height, picture.options);
  const UINT size = metafile ? GetEnhMetaFileBits(metafile.Get(), 0, nullptr) : 0;
  bytes.resize(size);
  if (size == 0 ||
      GetEnhMetaFileBits(metafile.Get(), size, reinterpret_cast<BYTE*>(&bytes[0])) != size) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT EncodeSvg(const GraphPicture& picture, std::string& bytes) {
  SvgSurface surface(picture.width, picture.height);
  DrawGraph(surface, 0, 0, picture.width, picture.height, picture.settings, picture.options);
  bytes = surface.Document();
  return S_OK;
}

// A large picture's bytes may not fit in memory: that is a failure to
// report like any other, never an exception through the window procedure.
HRESULT Encode(const GraphPicture& picture, SaveFormat format, std::string& bytes) {
  try {
    switch (format) {
      case SaveFormat::Emf:
        return EncodeEmf(picture, bytes);
      case SaveFormat::Svg:
        return EncodeSvg(picture, bytes);
      case SaveFormat::Png:
        break;
    }
    return EncodePng(picture, bytes);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

DWORD WriteBytes(const char* name, const std::string& bytes) {
  const HANDLE opened = CreateFileA(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) {
    return GetLastError();
  }
  const OwnedHandle file(opened);
  for (std::size_t done = 0; done < bytes.size();) {
    const std::size_t left = bytes.size() - done;
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data() + done, left < (1u << 30) ? DWORD(left) : 1u << 30,
                   &written, nullptr)) {
      return GetLastError();
    }
    done += written;
  }
  return FlushFileBuffers(file.Get()) ? ERROR_SUCCESS : GetLastError();
}

// The temporary file lies beside the target, so the move is a rename on
// one volume: the target is the old file or the complete new one, never
// anything between.
DWORD WriteFileWhole(const std::string& path, const std::string& bytes) {
  // Windows refuses to move a file over a read-only one; Wine does not.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  const std::string folder = FolderOfPath(path);
  char temporary[MAX_PATH] = {};
  if (GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "ond", 0, temporary) == 0) {
    return GetLastError();
  }
  DWORD error = WriteBytes(temporary, bytes);
  if (error == ERROR_SUCCESS &&
      !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) {
    DeleteFileA(temporary);
  }
  return error;
}

std::string SystemReason(DWORD error) {
  char text[512] = {};
  if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                     text, sizeof text, nullptr) == 0) {
    char number[32] = {};
    std::snprintf(number, sizeof number, error > 0xFFFF ? "0x%08lX" : "%lu",
                  static_cast<unsigned long>(error));
    return std::string("system error ") + number;
  }
  return text;
}

}  // namespace

bool SaveGraphFile(HWND owner, const std::string& path, SaveFormat format,
                   const GraphPicture& picture) {
  std::string bytes;
  const HRESULT encoded = Encode(picture, format, bytes);
  const DWORD error = SUCCEEDED(encoded) ? WriteFileWhole(path, bytes) : ErrorOf(encoded);
  if (error != ERROR_SUCCESS) {
    WarnUser(owner, SaveFailureText(path, SystemReason(error)).c_str(), kSaveGraphCaption, MB_OK);
  }
  return error == ERROR_SUCCESS;
}

}  // namespace ondrix
