#include "AdapterFixture.h"

TEST_F(AdapterTest, DispatcherAnswersEveryFixedRequest)
{
    Create();
    const struct { VstInt32 opcode; VstIntPtr answer; } rows[] = {
        {effOpen, 0}, {effGetVu, 0}, {effIdentify, 0x4E764566}, {effGetChunk, 0}, {effSetChunk, 0},
        {effProcessEvents, 0}, {effCanBeAutomated, 1}, {effString2Parameter, 0},
        {effGetNumProgramCategories, 1}, {effGetProgramNameIndexed, 0}, {effCopyProgram, 0},
        {effConnectInput, 1}, {effConnectOutput, 1}, {effGetInputProperties, 0}, {effGetOutputProperties, 0},
        {effGetPlugCategory, 0}, {effGetCurrentPosition, 0}, {effGetDestinationBuffer, 0},
        {effOfflineNotify, 0}, {effOfflinePrepare, 0}, {effOfflineRun, 0}, {effProcessVarIo, 0},
        {effSetSpeakerArrangement, 0}, {effSetBypass, 0}, {effGetErrorText, 0}, {effGetVendorVersion, 1000},
        {effVendorSpecific, 0}, {effCanDo, 0}, {effGetTailSize, 0}, {effIdle, 0}, {effGetIcon, 0},
        {effSetViewPosition, 0}, {effGetParameterProperties, 0}, {effKeysRequired, 1}, {effGetVstVersion, 2300},
        {effEditKeyDown, 0}, {effEditKeyUp, 0}, {effSetEditKnobMode, 0}, {effGetMidiProgramName, 0},
        {effGetCurrentMidiProgram, -1}, {effGetMidiProgramCategory, 0}, {effHasMidiProgramsChanged, 0},
        {effGetMidiKeyName, 0}, {effBeginSetProgram, 0}, {effEndSetProgram, 0}, {effShellGetNextPlugin, 0},
        {effStartProcess, 0}, {effStopProcess, 0}, {effSetPanLaw, 0}, {effBeginLoadBank, 0},
        {effBeginLoadProgram, 0}, {effEditGetRect, 0}, {effEditOpen, 0}, {effEditClose, 0}, {effEditIdle, 0},
        {effEditDraw, 0}, {effEditMouse, 0}, {effEditKey, 0}, {effEditTop, 0}, {effEditSleep, 0},
        {77, 0}, {-1, 0}, {1000, 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Dispatch(row.opcode, 0, 0, nullptr, 0.0f), row.answer) << "opcode " << row.opcode;
    EXPECT_EQ(Dispatch(effSetTotalSampleToProcess, 0, 4096), 4096);
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
