#include "X11Display.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

const std::uint32_t kMainEvents = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_BUTTON_PRESS |
                                  XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION |
                                  XCB_EVENT_MASK_LEAVE_WINDOW | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
const std::uint16_t kHandGlyph = 60; // "hand2" of the standard cursor font

xcb_screen_t* ScreenOf(xcb_connection_t* connection, int number)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; it.rem; ++i, xcb_screen_next(&it))
        if (i == number)
            return it.data;
    return nullptr;
}

// The server must store a 24-bit pixel in 32 bits, as the canvas does.
bool HasThirtyTwoBitPixels(xcb_connection_t* connection, std::uint8_t depth)
{
    xcb_format_iterator_t it = xcb_setup_pixmap_formats_iterator(xcb_get_setup(connection));
    for (; it.rem; xcb_format_next(&it))
        if (it.data->depth == depth)
            return it.data->bits_per_pixel == 32 && it.data->scanline_pad == 32;
    return false;
}

} // namespace

CX11Display::CX11Display() = default;

CX11Display::~CX11Display()
{
    Close();
}

bool CX11Display::Open(std::uint32_t parent, int width, int height, CX11WindowHandler* main,
                       CX11TimerHandler* timers)
{
    Close();
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection))
    {
        xcb_disconnect(connection);
        return false;
    }
    m_connection = connection;
    xcb_screen_t* screen = ScreenOf(connection, screenNumber);
    xcb_generic_error_t* error = nullptr;
    xcb_get_geometry_reply_t* geometry =
        parent ? xcb_get_geometry_reply(connection, xcb_get_geometry(connection, parent), &error) : nullptr;
    std::free(error);
    const bool usable = screen && geometry && HasThirtyTwoBitPixels(connection, screen->root_depth) &&
                        pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) == 0;
    std::free(geometry);
    if (!usable)
    {
        Close();
        return false;
    }
    m_root = screen->root;
    m_parent = parent;
    m_keymap.Load(connection);
    m_depth = screen->root_depth;
    m_visual = screen->root_visual;
    m_maxPutBytes = xcb_get_maximum_request_length(connection) * 4 - 64;

    m_main = SWindow{};
    m_main.id = xcb_generate_id(connection);
    m_main.handler = main;
    m_main.width = width;
    m_main.height = height;
    m_main.shown = true;
    const std::uint32_t values[] = {0, kMainEvents, screen->default_colormap};
    error = xcb_request_check(connection,
                              xcb_create_window_checked(connection, m_depth, m_main.id, parent, 0, 0,
                                                        static_cast<std::uint16_t>(width),
                                                        static_cast<std::uint16_t>(height), 0,
                                                        XCB_WINDOW_CLASS_INPUT_OUTPUT, m_visual,
                                                        XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK | XCB_CW_COLORMAP,
                                                        values));
    if (error)
    {
        std::free(error);
        m_main.id = 0;
        Close();
        return false;
    }
    m_gc = xcb_generate_id(connection);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(connection, m_gc, m_main.id, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    xcb_map_window(connection, m_main.id);
    xcb_flush(connection);

    m_timerHandler = timers;
    m_dirty = true;
    m_stop = false;
    m_thread = std::thread(&CX11Display::Run, this);
    return true;
}

void CX11Display::Close()
{
    if (m_thread.joinable())
    {
        m_stop = true;
        Wake();
        m_thread.join();
    }
    if (m_connection)
    {
        for (SWindow& popup : m_popups)
            Destroy(popup);
        Destroy(m_main);
        if (m_gc)
            xcb_free_gc(m_connection, m_gc);
        if (m_handCursor)
            xcb_free_cursor(m_connection, m_handCursor);
        xcb_flush(m_connection);
        xcb_disconnect(m_connection);
    }
    for (int& fd : m_wake)
    {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
    m_connection = nullptr;
    m_popups.clear();
    m_timers.clear();
    m_main = SWindow{};
    m_gc = m_handCursor = 0;
    m_timerHandler = nullptr;
}

void CX11Display::Destroy(SWindow& window)
{
    if (window.id && !window.destroyed)
        xcb_destroy_window(m_connection, window.id);
    window.id = 0;
}

int CX11Display::CreatePopup(CX11WindowHandler* handler, bool border)
{
    SWindow popup;
    popup.id = xcb_generate_id(m_connection);
    popup.handler = handler;
    popup.width = popup.height = 1;
    const std::uint32_t values[] = {0, 1, kMainEvents & ~XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(m_connection, m_depth, popup.id, m_root, 0, 0, 1, 1, border ? 1 : 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, m_visual,
                      XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    m_popups.push_back(popup);
    return static_cast<int>(m_popups.size()) - 1;
}

void CX11Display::PlacePopup(int popup, int x, int y, int width, int height)
{
    if (popup < 0 || popup >= static_cast<int>(m_popups.size()))
        return;
    SWindow& window = m_popups[static_cast<size_t>(popup)];
    window.width = std::max(width, 1);
    window.height = std::max(height, 1);
    const std::uint32_t values[] = {static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                                    static_cast<std::uint32_t>(window.width),
                                    static_cast<std::uint32_t>(window.height)};
    xcb_configure_window(m_connection, window.id,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                             XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    m_dirty = true;
}

void CX11Display::ResizeMain(int width, int height)
{
    if (!m_connection || !m_main.id || m_main.destroyed || width <= 0 || height <= 0)
        return;
    m_main.width = width;
    m_main.height = height;
    const std::uint32_t values[] = {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
    xcb_configure_window(m_connection, m_main.id, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
    xcb_flush(m_connection);
    m_dirty = true;
    Wake();
}

void CX11Display::PlaceMain(int x, int y, int width, int height)
{
    if (!m_connection || !m_main.id || m_main.destroyed || width <= 0 || height <= 0)
        return;
    m_main.width = width;
    m_main.height = height;
    const std::uint32_t values[] = {static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                                    static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
    xcb_configure_window(m_connection, m_main.id,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                             XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(m_connection);
    m_dirty = true;
    Wake();
}

void CX11Display::ShowMain(bool show)
{
    if (!m_connection || !m_main.id || m_main.destroyed || m_main.shown == show)
        return;
    m_main.shown = show;
    if (show)
        xcb_map_window(m_connection, m_main.id);
    else
        xcb_unmap_window(m_connection, m_main.id);
    xcb_flush(m_connection);
    m_dirty = true;
    Wake();
}

void CX11Display::ShowPopup(int popup, bool show)
{
    if (popup < 0 || popup >= static_cast<int>(m_popups.size()))
        return;
    SWindow& window = m_popups[static_cast<size_t>(popup)];
    if (window.shown == show)
        return;
    window.shown = show;
    if (show)
    {
        const std::uint32_t top = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(m_connection, window.id, XCB_CONFIG_WINDOW_STACK_MODE, &top);
        xcb_map_window(m_connection, window.id);
    }
    else
        xcb_unmap_window(m_connection, window.id);
    m_dirty = true;
}

void CX11Display::SetPopupName(int popup, const std::string& name)
{
    if (popup < 0 || popup >= static_cast<int>(m_popups.size()))
        return;
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_popups[static_cast<size_t>(popup)].id,
                        XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(name.size()), name.data());
}

bool CX11Display::MainOrigin(int& x, int& y)
{
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(
        m_connection, xcb_translate_coordinates(m_connection, m_main.id, m_root, 0, 0), nullptr);
    if (!reply)
        return false;
    x = reply->dst_x;
    y = reply->dst_y;
    std::free(reply);
    return true;
}

// Called from another thread, a change must end the display thread's wait, which may be for a
// timer that did not exist yet or for no timer at all.
void CX11Display::Wake()
{
    const char wake = 1;
    if (m_wake[1] >= 0)
        (void)!write(m_wake[1], &wake, 1);
}

bool CX11Display::MainViewable()
{
    xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, m_main.id), nullptr);
    const bool viewable = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(reply);
    return viewable;
}

void CX11Display::Invalidate()
{
    m_dirty = true;
    Wake();
}

void CX11Display::SetTimer(int id, unsigned periodMs)
{
    KillTimer(id);
    const std::chrono::milliseconds period(periodMs);
    m_timers.push_back(STimer{id, period, std::chrono::steady_clock::now() + period});
    Wake();
}

void CX11Display::KillTimer(int id)
{
    m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(), [id](const STimer& t) { return t.id == id; }),
                   m_timers.end());
}

void CX11Display::SetHandCursor(bool hand)
{
    if (hand && !m_handCursor)
    {
        const xcb_font_t font = xcb_generate_id(m_connection);
        xcb_open_font(m_connection, font, 6, "cursor");
        m_handCursor = xcb_generate_id(m_connection);
        xcb_create_glyph_cursor(m_connection, m_handCursor, font, font, kHandGlyph, kHandGlyph + 1, 0, 0, 0,
                                0xFFFF, 0xFFFF, 0xFFFF);
        xcb_close_font(m_connection, font);
    }
    const std::uint32_t cursor = hand ? m_handCursor : XCB_NONE;
    xcb_change_window_attributes(m_connection, m_main.id, XCB_CW_CURSOR, &cursor);
}

CX11Display::SWindow* CX11Display::Find(std::uint32_t id)
{
    if (id == m_main.id)
        return &m_main;
    for (SWindow& popup : m_popups)
        if (popup.id == id)
            return &popup;
    return nullptr;
}

int CX11Display::MillisecondsToNextTimer() const
{
    if (m_timers.empty())
        return -1;
    const auto now = std::chrono::steady_clock::now();
    auto next = m_timers.front().due;
    for (const STimer& timer : m_timers)
        next = std::min(next, timer.due);
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count();
    return wait < 0 ? 0 : static_cast<int>(wait) + 1;
}

void CX11Display::Run()
{
    const int fd = xcb_get_file_descriptor(m_connection);
    while (!m_stop)
    {
        int timeout;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            HandleEvents();
            FireTimers();
            if (m_dirty)
            {
                m_dirty = false;
                Paint(m_main);
                for (SWindow& popup : m_popups)
                    Paint(popup);
            }
            xcb_flush(m_connection);
            timeout = MillisecondsToNextTimer();
            if (xcb_connection_has_error(m_connection))
                return; // the server went away; Close tidies up
        }
        pollfd waits[2] = {{fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        poll(waits, 2, timeout);
        char drain[64];
        while (read(m_wake[0], drain, sizeof drain) > 0)
        {
        }
    }
}

void CX11Display::HandleEvents()
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
    {
        switch (event->response_type & 0x7F)
        {
        case 0: // an error, e.g. a request on a window the host has destroyed: nothing to do
            break;
        case XCB_EXPOSE:
            m_dirty = true;
            break;
        case XCB_DESTROY_NOTIFY:
            if (SWindow* window = Find(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window))
                window->destroyed = true;
            break;
        case XCB_BUTTON_PRESS:
        case XCB_BUTTON_RELEASE:
            HandleButton(event, (event->response_type & 0x7F) == XCB_BUTTON_PRESS);
            break;
        case XCB_KEY_PRESS:
            HandleKey(event);
            break;
        case XCB_MOTION_NOTIFY:
        {
            auto* motion = reinterpret_cast<xcb_motion_notify_event_t*>(event);
            m_modifiers = CX11Keymap::Modifiers(motion->state);
            if (SWindow* window = Find(motion->event); window && window->handler)
                window->handler->OnPointer(EPointer::Move, motion->event_x, motion->event_y);
            break;
        }
        case XCB_LEAVE_NOTIFY:
        {
            auto* leave = reinterpret_cast<xcb_leave_notify_event_t*>(event);
            if (SWindow* window = Find(leave->event); window && window->handler)
                window->handler->OnPointer(EPointer::Leave, leave->event_x, leave->event_y);
            break;
        }
        default:
            break;
        }
        std::free(event);
    }
}

// The left button drives the controls; buttons 4 and 5 are the wheel's notches.
void CX11Display::HandleButton(const void* event, bool press)
{
    const auto* button = static_cast<const xcb_button_press_event_t*>(event);
    SWindow* window = Find(button->event);
    if (!window || !window->handler)
        return;
    m_modifiers = CX11Keymap::Modifiers(button->state);
    if (button->detail == 1)
        window->handler->OnPointer(press ? EPointer::Press : EPointer::Release, button->event_x, button->event_y);
    else if (press && button->detail == 3)
        window->handler->OnPointer(EPointer::Menu, button->event_x, button->event_y);
    else if (press && (button->detail == 4 || button->detail == 5))
        window->handler->OnWheel(button->detail == 4 ? 1 : -1, button->event_x, button->event_y);
}

// A key the editor does not act on goes on to the host's window, whose shortcuts it may be.
void CX11Display::HandleKey(void* event)
{
    auto* key = static_cast<xcb_key_press_event_t*>(event);
    SWindow* window = Find(key->event);
    if (!window || !window->handler)
        return;
    m_modifiers = CX11Keymap::Modifiers(key->state);
    const SEditorKey editorKey{m_keymap.Translate(key->detail), m_modifiers};
    if (editorKey.key != EEditorKey::None && window->handler->OnKey(editorKey))
        return;
    if (window == &m_main && m_parent)
    {
        key->event = m_parent;
        xcb_send_event(m_connection, 1, m_parent, XCB_EVENT_MASK_KEY_PRESS, reinterpret_cast<const char*>(key));
    }
}

void CX11Display::TakeKeyboardFocus()
{

    if (m_connection && m_main.id && !m_main.destroyed)
        xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_PARENT, m_main.id, XCB_CURRENT_TIME);
}

void CX11Display::FireTimers()
{
    const auto now = std::chrono::steady_clock::now();
    std::vector<int> due;
    for (STimer& timer : m_timers)
        if (timer.due <= now)
        {
            due.push_back(timer.id);
            timer.due = std::max(timer.due + timer.period, now);
        }
    for (int id : due)
        if (m_timerHandler)
            m_timerHandler->OnTimer(id);
}

void CX11Display::Paint(SWindow& window)
{
    if (!window.id || window.destroyed || !window.shown || !window.handler)
        return;
    CCanvas canvas(window.width, window.height);
    if (!canvas.IsValid())
        return;
    window.handler->OnPaint(canvas);
    const int stride = canvas.Stride();
    const int rowsPerRequest = std::max(1, static_cast<int>(m_maxPutBytes / static_cast<std::uint32_t>(stride)));
    for (int y = 0; y < canvas.Height(); y += rowsPerRequest)
    {
        const int rows = std::min(rowsPerRequest, canvas.Height() - y);
        xcb_put_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window.id, m_gc,
                      static_cast<std::uint16_t>(canvas.Width()), static_cast<std::uint16_t>(rows), 0,
                      static_cast<std::int16_t>(y), 0, m_depth, static_cast<std::uint32_t>(rows * stride),
                      canvas.Data() + static_cast<size_t>(y) * stride);
    }
}
