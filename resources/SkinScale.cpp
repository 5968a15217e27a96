#include "SkinScale.h"
#include "resource.h"
#include <algorithm>

int NativeSkinFactor(double scale)
{
    constexpr double kSlack = 1e-6; // a host's 2.0 may arrive as 1.9999999
    if (scale <= 1.0 + kSlack)
        return 1;
    return scale <= 2.0 + kSlack ? 2 : 3;
}

int SkinBitmapIdAt(int id, int factor)
{
    return factor >= 3 ? id + IDB_OFFSET_3X : factor == 2 ? id + IDB_OFFSET_2X : id;
}

namespace {

// The sums of one target pixel's share of the source: colour weighted by covered area.
struct SCoverage
{
    double red = 0, green = 0, blue = 0, weight = 0, keyWeight = 0;

    void Add(std::uint32_t pixel, double area, bool isKey)
    {
        if (isKey)
        {
            keyWeight += area;
            return;
        }
        red += area * (pixel >> 16 & 0xFF);
        green += area * (pixel >> 8 & 0xFF);
        blue += area * (pixel & 0xFF);
        weight += area;
    }
    std::uint32_t Result(std::uint32_t key) const
    {
        if (weight <= keyWeight)
            return key;
        auto channel = [this](double sum) { return static_cast<std::uint32_t>(std::min(255.0, sum / weight + 0.5)); };
        return channel(red) << 16 | channel(green) << 8 | channel(blue);
    }
};

// The source span [from, to) in source pixels that target pixel i covers, and each source
// pixel's share of it.
template <class Visit>
void Span(int i, double ratio, int limit, Visit visit)
{
    const double from = i * ratio, to = std::min((i + 1) * ratio, static_cast<double>(limit));
    for (int s = static_cast<int>(from); s < to && s < limit; ++s)
        visit(s, std::min<double>(s + 1, to) - std::max<double>(s, from));
}

} // namespace

SBitmapPixels ScaleDownPicture(const SBitmapPixels& picture, int width, int height, bool useKey, std::uint32_t key)
{
    if (!picture.IsValid() || width <= 0 || height <= 0)
        return SBitmapPixels{};
    if (width >= picture.width && height >= picture.height)
        return picture;
    SBitmapPixels out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * height);
    const double rx = static_cast<double>(picture.width) / width, ry = static_cast<double>(picture.height) / height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            SCoverage coverage;
            Span(y, ry, picture.height, [&](int sy, double wy) {
                Span(x, rx, picture.width, [&](int sx, double wx) {
                    const std::uint32_t pixel = picture.At(sx, sy);
                    coverage.Add(pixel, wx * wy, useKey && pixel == key);
                });
            });
            out.pixels[static_cast<std::size_t>(y) * width + x] = coverage.Result(key);
        }
    return out;
}
