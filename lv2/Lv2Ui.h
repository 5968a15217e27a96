#pragma once
#include "Lv2PortLayout.h"
#include "GestureOutbox.h"
#include "PluginCore.h"
#include "PluginDescription.h"
#include <atomic>
#include <cstdint>
#include <lv2/ui/ui.h>
#include <memory>

// One LV2 UI instance: the product's editor window inside the host's window (ui:parent). LV2
// UIs reach the plug-in only through its ports, so the editor works on a core of its own over
// the product's own effect (for the descriptors and the presets) whose values mirror the control
// ports: port_event writes them in, the editor's changes go out with write_function. The editor
// runs on its own thread; its changes wait in a lock-free ring until the host's idle call, on the
// host's UI thread where LV2 wants write_function and ui:touch called.
//
// The host's ui:scaleFactor option (with the URID map to find it) sets the editor's scale before
// it opens. The editor's own size changes (its user's choice) wait like its changes and reach the
// host's ui:resize in the next idle call.
class CLv2Ui : private CPluginCoreListener, private CEditorHost
{
public:
    // nullptr when the host gives no parent window, lacks a feature the UI requires, or the
    // editor cannot open (no X display).
    static std::unique_ptr<CLv2Ui> Create(const SPluginDescription& product, LV2UI_Write_Function write,
                                          LV2UI_Controller controller, const LV2_Feature* const* features);
    CLv2Ui(const CLv2Ui&) = delete;
    CLv2Ui& operator=(const CLv2Ui&) = delete;
    ~CLv2Ui() override;

    // The editor's own window, the UI's widget.
    LV2UI_Widget Widget() const { return m_widget; }
    // A control port's value from the host (format 0, one float); anything else is ignored.
    void PortEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
    // Delivers the editor's waiting changes; 0, the UI is never closed from inside.
    int Idle();

private:
    CLv2Ui(const SPluginDescription& product, LV2UI_Write_Function write, LV2UI_Controller controller,
           const LV2UI_Touch* touch);
    bool Open(void* parent);
    void TakeHostScale(const LV2_Feature* const* features);
    void Resize(int width, int height);
    // On the editor's thread: kept until the next idle call.
    bool RequestResize(int width, int height) override;

    void OnParameterAutomated(int index, float normalised) override;
    void OnBeginEdit(int index) override;
    void OnEndEdit(int index) override;
    void OnParameterChanged() override {}
    bool IsControlInput(int index) const { return index >= 0 && index < m_layout.ControlInputs(); }

    CPluginCore m_core;
    CLv2PortLayout m_layout;
    std::unique_ptr<CPluginEditor> m_editor;
    CEditorContext m_context;
    LV2UI_Write_Function m_write;
    LV2UI_Controller m_controller;
    const LV2UI_Touch* m_touch;
    LV2UI_Widget m_widget = nullptr;
    CGestureOutbox m_outbox; // port values (real, "enabled" for the bypass), grabs and releases
    const LV2UI_Resize* m_resize = nullptr;
    std::atomic<std::uint64_t> m_pendingSize{0}; // width << 32 | height, 0 for none
};
