#pragma once
#include "PluginDescription.h"
#include <lv2/core/lv2.h>

// The LV2 descriptor of one product: the host's callbacks over CLv2Plugin. The host hands the
// descriptor's address back to instantiate, which finds the product through it.
class CLv2Descriptor
{
public:
    CLv2Descriptor(const char* uri, const SPluginDescription& (*product)());
    CLv2Descriptor(const CLv2Descriptor&) = delete;
    CLv2Descriptor& operator=(const CLv2Descriptor&) = delete;

    const LV2_Descriptor* Get() const { return &m_descriptor; }

private:
    static LV2_Handle Instantiate(const LV2_Descriptor* descriptor, double rate, const char* bundlePath,
                                  const LV2_Feature* const* features);

    LV2_Descriptor m_descriptor; // first, so the host's pointer is this object's
    const SPluginDescription& (*m_product)();
};
