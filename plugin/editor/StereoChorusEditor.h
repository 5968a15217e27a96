#pragma once
#include "PluginEditor.h"
#include <memory>

class CStereoChorusDialog;

// The editor-window object of the stereo chorus: opens the chorus dialog inside the host's window,
// gives it the plug-in's editor context and closes it again. It holds at most one dialog.
//
// The windowing layer loads every resource from the module that contains it (the plug-in DLL), so
// no module state needs switching around the calls that reach the dialog.
class CStereoChorusEditor : public virtual CPluginEditor
{
public:
    CStereoChorusEditor();
    ~CStereoChorusEditor() override;

    // Always starts from a fresh dialog; 0 when the window cannot be made.
    int Open(void* parentWindow) override;
    void Close() override;
    int Show(int command) override;
    void Move(int left, int top, int right, int bottom) override;
    // The dialog window's size; 0 × 0 while closed.
    void GetSize(int& width, int& height) override;
    const char* GetName() override { return ""; }
    int GetChanged() override;
    void SetChanged(int changed) override;
    void SetContext(const CEditorContext* context) override;
    bool OnKey(const SEditorKey& key, bool down) override;
    bool OnWheel(float distance, unsigned modifiers) override;

private:
    std::unique_ptr<CStereoChorusDialog> m_dialog;
    CEditorContext m_context;
};
