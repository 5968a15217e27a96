#pragma once

// The keys an editor acts on, whoever delivers them: its own window, or a host that forwards the
// keys its window receives (VST 2 effEditKeyDown, VST 3 IPlugView::onKeyDown).
enum class EEditorKey
{
    None,
    Tab,
    Space,
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    Home,
    End
};

// Modifier bits held with a key, a wheel notch or a click.
enum : unsigned
{
    kEditorShift = 1u,
    kEditorControl = 2u
};

struct SEditorKey
{
    EEditorKey key = EEditorKey::None;
    unsigned modifiers = 0;
};
