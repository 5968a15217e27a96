// The adapter over a fake effect: what reaches the host's component handler, and the answers
// that depend on the build's editor.
#include "FakeEffect.h"
#include "Vst3HostObjects.h"
#include "Vst3Plugin.h"
#include <gtest/gtest.h>
#include <cmath>

using namespace Vst3;

namespace {

struct Adapter
{
    explicit Adapter(std::unique_ptr<CPluginEditor> editor = nullptr)
        : plugin(CreateVst3Plugin(std::make_unique<FakeEffect>(log, FakeEffect::Config()), std::move(editor), 20.0))
    {
        plugin->queryInterface(kEditControllerIid.bytes, reinterpret_cast<void**>(&controller));
        controller->setComponentHandler(&handler);
    }
    ~Adapter()
    {
        controller->release();
        plugin->release();
    }
    EffectLog log;
    CRecordingHandler handler;
    CVst3Plugin* plugin;
    IEditController* controller = nullptr;
};

TEST(Vst3Adapter, EditorGesturesReachTheHostAsBeginPerformForEveryChangeAndEnd)
{
    Adapter adapter;
    CParameterSet& inputs = adapter.plugin->GetCore().GetInputParameterSet();
    inputs.BeginEdit(2);
    inputs.SetValue(2, 25.0f);
    inputs.SetValue(2, 75.0f);
    inputs.SetValue(2, std::nanf("")); // refused by the core: not reported
    inputs.EndEdit(2);
    EXPECT_EQ(adapter.handler.calls,
              (std::vector<std::string>{"begin 2", "perform 2 0.250000", "perform 2 0.750000", "end 2"}));
    EXPECT_EQ(adapter.controller->getParamNormalized(2), 0.75);
}

TEST(Vst3Adapter, AProgramChosenByTheHostSwitchesWithoutCallingBackIntoTheHost)
{
    Adapter adapter;
    adapter.controller->setParamNormalized(2, 0.5);
    ASSERT_EQ(adapter.controller->setParamNormalized(CVst3Plugin::kProgramChangeId, 2 / 15.0), kResultOk);
    EXPECT_EQ(adapter.plugin->GetCore().GetProgram(), 2);
    EXPECT_TRUE(adapter.handler.calls.empty()); // Ardour holds its locks around this call
    adapter.controller->setParamNormalized(CVst3Plugin::kProgramChangeId, 0.0);
    EXPECT_EQ(adapter.controller->getParamNormalized(2), 0.5); // program 0 kept its edit
}

TEST(Vst3Adapter, TheHandlerIsHeldUntilTerminateOrRelease)
{
    CRecordingHandler handler;
    {
        Adapter adapter;
        adapter.controller->setComponentHandler(&handler);
        EXPECT_EQ(handler.references, 1u);
        adapter.controller->terminate();
        EXPECT_EQ(handler.references, 0u);
        adapter.controller->setComponentHandler(&handler);
    }
    EXPECT_EQ(handler.references, 0u);
}

TEST(Vst3Adapter, ABuildWithoutAnEditorOffersNoView)
{
    Adapter adapter;
    EXPECT_EQ(adapter.controller->createView("editor"), nullptr);
}

} // namespace
