#include "render/graph_metafile_win.h"

#include <cstddef>
#include <cstring>
#include <new>
#include <vector>

#include "render/gdi_objects_win.h"
#include "render/gdi_surface_win.h"

namespace ondrix {
namespace {

// The picture's extent in hundredths of a millimetre on the screen, which
// measures `millimetres` over `pixels`; 96 dots an inch if it cannot say.
LONG Hundredths(std::int32_t extent, int millimetres, int pixels) {
  const long long per = millimetres > 0 && pixels > 0 ? millimetres * 100LL : 2540;
  const long long over = millimetres > 0 && pixels > 0 ? pixels : 96;
  const long long hundredths = (extent * per + over / 2) / over;
  return static_cast<LONG>(hundredths > 0 ? hundredths : 1);
}

// A player scales the frame by the header's millimetres per device pixel.
// The screen's whole millimetres over its pixels never give the frame's
// hundredths exactly, and a scale a float's step off 1 moves a line end
// 2^27 pixels away by 16 pixels. A device of 100 pixels for each of the
// picture's, measuring the frame's hundredths in millimetres, has the same
// resolution and scales the frame back exactly.
bool DescribeFrameExactly(std::vector<BYTE>& bits, const RECT& frame, std::int32_t width,
                          std::int32_t height) {
  ENHMETAHEADER header = {};
  if (bits.size() < offsetof(ENHMETAHEADER, szlMicrometers)) {
    return false;
  }
  const std::size_t size = bits.size() < sizeof header ? bits.size() : sizeof header;
  std::memcpy(&header, bits.data(), size);
  header.szlDevice = {100 * width, 100 * height};
  header.szlMillimeters = {frame.right, frame.bottom};
  header.szlMicrometers = {frame.right * 1000, frame.bottom * 1000};
  std::memcpy(bits.data(), &header, header.nSize < size ? header.nSize : size);
  return true;
}

}  // namespace

OwnedMetafile RecordGraphMetafile(const GraphSettings& settings, std::int32_t width,
                                  std::int32_t height, const DrawOptions& options) {
  const WindowDc screen(nullptr);
  const HDC screenDc = screen.Get();
  const RECT frame = {
      0, 0, Hundredths(width, GetDeviceCaps(screenDc, HORZSIZE), GetDeviceCaps(screenDc, HORZRES)),
      Hundredths(height, GetDeviceCaps(screenDc, VERTSIZE), GetDeviceCaps(screenDc, VERTRES))};
  const HDC dc = CreateEnhMetaFileA(screenDc, nullptr, &frame, nullptr);
  if (dc == nullptr) {
    return OwnedMetafile();
  }
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  DrawGraph(dc, 0, 0, width, height, settings, options);
  const OwnedMetafile recorded(CloseEnhMetaFile(dc));
  std::vector<BYTE> bits;
  try {
    bits.resize(recorded ? GetEnhMetaFileBits(recorded.Get(), 0, nullptr) : 0);
  } catch (const std::bad_alloc&) {
    return OwnedMetafile();
  }
  if (bits.empty() ||
      GetEnhMetaFileBits(recorded.Get(), static_cast<UINT>(bits.size()), bits.data()) !=
          bits.size() ||
      !DescribeFrameExactly(bits, frame, width, height)) {
    return OwnedMetafile();
  }
  return OwnedMetafile(SetEnhMetaFileBits(static_cast<UINT>(bits.size()), bits.data()));
}

}  // namespace ondrix
