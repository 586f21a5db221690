#include "capture/png_tool/png16_writer.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// libpng reports errors by longjmp; this function holds only plain values
// across its setjmp, so the jump skips no destructor.
bool encode(std::FILE* file, int32_t width, int32_t height, RowSource source, void* context,
            png_textp texts, int textCount, unsigned char* row) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 16,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (textCount > 0) png_set_text(png, info, texts, textCount);
  png_write_info(png, info);
  for (int32_t y = 0; y < height; ++y) {
    source(context, y, row);
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool writePng16(const std::string& path, int32_t width, int32_t height, RowSource source,
                void* context, const std::vector<PngText>& texts, std::string* problem) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    *problem = "cannot create " + path + ": " + std::strerror(errno);
    return false;
  }
  std::vector<unsigned char> row(static_cast<size_t>(width) * 6);
  // libpng's text records point into `texts`, which outlives the encoding.
  std::vector<png_text> chunks(texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    chunks[i].compression = PNG_TEXT_COMPRESSION_NONE;
    chunks[i].key = const_cast<char*>(texts[i].keyword.c_str());
    chunks[i].text = const_cast<char*>(texts[i].text.c_str());
    chunks[i].text_length = texts[i].text.size();
  }
  bool ok = encode(file, width, height, source, context, chunks.data(),
                   static_cast<int>(chunks.size()), row.data());
  ok = std::fclose(file) == 0 && ok;
  if (!ok) {
    *problem = "cannot write " + path;
    std::remove(path.c_str());
  }
  return ok;
}
