#include "X11ScreenScale.h"
#include <cstdlib>
#include <sstream>
#include <xcb/xcb.h>
#include <xcb/xproto.h>

namespace {

constexpr double kStandardDpi = 96.0;

// The value of "Xft.dpi:" on a line of its own; 0 when absent or not a positive number.
double XftDpi(const std::string& resources)
{
    std::istringstream lines(resources);
    for (std::string line; std::getline(lines, line);)
    {
        const std::string name = "Xft.dpi:";
        if (line.compare(0, name.size(), name) != 0)
            continue;
        char* end = nullptr;
        const double dpi = std::strtod(line.c_str() + name.size(), &end);
        return end != line.c_str() + name.size() && dpi > 0.0 && dpi < 10000.0 ? dpi : 0.0;
    }
    return 0.0;
}

std::string ResourceManager()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    std::string text;
    if (!connection || xcb_connection_has_error(connection))
    {
        if (connection)
            xcb_disconnect(connection);
        return text;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (screen)
    {
        const xcb_get_property_cookie_t cookie = xcb_get_property(
            connection, 0, screen->root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, 64 * 1024);
        if (xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr))
        {
            text.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                        static_cast<std::size_t>(xcb_get_property_value_length(reply)));
            std::free(reply);
        }
    }
    xcb_disconnect(connection);
    return text;
}

} // namespace

double ScreenScaleFrom(const std::string& resources, const char* gdkScale)
{
    if (const double dpi = XftDpi(resources); dpi > 0.0)
        return dpi / kStandardDpi;
    if (gdkScale && *gdkScale)
    {
        const int scale = std::atoi(gdkScale);
        if (scale > 0 && scale <= 8)
            return scale;
    }
    return 0.0;
}

double QueryScreenScale()
{
    const double scale = ScreenScaleFrom(ResourceManager(), std::getenv("GDK_SCALE"));
    return scale > 0.0 ? scale : 1.0;
}
