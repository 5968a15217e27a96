#include "VstEditor.h"
#include "PluginEditor.h"

namespace {
// The host's virtual key, or for hosts that fill only the character, the space bar's character.
SEditorKey EditorKeyOf(const VstKeyCode& code)
{
    SEditorKey key;
    switch (code.virt)
    {
    case VKEY_TAB: key.key = EEditorKey::Tab; break;
    case VKEY_SPACE: key.key = EEditorKey::Space; break;
    case VKEY_END: key.key = EEditorKey::End; break;
    case VKEY_HOME: key.key = EEditorKey::Home; break;
    case VKEY_LEFT: key.key = EEditorKey::Left; break;
    case VKEY_UP: key.key = EEditorKey::Up; break;
    case VKEY_RIGHT: key.key = EEditorKey::Right; break;
    case VKEY_DOWN: key.key = EEditorKey::Down; break;
    case VKEY_PAGEUP: key.key = EEditorKey::PageUp; break;
    case VKEY_PAGEDOWN: key.key = EEditorKey::PageDown; break;
    default: key.key = code.virt == 0 && code.character == ' ' ? EEditorKey::Space : EEditorKey::None; break;
    }
    if (code.modifier & MODIFIER_SHIFT)
        key.modifiers |= kEditorShift;
    if (code.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND))
        key.modifiers |= kEditorControl;
    return key;
}

} // namespace

CVstEditor::~CVstEditor()
{
    if (m_editor)
    {
        m_editor->Close();
        m_editor->SetHost(nullptr);
    }
}

bool CVstEditor::getRect(ERect** place)
{
    // The open window's size only: an editor that could not open has no window to frame, even
    // where the editor knows its size beforehand.
    int width = 0, height = 0;
    if (m_open)
        m_editor->GetPreferredSize(width, height);
    m_rect.top = 0;
    m_rect.left = 0;
    m_rect.bottom = static_cast<int16_t>(height);
    m_rect.right = static_cast<int16_t>(width);
    if (place)
        *place = &m_rect;
    return true;
}

bool CVstEditor::open(void* parentWindow)
{
    m_systemWindow = parentWindow;
    // An editor that could not open (no display, a parent the window system refused) must not be
    // reported to the host as open: it would frame an empty window.
    if (!m_editor->Open(parentWindow))
        return false;
    m_editor->SetVisible(true);
    m_open = true;
    return true;
}

void CVstEditor::close()
{
    m_editor->Close();
    m_open = false;
}

void CVstEditor::idle()
{
    if (m_updateFlag.exchange(0, std::memory_order_relaxed))
        update();
}

VstInt32 CVstEditor::onKeyDown(VstKeyCode& code)
{
    const SEditorKey key = EditorKeyOf(code);
    return m_open && key.key != EEditorKey::None && m_editor->OnKey(key, true) ? 1 : 0;
}

VstInt32 CVstEditor::onKeyUp(VstKeyCode& code)
{
    const SEditorKey key = EditorKeyOf(code);
    return m_open && key.key != EEditorKey::None && m_editor->OnKey(key, false) ? 1 : 0;
}
