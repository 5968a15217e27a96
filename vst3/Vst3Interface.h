#pragma once
// The part of the VST 3 binary interface this adapter speaks, declared from the published facts:
// interface identifiers, method order, calling convention and structure layouts. Every interface
// is a table of virtual functions with no destructor slot; the first three are the COM-style
// queryInterface, addRef and release.
#include <cstdint>

#if defined(_WIN32)
#define VST3_CALL __stdcall
#else
#define VST3_CALL
#endif

namespace Vst3 {

using tresult = int32_t;
using TBool = uint8_t;
using Char16 = char16_t;
using String128 = Char16[128];
using ParamID = uint32_t;
using ParamValue = double;
using SpeakerArrangement = uint64_t;
using FIDString = const char*;
using TUID = char[16];

// Result codes: Windows uses the COM values, other platforms small integers.
#if defined(_WIN32)
constexpr tresult kNoInterface = static_cast<tresult>(0x80004002L);
constexpr tresult kResultOk = 0;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = static_cast<tresult>(0x80070057L);
constexpr tresult kNotImplemented = static_cast<tresult>(0x80004001L);
constexpr tresult kInternalError = static_cast<tresult>(0x80004005L);
constexpr tresult kNotInitialized = static_cast<tresult>(0x8000FFFFL);
constexpr tresult kOutOfMemory = static_cast<tresult>(0x8007000EL);
#else
constexpr tresult kNoInterface = -1;
constexpr tresult kResultOk = 0;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = 2;
constexpr tresult kNotImplemented = 3;
constexpr tresult kInternalError = 4;
constexpr tresult kNotInitialized = 5;
constexpr tresult kOutOfMemory = 6;
#endif
constexpr tresult kResultTrue = kResultOk;

// A 16-byte identifier written as four 32-bit words. Windows keeps the GUID byte order (the first
// word and the two halves of the second little-endian); elsewhere every word is big-endian.
struct Uid
{
    char bytes[16];
};

constexpr Uid MakeUid(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
#if defined(_WIN32)
    return Uid{{static_cast<char>(a), static_cast<char>(a >> 8), static_cast<char>(a >> 16), static_cast<char>(a >> 24),
                static_cast<char>(b >> 16), static_cast<char>(b >> 24), static_cast<char>(b), static_cast<char>(b >> 8),
                static_cast<char>(c >> 24), static_cast<char>(c >> 16), static_cast<char>(c >> 8), static_cast<char>(c),
                static_cast<char>(d >> 24), static_cast<char>(d >> 16), static_cast<char>(d >> 8), static_cast<char>(d)}};
#else
    return Uid{{static_cast<char>(a >> 24), static_cast<char>(a >> 16), static_cast<char>(a >> 8), static_cast<char>(a),
                static_cast<char>(b >> 24), static_cast<char>(b >> 16), static_cast<char>(b >> 8), static_cast<char>(b),
                static_cast<char>(c >> 24), static_cast<char>(c >> 16), static_cast<char>(c >> 8), static_cast<char>(c),
                static_cast<char>(d >> 24), static_cast<char>(d >> 16), static_cast<char>(d >> 8), static_cast<char>(d)}};
#endif
}

inline bool SameUid(const char* a, const Uid& b)
{
    if (!a)
        return false;
    for (int i = 0; i < 16; ++i)
        if (a[i] != b.bytes[i])
            return false;
    return true;
}

// Interface identifiers.
constexpr Uid kFUnknownIid = MakeUid(0x00000000, 0x00000000, 0xC0000000, 0x00000046);
constexpr Uid kPluginFactoryIid = MakeUid(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F);
constexpr Uid kPluginFactory2Iid = MakeUid(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);
constexpr Uid kPluginFactory3Iid = MakeUid(0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931);
constexpr Uid kPluginBaseIid = MakeUid(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625);
constexpr Uid kComponentIid = MakeUid(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802);
constexpr Uid kAudioProcessorIid = MakeUid(0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D);
constexpr Uid kEditControllerIid = MakeUid(0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E);
constexpr Uid kUnitInfoIid = MakeUid(0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1);
constexpr Uid kComponentHandlerIid = MakeUid(0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6);
constexpr Uid kBStreamIid = MakeUid(0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B);
constexpr Uid kPlugViewIid = MakeUid(0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29);
constexpr Uid kPlugFrameIid = MakeUid(0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3);
constexpr Uid kPlugViewContentScaleSupportIid = MakeUid(0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F);
// Linux only: the host's UI run loop, offered by the view's frame, and the timer callback.
constexpr Uid kRunLoopIid = MakeUid(0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389);
constexpr Uid kTimerHandlerIid = MakeUid(0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9);
constexpr Uid kProcessContextRequirementsIid = MakeUid(0x2A654303, 0xEF764E3D, 0x95B5FE83, 0x730EF6D0);

// Interfaces have no virtual destructor: objects are freed by their own release().
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

class FUnknown
{
public:
    virtual tresult VST3_CALL queryInterface(const TUID iid, void** object) = 0;
    virtual uint32_t VST3_CALL addRef() = 0;
    virtual uint32_t VST3_CALL release() = 0;
};

#if defined(_WIN32)
#pragma pack(push, 8)
#endif

// Factory.
struct PFactoryInfo
{
    enum { kUnicode = 1 << 4 };
    char vendor[64];
    char url[256];
    char email[128];
    int32_t flags;
};

struct PClassInfo
{
    enum { kManyInstances = 0x7FFFFFFF };
    TUID cid;
    int32_t cardinality;
    char category[32];
    char name[64];
};

struct PClassInfo2
{
    TUID cid;
    int32_t cardinality;
    char category[32];
    char name[64];
    uint32_t classFlags;
    char subCategories[128];
    char vendor[64];
    char version[64];
    char sdkVersion[64];
};

struct PClassInfoW
{
    TUID cid;
    int32_t cardinality;
    char category[32];
    Char16 name[64];
    uint32_t classFlags;
    char subCategories[128];
    Char16 vendor[64];
    Char16 version[64];
    Char16 sdkVersion[64];
};

// Buses.
enum MediaType : int32_t { kAudio = 0, kEvent = 1 };
enum BusDirection : int32_t { kInput = 0, kOutput = 1 };
enum BusType : int32_t { kMain = 0, kAux = 1 };
constexpr uint32_t kBusDefaultActive = 1;
constexpr SpeakerArrangement kSpeakerStereo = 0x3; // left | right

struct BusInfo
{
    int32_t mediaType;
    int32_t direction;
    int32_t channelCount;
    String128 name;
    int32_t busType;
    uint32_t flags;
};

struct RoutingInfo
{
    int32_t mediaType;
    int32_t busIndex;
    int32_t channel;
};

// Processing.
enum SymbolicSampleSize : int32_t { kSample32 = 0, kSample64 = 1 };

struct ProcessSetup
{
    int32_t processMode;
    int32_t symbolicSampleSize;
    int32_t maxSamplesPerBlock;
    double sampleRate;
};

struct AudioBusBuffers
{
    int32_t numChannels;
    uint64_t silenceFlags;
    union {
        float** channelBuffers32;
        double** channelBuffers64;
    };
};

class IParamValueQueue : public FUnknown
{
public:
    virtual ParamID VST3_CALL getParameterId() = 0;
    virtual int32_t VST3_CALL getPointCount() = 0;
    virtual tresult VST3_CALL getPoint(int32_t index, int32_t& sampleOffset, ParamValue& value) = 0;
    virtual tresult VST3_CALL addPoint(int32_t sampleOffset, ParamValue value, int32_t& index) = 0;
};

class IParameterChanges : public FUnknown
{
public:
    virtual int32_t VST3_CALL getParameterCount() = 0;
    virtual IParamValueQueue* VST3_CALL getParameterData(int32_t index) = 0;
    virtual IParamValueQueue* VST3_CALL addParameterData(const ParamID& id, int32_t& index) = 0;
};

struct ProcessData
{
    int32_t processMode;
    int32_t symbolicSampleSize;
    int32_t numSamples;
    int32_t numInputs;
    int32_t numOutputs;
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;
    void* inputEvents;  // event lists: this effect takes and sends none
    void* outputEvents;
    void* processContext;
};

// Parameters and units.
struct ParameterInfo
{
    enum Flags : int32_t {
        kCanAutomate = 1 << 0,
        kIsReadOnly = 1 << 1,
        kIsList = 1 << 3,
        kIsProgramChange = 1 << 15,
        kIsBypass = 1 << 16,
    };
    ParamID id;
    String128 title;
    String128 shortTitle;
    String128 units;
    int32_t stepCount;
    ParamValue defaultNormalizedValue;
    int32_t unitId;
    int32_t flags;
};

constexpr int32_t kRootUnitId = 0;
constexpr int32_t kNoParentUnitId = -1;
constexpr int32_t kNoProgramListId = -1;

struct UnitInfo
{
    int32_t id;
    int32_t parentUnitId;
    String128 name;
    int32_t programListId;
};

struct ProgramListInfo
{
    int32_t id;
    String128 name;
    int32_t programCount;
};

struct ViewRect
{
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

#if defined(_WIN32)
#pragma pack(pop)
#endif

// Host objects the plug-in calls.
class IBStream : public FUnknown
{
public:
    virtual tresult VST3_CALL read(void* buffer, int32_t bytes, int32_t* bytesRead) = 0;
    virtual tresult VST3_CALL write(void* buffer, int32_t bytes, int32_t* bytesWritten) = 0;
    virtual tresult VST3_CALL seek(int64_t position, int32_t mode, int64_t* result) = 0;
    virtual tresult VST3_CALL tell(int64_t* position) = 0;
};

class IComponentHandler : public FUnknown
{
public:
    // 1 << 0 is kReloadComponent, which asks the host to build the plug-in anew.
    enum RestartFlags : int32_t { kParamValuesChanged = 1 << 2 };
    virtual tresult VST3_CALL beginEdit(ParamID id) = 0;
    virtual tresult VST3_CALL performEdit(ParamID id, ParamValue normalised) = 0;
    virtual tresult VST3_CALL endEdit(ParamID id) = 0;
    virtual tresult VST3_CALL restartComponent(int32_t flags) = 0;
};

class IPlugFrame : public FUnknown
{
public:
    virtual tresult VST3_CALL resizeView(class IPlugView* view, ViewRect* size) = 0;
};

// A view that draws at the host's content scale (1.0 for 96 dpi), before or after it is attached.
class IPlugViewContentScaleSupport : public FUnknown
{
public:
    virtual tresult VST3_CALL setContentScaleFactor(float factor) = 0;
};

// Called back on the host's UI thread by its run loop.
class ITimerHandler : public FUnknown
{
public:
    virtual void VST3_CALL onTimer() = 0;
};

// A file descriptor's handler; the plug-in registers none.
class IEventHandler;

// The host's UI run loop on Linux (the frame answers it): file descriptors it watches and timers
// it fires, every callback on its UI thread.
class IRunLoop : public FUnknown
{
public:
    virtual tresult VST3_CALL registerEventHandler(IEventHandler* handler, int fd) = 0;
    virtual tresult VST3_CALL unregisterEventHandler(IEventHandler* handler) = 0;
    virtual tresult VST3_CALL registerTimer(ITimerHandler* handler, uint64_t milliseconds) = 0;
    virtual tresult VST3_CALL unregisterTimer(ITimerHandler* handler) = 0;
};

// Interfaces the plug-in implements.
class IPluginFactory : public FUnknown
{
public:
    virtual tresult VST3_CALL getFactoryInfo(PFactoryInfo* info) = 0;
    virtual int32_t VST3_CALL countClasses() = 0;
    virtual tresult VST3_CALL getClassInfo(int32_t index, PClassInfo* info) = 0;
    virtual tresult VST3_CALL createInstance(FIDString cid, FIDString iid, void** object) = 0;
};

class IPluginFactory2 : public IPluginFactory
{
public:
    virtual tresult VST3_CALL getClassInfo2(int32_t index, PClassInfo2* info) = 0;
};

class IPluginFactory3 : public IPluginFactory2
{
public:
    virtual tresult VST3_CALL getClassInfoUnicode(int32_t index, PClassInfoW* info) = 0;
    virtual tresult VST3_CALL setHostContext(FUnknown* context) = 0;
};

class IPluginBase : public FUnknown
{
public:
    virtual tresult VST3_CALL initialize(FUnknown* context) = 0;
    virtual tresult VST3_CALL terminate() = 0;
};

class IComponent : public IPluginBase
{
public:
    virtual tresult VST3_CALL getControllerClassId(TUID classId) = 0;
    virtual tresult VST3_CALL setIoMode(int32_t mode) = 0;
    virtual int32_t VST3_CALL getBusCount(int32_t type, int32_t direction) = 0;
    virtual tresult VST3_CALL getBusInfo(int32_t type, int32_t direction, int32_t index, BusInfo& bus) = 0;
    virtual tresult VST3_CALL getRoutingInfo(RoutingInfo& in, RoutingInfo& out) = 0;
    virtual tresult VST3_CALL activateBus(int32_t type, int32_t direction, int32_t index, TBool state) = 0;
    virtual tresult VST3_CALL setActive(TBool state) = 0;
    virtual tresult VST3_CALL setState(IBStream* state) = 0;
    virtual tresult VST3_CALL getState(IBStream* state) = 0;
};

class IAudioProcessor : public FUnknown
{
public:
    virtual tresult VST3_CALL setBusArrangements(SpeakerArrangement* inputs, int32_t inputCount,
                                                 SpeakerArrangement* outputs, int32_t outputCount) = 0;
    virtual tresult VST3_CALL getBusArrangement(int32_t direction, int32_t index, SpeakerArrangement& arrangement) = 0;
    virtual tresult VST3_CALL canProcessSampleSize(int32_t size) = 0;
    virtual uint32_t VST3_CALL getLatencySamples() = 0;
    virtual tresult VST3_CALL setupProcessing(ProcessSetup& setup) = 0;
    virtual tresult VST3_CALL setProcessing(TBool state) = 0;
    virtual tresult VST3_CALL process(ProcessData& data) = 0;
    virtual uint32_t VST3_CALL getTailSamples() = 0;
};

// Which fields of the process context the processor reads (flags of the context's fields);
// hosts of SDK 3.7 plug-ins require it. Optional for the host to honour.
class IProcessContextRequirements : public FUnknown
{
public:
    virtual uint32_t VST3_CALL getProcessContextRequirements() = 0;
};

class IPlugView : public FUnknown
{
public:
    virtual tresult VST3_CALL isPlatformTypeSupported(FIDString type) = 0;
    virtual tresult VST3_CALL attached(void* parent, FIDString type) = 0;
    virtual tresult VST3_CALL removed() = 0;
    virtual tresult VST3_CALL onWheel(float distance) = 0;
    virtual tresult VST3_CALL onKeyDown(Char16 key, int16_t keyCode, int16_t modifiers) = 0;
    virtual tresult VST3_CALL onKeyUp(Char16 key, int16_t keyCode, int16_t modifiers) = 0;
    virtual tresult VST3_CALL getSize(ViewRect* size) = 0;
    virtual tresult VST3_CALL onSize(ViewRect* size) = 0;
    virtual tresult VST3_CALL onFocus(TBool state) = 0;
    virtual tresult VST3_CALL setFrame(IPlugFrame* frame) = 0;
    virtual tresult VST3_CALL canResize() = 0;
    virtual tresult VST3_CALL checkSizeConstraint(ViewRect* rect) = 0;
};

class IEditController : public IPluginBase
{
public:
    virtual tresult VST3_CALL setComponentState(IBStream* state) = 0;
    virtual tresult VST3_CALL setState(IBStream* state) = 0;
    virtual tresult VST3_CALL getState(IBStream* state) = 0;
    virtual int32_t VST3_CALL getParameterCount() = 0;
    virtual tresult VST3_CALL getParameterInfo(int32_t index, ParameterInfo& info) = 0;
    virtual tresult VST3_CALL getParamStringByValue(ParamID id, ParamValue normalised, String128 text) = 0;
    virtual tresult VST3_CALL getParamValueByString(ParamID id, Char16* text, ParamValue& normalised) = 0;
    virtual ParamValue VST3_CALL normalizedParamToPlain(ParamID id, ParamValue normalised) = 0;
    virtual ParamValue VST3_CALL plainParamToNormalized(ParamID id, ParamValue plain) = 0;
    virtual ParamValue VST3_CALL getParamNormalized(ParamID id) = 0;
    virtual tresult VST3_CALL setParamNormalized(ParamID id, ParamValue normalised) = 0;
    virtual tresult VST3_CALL setComponentHandler(IComponentHandler* handler) = 0;
    virtual IPlugView* VST3_CALL createView(FIDString name) = 0;
};

class IUnitInfo : public FUnknown
{
public:
    virtual int32_t VST3_CALL getUnitCount() = 0;
    virtual tresult VST3_CALL getUnitInfo(int32_t index, UnitInfo& info) = 0;
    virtual int32_t VST3_CALL getProgramListCount() = 0;
    virtual tresult VST3_CALL getProgramListInfo(int32_t index, ProgramListInfo& info) = 0;
    virtual tresult VST3_CALL getProgramName(int32_t listId, int32_t program, String128 name) = 0;
    virtual tresult VST3_CALL getProgramInfo(int32_t listId, int32_t program, const char* attribute,
                                             String128 value) = 0;
    virtual tresult VST3_CALL hasProgramPitchNames(int32_t listId, int32_t program) = 0;
    virtual tresult VST3_CALL getProgramPitchName(int32_t listId, int32_t program, int16_t pitch, String128 name) = 0;
    virtual int32_t VST3_CALL getSelectedUnit() = 0;
    virtual tresult VST3_CALL selectUnit(int32_t id) = 0;
    virtual tresult VST3_CALL getUnitByBus(int32_t type, int32_t direction, int32_t bus, int32_t channel,
                                           int32_t& unit) = 0;
    virtual tresult VST3_CALL setUnitProgramData(int32_t listOrUnit, int32_t program, IBStream* data) = 0;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// Plug-in category and the platform window types.
constexpr const char* kAudioEffectClass = "Audio Module Class";
constexpr uint32_t kDistributable = 1 << 0;
#if defined(_WIN32)
constexpr const char* kPlatformWindowType = "HWND";
#else
constexpr const char* kPlatformWindowType = "X11EmbedWindowID";
#endif

static_assert(sizeof(Char16) == 2, "VST 3 strings are 16-bit");

} // namespace Vst3
