#include "VstEditor.h"
#include "PluginEditor.h"

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
