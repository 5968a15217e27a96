#include "XvfbDisplay.h"
#include <cairo.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

CXvfbDisplay::CXvfbDisplay()
{
    int fds[2];
    if (pipe(fds) != 0)
    {
        m_error = "cannot make a pipe";
        return;
    }
    m_server = fork();
    if (m_server == 0)
    {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        dup2(null, STDOUT_FILENO);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1600x900x24", "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd wait{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&wait, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty())
    {
        m_error = "Xvfb did not start (is the xvfb package installed?)";
        return;
    }
    const std::string display = ":" + number;
    setenv("DISPLAY", display.c_str(), 1);
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(connection))
    {
        xcb_disconnect(connection);
        m_error = "cannot connect to Xvfb on " + display;
        return;
    }
    m_connection = connection;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

CXvfbDisplay::~CXvfbDisplay()
{
    if (m_connection)
        xcb_disconnect(m_connection);
    if (m_server > 0)
    {
        kill(m_server, SIGTERM);
        waitpid(m_server, nullptr, 0);
    }
    unsetenv("DISPLAY");
}

std::uint32_t CXvfbDisplay::CreateHostWindow(int x, int y, int width, int height)
{
    const std::uint32_t window = xcb_generate_id(m_connection);
    const std::uint32_t values[] = {0x303030};
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_root, static_cast<std::int16_t>(x),
                      static_cast<std::int16_t>(y), static_cast<std::uint16_t>(width),
                      static_cast<std::uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_BACK_PIXEL, values);
    xcb_map_window(m_connection, window);
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr)); // a round trip
    return window;
}

void CXvfbDisplay::DestroyWindow(std::uint32_t window)
{
    xcb_destroy_window(m_connection, window);
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

void CXvfbDisplay::ResizeWindow(std::uint32_t window, int width, int height)
{
    const std::uint32_t values[] = {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
    xcb_configure_window(m_connection, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

void CXvfbDisplay::MoveWindow(std::uint32_t window, int x, int y)
{
    const std::uint32_t values[] = {static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)};
    xcb_configure_window(m_connection, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
    xcb_flush(m_connection);
}

void CXvfbDisplay::UnmapWindow(std::uint32_t window)
{
    xcb_unmap_window(m_connection, window);
    xcb_flush(m_connection);
}

std::vector<std::uint32_t> CXvfbDisplay::Children(std::uint32_t window) const
{
    std::vector<std::uint32_t> children;
    if (xcb_query_tree_reply_t* tree = xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr))
    {
        const xcb_window_t* list = xcb_query_tree_children(tree);
        children.assign(list, list + xcb_query_tree_children_length(tree));
        std::free(tree);
    }
    return children;
}

std::vector<std::string> CXvfbDisplay::PopupNames() const
{
    std::vector<std::string> names;
    for (std::uint32_t window : Children(m_root))
    {
        xcb_get_window_attributes_reply_t* attributes =
            xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, window), nullptr);
        const bool popup = attributes && attributes->override_redirect && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(attributes);
        if (!popup)
            continue;
        xcb_get_property_reply_t* name = xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 0, 256), nullptr);
        names.emplace_back(name ? std::string(static_cast<const char*>(xcb_get_property_value(name)),
                                              static_cast<size_t>(xcb_get_property_value_length(name)))
                                : std::string());
        std::free(name);
    }
    return names;
}

void CXvfbDisplay::Origin(std::uint32_t window, int& x, int& y) const
{
    x = y = 0;
    if (auto* reply = xcb_translate_coordinates_reply(
            m_connection, xcb_translate_coordinates(m_connection, window, m_root, 0, 0), nullptr))
    {
        x = reply->dst_x;
        y = reply->dst_y;
        std::free(reply);
    }
}

void CXvfbDisplay::MoveTo(int x, int y)
{
    xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root, static_cast<std::int16_t>(x),
                        static_cast<std::int16_t>(y), 0);
    xcb_flush(m_connection);
}

void CXvfbDisplay::Press()
{
    xcb_test_fake_input(m_connection, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(m_connection);
}

void CXvfbDisplay::Release()
{
    xcb_test_fake_input(m_connection, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(m_connection);
}

void CXvfbDisplay::Click(int x, int y)
{
    MoveTo(x, y);
    Press();
    Release();
}

namespace {

std::uint8_t KeycodeOf(xcb_connection_t* connection, std::uint32_t symbol)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    std::uint8_t found = 0;
    if (auto* reply = xcb_get_keyboard_mapping_reply(
            connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<std::uint8_t>(count)),
            nullptr))
    {
        const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(reply);
        const int length = xcb_get_keyboard_mapping_keysyms_length(reply);
        for (int i = 0; i < length && !found; ++i)
            if (symbols[i] == symbol)
                found = static_cast<std::uint8_t>(setup->min_keycode + i / reply->keysyms_per_keycode);
        std::free(reply);
    }
    return found;
}

constexpr std::uint32_t kShiftSymbol = 0xFFE1;   // Shift_L
constexpr std::uint32_t kControlSymbol = 0xFFE3; // Control_L

} // namespace

void CXvfbDisplay::HoldKey(std::uint32_t symbol, bool down)
{
    xcb_test_fake_input(m_connection, down ? XCB_KEY_PRESS : XCB_KEY_RELEASE, KeycodeOf(m_connection, symbol),
                        XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(m_connection);
}

void CXvfbDisplay::Key(std::uint32_t symbol, bool shift, bool control)
{
    if (shift)
        HoldKey(kShiftSymbol, true);
    if (control)
        HoldKey(kControlSymbol, true);
    HoldKey(symbol, true);
    HoldKey(symbol, false);
    if (control)
        HoldKey(kControlSymbol, false);
    if (shift)
        HoldKey(kShiftSymbol, false);
}

std::uint32_t CXvfbDisplay::InputFocus() const
{
    std::uint32_t focus = 0;
    if (auto* reply = xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr))
    {
        focus = reply->focus;
        std::free(reply);
    }
    return focus;
}

void CXvfbDisplay::Wheel(bool away)
{
    const std::uint8_t button = away ? 4 : 5;
    xcb_test_fake_input(m_connection, XCB_BUTTON_PRESS, button, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(m_connection, XCB_BUTTON_RELEASE, button, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(m_connection);
}

void CXvfbDisplay::RightClick(int x, int y)
{
    MoveTo(x, y);
    xcb_test_fake_input(m_connection, XCB_BUTTON_PRESS, 3, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(m_connection, XCB_BUTTON_RELEASE, 3, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(m_connection);
}

void CXvfbDisplay::SetResources(const std::string& resources)
{
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(resources.size()), resources.data());
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

bool CXvfbDisplay::FindPopup(const std::string& name, int& x, int& y, int& width, int& height) const
{
    for (std::uint32_t window : Children(m_root))
    {
        xcb_get_window_attributes_reply_t* attributes =
            xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, window), nullptr);
        const bool popup = attributes && attributes->override_redirect && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(attributes);
        xcb_get_property_reply_t* title = popup ? xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 0, 256), nullptr)
                                                 : nullptr;
        const bool named = title && std::string(static_cast<const char*>(xcb_get_property_value(title)),
                                                static_cast<size_t>(xcb_get_property_value_length(title))) == name;
        std::free(title);
        xcb_get_geometry_reply_t* geometry =
            named ? xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr) : nullptr;
        if (!geometry)
            continue;
        x = geometry->x;
        y = geometry->y;
        width = geometry->width;
        height = geometry->height;
        std::free(geometry);
        return true;
    }
    return false;
}

std::vector<std::uint32_t> CXvfbDisplay::Grab(int x, int y, int width, int height) const
{
    std::vector<std::uint32_t> pixels;
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        m_connection,
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, static_cast<std::int16_t>(x),
                      static_cast<std::int16_t>(y), static_cast<std::uint16_t>(width),
                      static_cast<std::uint16_t>(height), ~0u),
        nullptr);
    if (!image)
        return pixels;
    if (xcb_get_image_data_length(image) == width * height * 4)
    {
        const auto* data = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(image));
        pixels.assign(data, data + width * height);
        for (std::uint32_t& pixel : pixels)
            pixel &= 0xFFFFFF;
    }
    std::free(image);
    return pixels;
}

bool CXvfbDisplay::SavePng(const std::string& path, int x, int y, int width, int height) const
{
    std::vector<std::uint32_t> pixels = Grab(x, y, width, height);
    if (pixels.empty())
        return false;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(pixels.data()), CAIRO_FORMAT_RGB24, width, height, width * 4);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

bool WaitUntil(const std::function<bool()>& done, double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done())
    {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}
