#include "EditorThumbs.h"
#include "SliderScale.h"
#include "StereoChorusLayout.h"
#include "TrackbarGeometry.h"
#include <cstddef>

namespace layout = stereo_chorus_layout;

namespace {

const SSliderSetup& SetupOf(int id)
{
    for (const SSliderSetup& setup : layout::kSliders)
        if (setup.id == id)
            return setup;
    return layout::kSliders[0];
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
