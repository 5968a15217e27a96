// Our CLAP declarations against the published values, written as the CLAP headers write them.
// A wrong one compiles and runs until a host meets it.
#include "ClapInterface.h"
#include <gtest/gtest.h>
#include <string>

TEST(ClapDeclarations, IdentifiersAreThePublishedStrings)
{
    const struct {
        const char* ours;
        const char* published;
    } rows[] = {
        {clap::kPluginFactoryId, "clap.plugin-factory"},
        {clap::kPresetDiscoveryFactoryId, "clap.preset-discovery-factory/2"},
        {clap::kPresetDiscoveryFactoryDraftId, "clap.preset-discovery-factory/draft-2"},
        {clap::kExtAudioPorts, "clap.audio-ports"},
        {clap::kPortStereo, "stereo"},
        {clap::kExtParams, "clap.params"},
        {clap::kExtState, "clap.state"},
        {clap::kExtLatency, "clap.latency"},
        {clap::kExtTail, "clap.tail"},
        {clap::kExtGui, "clap.gui"},
        {clap::kWindowApiWin32, "win32"},
        {clap::kWindowApiX11, "x11"},
        {clap::kExtThreadCheck, "clap.thread-check"},
        {clap::kExtPresetLoad, "clap.preset-load/2"},
        {clap::kExtPresetLoadDraft, "clap.preset-load.draft/2"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(std::string(row.ours), row.published);
}

TEST(ClapDeclarations, ConstantsAreThePublishedNumbers)
{
    const struct {
        const char* name;
        long long ours, published;
    } rows[] = {
        {"CLAP_CORE_EVENT_SPACE_ID", clap::kCoreEventSpace, 0},
        {"CLAP_EVENT_PARAM_VALUE", clap::kEventParamValue, 5},
        {"CLAP_EVENT_PARAM_MOD", clap::kEventParamMod, 6},
        {"CLAP_EVENT_PARAM_GESTURE_BEGIN", clap::kEventParamGestureBegin, 7},
        {"CLAP_EVENT_PARAM_GESTURE_END", clap::kEventParamGestureEnd, 8},
        {"CLAP_EVENT_IS_LIVE", clap::kEventIsLive, 1 << 0},
        {"CLAP_EVENT_DONT_RECORD", clap::kEventDontRecord, 1 << 1},
        {"CLAP_PROCESS_ERROR", clap::kProcessError, 0},
        {"CLAP_PROCESS_CONTINUE", clap::kProcessContinue, 1},
        {"CLAP_PROCESS_CONTINUE_IF_NOT_QUIET", clap::kProcessContinueIfNotQuiet, 2},
        {"CLAP_PROCESS_TAIL", clap::kProcessTail, 3},
        {"CLAP_PROCESS_SLEEP", clap::kProcessSleep, 4},
        {"CLAP_AUDIO_PORT_IS_MAIN", clap::kAudioPortIsMain, 1 << 0},
        {"CLAP_PARAM_IS_STEPPED", clap::kParamIsStepped, 1 << 0},
        {"CLAP_PARAM_IS_HIDDEN", clap::kParamIsHidden, 1 << 2},
        {"CLAP_PARAM_IS_READONLY", clap::kParamIsReadonly, 1 << 3},
        {"CLAP_PARAM_IS_BYPASS", clap::kParamIsBypass, 1 << 4},
        {"CLAP_PARAM_IS_AUTOMATABLE", clap::kParamIsAutomatable, 1 << 5},
        {"CLAP_PARAM_REQUIRES_PROCESS", clap::kParamRequiresProcess, 1 << 15},
        {"CLAP_PARAM_IS_ENUM", clap::kParamIsEnum, 1 << 16},
        {"CLAP_PARAM_RESCAN_VALUES", clap::kParamRescanValues, 1 << 0},
        {"CLAP_PARAM_RESCAN_TEXT", clap::kParamRescanText, 1 << 1},
        {"CLAP_PRESET_DISCOVERY_LOCATION_FILE", clap::kPresetLocationFile, 0},
        {"CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN", clap::kPresetLocationPlugin, 1},
        {"CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT", clap::kPresetIsFactoryContent, 1 << 0},
        {"CLAP_NAME_SIZE", clap::kNameSize, 256},
        {"CLAP_PATH_SIZE", clap::kPathSize, 1024},
        {"CLAP_INVALID_ID", clap::kInvalidId, 0xFFFFFFFFll},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.ours, row.published) << row.name;
    // The host's tail extension is one function, called on the audio thread.
    EXPECT_EQ(sizeof(clap::HostTail), sizeof(void*));
}
