#pragma once
#include "EditorKey.h"
#include "ParameterSet.h"
#include "Preset.h"

// A forwarding view of an effect's current preset list; the owner re-points it when the effect
// hands out a new list, and every holder of the view sees the change.
class CPresetListView
{
public:
    void SetList(const CPresetList* list) { m_list = list; }
    int GetCount() const { return m_list ? m_list->GetCount() : 0; }
    int GetPresetCount() const { return m_list ? m_list->GetPresetCount() : 0; }
    const CPreset* GetItem(int index) const { return m_list ? m_list->GetItem(index) : nullptr; }

private:
    const CPresetList* m_list = nullptr;
};

// Told when the editor's user-changed flag is raised.
class CEditorNotify
{
public:
    virtual void Notify() = 0;
    virtual ~CEditorNotify() = default;
};

// What an editor dialog may use of its plug-in: real-unit parameter sets and the presets.
// It owns none of them.
class CEditorContext
{
public:
    CEditorContext(CParameterSet* inputs = nullptr, CParameterSet* outputs = nullptr,
                   CPresetListView* presets = nullptr, CEditorNotify* spare = nullptr)
        : m_inputs(inputs), m_outputs(outputs), m_presets(presets), m_spare(spare) {}

    CParameterSet* GetInputParameters() const { return m_inputs; }
    CParameterSet* GetOutputParameters() const { return m_outputs; }
    CPresetListView* GetPresetListView() const { return m_presets; }
    CEditorNotify* GetSpare() const { return m_spare; }

private:
    CParameterSet* m_inputs;
    CParameterSet* m_outputs;
    CPresetListView* m_presets;
    CEditorNotify* m_spare;
};

// What an editor asks of the host whose window it lives in: each adapter answers through its
// format's own resize request.
class CEditorHost
{
public:
    // The editor's window became width x height (the user chose another size): the host's window
    // should follow. False when the host cannot resize it.
    virtual bool RequestResize(int width, int height) = 0;
    virtual ~CEditorHost() = default;
};

// The editor-window object a plug-in format adapter opens inside the host's window.
// Window handles are passed as void* so that adapters need no windowing headers.
class CPluginEditor
{
public:
    virtual int Open(void* parentWindow) = 0;
    virtual void Close() = 0;
    // Shows or hides the open window, for hosts that hide an editor without closing it.
    virtual void SetVisible(bool visible) = 0;
    virtual void Move(int left, int top, int right, int bottom) = 0;
    // The window's size: the open one's, or the one it will have when it opens (hosts ask before
    // they make the window the editor goes into).
    virtual void GetPreferredSize(int& width, int& height) = 0;
    // The host's content scale (1.0 for 96 dpi), or 0 when the host says nothing and the editor
    // finds the screen's own. An open editor takes it at once, unless its user chose a size.
    virtual void SetHostScale(double) {}
    // Who hears the editor's own size changes; null for nobody. Not owned.
    virtual void SetHost(CEditorHost*) {}
    virtual const char* GetName() = 0;
    virtual int GetChanged() = 0;
    virtual void SetChanged(int changed) = 0;
    virtual void SetContext(const CEditorContext* context) = 0;
    // The open editor's own window (for formats whose host embeds it by handle); null while closed.
    virtual void* GetWindow() { return nullptr; }
    // A key the host forwards instead of letting the window have it, pressed (`down`) or
    // released; whether the open editor acts on it. The host keeps the keys it is not given back.
    virtual bool OnKey(const SEditorKey&, bool /*down*/) { return false; }
    // Wheel notches the host forwards (positive away from the user), for the fader under the
    // pointer; whether one took them.
    virtual bool OnWheel(float /*notches*/, unsigned /*modifiers*/) { return false; }
    virtual ~CPluginEditor() = default;
};
