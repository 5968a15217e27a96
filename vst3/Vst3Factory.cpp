#include "Vst3Factory.h"
#include "Vst3Plugin.h"
#include "Vst3Text.h"
#include <cstring>

using namespace Vst3;

namespace {

constexpr const char* kSdkVersion = "VST 3.7.9";

// What the three class-info records share: cleared, then our one class's id, cardinality and
// category.
template <class ClassInfo>
void StartClassInfo(ClassInfo& info, const Uid& classId)
{
    std::memset(&info, 0, sizeof info);
    std::memcpy(info.cid, classId.bytes, sizeof info.cid);
    info.cardinality = PClassInfo::kManyInstances;
    Vst3Text::CopyField(info.category, kAudioEffectClass, sizeof info.category);
}

} // namespace

tresult CVst3Factory::queryInterface(const TUID iid, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = nullptr;
    if (!SameUid(iid, kFUnknownIid) && !SameUid(iid, kPluginFactoryIid) && !SameUid(iid, kPluginFactory2Iid) &&
        !SameUid(iid, kPluginFactory3Iid))
        return kNoInterface;
    *object = static_cast<IPluginFactory3*>(this);
    return kResultOk;
}

tresult CVst3Factory::getFactoryInfo(PFactoryInfo* info)
{
    if (!info)
        return kInvalidArgument;
    std::memset(info, 0, sizeof *info);
    Vst3Text::CopyField(info->vendor, m_description.plugin->vendor, sizeof info->vendor);
    Vst3Text::CopyField(info->url, m_description.plugin->vendorUrl, sizeof info->url);
    info->flags = PFactoryInfo::kUnicode;
    return kResultOk;
}

tresult CVst3Factory::getClassInfo(int32_t index, PClassInfo* info)
{
    if (index != 0 || !info)
        return kInvalidArgument;
    StartClassInfo(*info, m_description.classId);
    Vst3Text::CopyField(info->name, m_description.name, sizeof info->name);
    return kResultOk;
}

tresult CVst3Factory::getClassInfo2(int32_t index, PClassInfo2* info)
{
    if (index != 0 || !info)
        return kInvalidArgument;
    StartClassInfo(*info, m_description.classId);
    Vst3Text::CopyField(info->name, m_description.name, sizeof info->name);
    info->classFlags = kDistributable;
    Vst3Text::CopyField(info->subCategories, m_description.subCategories, sizeof info->subCategories);
    Vst3Text::CopyField(info->vendor, m_description.plugin->vendor, sizeof info->vendor);
    Vst3Text::CopyField(info->version, m_description.plugin->version, sizeof info->version);
    Vst3Text::CopyField(info->sdkVersion, kSdkVersion, sizeof info->sdkVersion);
    return kResultOk;
}

tresult CVst3Factory::getClassInfoUnicode(int32_t index, PClassInfoW* info)
{
    if (index != 0 || !info)
        return kInvalidArgument;
    StartClassInfo(*info, m_description.classId);
    Vst3Text::CopyField16(info->name, m_description.name, 64);
    info->classFlags = kDistributable;
    Vst3Text::CopyField(info->subCategories, m_description.subCategories, sizeof info->subCategories);
    Vst3Text::CopyField16(info->vendor, m_description.plugin->vendor, 64);
    Vst3Text::CopyField16(info->version, m_description.plugin->version, 64);
    Vst3Text::CopyField16(info->sdkVersion, kSdkVersion, 64);
    return kResultOk;
}

tresult CVst3Factory::createInstance(FIDString cid, FIDString iid, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = nullptr;
    if (!cid || !iid || !SameUid(cid, m_description.classId))
        return kNoInterface;
    // Nothing may unwind into the host; every object is owned from the moment it exists.
    try {
        const SPluginDescription& plugin = *m_description.plugin;
        std::unique_ptr<CEffect> effect = plugin.createEffect();
        std::unique_ptr<CPluginEditor> editor = plugin.createEditor ? plugin.createEditor() : nullptr;
        CVst3Plugin* instance = CreateVst3Plugin(std::move(effect), std::move(editor), plugin.outputRefreshRate);
        if (!instance)
            return kInternalError;
        const tresult result = instance->queryInterface(iid, object);
        instance->release(); // the caller's reference, if the interface was found, keeps it
        return result;
    } catch (...) {
        return kOutOfMemory;
    }
}
