// The plug-in's LV2 entry point: the stereo chorus behind the LV2 adapter.
#include "Lv2Descriptor.h"
#include "StereoChorusDescription.h"
#include "StereoChorusLv2.h"

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
    static const CLv2Descriptor descriptor(kStereoChorusLv2Uri, StereoChorusDescription);
    return index == 0 ? descriptor.Get() : nullptr;
}
