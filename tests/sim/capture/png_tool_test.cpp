// decklink-sim-png: a capture file in, a 16-bit RGB PNG out, read back
// with libpng.
#include <gtest/gtest.h>
#include <png.h>
#include <spawn.h>
#include <sys/wait.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

extern char** environ;

namespace {

struct Png {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  int colorType = 0;
  std::vector<std::vector<unsigned char>> rows;
  std::vector<std::pair<std::string, std::string>> texts;  // tEXt chunks, in order
};

// Holds only plain values across setjmp; the rows are read into `png`,
// whose storage is allocated before it.
bool readPng(const std::string& path, Png* png) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  png_structp reader = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(reader);
  if (setjmp(png_jmpbuf(reader))) {
    png_destroy_read_struct(&reader, &info, nullptr);
    std::fclose(file);
    return false;
  }
  png_init_io(reader, file);
  png_read_info(reader, info);
  png->width = png_get_image_width(reader, info);
  png->height = png_get_image_height(reader, info);
  png->bitDepth = png_get_bit_depth(reader, info);
  png->colorType = png_get_color_type(reader, info);
  png->rows.resize(png->height);
  for (auto& row : png->rows) {
    row.resize(png_get_rowbytes(reader, info));
    png_read_row(reader, row.data(), nullptr);
  }
  png_read_end(reader, info);
  png_textp texts = nullptr;
  const int count = png_get_text(reader, info, &texts, nullptr);
  for (int i = 0; i < count; ++i) png->texts.emplace_back(texts[i].key, texts[i].text);
  png_destroy_read_struct(&reader, &info, nullptr);
  std::fclose(file);
  return true;
}

// Runs the tool; returns its exit status, or -1.
int runTool(const std::string& in, const std::string& out) {
  const char* argv[] = {DECKLINK_SIM_PNG_TOOL, in.c_str(), out.c_str(), nullptr};
  pid_t pid;
  if (posix_spawn(&pid, DECKLINK_SIM_PNG_TOOL, nullptr, nullptr, const_cast<char**>(argv),
                  environ) != 0) {
    return -1;
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string word(uint32_t r, uint32_t g, uint32_t b) {
  const uint32_t packed = (r << 20) | (g << 10) | b;
  return {static_cast<char>(packed >> 24), static_cast<char>(packed >> 16),
          static_cast<char>(packed >> 8), static_cast<char>(packed)};
}

unsigned sample(const std::vector<unsigned char>& row, int x, int channel) {
  const size_t at = static_cast<size_t>(x) * 6 + static_cast<size_t>(channel) * 2;
  return (unsigned(row[at]) << 8) | row[at + 1];
}

TEST(PngToolTest, WritesTheFramesPixelsAs16BitRgb) {
  ScratchDir scratch;
  // 3x2 pixels in rows of 16 bytes: 4 bytes of padding after each row,
  // which must not reach the picture.
  std::string pixels = word(0, 512, 1023) + word(1, 2, 3) + word(1023, 0, 64) + "PADD" +
                       word(940, 64, 502) + word(0, 0, 0) + word(1023, 1023, 1023) + "PADD";
  const std::string in = scratch.file("frame.r210");
  std::ofstream(in, std::ios::binary)
      << "DeckLinkSimFrame 1\nwidth 3\nheight 2\nrow_bytes 16\npixel_format r210\n"
         "sequence 1\n\n"
      << pixels;
  const std::string out = scratch.file("frame.png");
  ASSERT_EQ(0, runTool(in, out));

  Png png;
  ASSERT_TRUE(readPng(out, &png));
  EXPECT_EQ(3u, png.width);
  EXPECT_EQ(2u, png.height);
  EXPECT_EQ(16, png.bitDepth);
  EXPECT_EQ(PNG_COLOR_TYPE_RGB, png.colorType);
  const unsigned expected[2][3][3] = {
      {{0, 32800, 65535}, {64, 128, 192}, {65535, 0, 4100}},
      {{60218, 4100, 32159}, {0, 0, 0}, {65535, 65535, 65535}},
  };
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(expected[y][x][c], sample(png.rows[y], x, c)) << x << "," << y << "," << c;
      }
    }
  }
}

TEST(PngToolTest, WritesTheFramesMetadataAsTextChunks) {
  ScratchDir scratch;
  const std::string in = scratch.file("hdr.r210");
  std::ofstream(in, std::ios::binary)
      << "DeckLinkSimFrame 2\nwidth 1\nheight 1\nrow_bytes 4\npixel_format r210\n"
         "sequence 1\nflags 2\nmetadata cspc int 842019376\nmetadata eotf int 2\n"
         "metadata hdml float 1000\nmetadata hmil float 0.0001\n\n"
      << word(940, 940, 940);
  const std::string out = scratch.file("hdr.png");
  ASSERT_EQ(0, runTool(in, out));
  Png png;
  ASSERT_TRUE(readPng(out, &png));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"DeckLink flags", "0x2"},     {"DeckLink cspc", "2020"},   {"DeckLink eotf", "2"},
      {"DeckLink hdml", "1000"},     {"DeckLink hmil", "0.0001"},
  };
  EXPECT_EQ(expected, png.texts);
  EXPECT_EQ(60218u, sample(png.rows[0], 0, 0));

  // A frame without metadata gets no text.
  const std::string plain = scratch.file("plain.r210");
  std::ofstream(plain, std::ios::binary)
      << "DeckLinkSimFrame 1\nwidth 1\nheight 1\nrow_bytes 4\npixel_format r210\n"
         "sequence 1\n\n"
      << word(1, 2, 3);
  ASSERT_EQ(0, runTool(plain, out));
  Png plainPng;
  ASSERT_TRUE(readPng(out, &plainPng));
  EXPECT_TRUE(plainPng.texts.empty());
}

TEST(PngToolTest, FailsWithStatusOneOnBadInput) {
  ScratchDir scratch;
  const std::string notCapture = scratch.file("not.r210");
  std::ofstream(notCapture) << "hello\n";
  EXPECT_EQ(1, runTool(notCapture, scratch.file("out.png")));
  EXPECT_EQ(1, runTool(scratch.file("missing.r210"), scratch.file("out.png")));
  std::FILE* out = std::fopen(scratch.file("out.png").c_str(), "rb");
  EXPECT_EQ(nullptr, out);
  if (out != nullptr) std::fclose(out);
}

}  // namespace
