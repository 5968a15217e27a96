#include "EmbeddedEditorView.h"
#include "EditorThumbs.h"
#include "StereoChorusLayout.h"
#include <cairo.h>
#include <dirent.h>
#include <gtest/gtest.h>
#include <vector>

namespace layout = stereo_chorus_layout;

namespace {

CXvfbDisplay* g_display = nullptr;

class CXvfbEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { g_display = new CXvfbDisplay; }
    void TearDown() override
    {
        delete g_display;
        g_display = nullptr;
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new CXvfbEnvironment);

} // namespace

CXvfbDisplay* TestDisplay() { return g_display; }

std::vector<std::uint32_t> ReadPng(const char* path, int& width, int& height)
{
    std::vector<std::uint32_t> pixels;
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        width = cairo_image_surface_get_width(surface);
        height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels.push_back(reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] & 0xFFFFFF);
    }
    cairo_surface_destroy(surface);
    return pixels;
}

int CountEntries(const char* folder)
{
    int count = 0;
    if (DIR* dir = opendir(folder)) {
        while (readdir(dir))
            ++count;
        closedir(dir);
    }
    return count;
}

int CEmbeddedEditorView::X() const
{
    int x = 0, y = 0;
    m_display.Origin(m_parent, x, y);
    return x;
}

int CEmbeddedEditorView::Y() const
{
    int x = 0, y = 0;
    m_display.Origin(m_parent, x, y);
    return y;
}

int CEmbeddedEditorView::ScreenX(int id, int x) const { return X() + layout::ControlRect(*layout::FindControl(id)).left + x; }

int CEmbeddedEditorView::ScreenY(int id, int y) const { return Y() + layout::ControlRect(*layout::FindControl(id)).top + y; }

std::uint32_t CEmbeddedEditorView::Corner() const
{
    const std::vector<std::uint32_t> pixel = m_display.Grab(X(), Y(), 1, 1);
    return pixel.empty() ? 0xFFFFFFFF : pixel[0];
}

bool CEmbeddedEditorView::WaitForThumb(int id, int top) const
{
    return WaitUntil([&] {
        const std::vector<std::uint32_t> picture = m_display.Grab(X(), Y(), layout::DialogWidth(), layout::DialogHeight());
        return !picture.empty() && ThumbTop(picture, layout::DialogWidth(), id) == top;
    });
}
