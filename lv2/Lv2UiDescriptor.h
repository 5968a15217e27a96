#pragma once
#include "PluginDescription.h"
#include <lv2/ui/ui.h>

// The LV2 UI descriptor of one product: the host's UI callbacks over CLv2Ui. The host hands the
// descriptor's address back to instantiate, which finds the product through it.
class CLv2UiDescriptor
{
public:
    CLv2UiDescriptor(const char* uri, const SPluginDescription& (*product)());
    CLv2UiDescriptor(const CLv2UiDescriptor&) = delete;
    CLv2UiDescriptor& operator=(const CLv2UiDescriptor&) = delete;

    const LV2UI_Descriptor* Get() const { return &m_descriptor; }

private:
    static LV2UI_Handle Instantiate(const LV2UI_Descriptor* descriptor, const char* pluginUri, const char* bundlePath,
                                    LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                                    const LV2_Feature* const* features);

    LV2UI_Descriptor m_descriptor; // first, so the host's pointer is this object's
    const SPluginDescription& (*m_product)();
};
