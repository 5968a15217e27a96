#pragma once
// The VST 2 plug-in interface (opcode set 2.3) as this project uses it, declared from the
// published numbers and record layout. Names follow the published ones so that host authors
// recognise them; only what a plug-in and a simple host need is declared.
#include <cstddef>
#include <cstdint>

struct AEffect;

// 64-bit hosts pass pointer-sized integers for "value" and the result; 32-bit hosts 32-bit ones.
using VstIntPtr = intptr_t;
using VstInt32 = int32_t;

using audioMasterCallback = VstIntPtr (*)(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                          void* ptr, float opt);
using AEffectDispatcherProc = VstIntPtr (*)(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                            void* ptr, float opt);
using AEffectProcessProc = void (*)(AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames);
using AEffectSetParameterProc = void (*)(AEffect* effect, VstInt32 index, float parameter);
using AEffectGetParameterProc = float (*)(AEffect* effect, VstInt32 index);

constexpr VstInt32 kEffectMagic = 0x56737450; // 'VstP'

struct AEffect
{
    VstInt32 magic;
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process; // accumulating
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 numInputs;
    VstInt32 numOutputs;
    VstInt32 flags;
    VstIntPtr resvd1;
    VstIntPtr resvd2;
    VstInt32 initialDelay;
    VstInt32 realQualities;
    VstInt32 offQualities;
    float ioRatio;
    void* object;
    void* user;
    VstInt32 uniqueID;
    VstInt32 version;
    AEffectProcessProc processReplacing;
    char future[60];
};

// The record is shared with hosts built by other compilers: its layout is fixed.
static_assert(offsetof(AEffect, magic) == 0, "AEffect layout");
static_assert(offsetof(AEffect, dispatcher) == sizeof(void*), "AEffect layout");
static_assert(offsetof(AEffect, numPrograms) == 5 * sizeof(void*), "AEffect layout");
static_assert(offsetof(AEffect, flags) == 5 * sizeof(void*) + 16, "AEffect layout");
#if INTPTR_MAX == INT64_MAX
static_assert(offsetof(AEffect, resvd1) == 64, "AEffect layout (64-bit)");
static_assert(offsetof(AEffect, initialDelay) == 80, "AEffect layout (64-bit)");
static_assert(offsetof(AEffect, ioRatio) == 92, "AEffect layout (64-bit)");
static_assert(offsetof(AEffect, object) == 96, "AEffect layout (64-bit)");
static_assert(offsetof(AEffect, uniqueID) == 112, "AEffect layout (64-bit)");
static_assert(offsetof(AEffect, processReplacing) == 120, "AEffect layout (64-bit)");
static_assert(sizeof(AEffect) == 192, "AEffect layout (64-bit)");
#else
static_assert(offsetof(AEffect, resvd1) == 40, "AEffect layout (32-bit)");
static_assert(offsetof(AEffect, initialDelay) == 48, "AEffect layout (32-bit)");
static_assert(offsetof(AEffect, ioRatio) == 60, "AEffect layout (32-bit)");
static_assert(offsetof(AEffect, object) == 64, "AEffect layout (32-bit)");
static_assert(offsetof(AEffect, uniqueID) == 72, "AEffect layout (32-bit)");
static_assert(offsetof(AEffect, processReplacing) == 80, "AEffect layout (32-bit)");
static_assert(sizeof(AEffect) == 144, "AEffect layout (32-bit)");
#endif

enum VstAEffectFlags : VstInt32
{
    effFlagsHasEditor = 1 << 0,
    effFlagsCanReplacing = 1 << 4,
    effFlagsProgramChunks = 1 << 5,
    effFlagsIsSynth = 1 << 8,
};

// Dispatcher opcodes, 0 .. 76.
enum AEffectOpcodes : VstInt32
{
    effOpen = 0, effClose, effSetProgram, effGetProgram, effSetProgramName, effGetProgramName,
    effGetParamLabel, effGetParamDisplay, effGetParamName, effGetVu, effSetSampleRate, effSetBlockSize,
    effMainsChanged, effEditGetRect, effEditOpen, effEditClose, effEditDraw, effEditMouse, effEditKey,
    effEditIdle, effEditTop, effEditSleep, effIdentify, effGetChunk, effSetChunk,
    effProcessEvents = 25, effCanBeAutomated, effString2Parameter, effGetNumProgramCategories,
    effGetProgramNameIndexed, effCopyProgram, effConnectInput, effConnectOutput, effGetInputProperties,
    effGetOutputProperties, effGetPlugCategory, effGetCurrentPosition, effGetDestinationBuffer,
    effOfflineNotify, effOfflinePrepare, effOfflineRun, effProcessVarIo, effSetSpeakerArrangement,
    effSetBlockSizeAndSampleRate, effSetBypass, effGetEffectName, effGetErrorText, effGetVendorString,
    effGetProductString, effGetVendorVersion, effVendorSpecific, effCanDo, effGetTailSize, effIdle,
    effGetIcon, effSetViewPosition, effGetParameterProperties, effKeysRequired, effGetVstVersion,
    effEditKeyDown, effEditKeyUp, effSetEditKnobMode, effGetMidiProgramName, effGetCurrentMidiProgram,
    effGetMidiProgramCategory, effHasMidiProgramsChanged, effGetMidiKeyName, effBeginSetProgram,
    effEndSetProgram, effGetSpeakerArrangement, effShellGetNextPlugin, effStartProcess, effStopProcess,
    effSetTotalSampleToProcess, effSetPanLaw, effBeginLoadBank, effBeginLoadProgram,
};
static_assert(effBeginLoadProgram == 76 && effEditKeyDown == 59 && effGetVstVersion == 58, "opcode numbers");

// Host callback opcodes.
enum AudioMasterOpcodes : VstInt32
{
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterCurrentId = 2,
    audioMasterIdle = 3,
    audioMasterGetTime = 7,
    audioMasterSizeWindow = 15, // index: width, value: height
    audioMasterGetSampleRate = 16,
    audioMasterGetBlockSize = 17,
    audioMasterGetCurrentProcessLevel = 23,
    audioMasterGetVendorString = 32,
    audioMasterGetProductString = 33,
    audioMasterGetVendorVersion = 34,
    audioMasterCanDo = 37,
    audioMasterGetLanguage = 38,
    audioMasterBeginEdit = 43,
    audioMasterEndEdit = 44,
};

// The host extension for editor scaling: effVendorSpecific with these as index and value, the
// factor in opt (each four characters read as one big-endian 32-bit number).
constexpr VstInt32 kVendorPresonus = 0x50726553;    // 'PreS'
constexpr VstIntPtr kContentScaleFactor = 0x41654373; // 'AeCs'

// Text limits of the published interface (characters plus the terminating NUL).
constexpr int kVstMaxProgNameLen = 24;
constexpr int kVstMaxParamStrLen = 8;
constexpr int kVstMaxVendorStrLen = 64;
constexpr int kVstMaxProductStrLen = 64;
constexpr int kVstMaxEffectNameLen = 32;

struct ERect
{
    int16_t top, left, bottom, right;
};
static_assert(sizeof(ERect) == 8, "ERect layout");

struct VstKeyCode
{
    VstInt32 character;
    unsigned char virt;
    unsigned char modifier;
};
static_assert(sizeof(VstKeyCode) == 8, "VstKeyCode layout");

// VstKeyCode::virt: the virtual keys an editor may act on (VstVirtualKey).
enum : unsigned char
{
    VKEY_TAB = 2,
    VKEY_SPACE = 7,
    VKEY_END = 9,
    VKEY_HOME = 10,
    VKEY_LEFT = 11,
    VKEY_UP = 12,
    VKEY_RIGHT = 13,
    VKEY_DOWN = 14,
    VKEY_PAGEUP = 15,
    VKEY_PAGEDOWN = 16
};

// VstKeyCode::modifier bits (VstModifierKey); "command" is Control on Windows and Linux.
enum : unsigned char
{
    MODIFIER_SHIFT = 1 << 0,
    MODIFIER_ALTERNATE = 1 << 1,
    MODIFIER_COMMAND = 1 << 2,
    MODIFIER_CONTROL = 1 << 3
};

// The entry point every VST 2 plug-in exports (as VSTPluginMain, and as main on older hosts).
using VstPluginMainProc = AEffect* (*)(audioMasterCallback host);
