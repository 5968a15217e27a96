#include "AdapterFixture.h"

TEST_F(AdapterTest, EditorRequestsWithoutAnEditorAnswerZero)
{
    Create();
    for (VstInt32 opcode : {effEditGetRect, effEditOpen, effEditClose, effEditIdle, effEditKeyDown, effEditKeyUp,
                            effSetEditKnobMode})
        EXPECT_EQ(Dispatch(opcode), 0) << "opcode " << opcode;
    ERect* rect = nullptr;
    EXPECT_EQ(Dispatch(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr);
}

TEST_F(AdapterTest, CanDoStatesNothingAndSetBypassLeavesParameterZero)
{
    Create();
    for (const char* capability : {"bypass", "receiveVstEvents", "2in2out"}) {
        char text[32];
        std::strcpy(text, capability);
        EXPECT_EQ(Dispatch(effCanDo, 0, 0, text), 0);
    }
    EXPECT_EQ(Dispatch(effSetBypass, 0, 1), 0);
    EXPECT_EQ(record->getParameter(record, 0), 0.0f);
}

TEST_F(AdapterTest, NamesAndVendorAreCopiedIntoTheHostsBuffers)
{
    FakeEffect::Config config;
    config.tail = 4096;
    Create(config);
    EXPECT_EQ(Text(effGetVendorString), "Orvane's Music Software");
    EXPECT_EQ(Text(effGetEffectName), "A Fake Effect With A Lo"); // 23 characters
    EXPECT_EQ(Text(effGetProductString), "A Fake Effect With A Lo");
    EXPECT_EQ(Dispatch(effGetEffectName, 0, 0, nullptr), 1);
    EXPECT_EQ(Dispatch(effGetTailSize), 4096);
}

TEST_F(AdapterTest, ChunkRequestsLeaveThePointerUntouched)
{
    Create();
    void* chunk = &log;
    EXPECT_EQ(Dispatch(effGetChunk, 0, 0, &chunk), 0);
    EXPECT_EQ(chunk, &log);
}

TEST_F(AdapterTest, SpeakerArrangementPlacesAreBothCleared)
{
    Create();
    void* first = &log;
    void* second = &log;
    EXPECT_EQ(Dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&first), &second), 0);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(Dispatch(effGetSpeakerArrangement, 0, 0, nullptr), 0);
}
