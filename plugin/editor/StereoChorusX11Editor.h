#pragma once
#include "PluginEditor.h"
#include <memory>

class CStereoChorusView;

// The editor-window object of the stereo chorus on Linux: opens the chorus's X11 editor inside
// the host's window (the parent's X window id comes as the pointer's value), gives it the
// plug-in's editor context and closes it again. The editor runs its events and timers on a thread
// of its own, so it never depends on the host's idle calls; it holds at most one window.
class CStereoChorusX11Editor : public virtual CPluginEditor
{
public:
    CStereoChorusX11Editor();
    ~CStereoChorusX11Editor() override;

    // Always starts from a fresh window; 0 without an X display or with no parent window.
    int Open(void* parentWindow) override;
    void Close() override;
    // Hides (command 0, SW_HIDE) or shows the open window.
    int Show(int command) override;
    void Move(int left, int top, int right, int bottom) override;
    // The window's size, known before it opens: hosts ask before they hand over their window.
    void GetSize(int& width, int& height) override;
    const char* GetName() override { return ""; }
    int GetChanged() override;
    void SetChanged(int changed) override;
    void SetContext(const CEditorContext* context) override;
    // The X window id of the editor's window inside the host's, as the pointer's value.
    void* GetWindow() override;
    bool OnKey(const SEditorKey& key, bool down) override;
    bool OnWheel(float distance, unsigned modifiers) override;

    // The open window, for tests; null while closed.
    CStereoChorusView* View() const { return m_view.get(); }

private:
    std::unique_ptr<CStereoChorusView> m_view;
    CEditorContext m_context;
};
