#include "intake/gif_decoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "core/errors.h"

namespace skelda {

namespace {

struct MemorySource {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t used = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int count) {
  auto* source = static_cast<MemorySource*>(gif->UserData);
  const std::size_t n =
      std::min<std::size_t>(static_cast<std::size_t>(count), source->size - source->used);
  std::memcpy(out, source->data + source->used, n);
  source->used += n;
  return static_cast<int>(n);
}

struct CloseGif {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using GifFile = std::unique_ptr<GifFileType, CloseGif>;

[[noreturn]] void Fail(int code) {
  const char* text = GifErrorString(code);
  throw PictureFormatError("GIF", text != nullptr ? text : "the decoder failed");
}

void Check(GifFile& gif, int result) {
  if (result == GIF_ERROR) Fail(gif->Error);
}

// Reads one extension; a graphic control block sets the transparent colour index of the frame
// after it (-1: none).
void ReadExtension(GifFile& gif, int& transparent) {
  int code = 0;
  GifByteType* block = nullptr;
  Check(gif, DGifGetExtension(gif.get(), &code, &block));
  if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
    transparent = (block[1] & 1) ? block[4] : -1;
  }
  while (block != nullptr) Check(gif, DGifGetExtensionNext(gif.get(), &block));
}

constexpr std::uint32_t kWhite = 0x00FFFFFF;

// Blue, green, red, 0 for every index; indices the colour map lacks are white.
std::array<std::uint32_t, 256> PixelsOf(const ColorMapObject* map, int transparent) {
  std::array<std::uint32_t, 256> pixels;
  pixels.fill(kWhite);
  const int count = std::min(map->ColorCount, 256);
  for (int i = 0; i < count; ++i) {
    const GifColorType& c = map->Colors[i];
    const std::uint8_t bytes[4] = {c.Blue, c.Green, c.Red, 0};
    std::memcpy(&pixels[i], bytes, 4);
  }
  if (transparent >= 0) pixels[transparent] = kWhite;
  return pixels;
}

// The frame's rows in the order they are stored: interlaced frames in four passes.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> order;
  order.reserve(height);
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
  }
  return order;
}

// The frame's colour indices, row by row; read whole before the picture is made, so that a
// damaged file fails before a large screen has been filled.
std::unique_ptr<GifByteType[]> ReadIndices(GifFile& gif, const GifImageDesc& frame) {
  CheckPictureSize(frame.Width, frame.Height, 8);
  // Left unset: rows commit memory only as they are decoded.
  std::unique_ptr<GifByteType[]> indices(
      new GifByteType[std::size_t(frame.Width) * std::size_t(frame.Height)]);
  for (const int y : RowOrder(frame.Height, frame.Interlace)) {
    Check(gif, DGifGetLine(gif.get(), indices.get() + std::size_t(y) * frame.Width, frame.Width));
  }
  return indices;
}

Bitmap ReadFirstFrame(GifFile& gif, int transparent) {
  Check(gif, DGifGetImageDesc(gif.get()));
  const GifImageDesc frame = gif->Image;
  const ColorMapObject* map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
  if (map == nullptr) throw PictureFormatError("GIF", "no colour map");
  if (frame.Width <= 0 || frame.Height <= 0) throw PictureFormatError("GIF", "an empty frame");
  const std::array<std::uint32_t, 256> pixels = PixelsOf(map, transparent);
  const std::unique_ptr<GifByteType[]> indices = ReadIndices(gif, frame);

  const int width = gif->SWidth, height = gif->SHeight;
  Bitmap bitmap = Bitmap::Unfilled(width, height, PixelFormat::Bit32);
  const int shownWidth = std::clamp(width - frame.Left, 0, frame.Width);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x) std::memcpy(row + 4 * x, &kWhite, 4);
    const int frameRow = y - frame.Top;
    if (frameRow < 0 || frameRow >= frame.Height || shownWidth == 0) continue;
    const GifByteType* line = indices.get() + std::size_t(frameRow) * frame.Width;
    row += 4 * std::size_t(frame.Left);
    for (int x = 0; x < shownWidth; ++x) std::memcpy(row + 4 * x, &pixels[line[x]], 4);
  }
  return bitmap;
}

}  // namespace

Bitmap DecodeGif(const std::uint8_t* data, std::size_t size) {
  MemorySource source{data, size};
  int error = 0;
  GifFile gif(DGifOpen(&source, &ReadFromMemory, &error));
  if (gif == nullptr) Fail(error);
  if (gif->SWidth <= 0 || gif->SHeight <= 0) throw PictureFormatError("GIF", "an empty screen");
  CheckPictureSize(gif->SWidth, gif->SHeight, 32);
  int transparent = -1;
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    Check(gif, DGifGetRecordType(gif.get(), &record));
    if (record == EXTENSION_RECORD_TYPE) {
      ReadExtension(gif, transparent);
    } else if (record == IMAGE_DESC_RECORD_TYPE) {
      return ReadFirstFrame(gif, transparent);
    } else {
      throw PictureFormatError("GIF", "no frame");
    }
  }
}

}  // namespace skelda
