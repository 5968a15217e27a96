#include "EditorThumbs.h"
#include "SliderScale.h"
#include "StereoChorusLayout.h"
#include "TrackbarGeometry.h"
#include <cstddef>
#include <cstdlib>

namespace layout = stereo_chorus_layout;

namespace {

const SSliderSetup& SetupOf(int id)
{
    for (const SSliderSetup& setup : layout::kSliders)
        if (setup.id == id)
            return setup;
    return layout::kSliders[0];
}

bool Near(std::uint32_t a, std::uint32_t b, int tolerance)
{
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > tolerance)
            return false;
    return true;
}

// Each 2 x 2 block of a picture twice the size, averaged.
std::vector<std::uint32_t> Halved(const std::vector<std::uint32_t>& large, int width, int height)
{
    std::vector<std::uint32_t> small(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            int sums[3] = {0, 0, 0};
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    for (int c = 0; c < 3; ++c)
                        sums[c] += large[static_cast<std::size_t>(2 * y + dy) * 2 * width + 2 * x + dx] >> (8 * c) & 0xFF;
            small[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint32_t>(
                (sums[0] + 2) / 4 | ((sums[1] + 2) / 4) << 8 | ((sums[2] + 2) / 4) << 16);
        }
    return small;
}

// A pixel next to one of another colour: an edge, or a stroke of text.
bool OnEdge(const std::vector<std::uint32_t>& picture, int width, int height, int x, int y)
{
    const std::uint32_t here = picture[static_cast<std::size_t>(y) * width + x];
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
        {
            const int nx = x + dx, ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < width && ny < height &&
                !Near(picture[static_cast<std::size_t>(ny) * width + nx], here, 24))
                return true;
        }
    return false;
}

} // namespace

int ThumbTop(const std::vector<std::uint32_t>& pixels, int width, int id)
{
    return ThumbTop(pixels, width, id, 1.0);
}

int ThumbTop(const std::vector<std::uint32_t>& pixels, int width, int id, double scale)
{
    const CStereoChorusLayout scaled(scale);
    const SPixelRect rect = scaled.ControlRect(id);
    const int x = rect.left + scaled.Scale().Px(13);
    for (int y = rect.top; y < rect.bottom && static_cast<std::size_t>(y) * width + x < pixels.size(); ++y)
        if (pixels[static_cast<std::size_t>(y) * width + x] != 0x800000)
            return y - rect.top;
    return -1;
}

double ThumbTolerance(double scale)
{
    return scale > 2.0 ? 2.0 : 1.0;
}

int DifferingFromEnlargement(const std::vector<std::uint32_t>& large, const std::vector<std::uint32_t>& normal)
{
    const int width = layout::DialogWidth(), height = layout::DialogHeight();
    if (large.size() != 4 * normal.size() || normal.size() != static_cast<std::size_t>(width) * height)
        return 0;
    int differing = 0;
    for (int y = 0; y < 2 * height; ++y)
        for (int x = 0; x < 2 * width; ++x)
            differing += large[static_cast<std::size_t>(y) * 2 * width + x] !=
                         normal[static_cast<std::size_t>(y / 2) * width + x / 2];
    return differing;
}

int ExpectedThumbTop(int id, float value, float minimum, float maximum)
{
    const SSliderSetup& setup = SetupOf(id);
    SSliderScale scale;
    scale.minimum = minimum;
    scale.maximum = maximum;
    scale.reversed = true;
    if (setup.squareLaw)
    {
        scale.valueTaper = SquareLawValueTaper;
        scale.positionTaper = SquareLawPositionTaper;
    }
    const SPixelRect rect = layout::ControlRect(*layout::FindControl(id));
    const STrackbarGeometry geometry{rect.Width(), rect.Height()};
    return geometry.Thumb(scale.ToPosition(value, setup.positions), setup.positions).top;
}

int HalvedDifferingAwayFromEdges(const std::vector<std::uint32_t>& large, const std::vector<std::uint32_t>& normal,
                                 int& flat)
{
    const int width = layout::DialogWidth(), height = layout::DialogHeight();
    flat = 0;
    if (large.size() != 4 * normal.size() || normal.size() != static_cast<std::size_t>(width) * height)
        return 0;
    const std::vector<std::uint32_t> halved = Halved(large, width, height);
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (!OnEdge(normal, width, height, x, y))
            {
                const std::size_t at = static_cast<std::size_t>(y) * width + x;
                ++flat;
                differing += !Near(halved[at], normal[at], 24);
            }
    return differing;
}
