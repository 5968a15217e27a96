// The keys and wheel notches a VST 3 host forwards to the view instead of its window.
#include "PluginEditor.h"
#include "Vst3View.h"

using namespace Vst3;

namespace {

// VirtualKeyCodes of the VST 3 interface (keycodes.h), the ones an editor acts on.
enum : int16_t
{
    kKeyTab = 2,
    kKeySpace = 7,
    kKeyEnd = 9,
    kKeyHome = 10,
    kKeyLeft = 11,
    kKeyUp = 12,
    kKeyRight = 13,
    kKeyDown = 14,
    kKeyPageUp = 15,
    kKeyPageDown = 16
};

// KeyModifier bits; "command" is Control on Windows and Linux.
enum : int16_t
{
    kShiftKey = 1 << 0,
    kCommandKey = 1 << 2,
    kControlKey = 1 << 3
};

SEditorKey EditorKeyOf(Char16 character, int16_t keyCode, int16_t modifiers)
{
    SEditorKey key;
    switch (keyCode)
    {
    case kKeyTab: key.key = EEditorKey::Tab; break;
    case kKeySpace: key.key = EEditorKey::Space; break;
    case kKeyEnd: key.key = EEditorKey::End; break;
    case kKeyHome: key.key = EEditorKey::Home; break;
    case kKeyLeft: key.key = EEditorKey::Left; break;
    case kKeyUp: key.key = EEditorKey::Up; break;
    case kKeyRight: key.key = EEditorKey::Right; break;
    case kKeyDown: key.key = EEditorKey::Down; break;
    case kKeyPageUp: key.key = EEditorKey::PageUp; break;
    case kKeyPageDown: key.key = EEditorKey::PageDown; break;
    default: key.key = keyCode == 0 && character == u' ' ? EEditorKey::Space : EEditorKey::None; break;
    }
    if (modifiers & kShiftKey)
        key.modifiers |= kEditorShift;
    if (modifiers & (kCommandKey | kControlKey))
        key.modifiers |= kEditorControl;
    return key;
}

} // namespace

tresult CVst3View::onKeyDown(Char16 key, int16_t keyCode, int16_t modifiers)
{
    const SEditorKey editorKey = EditorKeyOf(key, keyCode, modifiers);
    return m_open && editorKey.key != EEditorKey::None && m_editor->OnKey(editorKey, true) ? kResultTrue
                                                                                           : kResultFalse;
}

tresult CVst3View::onKeyUp(Char16 key, int16_t keyCode, int16_t modifiers)
{
    const SEditorKey editorKey = EditorKeyOf(key, keyCode, modifiers);
    return m_open && editorKey.key != EEditorKey::None && m_editor->OnKey(editorKey, false) ? kResultTrue
                                                                                            : kResultFalse;
}

tresult CVst3View::onWheel(float distance)
{
    return m_open && m_editor->OnWheel(distance, 0) ? kResultTrue : kResultFalse;
}
