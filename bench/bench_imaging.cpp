// Picture decoding: our loader against Qt's image reader, file to QImage, on the same files.
//   build-imaging/bench/bench_imaging [--benchmark_filter=...]
// "Ours" is load_picture followed by vers_qimage (what the editor does); "ours_decode" stops
// at the Picture; "qt" is QImageReader::read on the same path.

#include "picture.h"
#include "picture_qt.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <gif_lib.h>
#include <jpeglib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string g_dir;

// A photograph-like picture: smooth gradients, a few shapes and a fixed noise, so that JPEG
// and LZW see realistic data rather than flat areas.
std::vector<uint32_t> scene(int w, int h) {
  std::vector<uint32_t> px(static_cast<size_t>(w) * static_cast<size_t>(h));
  uint32_t noise = 12345;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int n = static_cast<int>((noise >> 16) & 15u) - 8;
      const int dx = x - w / 2, dy = y - h / 3;
      const bool disc = dx * dx + dy * dy < (h / 4) * (h / 4);
      const int r = std::clamp(x * 255 / w + n + (disc ? 60 : 0), 0, 255);
      const int g = std::clamp(y * 255 / h + n, 0, 255);
      const int b = std::clamp(((x / 64 + y / 64) % 2 ? 180 : 90) + n, 0, 255);
      px[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
          0xFF000000u | static_cast<uint32_t>(r << 16 | g << 8 | b);
    }
  return px;
}

void write_file(const std::string &path, const std::vector<uint8_t> &bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char *>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write " + path);
}

std::vector<uint8_t> make_jpeg(int w, int h) {
  const std::vector<uint32_t> px = scene(w, h);
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char *out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = static_cast<JDIMENSION>(w);
  cinfo.image_height = static_cast<JDIMENSION>(h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(w) * 3);
  for (int y = 0; y < h; ++y) {
    for (size_t x = 0; x < static_cast<size_t>(w); ++x) {
      const uint32_t c = px[static_cast<size_t>(y) * static_cast<size_t>(w) + x];
      row[3 * x] = static_cast<JSAMPLE>(c >> 16);
      row[3 * x + 1] = static_cast<JSAMPLE>(c >> 8);
      row[3 * x + 2] = static_cast<JSAMPLE>(c);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> bytes(out, out + size);
  std::free(out);
  return bytes;
}

void put16(std::vector<uint8_t> &b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t> &b, uint32_t v) {
  put16(b, v & 0xFFFFu);
  put16(b, v >> 16);
}

std::vector<uint8_t> make_bmp24(int w, int h) {
  const std::vector<uint32_t> px = scene(w, h);
  const auto stride = static_cast<uint32_t>((w * 3 + 3) / 4 * 4);
  std::vector<uint8_t> b = {'B', 'M'};
  put32(b, 54 + stride * static_cast<uint32_t>(h));
  put32(b, 0);
  put32(b, 54);
  put32(b, 40);
  put32(b, static_cast<uint32_t>(w));
  put32(b, static_cast<uint32_t>(h));
  put16(b, 1);
  put16(b, 24);
  for (int i = 0; i < 6; ++i)
    put32(b, 0);
  for (int y = h - 1; y >= 0; --y) {
    const size_t start = b.size();
    for (size_t x = 0; x < static_cast<size_t>(w); ++x) {
      const uint32_t c = px[static_cast<size_t>(y) * static_cast<size_t>(w) + x];
      b.push_back(static_cast<uint8_t>(c));
      b.push_back(static_cast<uint8_t>(c >> 8));
      b.push_back(static_cast<uint8_t>(c >> 16));
    }
    b.resize(start + stride, 0);
  }
  return b;
}

int gif_write(GifFileType *gif, const GifByteType *data, int n) {
  auto *out = static_cast<std::vector<uint8_t> *>(gif->UserData);
  out->insert(out->end(), data, data + n);
  return n;
}

std::vector<uint8_t> make_gif(int w, int h) {
  // A 3-3-2 palette of the scene, as a GIF export of a photograph would give.
  const std::vector<uint32_t> px = scene(w, h);
  std::vector<uint8_t> bytes;
  int error = 0;
  GifFileType *gif = EGifOpen(&bytes, gif_write, &error);
  ColorMapObject *map = GifMakeMapObject(256, nullptr);
  for (int i = 0; i < 256; ++i) {
    map->Colors[i].Red = static_cast<GifByteType>((i >> 5) * 255 / 7);
    map->Colors[i].Green = static_cast<GifByteType>(((i >> 2) & 7) * 255 / 7);
    map->Colors[i].Blue = static_cast<GifByteType>((i & 3) * 255 / 3);
  }
  EGifPutScreenDesc(gif, w, h, 8, 0, map);
  EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr);
  std::vector<GifPixelType> line(static_cast<size_t>(w));
  for (int y = 0; y < h; ++y) {
    for (size_t x = 0; x < line.size(); ++x) {
      const uint32_t c = px[static_cast<size_t>(y) * static_cast<size_t>(w) + x];
      line[x] = static_cast<GifPixelType>(((c >> 21) & 7u) << 5 | ((c >> 13) & 7u) << 2 |
                                          ((c >> 6) & 3u));
    }
    EGifPutLine(gif, line.data(), w);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return bytes;
}

std::string path_of(const char *name) {
  return g_dir + "/" + name;
}

void ours(benchmark::State &state, const char *name) {
  const std::string path = path_of(name);
  for (auto _ : state) {
    Avec<QImage> image = charge_image(QString::fromStdString(path));
    if (!image)
      state.SkipWithError(image.message().c_str());
    benchmark::DoNotOptimize(image);
  }
}

void ours_decode(benchmark::State &state, const char *name) {
  const std::string path = path_of(name);
  for (auto _ : state) {
    Avec<Picture> r = load_picture(path);
    if (!r.ok())
      state.SkipWithError(r.message().c_str());
    benchmark::DoNotOptimize(r);
  }
}

void qt(benchmark::State &state, const char *name) {
  const QString path = QString::fromStdString(path_of(name));
  for (auto _ : state) {
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
      state.SkipWithError(reader.errorString().toStdString().c_str());
    benchmark::DoNotOptimize(image);
  }
}

} // namespace

BENCHMARK_CAPTURE(ours, jpeg_1920x1080, "photo.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ours_decode, jpeg_1920x1080, "photo.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(qt, jpeg_1920x1080, "photo.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ours, bmp24_1024x1024, "picture.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ours_decode, bmp24_1024x1024, "picture.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(qt, bmp24_1024x1024, "picture.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ours, gif_1024x1024, "picture.gif")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ours_decode, gif_1024x1024, "picture.gif")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(qt, gif_1024x1024, "picture.gif")->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QTemporaryDir dir;
  if (!dir.isValid())
    return 1;
  g_dir = dir.path().toStdString();
  write_file(path_of("photo.jpg"), make_jpeg(1920, 1080));
  write_file(path_of("picture.bmp"), make_bmp24(1024, 1024));
  write_file(path_of("picture.gif"), make_gif(1024, 1024));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
