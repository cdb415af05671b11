#include "test_pictures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include <jpeglib.h>

std::string data_path(const std::string &name) {
  return std::string(DRAVO_IMAGING_DATA) + "/" + name;
}

Bytes read_bytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw std::runtime_error("cannot read " + path);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_bytes(const std::string &path, const Bytes &bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char *>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write " + path);
}

Picture read_pam(const std::string &path) {
  const Bytes bytes = read_bytes(path);
  const std::string text(bytes.begin(), bytes.end());
  const size_t end = text.find("ENDHDR\n");
  if (end == std::string::npos)
    throw std::runtime_error("not a PAM file: " + path);
  std::istringstream header(text.substr(0, end));
  int depth = 0;
  Picture p;
  for (std::string key; header >> key;) {
    if (key == "WIDTH")
      header >> p.width;
    else if (key == "HEIGHT")
      header >> p.height;
    else if (key == "DEPTH")
      header >> depth;
  }
  const auto n = static_cast<size_t>(p.width) * static_cast<size_t>(p.height);
  const size_t at = end + 7;
  if ((depth != 3 && depth != 4) || bytes.size() < at + n * static_cast<size_t>(depth))
    throw std::runtime_error("unexpected PAM file: " + path);
  p.argb.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const uint8_t *px = bytes.data() + at + i * static_cast<size_t>(depth);
    const uint32_t alpha = depth == 4 ? px[3] : 0xFFu;
    p.argb[i] = (alpha << 24) | (uint32_t{px[0]} << 16) | (uint32_t{px[1]} << 8) | px[2];
  }
  return p;
}

const std::vector<Fixture> &fixtures() {
  static const std::vector<Fixture> list = {
      {"bmp_1bit.bmp", 0},
      {"bmp_4bit.bmp", 0},
      {"bmp_8bit.bmp", 0},
      {"bmp_rle8.bmp", 0},
      {"bmp_16bit_555.bmp", 0},
      {"bmp_16bit_565.bmp", 0},
      // convert widens 4-bit channels by a shift (0xF -> 0xF0); we repeat the bits as Qt's
      // reader does (0xF -> 0xFF), so full intensity stays full.
      {"bmp_16bit_4444.bmp", 15},
      {"bmp_24bit.bmp", 0},
      {"bmp_32bit_alpha.bmp", 0},
      {"bmp_32bit_rgb.bmp", 0},
      {"bmp_os2_24bit.bmp", 0},
      {"bmp_os2_8bit.bmp", 0},
      {"jpeg_baseline.jpg", 0},
      {"jpeg_444.jpg", 0},
      {"jpeg_422.jpg", 0},
      {"jpeg_progressive.jpg", 0},
      {"jpeg_gray.jpg", 0},
      {"jpeg_cmyk.jpg", 0},
      {"gif_plain.gif", 0},
      {"gif_interlaced.gif", 0},
      {"gif_transparent.gif", 0},
  };
  return list;
}

namespace {

void put16(Bytes &b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(Bytes &b, uint32_t v) {
  put16(b, v & 0xFFFFu);
  put16(b, v >> 16);
}

} // namespace

void pad_row(Bytes &row) {
  while (row.size() % 4 != 0)
    row.push_back(0);
}

Bytes make_bmp(const BmpLayout &layout) {
  Bytes info;
  put32(info, layout.header_size);
  if (layout.header_size == 12) {
    put16(info, static_cast<uint32_t>(layout.width));
    put16(info, static_cast<uint32_t>(layout.height));
    put16(info, 1);
    put16(info, layout.bpp);
  } else {
    put32(info, static_cast<uint32_t>(layout.width));
    put32(info, static_cast<uint32_t>(layout.height));
    put16(info, 1);
    put16(info, layout.bpp);
    put32(info, layout.compression);
    put32(info, static_cast<uint32_t>(layout.pixels.size()));
    put32(info, 2835);
    put32(info, 2835);
    put32(info, layout.colours_used);
    put32(info, 0);
    if (layout.header_size >= 52)
      for (size_t i = 0; i < layout.masks.size(); ++i)
        put32(info, layout.masks[i]);
    info.resize(layout.header_size, 0); // OS/2 2.x and V4/V5 fields we do not use stay zero
  }
  if (layout.header_size == 40)
    for (uint32_t m : layout.masks)
      put32(info, m);
  for (uint32_t c : layout.palette) {
    info.push_back(static_cast<uint8_t>(c));
    info.push_back(static_cast<uint8_t>(c >> 8));
    info.push_back(static_cast<uint8_t>(c >> 16));
    if (layout.header_size != 12)
      info.push_back(0);
  }
  Bytes file;
  file.push_back('B');
  file.push_back('M');
  const auto offset = static_cast<uint32_t>(14 + info.size());
  put32(file, static_cast<uint32_t>(offset + layout.pixels.size()));
  put32(file, 0);
  put32(file, offset);
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), layout.pixels.begin(), layout.pixels.end());
  return file;
}

namespace {

struct CompressBuffer {
  unsigned char *data = nullptr;
  unsigned long size = 0;
  ~CompressBuffer() { std::free(data); }
};

} // namespace

Bytes make_jpeg(const std::vector<uint32_t> &rgb, int width, int height, int jpeg_colour_space,
                bool progressive) {
  // The test's own inputs are well formed, so libjpeg's default error exit never fires.
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  CompressBuffer out;
  jpeg_mem_dest(&cinfo, &out.data, &out.size);
  const auto space = static_cast<J_COLOR_SPACE>(jpeg_colour_space);
  const bool gray = space == JCS_GRAYSCALE;
  const bool cmyk = space == JCS_CMYK || space == JCS_YCCK;
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = gray ? 1 : cmyk ? 4 : 3;
  cinfo.in_color_space = gray ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, space);
  jpeg_set_quality(&cinfo, 90, TRUE);
  if (progressive)
    jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t c = rgb[static_cast<size_t>(y * width + x)];
      const auto r = static_cast<JSAMPLE>(c >> 16), g = static_cast<JSAMPLE>(c >> 8),
                 b = static_cast<JSAMPLE>(c);
      const auto i = static_cast<size_t>(x);
      if (gray) {
        row[i] = g;
      } else if (cmyk) {
        // Inverted (Adobe) CMYK whose product with K gives the colour back.
        const JSAMPLE k = std::max({r, g, b, JSAMPLE{1}});
        row[4 * i] = static_cast<JSAMPLE>(r * 255 / k);
        row[4 * i + 1] = static_cast<JSAMPLE>(g * 255 / k);
        row[4 * i + 2] = static_cast<JSAMPLE>(b * 255 / k);
        row[4 * i + 3] = k;
      } else {
        row[3 * i] = r;
        row[3 * i + 1] = g;
        row[3 * i + 2] = b;
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return Bytes(out.data, out.data + out.size);
}

Bytes make_jpeg_of_scans(int scans) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  CompressBuffer out;
  jpeg_mem_dest(&cinfo, &out.data, &out.size);
  cinfo.image_width = 8;
  cinfo.image_height = 8;
  cinfo.input_components = 1;
  cinfo.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&cinfo);
  // Scans of one component: {1, {0}, Ss, Se, Ah, Al}. A coefficient sent in n scans starts
  // at bit n - 1 (Al), each later scan refining it by one bit down to bit 0; 10 is the
  // highest bit libjpeg takes, so n is at most 11.
  std::vector<jpeg_scan_info> script = {{1, {0}, 0, 0, 0, 0}};
  int left = scans - 1;
  for (int k = 1; k <= 63; ++k) {
    const int n = std::clamp(left - (63 - k), 1, 11);
    left -= n;
    script.push_back({1, {0}, k, k, 0, n - 1});
    for (int bit = n - 1; bit > 0; --bit)
      script.push_back({1, {0}, k, k, bit, bit - 1});
  }
  cinfo.scan_info = script.data();
  cinfo.num_scans = static_cast<int>(script.size());
  jpeg_start_compress(&cinfo, TRUE);
  const std::vector<uint32_t> px = pattern(8, 8);
  for (int y = 0; y < 8; ++y) {
    JSAMPLE row[8];
    for (int x = 0; x < 8; ++x)
      row[x] = static_cast<JSAMPLE>(px[static_cast<size_t>(y * 8 + x)] >> 8);
    JSAMPROW rows[1] = {row};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return Bytes(out.data, out.data + out.size);
}

std::vector<uint32_t> pattern(int width, int height) {
  std::vector<uint32_t> px;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const auto r = static_cast<uint32_t>(x * 255 / std::max(1, width - 1));
      const auto g = static_cast<uint32_t>(y * 255 / std::max(1, height - 1));
      const auto b = static_cast<uint32_t>((x + y) * 255 / std::max(1, width + height - 2));
      px.push_back(0xFF000000u | (r << 16) | (g << 8) | b);
    }
  return px;
}

long first_difference(const Picture &a, const Picture &b, int tolerance) {
  if (a.width != b.width || a.height != b.height || a.argb.size() != b.argb.size())
    return 0;
  for (size_t i = 0; i < a.argb.size(); ++i)
    for (int shift = 0; shift < 32; shift += 8) {
      const int ca = static_cast<int>((a.argb[i] >> shift) & 0xFFu);
      const int cb = static_cast<int>((b.argb[i] >> shift) & 0xFFu);
      if (std::abs(ca - cb) > tolerance)
        return static_cast<long>(i);
    }
  return -1;
}

Bytes with_jpeg_size(Bytes b, uint16_t width, uint16_t height) {
  // The frame header gives height then width, big-endian, 3 bytes after its length.
  for (size_t i = 0; i + 9 < b.size(); ++i)
    if (b[i] == 0xFF && (b[i + 1] == 0xC0 || b[i + 1] == 0xC2)) {
      b[i + 5] = static_cast<uint8_t>(height >> 8);
      b[i + 6] = static_cast<uint8_t>(height);
      b[i + 7] = static_cast<uint8_t>(width >> 8);
      b[i + 8] = static_cast<uint8_t>(width);
      break;
    }
  return b;
}
