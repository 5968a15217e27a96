#pragma once
#include "PixelRect.h"
#include "SkinBitmaps.h"
#include <cstdint>
#include <string>

typedef struct _cairo_surface cairo_surface_t;

// How a text is set: the family fontconfig resolves, its pixel size and weight.
struct STextStyle
{
    const char* family = "DejaVu Sans";
    double pixelSize = 11.0;
    bool bold = false;
};

enum class ETextAlign
{
    Left,
    Centre
};

// A picture in memory, 32 bits a pixel (0x00RRGGBB), that the X11 controls paint into and the
// window shows. Colours are given as Windows writes them (0x00BBGGRR), so that skin tables and
// the frame arithmetic serve both platforms. It is the surface the frame arithmetic expects.
class CCanvas
{
public:
    CCanvas(int width, int height);
    ~CCanvas();
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

    bool IsValid() const { return m_pixels != nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Rows top to bottom, Stride() bytes apart.
    const std::uint8_t* Data() const;
    int Stride() const { return m_stride; }
    std::uint32_t PixelAt(int x, int y) const; // 0x00RRGGBB; 0 outside

    void FillSolid(int x, int y, int width, int height, std::uint32_t colour);
    // A one-pixel line as GDI draws it: the end point left out.
    void Line(int x0, int y0, int x1, int y1, std::uint32_t colour);
    // The whole bitmap at (x, y); with a key, pixels of that colour (0x00BBGGRR) are left out.
    void DrawBitmap(const SBitmapPixels& bitmap, int x, int y, bool useKey = false, std::uint32_t key = 0);
    // Copies `source` at (x, y), or its part `from` there.
    void Copy(const CCanvas& source, int x, int y);
    void Copy(const CCanvas& source, const SPixelRect& from, int x, int y);

    // One line of text inside `rect`, centred vertically, never wider than the rectangle allows
    // for a centred text; the text's pixels are blended over what is there.
    void Text(const SPixelRect& rect, const std::string& text, const STextStyle& style, std::uint32_t colour,
              ETextAlign align);
    int TextWidth(const std::string& text, const STextStyle& style) const;
    int TextHeight(const STextStyle& style) const;

private:
    void Set(int x, int y, std::uint32_t rgb);

    int m_width;
    int m_height;
    int m_stride = 0;
    cairo_surface_t* m_surface = nullptr;
    std::uint8_t* m_pixels = nullptr;
};

// 0x00BBGGRR to 0x00RRGGBB.
inline std::uint32_t ToRgb(std::uint32_t colour)
{
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}
