// Pictures in memory: BMP files of every supported depth and row order,
// malformed BMP files refused without reading past the data, and PNG data.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>

#include <string>

#include <zlib.h>

#include "platform/gdi/Bmp.h"
#include "platform/gdi/Gdi.h"

namespace p = platform;

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v) {
  b.push_back(std::uint8_t(v));
  b.push_back(std::uint8_t(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// A BMP file with a 40-byte header; `rows` are the stored rows in file order,
// each padded here to 4 bytes.
Bytes MakeBmp(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
              const std::vector<Bytes>& rows, std::uint32_t colorsUsed = 0) {
  Bytes b{'B', 'M'};
  Put32(b, 0);  // file size: readers must not trust it
  Put32(b, 0);
  const std::uint32_t offset = 14 + 40 + std::uint32_t(palette.size()) * 4;
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, std::uint32_t(width));
  Put32(b, std::uint32_t(height));
  Put16(b, 1);
  Put16(b, std::uint32_t(bits));
  for (int i = 0; i < 4; ++i) Put32(b, 0);
  Put32(b, colorsUsed);
  Put32(b, 0);
  for (std::uint32_t c : palette) Put32(b, c);  // 0x00RRGGBB is stored blue, green, red, 0
  for (Bytes row : rows) {
    while (row.size() % 4) row.push_back(0);
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

bool Read(const Bytes& b, p::SurfaceBuffer& out, std::string* error = nullptr) {
  std::string e;
  const bool ok = p::ReadBmp(b, &out, error ? error : &e);
  return ok;
}

}  // namespace

TEST(Bmp, PalettedDepthsMapIndexesAndRunBottomUp) {
  p::SurfaceBuffer out;
  // 1 bit: 10 pixels wide so a row spans two bytes; stored bottom row first.
  const Bytes one =
      MakeBmp(10, 2, 1, {0x000000, 0xFF8000}, {{0b10100000, 0b01000000}, {0xFF, 0x80}});
  ASSERT_TRUE(Read(one, out));
  ASSERT_EQ(out.Width(), 10);
  ASSERT_EQ(out.Height(), 2);
  for (int x = 0; x < 9; ++x) EXPECT_EQ(out.At(x, 0), 0xFFFF8000u) << x;  // top row, stored last
  EXPECT_EQ(out.At(9, 0), 0xFF000000u);
  EXPECT_EQ(out.At(0, 1), 0xFFFF8000u);
  EXPECT_EQ(out.At(1, 1), 0xFF000000u);
  EXPECT_EQ(out.At(2, 1), 0xFFFF8000u);
  EXPECT_EQ(out.At(9, 1), 0xFFFF8000u);

  // 4 bits with a short colour table (ColorsUsed 3): high nibble first.
  const Bytes four = MakeBmp(3, 1, 4, {0x112233, 0x445566, 0x778899}, {{0x21, 0x00}}, 3);
  ASSERT_TRUE(Read(four, out));
  EXPECT_EQ(out.At(0, 0), 0xFF778899u);
  EXPECT_EQ(out.At(1, 0), 0xFF445566u);
  EXPECT_EQ(out.At(2, 0), 0xFF112233u);

  // 8 bits, top-down (negative height).
  std::vector<std::uint32_t> gray(256);
  for (std::uint32_t i = 0; i < 256; ++i) gray[i] = i * 0x010101;
  const Bytes eight = MakeBmp(2, -2, 8, gray, {{0x10, 0x20}, {0x30, 0x40}});
  ASSERT_TRUE(Read(eight, out));
  EXPECT_EQ(out.At(0, 0), 0xFF101010u);
  EXPECT_EQ(out.At(1, 0), 0xFF202020u);
  EXPECT_EQ(out.At(0, 1), 0xFF303030u);
  EXPECT_EQ(out.At(1, 1), 0xFF404040u);
}

TEST(Bmp, TrueColourDepthsAndAlpha) {
  p::SurfaceBuffer out;
  // 24 bits: 3 pixels = 9 bytes, padded to 12 per row.
  const Bytes rgb = MakeBmp(3, 2, 24, {},
                            {{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09},
                             {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF}});
  ASSERT_TRUE(Read(rgb, out));
  EXPECT_EQ(out.At(0, 0), 0xFF0000FFu);  // blue, green, red in the file
  EXPECT_EQ(out.At(1, 0), 0xFF00FF00u);
  EXPECT_EQ(out.At(2, 0), 0xFFFF0000u);
  EXPECT_EQ(out.At(0, 1), 0xFF030201u);
  EXPECT_EQ(out.At(2, 1), 0xFF090807u);

  // 32 bits with every alpha byte zero: the byte is unused, pixels opaque.
  const Bytes unused = MakeBmp(2, 1, 32, {}, {{0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0}});
  ASSERT_TRUE(Read(unused, out));
  EXPECT_EQ(out.At(0, 0), 0xFF302010u);
  EXPECT_EQ(out.At(1, 0), 0xFF605040u);
  // Some alpha set: it is real alpha and kept, zero included.
  const Bytes alpha = MakeBmp(2, 1, 32, {}, {{0x10, 0x20, 0x30, 0x80, 0x40, 0x50, 0x60, 0}});
  ASSERT_TRUE(Read(alpha, out));
  EXPECT_EQ(out.At(0, 0), 0x80302010u);
  EXPECT_EQ(out.At(1, 0), 0x00605040u);
}

TEST(Bmp, ClassicCoreHeaderHasThreeByteColours) {
  Bytes b{'B', 'M'};
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 14 + 12 + 2 * 3);
  Put32(b, 12);
  Put16(b, 2);  // width
  Put16(b, 1);  // height
  Put16(b, 1);
  Put16(b, 1);                                              // bits
  b.insert(b.end(), {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00});  // red, green
  b.insert(b.end(), {0x40, 0, 0, 0});                       // pixels 0, 1
  p::SurfaceBuffer out;
  ASSERT_TRUE(Read(b, out));
  EXPECT_EQ(out.At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(out.At(1, 0), 0xFF00FF00u);
}

TEST(Bmp, MalformedFilesAreRefusedWithAReason) {
  const Bytes good = MakeBmp(3, 2, 24, {}, {Bytes(9, 0x11), Bytes(9, 0x22)});
  p::SurfaceBuffer out;
  ASSERT_TRUE(Read(good, out));

  struct Bad {
    const char* what;
    Bytes data;
    const char* reason;
  };
  auto with = [&](std::size_t at, std::uint32_t v, int bytes = 4) {
    Bytes b = good;
    for (int i = 0; i < bytes; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
    return b;
  };
  Bytes truncated = good;
  truncated.pop_back();
  std::vector<std::uint32_t> two{0, 0xFFFFFF};
  const Bytes badIndex = MakeBmp(2, 1, 8, two, {{0x00, 0x05}}, 2);
  const Bytes bigTable = MakeBmp(2, 1, 1, {0, 0, 0}, {{0x00}}, 3);
  const Bytes smallTable = MakeBmp(2, 1, 1, two, {{0x40}});
  Bytes tooMany = with(18, 16384);
  tooMany[22] = 0x00;
  tooMany[23] = 0x40;  // 16384 x 16384
  const Bad cases[] = {
      {"empty", {}, "not a BMP file"},
      {"signature only", {'B', 'M'}, "the file header is truncated"},
      {"wrong signature", with(0, 'X', 1), "not a BMP file"},
      {"header cut", Bytes(good.begin(), good.begin() + 30), "the information header is truncated"},
      {"unknown header size", with(14, 13), "unknown information header"},
      {"huge header size", with(14, 0xFFFFFFFF), "the information header is truncated"},
      {"pixels cut", truncated, "the pixel data is truncated"},
      {"offset past the end", with(10, 0xFFFFFFF0), "the pixel data is truncated"},
      {"offset inside the header", with(10, 20), "the pixel data offset is invalid"},
      {"zero width", with(18, 0), "the picture has no pixels"},
      {"negative width", with(18, 0xFFFFFFFD), "the picture has no pixels"},
      {"zero height", with(22, 0), "the picture has no pixels"},
      {"most negative height", with(22, 0x80000000), "the picture is too large"},
      {"huge width", with(18, 0x7FFFFFFF), "the picture is too large"},
      {"too many pixels", tooMany, "the picture is too large"},
      {"two planes", with(26, 2, 2), "the plane count is not 1"},
      {"16 bits", with(28, 16, 2), "unsupported number of bits per pixel"},
      {"run-length compressed", with(30, 1), "compressed pictures are not supported"},
      {"colour table larger than the depth", bigTable,
       "the colour table is larger than the pixels can use"},
      {"colour table cut", Bytes(smallTable.begin(), smallTable.begin() + 58),
       "the colour table is truncated"},
      {"index outside the table", badIndex, "a colour index is outside the table"},
  };
  for (const Bad& c : cases) {
    SCOPED_TRACE(c.what);
    p::SurfaceBuffer result(1, 1);
    std::string error;
    EXPECT_FALSE(Read(c.data, result, &error));
    EXPECT_EQ(error, c.reason);
    EXPECT_EQ(result.Width(), 0);  // nothing half-read is left behind
  }
}

TEST(Bmp, CorruptedHeadersNeverReadOutsideTheData) {
  // Damaged copies of small valid files: each either decodes to a sane size
  // or is refused; the sanitizer builds catch any read past the end.
  std::vector<std::uint32_t> gray(16);
  for (std::uint32_t i = 0; i < 16; ++i) gray[i] = i * 0x111111;
  const Bytes bases[] = {
      MakeBmp(5, 3, 4, gray, {{0x01, 0x23, 0x40}, {0x56, 0x78, 0x90}, {0xAB, 0xCD, 0xE0}}),
      MakeBmp(2, -2, 24, {}, {Bytes(6, 7), Bytes(6, 9)})};
  std::uint32_t state = 12345;
  auto next = [&] { return state = state * 1103515245u + 12345u; };
  for (const Bytes& base : bases)
    for (int round = 0; round < 2000; ++round) {
      Bytes b(base.begin(),
              base.begin() + std::ptrdiff_t(next() % 8 == 0 ? next() % base.size() : base.size()));
      for (int k = 0, n = 1 + int(next() % 4); k < n && b.size() > 0; ++k)
        b[std::size_t(next() % std::min<std::size_t>(b.size(), 64))] = std::uint8_t(next() >> 16);
      p::SurfaceBuffer out;
      std::string error;
      if (p::ReadBmp(b, &out, &error)) {
        EXPECT_GT(out.Width(), 0);
        EXPECT_LE(std::int64_t(out.Width()) * out.Height(), p::kMaxPicturePixels);
      } else {
        EXPECT_FALSE(error.empty());
      }
    }
}

TEST(Bmp, WrittenPicturesReadBackUnchanged) {
  p::SurfaceBuffer pic(3, 2);
  pic.At(0, 0) = 0xFF102030u;
  pic.At(2, 0) = 0x80405060u;
  pic.At(1, 1) = 0x00A0B0C0u;
  const Bytes file = p::WriteBmp(pic.View());
  p::SurfaceBuffer back;
  ASSERT_TRUE(Read(file, back));
  ASSERT_EQ(back.Width(), 3);
  ASSERT_EQ(back.Height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(back.At(x, y), pic.At(x, y)) << x << "," << y;
  EXPECT_TRUE(p::WriteBmp(p::SurfaceBuffer().View()).empty());
}

TEST(PngData, ReadsFromMemoryAndRefusesCutData) {
  p::SurfaceBuffer pic(4, 3, 0xFF00FF00u);
  pic.At(3, 2) = 0x40FF0000u;
  const std::string path = ::testing::TempDir() + "/png_data_test.png";
  ASSERT_TRUE(p::WritePng(path, pic.View(), nullptr, true));
  std::ifstream in(path, std::ios::binary);
  const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::remove(path.c_str());
  ASSERT_TRUE(p::IsPngData(file));
  EXPECT_FALSE(p::IsBmpData(file));

  p::SurfaceBuffer out;
  std::string error;
  ASSERT_TRUE(p::ReadPngData(file, &out, &error)) << error;
  ASSERT_EQ(out.Width(), 4);
  ASSERT_EQ(out.Height(), 3);
  EXPECT_EQ(out.At(0, 0), 0xFF00FF00u);
  EXPECT_EQ(out.At(3, 2), 0x40FF0000u);

  for (std::size_t cut : {std::size_t(8), std::size_t(20), file.size() / 2, file.size() - 13}) {
    SCOPED_TRACE(cut);
    p::SurfaceBuffer partial;
    EXPECT_FALSE(p::ReadPngData(std::span(file.data(), cut), &partial, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(partial.Width(), 0);
  }
  EXPECT_FALSE(p::ReadPngData(Bytes{1, 2, 3}, &out, &error));
  EXPECT_EQ(error, "not a PNG file");
}

// The process's peak of address space in kB (VmPeak); it only grows.
long PeakKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmPeak:", 0) == 0) return std::stol(line.substr(7));
  return -1;
}

// A text chunk whose length field claims 1,667,457,891 bytes in a file of
// 135: the reader must refuse it without first asking for that much memory
// (the peak of the process's address space would show it).
TEST(PngData, AChunkLongerThanItsFileIsRefusedBeforeAllocating) {
  Bytes file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto chunk = [&file](const char* type, const Bytes& data, std::uint32_t claimed) {
    for (int s = 24; s >= 0; s -= 8) file.push_back(std::uint8_t(claimed >> s));
    const std::size_t start = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    const uLong crc = crc32(0, file.data() + start, uInt(file.size() - start));
    for (int s = 24; s >= 0; s -= 8) file.push_back(std::uint8_t(crc >> s));
  };
  const Bytes header{0, 0, 0, 9, 0, 0, 0, 5, 8, 2, 0, 0, 0};  // 9 x 5, 8-bit RGB
  chunk("IHDR", header, 13);
  chunk("tEXt", Bytes(90, 'a'), 1667457891u);
  ASSERT_EQ(file.size(), 135u);
  const long before = PeakKb();
  ASSERT_GT(before, 0);
  p::SurfaceBuffer out;
  std::string error;
  EXPECT_FALSE(p::ReadPngData(file, &out, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_LT(PeakKb() - before, 256L * 1024) << "the reader reserved memory for the claimed length";
}
