#pragma once
#include "EditorScale.h"
#include "PluginEditor.h"
#include <memory>

class CStereoChorusDialog;

// The editor-window object of the stereo chorus: opens the chorus dialog inside the host's window,
// gives it the plug-in's editor context and closes it again. It holds at most one dialog.
//
// The windowing layer loads every resource from the module that contains it (the plug-in DLL), so
// no module state needs switching around the calls that reach the dialog.
//
// It draws at the size the user chose (the logo strip's menu), else the host's scale, else the
// resolution of the screen the host's window is on (GetDpiForWindow where Windows has it, else
// the screen's), following that window to a screen of another resolution.
class CStereoChorusEditor : public virtual CPluginEditor
{
public:
    CStereoChorusEditor();
    ~CStereoChorusEditor() override;

    // Always starts from a fresh dialog; 0 when the window cannot be made.
    int Open(void* parentWindow) override;
    void Close() override;
    void SetVisible(bool visible) override;
    void Move(int left, int top, int right, int bottom) override;
    // The layout's size at the present scale, also before the window exists.
    void GetPreferredSize(int& width, int& height) override;
    void SetHostScale(double factor) override;
    void SetHost(CEditorHost* host) override { m_host = host; }
    const char* GetName() override { return ""; }
    int GetChanged() override;
    void SetChanged(int changed) override;
    void SetContext(const CEditorContext* context) override;
    bool OnKey(const SEditorKey& key, bool down) override;
    bool OnWheel(float distance, unsigned modifiers) override;

private:
    double Factor() const { return m_scale.Factor(); }
    // The dialog takes `factor`; `tellHost` asks the host's window to follow.
    void Rescale(double factor, bool tellHost);
    void OnSizeChosen(int percent);
    void OnDpiChanged(int dpi);

    std::unique_ptr<CStereoChorusDialog> m_dialog;
    CEditorContext m_context;
    CEditorScale m_scale;
    CEditorHost* m_host = nullptr;
};
