// The skin bitmaps as linked into the binary: format, size and the transparent backdrop of the
// waveform button faces.
#include "ResourceReader.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Rgb {
  int r, g, b;
};

// A packed device-independent bitmap resource (header followed by the pixel rows).
class PackedBitmap {
 public:
  explicit PackedBitmap(int id) : bytes_(ReadResource(RT_BITMAP, id)) {
    if (bytes_.size() >= sizeof(BITMAPINFOHEADER)) std::memcpy(&header_, bytes_.data(), sizeof(header_));
  }

  bool Loaded() const { return header_.biSize >= sizeof(BITMAPINFOHEADER); }
  const BITMAPINFOHEADER& Header() const { return header_; }
  int Width() const { return header_.biWidth; }
  int Height() const { return header_.biHeight < 0 ? -header_.biHeight : header_.biHeight; }

  bool PixelsComplete() const {
    return bytes_.size() >= header_.biSize + static_cast<size_t>(Stride()) * Height();
  }

  // Pixel (x, y) with y counted from the top, as the window shows it.
  Rgb At(int x, int y) const {
    int row = header_.biHeight > 0 ? Height() - 1 - y : y;
    const uint8_t* p = bytes_.data() + header_.biSize + static_cast<size_t>(row) * Stride() + 3 * x;
    return {p[2], p[1], p[0]};
  }

 private:
  int Stride() const { return (Width() * 3 + 3) & ~3; }

  std::vector<uint8_t> bytes_;
  BITMAPINFOHEADER header_{};
};

bool IsBackdrop(Rgb c) { return c.r == 128 && c.g == 0 && c.b == 0; }
// The skin's orange-yellow highlight and its anti-aliased edges.
bool IsLit(Rgb c) { return c.r >= 200 && c.g >= 120 && c.b < 100; }

int CountLit(const PackedBitmap& face, int fromRow, int toRow) {
  int lit = 0;
  for (int y = fromRow; y < toRow; ++y)
    for (int x = 0; x < face.Width(); ++x) lit += IsLit(face.At(x, y)) ? 1 : 0;
  return lit;
}

}  // namespace

TEST(SkinBitmaps, AreUncompressed24BitBitmapsOfTheirSizes) {
  struct {
    int id, width, height;
  } const expected[] = {{IDB_BACKGROUND, 400, 165}, {IDB_WAVE_TRIANGLE, 32, 32},
                        {IDB_WAVE_SINE, 32, 32},    {IDB_WAVE_PRESSED, 32, 32}};
  for (const auto& want : expected) {
    SCOPED_TRACE(testing::Message() << "bitmap " << want.id);
    PackedBitmap bitmap(want.id);
    ASSERT_TRUE(bitmap.Loaded());
    EXPECT_EQ(bitmap.Width(), want.width);
    EXPECT_EQ(bitmap.Height(), want.height);
    EXPECT_EQ(bitmap.Header().biBitCount, 24);
    EXPECT_EQ(bitmap.Header().biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_TRUE(bitmap.PixelsComplete());

    // The way the editor loads them.
    HBITMAP loaded = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(want.id));
    ASSERT_NE(loaded, nullptr);
    BITMAP info{};
    ASSERT_NE(GetObjectW(loaded, sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, want.width);
    EXPECT_EQ(info.bmHeight, want.height);
    DeleteObject(loaded);
  }
}

TEST(SkinBitmaps, WaveFacesDrawTheirWavesOverTheTransparentBackdropInsideAnOpaqueBevel) {
  for (int id : {IDB_WAVE_TRIANGLE, IDB_WAVE_SINE, IDB_WAVE_PRESSED}) {
    SCOPED_TRACE(testing::Message() << "bitmap " << id);
    PackedBitmap face(id);
    ASSERT_TRUE(face.Loaded() && face.PixelsComplete());
    const int last = face.Width() - 1;
    int backdrop = 0;
    for (int y = 1; y < last; ++y)
      for (int x = 1; x < last; ++x) backdrop += IsBackdrop(face.At(x, y)) ? 1 : 0;
    // The button's own gradient shows around the waves...
    const int interior = (last - 1) * (last - 1);
    EXPECT_GT(backdrop, interior / 2);
    EXPECT_LT(backdrop, interior);
    for (int x : {2, last - 2})
      for (int y : {2, last - 2}) EXPECT_TRUE(IsBackdrop(face.At(x, y))) << "(" << x << ", " << y << ")";
    // ...but the bevel is drawn in full, lit from the top left unless the face is held down.
    int topLeft = 0, bottomRight = 0;
    for (int i = 0; i <= last; ++i) {
      for (Rgb c : {face.At(i, 0), face.At(0, i), face.At(i, last), face.At(last, i)})
        EXPECT_FALSE(IsBackdrop(c)) << "bevel pixel " << i;
      topLeft += face.At(i, 0).r + face.At(0, i).r;
      bottomRight += face.At(i, last).r + face.At(last, i).r;
    }
    if (id == IDB_WAVE_PRESSED)
      EXPECT_LT(topLeft, bottomRight);
    else
      EXPECT_GT(topLeft, bottomRight);
  }
  EXPECT_EQ(WAVE_FACE_BACKDROP, 0x000080);
}

TEST(SkinBitmaps, OnlyTheSelectedWaveIsLit) {
  PackedBitmap sine(IDB_WAVE_SINE), triangle(IDB_WAVE_TRIANGLE), pressed(IDB_WAVE_PRESSED);
  ASSERT_TRUE(sine.PixelsComplete() && triangle.PixelsComplete() && pressed.PixelsComplete());
  // Sine on top, triangle below.
  EXPECT_GT(CountLit(sine, 0, 16), 20);
  EXPECT_EQ(CountLit(sine, 16, 32), 0);
  EXPECT_EQ(CountLit(triangle, 0, 16), 0);
  EXPECT_GT(CountLit(triangle, 16, 32), 20);
  EXPECT_EQ(CountLit(pressed, 0, 32), 0);
}
