#include "X11Keymap.h"
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

// Key symbols of the X protocol's standard set (keysymdef.h): the keys an editor acts on, on the
// main block and on the keypad with Num Lock off.
struct SSymbol
{
    std::uint32_t symbol;
    EEditorKey key;
};
const SSymbol kSymbols[] = {
    {0xFF09, EEditorKey::Tab},      {0xFE20, EEditorKey::Tab}, // Tab, ISO_Left_Tab (Shift+Tab)
    {0x0020, EEditorKey::Space},    {0xFF80, EEditorKey::Space},
    {0xFF51, EEditorKey::Left},     {0xFF96, EEditorKey::Left},
    {0xFF52, EEditorKey::Up},       {0xFF97, EEditorKey::Up},
    {0xFF53, EEditorKey::Right},    {0xFF98, EEditorKey::Right},
    {0xFF54, EEditorKey::Down},     {0xFF99, EEditorKey::Down},
    {0xFF55, EEditorKey::PageUp},   {0xFF9A, EEditorKey::PageUp},
    {0xFF56, EEditorKey::PageDown}, {0xFF9B, EEditorKey::PageDown},
    {0xFF50, EEditorKey::Home},     {0xFF95, EEditorKey::Home},
    {0xFF57, EEditorKey::End},      {0xFF9C, EEditorKey::End},
};

} // namespace

void CX11Keymap::Load(xcb_connection_t* connection)
{
    m_symbols.clear();
    const xcb_setup_t* setup = xcb_get_setup(connection);
    m_firstCode = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<std::uint8_t>(count)),
        nullptr);
    if (!reply)
        return;
    m_perCode = reply->keysyms_per_keycode;
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(reply);
    m_symbols.assign(symbols, symbols + xcb_get_keyboard_mapping_keysyms_length(reply));
    std::free(reply);
}

EEditorKey CX11Keymap::Translate(std::uint8_t keycode) const
{
    const size_t at = static_cast<size_t>(keycode - m_firstCode) * static_cast<size_t>(m_perCode);
    if (keycode < m_firstCode || m_perCode <= 0 || at >= m_symbols.size())
        return EEditorKey::None;
    for (const SSymbol& entry : kSymbols)
        if (entry.symbol == m_symbols[at])
            return entry.key;
    return EEditorKey::None;
}

unsigned CX11Keymap::Modifiers(std::uint16_t state)
{
    return ((state & XCB_MOD_MASK_SHIFT) ? kEditorShift : 0u) | ((state & XCB_MOD_MASK_CONTROL) ? kEditorControl : 0u);
}
