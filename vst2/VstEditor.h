#pragma once
#include "VstInterface.h"
#include "PluginEditor.h"
#include <atomic>
#include <functional>
#include <memory>

// Speaks the host's editor protocol (open, rect, idle, close, keys) over an editor-window object.
// It owns that object: when the plug-in is closed with its editor still open (hosts do this),
// the window is closed and freed here rather than left running over a deleted adapter.
//
// The editor's own size changes (its user picks another size) reach the host through the resizer
// the adapter gives (audioMasterSizeWindow).
class CVstEditor : private CEditorHost
{
public:
    using Resizer = std::function<bool(int width, int height)>;

    explicit CVstEditor(std::unique_ptr<CPluginEditor> editor) : m_editor(std::move(editor))
    {
        if (m_editor)
            m_editor->SetHost(this);
    }
    CVstEditor(const CVstEditor&) = delete;
    CVstEditor& operator=(const CVstEditor&) = delete;
    virtual ~CVstEditor();

    // Stores the rectangle's address in the host's place; the rectangle is all zeros until a
    // window is open.
    virtual bool getRect(ERect** place);
    virtual bool open(void* parentWindow);
    virtual void close();
    virtual void idle();
    virtual void update() {}
    // Any thread that sets a parameter marks the editor for an update.
    virtual void postUpdate() { m_updateFlag.store(1, std::memory_order_relaxed); }
    // A key the host forwards: 1 when the open editor acts on it, else 0 so that the host keeps it
    // (its transport and shortcuts).
    virtual VstInt32 onKeyDown(VstKeyCode& key);
    virtual VstInt32 onKeyUp(VstKeyCode& key);
    virtual bool setKnobMode(VstInt32) { return false; }
    virtual bool onWheel(float) { return false; }

    // The host's content scale (effVendorSpecific 'PreS' 'AeCs').
    void SetContentScale(float factor) { m_editor->SetHostScale(factor); }
    void SetResizer(Resizer resizer) { m_resizer = std::move(resizer); }

    bool IsOpen() const { return m_open; }
    bool NeedsUpdate() const { return m_updateFlag.load(std::memory_order_relaxed) != 0; }
    void* GetSystemWindow() const { return m_systemWindow; }

private:
    bool RequestResize(int width, int height) override { return m_resizer && m_resizer(width, height); }

    Resizer m_resizer;
    void* m_systemWindow = nullptr;
    std::atomic<int> m_updateFlag{0};
    std::unique_ptr<CPluginEditor> m_editor;
    bool m_open = false;
    ERect m_rect = {0, 0, 0, 0};
};
