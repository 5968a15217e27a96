#pragma once
#include "PluginDescription.h"
#include "Vst3Interface.h"
#include "Vst3View.h"

// What the entry point tells the factory about its one audio effect class.
struct SVst3ClassDescription
{
    Vst3::Uid classId;         // fixed for ever once published
    const char* name;          // the plug-in's name as hosts list it
    const char* subCategories; // e.g. "Fx|Modulation"
    const SPluginDescription* plugin;
};

// The module's factory: one audio effect class whose instances are CVst3Plugin objects over the
// effect the description builds. A single static object: hosts addRef and release it freely,
// and it lives as long as the module.
class CVst3Factory : public Vst3::IPluginFactory3
{
public:
    explicit CVst3Factory(const SVst3ClassDescription& description) : m_description(description) {}

    Vst3::tresult VST3_CALL queryInterface(const Vst3::TUID iid, void** object) override;
    uint32_t VST3_CALL addRef() override { return 1; }
    uint32_t VST3_CALL release() override { return 1; }

    Vst3::tresult VST3_CALL getFactoryInfo(Vst3::PFactoryInfo* info) override;
    int32_t VST3_CALL countClasses() override { return 1; }
    Vst3::tresult VST3_CALL getClassInfo(int32_t index, Vst3::PClassInfo* info) override;
    Vst3::tresult VST3_CALL createInstance(Vst3::FIDString cid, Vst3::FIDString iid, void** object) override;
    Vst3::tresult VST3_CALL getClassInfo2(int32_t index, Vst3::PClassInfo2* info) override;
    Vst3::tresult VST3_CALL getClassInfoUnicode(int32_t index, Vst3::PClassInfoW* info) override;
    Vst3::tresult VST3_CALL setHostContext(Vst3::FUnknown*) override { return Vst3::kResultOk; }

private:
    const SVst3ClassDescription& m_description;
};
