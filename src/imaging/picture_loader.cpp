#include "picture.h"
#include "picture_internal.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

std::string picture_size_refusal(int64_t width, int64_t height, const PictureLimits &limits) {
  if (width <= limits.max_side && height <= limits.max_side && width * height <= limits.max_pixels)
    return {};
  return "Picture is too large (" + std::to_string(width) + " x " + std::to_string(height) +
         " pixels, at most " + std::to_string(limits.max_side) + " x " +
         std::to_string(limits.max_side) + " and " + std::to_string(limits.max_pixels) + " pixels)";
}

namespace {

// A picture file larger than this is refused before it is read: no decoder needs more input
// than a picture of the largest accepted size could take.
constexpr size_t MAX_FILE_BYTES = size_t{1} << 30;

enum class Format { bmp, jpeg, gif, unknown };

// The extension is what follows the last "." of the file name (not of a folder name), folded
// to lower case for the letters A to Z only.
// The extension as the file name writes it; the message quotes it so.
std::string extension_of(const std::string &path) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return {};
  return path.substr(dot + 1);
}

// Extensions are matched folding the letters A to Z only.
Format format_of(std::string ext) {
  for (char &c : ext)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  if (ext == "bmp")
    return Format::bmp;
  if (ext == "jpg" || ext == "jpeg")
    return Format::jpeg;
  if (ext == "gif")
    return Format::gif;
  return Format::unknown;
}

std::string cannot_open(const std::string &path, int code) {
  return "Cannot open file \"" + path + "\". " + std::strerror(code);
}

struct FileCloser {
  void operator()(std::FILE *f) const { std::fclose(f); }
};

// Reads the whole file; on failure returns false with the message set.
bool read_file(const std::string &path, std::vector<uint8_t> &bytes, std::string &message) {
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) {
    message = cannot_open(path, errno != 0 ? errno : ENOENT);
    return false;
  }
  // Read in blocks rather than trusting a size taken beforehand: the file may be a folder
  // (the read then fails with EISDIR) or may change while it is read.
  constexpr size_t BLOCK = size_t{1} << 16;
  for (;;) {
    const size_t old = bytes.size();
    if (old >= MAX_FILE_BYTES + 1) {
      message = cannot_open(path, EFBIG);
      return false;
    }
    bytes.resize(old + BLOCK);
    errno = 0;
    const size_t got = std::fread(bytes.data() + old, 1, BLOCK, f.get());
    bytes.resize(old + got);
    if (got < BLOCK) {
      if (std::ferror(f.get())) {
        message = cannot_open(path, errno != 0 ? errno : EIO);
        return false;
      }
      break;
    }
  }
  if (bytes.size() > MAX_FILE_BYTES) {
    message = cannot_open(path, EFBIG);
    return false;
  }
  return true;
}

} // namespace

PictureResult load_picture(const std::string &path, const PictureLimits &limits) {
  const std::string ext = extension_of(path);
  const Format format = format_of(ext);
  if (format == Format::unknown)
    return picture_failure("Unknown picture file extension (." + ext + ")");
  std::vector<uint8_t> bytes;
  std::string message;
  if (!read_file(path, bytes, message))
    return picture_failure(std::move(message));
  switch (format) {
  case Format::bmp: return decode_bmp(bytes.data(), bytes.size(), limits);
  case Format::jpeg: return decode_jpeg(bytes.data(), bytes.size(), limits);
  case Format::gif: return decode_gif(bytes.data(), bytes.size(), limits);
  case Format::unknown: break;
  }
  return picture_failure("Unknown picture file extension (." + ext + ")");
}
