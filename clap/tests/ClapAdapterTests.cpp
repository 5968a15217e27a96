// The adapter in-process over a fake effect: what only an editor or an odd effect can show.
#include "ClapHost.h"
#include "ClapPlugin.h"
#include "FakeEffect.h"
#include <gtest/gtest.h>

namespace {

// An editor-window object that only keeps the context it is given, as the real one does.
class CRecordingEditor : public CPluginEditor
{
public:
    explicit CRecordingEditor(CEditorContext* context) : m_context(context) {}
    int Open(void*) override { return 1; }
    void Close() override {}
    void SetVisible(bool) override {}
    void Move(int, int, int, int) override {}
    void GetPreferredSize(int& width, int& height) override { width = 300, height = 200; }
    const char* GetName() override { return "editor"; }
    int GetChanged() override { return 0; }
    void SetChanged(int) override {}
    void SetContext(const CEditorContext* context) override { *m_context = *context; }

private:
    CEditorContext* m_context;
};

const clap::PluginDescriptor kDescriptor{clap::kVersion, "test", "test", "", "", "", "", "1", "", nullptr};

struct SAdapter
{
    SAdapter(FakeEffect::Config config = {})
    {
        plugin = CreateClapPlugin(&host.record, &kDescriptor, std::make_unique<FakeEffect>(log, config),
                                  std::make_unique<CRecordingEditor>(&context), 20.0);
        plugin->init(plugin);
        params = static_cast<const clap::PluginParams*>(plugin->getExtension(plugin, clap::kExtParams));
    }
    ~SAdapter() { plugin->destroy(plugin); }

    STestHost host;
    EffectLog log;
    CEditorContext context;
    const clap::Plugin* plugin;
    const clap::PluginParams* params;
};

} // namespace

TEST(ClapAdapter, EditorGesturesReachTheHostAsBeginValueEndThroughFlushOrTheNextBlock)
{
    SAdapter adapter;
    CParameterSet* inputs = adapter.context.GetInputParameters();
    ASSERT_NE(inputs, nullptr);
    // Editor index 2 is host index 2 ("Mix", 0..100 %); the editor's sets take real values.
    inputs->BeginEdit(2);
    inputs->SetValue(2, 25.0f);
    inputs->EndEdit(2);
    EXPECT_EQ(adapter.host.flushRequests.load(), 3); // no block running: each asks for a flush
    COutputEvents out;
    adapter.params->flush(adapter.plugin, nullptr, out.Get());
    ASSERT_EQ(out.rows.size(), 3u);
    EXPECT_EQ(out.rows[0].type, clap::kEventParamGestureBegin);
    EXPECT_EQ(out.rows[1].type, clap::kEventParamValue);
    EXPECT_EQ(out.rows[1].value, 25.0);
    EXPECT_EQ(out.rows[2].type, clap::kEventParamGestureEnd);
    for (const auto& row : out.rows)
        EXPECT_EQ(row.id, 2u);

    // While blocks run, the next block carries them and no flush is asked for.
    ASSERT_TRUE(adapter.plugin->activate(adapter.plugin, 48000.0, 1, 64));
    ASSERT_TRUE(adapter.plugin->startProcessing(adapter.plugin));
    inputs->BeginEdit(1);
    inputs->SetValue(1, -6.0f);
    inputs->EndEdit(1);
    EXPECT_EQ(adapter.host.flushRequests.load(), 3);
    float samples[2][16] = {};
    float* channels[] = {samples[0], samples[1]};
    clap::AudioBuffer buffer{channels, nullptr, 2, 0, 0};
    COutputEvents blockOut;
    const CInputEvents none;
    const clap::Process process{0, 16, nullptr, &buffer, &buffer, 1, 1, none.Get(), blockOut.Get()};
    EXPECT_EQ(adapter.plugin->process(adapter.plugin, &process), clap::kProcessContinue);
    ASSERT_EQ(blockOut.rows.size(), 3u);
    EXPECT_EQ(blockOut.rows[1].id, 1u);
    EXPECT_EQ(blockOut.rows[1].value, -6.0);
}

TEST(ClapAdapter, EventsQueuedForABlockThatNeverComesAreFlushedThroughAMainThreadCallback)
{
    SAdapter adapter;
    ASSERT_TRUE(adapter.plugin->activate(adapter.plugin, 48000.0, 1, 64));
    ASSERT_TRUE(adapter.plugin->startProcessing(adapter.plugin));
    adapter.context.GetInputParameters()->SetValue(2, 40.0f); // waits for the next block
    adapter.plugin->onMainThread(adapter.plugin);
    EXPECT_EQ(adapter.host.flushRequests.load(), 0) << "blocks still run";
    adapter.plugin->stopProcessing(adapter.plugin);
    EXPECT_EQ(adapter.host.callbackRequests.load(), 1);
    adapter.plugin->onMainThread(adapter.plugin);
    EXPECT_EQ(adapter.host.flushRequests.load(), 1);
    COutputEvents out;
    adapter.params->flush(adapter.plugin, nullptr, out.Get());
    ASSERT_EQ(out.rows.size(), 1u);
    EXPECT_EQ(out.rows[0].value, 40.0);

    // Stopping with nothing queued asks for nothing.
    ASSERT_TRUE(adapter.plugin->startProcessing(adapter.plugin));
    adapter.plugin->stopProcessing(adapter.plugin);
    EXPECT_EQ(adapter.host.callbackRequests.load(), 1);
}

TEST(ClapAdapter, AFullOutboxDropsTheNewestAndAListThatRefusesKeepsTheRestForLater)
{
    SAdapter adapter;
    CParameterSet* inputs = adapter.context.GetInputParameters();
    for (uint32_t i = 0; i < CGestureOutbox::kCapacity + 10; ++i)
        inputs->SetValue(2, static_cast<float>(i % 100));
    struct SRefusing
    {
        int taken = 0;
        clap::OutputEvents list{this, [](const clap::OutputEvents* l, const clap::EventHeader*) {
                                    auto* self = static_cast<SRefusing*>(l->ctx);
                                    return ++self->taken <= 5;
                                }};
    } refusing;
    adapter.params->flush(adapter.plugin, nullptr, &refusing.list);
    COutputEvents rest;
    adapter.params->flush(adapter.plugin, nullptr, rest.Get());
    ASSERT_EQ(rest.rows.size(), CGestureOutbox::kCapacity - 5);
    EXPECT_EQ(rest.rows.front().value, 5.0);
    EXPECT_EQ(rest.rows.back().value, static_cast<double>((CGestureOutbox::kCapacity - 1) % 100));
}

TEST(ClapAdapter, OutputParametersAreReadOnlyAndTheTailAndLatencyAreTheEffects)
{
    FakeEffect::Config config;
    config.outputParameters = 1;
    config.latency = 12;
    config.tail = 300;
    SAdapter adapter(config);
    ASSERT_EQ(adapter.params->count(adapter.plugin), 5u); // bypass, three inputs, one output
    clap::ParamInfo info{};
    ASSERT_TRUE(adapter.params->getInfo(adapter.plugin, 4, &info));
    EXPECT_EQ(info.flags, static_cast<uint32_t>(clap::kParamIsReadonly));
    EXPECT_STREQ(info.name, "OUT::A very long output");
    double before = 0, after = 1;
    ASSERT_TRUE(adapter.params->getValue(adapter.plugin, 4, &before));
    CInputEvents events;
    events.Add(4, -3.0); // the host cannot set an output
    adapter.params->flush(adapter.plugin, events.Get(), nullptr);
    ASSERT_TRUE(adapter.params->getValue(adapter.plugin, 4, &after));
    EXPECT_EQ(after, before);
    const auto* latency = static_cast<const clap::PluginLatency*>(adapter.plugin->getExtension(adapter.plugin, clap::kExtLatency));
    const auto* tail = static_cast<const clap::PluginTail*>(adapter.plugin->getExtension(adapter.plugin, clap::kExtTail));
    EXPECT_EQ(latency->get(adapter.plugin), 12u);
    EXPECT_EQ(tail->get(adapter.plugin), 300u);
}
