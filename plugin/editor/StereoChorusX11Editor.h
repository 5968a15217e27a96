#pragma once
#include "EditorScale.h"
#include "PluginEditor.h"
#include <atomic>
#include <memory>

class CStereoChorusView;

// The editor-window object of the stereo chorus on Linux: opens the chorus's X11 editor inside
// the host's window (the parent's X window id comes as the pointer's value), gives it the
// plug-in's editor context and closes it again. The editor runs its events and timers on a thread
// of its own, so it never depends on the host's idle calls; it holds at most one window. It draws
// at the size the user chose (the logo strip's menu), else the host's scale, else the desktop's.
class CStereoChorusX11Editor : public virtual CPluginEditor
{
public:
    CStereoChorusX11Editor();
    ~CStereoChorusX11Editor() override;

    // Always starts from a fresh window; 0 without an X display or with no parent window.
    int Open(void* parentWindow) override;
    void Close() override;
    void SetVisible(bool visible) override;
    void Move(int left, int top, int right, int bottom) override;
    // The layout's size at the present scale, known before the window opens.
    void GetPreferredSize(int& width, int& height) override;
    void SetHostScale(double factor) override;
    void SetHost(CEditorHost* host) override { m_host = host; }
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
    double Factor(int chosenPercent);
    // On the display's thread: the user picked a size in the menu.
    void OnSizeChosen(int percent);

    std::unique_ptr<CStereoChorusView> m_view;
    CEditorContext m_context;
    CEditorScale m_scale;
    bool m_screenAsked = false;
    CEditorHost* m_host = nullptr;
    // The open window's size, for hosts that ask while the editor's thread resizes it (a host's
    // answer to a resize request may ask at once, from inside it).
    std::atomic<int> m_width{0};
    std::atomic<int> m_height{0};
};
