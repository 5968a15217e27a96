#pragma once
#include "EditorKey.h"
#include <cstdint>
#include <vector>

typedef struct xcb_connection_t xcb_connection_t;

// The X server's keyboard map, read once per connection: turns the key codes of key events into
// the editor's keys, and the state of any input event into its modifiers.
class CX11Keymap
{
public:
    void Load(xcb_connection_t* connection);
    // The key's unshifted symbol, as the editor knows it; None for any other key.
    EEditorKey Translate(std::uint8_t keycode) const;
    // Shift and Control of an event's state; Shift also for the symbol X gives Shift+Tab.
    static unsigned Modifiers(std::uint16_t state);

private:
    std::vector<std::uint32_t> m_symbols;
    int m_firstCode = 0;
    int m_perCode = 0;
};
