// The first frame of a GIF through giflib, on a canvas of the logical screen's size. Pixels
// outside the frame, and those of the transparent colour, get alpha 0.

#include "picture.h"
#include "picture_internal.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace {

const char *const INVALID = "GIF image is not valid";

struct Input {
  const uint8_t *data;
  size_t size;
  size_t pos;
};

int read_input(GifFileType *gif, GifByteType *dest, int wanted) {
  auto *in = static_cast<Input *>(gif->UserData);
  if (wanted <= 0)
    return 0;
  const size_t n = std::min(static_cast<size_t>(wanted), in->size - in->pos);
  if (n > 0)
    std::memcpy(dest, in->data + in->pos, n);
  in->pos += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType *g) const {
    int error = 0;
    DGifCloseFile(g, &error);
  }
};

// The palette as 0xAARRGGBB, padded with opaque black so that any index byte reads a colour.
std::array<uint32_t, 256> palette_of(const ColorMapObject *map, int transparent) {
  std::array<uint32_t, 256> palette;
  palette.fill(0xFF000000u);
  if (map != nullptr && map->Colors != nullptr) {
    const int count = std::clamp(map->ColorCount, 0, 256);
    for (int i = 0; i < count; ++i) {
      const GifColorType &c = map->Colors[i];
      palette[static_cast<size_t>(i)] =
          0xFF000000u | (uint32_t{c.Red} << 16) | (uint32_t{c.Green} << 8) | c.Blue;
    }
  }
  if (transparent >= 0 && transparent < 256)
    palette[static_cast<size_t>(transparent)] &= 0x00FFFFFFu;
  return palette;
}

// Skips the data blocks that follow an extension's first block.
bool skip_extension(GifFileType *gif, GifByteType *block) {
  while (block != nullptr)
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
      return false;
  return true;
}

} // namespace

namespace {

Avec<Picture> decode_gif_body(const uint8_t *data, size_t size, const PictureLimits &limits,
                              const Reduction &reduction) {
  static const uint8_t empty = 0;
  Input in{data != nullptr ? data : &empty, data != nullptr ? size : 0, 0};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&in, read_input, &error));
  if (!gif)
    return Resultat::echec(INVALID);

  // Records up to the first image; only the graphic control extension just before it
  // matters (it names the transparent colour).
  int transparent = -1;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
      return Resultat::echec(INVALID);
    if (type == IMAGE_DESC_RECORD_TYPE)
      break;
    if (type != EXTENSION_RECORD_TYPE)
      return Resultat::echec(INVALID); // the trailer, or anything else, before any image
    int code = 0;
    GifByteType *block = nullptr;
    if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
      return Resultat::echec(INVALID);
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4)
      transparent = (block[1] & 1) != 0 ? block[4] : -1;
    if (!skip_extension(gif.get(), block))
      return Resultat::echec(INVALID);
  }
  if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
    return Resultat::echec(INVALID);

  const GifImageDesc &frame = gif->Image;
  if (frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0)
    return Resultat::echec(INVALID);
  const int64_t width = std::max<int64_t>(gif->SWidth, int64_t{frame.Left} + frame.Width);
  const int64_t height = std::max<int64_t>(gif->SHeight, int64_t{frame.Top} + frame.Height);
  if (std::string refusal = picture_size_refusal(width, height, limits); !refusal.empty())
    return Resultat::echec(std::move(refusal));
  const ColorMapObject *map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
  if (map == nullptr)
    return Resultat::echec(INVALID);
  const std::array<uint32_t, 256> palette = palette_of(map, transparent);

  // Outside the frame lies the screen's background, which viewers leave see-through.
  uint32_t background = 0;
  if (gif->SColorMap != nullptr && gif->SBackGroundColor >= 0 &&
      gif->SBackGroundColor < gif->SColorMap->ColorCount)
    background =
        palette_of(gif->SColorMap, -1)[static_cast<size_t>(gif->SBackGroundColor)] & 0x00FFFFFFu;
  PixelSink sink(static_cast<int>(width), static_cast<int>(height), background, reduction);

  // Interlaced frames store rows 0, 8, 16 ... then 4, 12 ... then 2, 6 ... then 1, 3 ...
  static constexpr int first_row[4] = {0, 4, 2, 1};
  static constexpr int row_step[4] = {8, 8, 4, 2};
  std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
  const int passes = frame.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int start = frame.Interlace ? first_row[pass] : 0;
    const int step = frame.Interlace ? row_step[pass] : 1;
    for (int y = start; y < frame.Height; y += step) {
      if (sink.enough())
        return sink.take();
      if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR)
        return Resultat::echec(INVALID);
      const int row = frame.Top + y;
      uint32_t *dst = sink.row(row) + frame.Left;
      for (size_t x = 0; x < line.size(); ++x)
        dst[x] = palette[line[x]];
      sink.done(row);
    }
  }
  return sink.take();
}

} // namespace

Avec<Picture> decode_gif(const uint8_t *data, size_t size, const PictureLimits &limits,
                         const Reduction &reduction) {
  return without_exceptions([&] { return decode_gif_body(data, size, limits, reduction); });
}

Avec<Picture> decode_gif(const uint8_t *data, size_t size, const PictureLimits &limits) {
  return decode_gif(data, size, limits, Reduction{});
}
