#include "intake/webp_decoder.h"

#include <webp/decode.h>

#include "core/errors.h"
#include "intake/over_white.h"

namespace skelda {

namespace {

const char* StatusText(VP8StatusCode status) {
  switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY:
      return "out of memory";
    case VP8_STATUS_INVALID_PARAM:
      return "invalid parameter";
    case VP8_STATUS_BITSTREAM_ERROR:
      return "damaged data";
    case VP8_STATUS_UNSUPPORTED_FEATURE:
      return "unsupported feature";
    case VP8_STATUS_NOT_ENOUGH_DATA:
      return "the file is cut short";
    default:
      return "the decoder failed";
  }
}

}  // namespace

Bitmap DecodeWebP(const std::uint8_t* data, std::size_t size) {
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) throw PictureFormatError("WebP", "library version mismatch");
  const WebPBitstreamFeatures& features = config.input;
  if (const VP8StatusCode status = WebPGetFeatures(data, size, &config.input);
      status != VP8_STATUS_OK) {
    throw PictureFormatError("WebP", StatusText(status));
  }
  if (features.has_animation) throw PictureFormatError("WebP", "animations are not supported");
  CheckPictureSize(features.width, features.height, 32);
  Bitmap bitmap = Bitmap::Unfilled(features.width, features.height, PixelFormat::Bit32);
  config.output.colorspace = MODE_BGRA;
  config.output.is_external_memory = 1;
  config.output.u.RGBA.rgba = bitmap.Bits();
  config.output.u.RGBA.stride = static_cast<int>(bitmap.RowBytes());
  config.output.u.RGBA.size = bitmap.ByteSize();
  const VP8StatusCode status = WebPDecode(data, size, &config);
  WebPFreeDecBuffer(&config.output);  // ours is external: this frees nothing of it
  if (status != VP8_STATUS_OK) throw PictureFormatError("WebP", StatusText(status));
  const std::size_t pixels = std::size_t(features.width) * std::size_t(features.height);
  if (features.has_alpha) {
    CompositeOverWhite(bitmap.Bits(), pixels);
  } else {
    ClearAlpha(bitmap.Bits(), pixels);
  }
  return bitmap;
}

}  // namespace skelda
