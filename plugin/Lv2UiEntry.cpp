// The plug-in's LV2 UI entry point: the stereo chorus's editor behind the LV2 UI adapter.
#include "Lv2UiDescriptor.h"
#include "StereoChorusDescription.h"
#include "StereoChorusLv2.h"

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
{
    static const CLv2UiDescriptor descriptor(kStereoChorusLv2UiUri, StereoChorusDescription);
    return index == 0 ? descriptor.Get() : nullptr;
}
