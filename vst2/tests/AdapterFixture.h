#pragma once
#include "FakeEffect.h"
#include "VstPlugin.h"
#include <gtest/gtest.h>
#include <thread>


// A host callback that records what the plug-in reports.
struct HostLog
{
    VstIntPtr version = 2400;
    struct Automation { VstInt32 index; float value; std::thread::id thread; };
    std::vector<Automation> automations;
    std::vector<VstInt32> otherOpcodes;
};

inline HostLog& TheHost()
{
    static HostLog log;
    return log;
}

inline VstIntPtr RecordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt)
{
    if (opcode == audioMasterVersion)
        return TheHost().version;
    if (opcode == audioMasterAutomate)
        TheHost().automations.push_back({index, opt, std::this_thread::get_id()});
    else
        TheHost().otherOpcodes.push_back(opcode);
    return 0;
}

// Creates the adapter over a fake effect and closes it at the end of the test.
class AdapterTest : public ::testing::Test
{
protected:
    void SetUp() override { TheHost() = HostLog(); }
    void TearDown() override
    {
        if (record)
            Dispatch(effClose);
    }
    AEffect* Create(FakeEffect::Config config = {}, CPluginEditor* editor = nullptr)
    {
        record = CreateVstPlugin(RecordingHost, std::make_unique<FakeEffect>(log, config), {0x12345678, 1203},
                                 std::unique_ptr<CPluginEditor>(editor), 20.0, nullptr);
        return record;
    }
    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return record->dispatcher(record, opcode, index, value, ptr, opt);
    }
    std::string Text(VstInt32 opcode, VstInt32 index = 0)
    {
        char text[256];
        std::memset(text, 'x', sizeof text);
        Dispatch(opcode, index, 0, text);
        return text;
    }
    CVstPlugin& Plugin() { return *CVstPlugin::FromRecord(record); }

    EffectLog log;
    AEffect* record = nullptr;
};
