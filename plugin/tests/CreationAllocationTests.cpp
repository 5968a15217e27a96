// Any allocation made while a plug-in instance is created may fail; none may leak when it does.
#include "CountingAllocator.h"
#include "StereoChorus.h"
#include "VstPlugin.h"
#include <gtest/gtest.h>
#include <functional>
#include <new>

extern "C" AEffect* VSTPluginMain(audioMasterCallback host);

namespace {

VstIntPtr Host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

// An editor-window object that allocates nothing of its own.
class QuietEditor : public CPluginEditor
{
public:
    int Open(void*) override { return 1; }
    void Close() override {}
    void SetVisible(bool) override {}
    void Move(int, int, int, int) override {}
    void GetPreferredSize(int& width, int& height) override { width = height = 0; }
    const char* GetName() override { return ""; }
    int GetChanged() override { return 0; }
    void SetChanged(int) override {}
    void SetContext(const CEditorContext*) override {}
};

void Close(AEffect* effect)
{
    if (effect)
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

struct Creator
{
    const char* name;
    std::function<AEffect*()> create;
};

} // namespace

TEST(PluginCreation, AnAllocationThatFailsAtAnyStepLeavesNothingBehind)
{
    if (!CountingAllocator::IsActive())
        GTEST_SKIP() << "this build's runtime owns operator new";
    const Creator creators[] = {
        {"the VST 2 entry point", [] { return VSTPluginMain(Host); }},
        {"the adapter with an editor window",
         [] {
             return CreateVstPlugin(Host, std::make_unique<CStereoChorus>(), {1, 1000}, std::make_unique<QuietEditor>(), 20.0,
                                    nullptr);
         }},
    };
    for (const Creator& creator : creators) {
        SCOPED_TRACE(creator.name);
        Close(creator.create()); // builds the tables that live until the library unloads
        long failedSteps = 0;
        for (long n = 1; n < 100000; ++n) {
            const long live = CountingAllocator::LiveBlocks();
            CountingAllocator::FailAllocation(n);
            AEffect* effect = nullptr;
            try {
                effect = creator.create();
            } catch (const std::bad_alloc&) {
                // the adapter lets it through; the entry point turns it into no instance
            }
            const bool failed = CountingAllocator::FailureHappened();
            CountingAllocator::FailAllocation(0);
            Close(effect);
            ASSERT_EQ(CountingAllocator::LiveBlocks(), live) << "allocation " << n << " failed and something leaked";
            if (!failed) {
                EXPECT_NE(effect, nullptr);
                break;
            }
            EXPECT_EQ(effect, nullptr) << "allocation " << n << " failed, yet an instance was returned";
            ++failedSteps;
        }
        EXPECT_GT(failedSteps, 10) << "creation should take many allocations";
    }
}
