#pragma once
// The CLAP plug-in ABI as this adapter uses it, declared from the published definitions of CLAP
// 1.2: identifiers, record layouts and the order of every function pointer. Only the parts the
// adapter or its test host touch are here. Every function is a C function; on 32-bit Windows
// CLAP names the cdecl convention.
#include <cstdint>

#if defined(_WIN32)
#define CLAP_CALL __cdecl
#else
#define CLAP_CALL
#endif

namespace clap {

using Id = uint32_t;
constexpr Id kInvalidId = UINT32_MAX;
constexpr uint32_t kNameSize = 256;
constexpr uint32_t kPathSize = 1024;

struct Version
{
    uint32_t major;
    uint32_t minor;
    uint32_t revision;
};
constexpr Version kVersion{1, 2, 0};

struct Host;
struct Plugin;

// Factories and the library's entry.
constexpr char kPluginFactoryId[] = "clap.plugin-factory";
constexpr char kPresetDiscoveryFactoryId[] = "clap.preset-discovery-factory/2";
constexpr char kPresetDiscoveryFactoryDraftId[] = "clap.preset-discovery-factory/draft-2";

struct Entry
{
    Version clapVersion;
    bool(CLAP_CALL* init)(const char* pluginPath);
    void(CLAP_CALL* deinit)();
    const void*(CLAP_CALL* getFactory)(const char* factoryId);
};

struct PluginDescriptor
{
    Version clapVersion;
    const char* id;
    const char* name;
    const char* vendor;
    const char* url;
    const char* manualUrl;
    const char* supportUrl;
    const char* version;
    const char* description;
    const char* const* features; // ends with nullptr
};

struct PluginFactory
{
    uint32_t(CLAP_CALL* getPluginCount)(const PluginFactory* factory);
    const PluginDescriptor*(CLAP_CALL* getPluginDescriptor)(const PluginFactory* factory, uint32_t index);
    const Plugin*(CLAP_CALL* createPlugin)(const PluginFactory* factory, const Host* host, const char* pluginId);
};

struct Host
{
    Version clapVersion;
    void* hostData;
    const char* name;
    const char* vendor;
    const char* url;
    const char* version;
    const void*(CLAP_CALL* getExtension)(const Host* host, const char* extensionId);
    void(CLAP_CALL* requestRestart)(const Host* host);
    void(CLAP_CALL* requestProcess)(const Host* host);
    void(CLAP_CALL* requestCallback)(const Host* host);
};

// Events.
constexpr uint16_t kCoreEventSpace = 0;
enum EventType : uint16_t {
    kEventParamValue = 5,
    kEventParamMod = 6,
    kEventParamGestureBegin = 7,
    kEventParamGestureEnd = 8,
};
enum EventFlags : uint32_t { kEventIsLive = 1u << 0, kEventDontRecord = 1u << 1 };

struct EventHeader
{
    uint32_t size; // of the whole event, header included
    uint32_t time; // frame within the block
    uint16_t spaceId;
    uint16_t type;
    uint32_t flags;
};

struct EventParamValue
{
    EventHeader header;
    Id paramId;
    void* cookie;
    int32_t noteId;
    int16_t portIndex;
    int16_t channel;
    int16_t key;
    double value;
};

struct EventParamGesture
{
    EventHeader header;
    Id paramId;
};

struct InputEvents
{
    void* ctx;
    uint32_t(CLAP_CALL* size)(const InputEvents* list);
    const EventHeader*(CLAP_CALL* get)(const InputEvents* list, uint32_t index);
};

struct OutputEvents
{
    void* ctx;
    bool(CLAP_CALL* tryPush)(const OutputEvents* list, const EventHeader* event);
};

// Audio.
struct AudioBuffer
{
    float** data32;
    double** data64;
    uint32_t channelCount;
    uint32_t latency;
    uint64_t constantMask;
};

struct Process
{
    int64_t steadyTime;
    uint32_t framesCount;
    const void* transport;
    const AudioBuffer* audioInputs;
    AudioBuffer* audioOutputs;
    uint32_t audioInputsCount;
    uint32_t audioOutputsCount;
    const InputEvents* inEvents;
    const OutputEvents* outEvents;
};

using ProcessStatus = int32_t;
enum : ProcessStatus {
    kProcessError = 0,
    kProcessContinue = 1,
    kProcessContinueIfNotQuiet = 2,
    kProcessTail = 3,
    kProcessSleep = 4,
};

struct Plugin
{
    const PluginDescriptor* desc;
    void* pluginData;
    bool(CLAP_CALL* init)(const Plugin* plugin);
    void(CLAP_CALL* destroy)(const Plugin* plugin);
    bool(CLAP_CALL* activate)(const Plugin* plugin, double sampleRate, uint32_t minFrames, uint32_t maxFrames);
    void(CLAP_CALL* deactivate)(const Plugin* plugin);
    bool(CLAP_CALL* startProcessing)(const Plugin* plugin);
    void(CLAP_CALL* stopProcessing)(const Plugin* plugin);
    void(CLAP_CALL* reset)(const Plugin* plugin);
    ProcessStatus(CLAP_CALL* process)(const Plugin* plugin, const Process* process);
    const void*(CLAP_CALL* getExtension)(const Plugin* plugin, const char* id);
    void(CLAP_CALL* onMainThread)(const Plugin* plugin);
};

// Extension: audio ports.
constexpr char kExtAudioPorts[] = "clap.audio-ports";
constexpr char kPortStereo[] = "stereo";
enum : uint32_t { kAudioPortIsMain = 1u << 0 };

struct AudioPortInfo
{
    Id id;
    char name[kNameSize];
    uint32_t flags;
    uint32_t channelCount;
    const char* portType;
    Id inPlacePair;
};

struct PluginAudioPorts
{
    uint32_t(CLAP_CALL* count)(const Plugin* plugin, bool isInput);
    bool(CLAP_CALL* get)(const Plugin* plugin, uint32_t index, bool isInput, AudioPortInfo* info);
};

// Extension: parameters.
constexpr char kExtParams[] = "clap.params";
enum ParamFlags : uint32_t {
    kParamIsStepped = 1u << 0,
    kParamIsHidden = 1u << 2,
    kParamIsReadonly = 1u << 3,
    kParamIsBypass = 1u << 4,
    kParamIsAutomatable = 1u << 5,
    kParamRequiresProcess = 1u << 15,
    kParamIsEnum = 1u << 16,
};
enum ParamRescanFlags : uint32_t { kParamRescanValues = 1u << 0, kParamRescanText = 1u << 1 };

struct ParamInfo
{
    Id id;
    uint32_t flags;
    void* cookie;
    char name[kNameSize];
    char module[kPathSize];
    double minValue;
    double maxValue;
    double defaultValue;
};

struct PluginParams
{
    uint32_t(CLAP_CALL* count)(const Plugin* plugin);
    bool(CLAP_CALL* getInfo)(const Plugin* plugin, uint32_t index, ParamInfo* info);
    bool(CLAP_CALL* getValue)(const Plugin* plugin, Id paramId, double* value);
    bool(CLAP_CALL* valueToText)(const Plugin* plugin, Id paramId, double value, char* text, uint32_t capacity);
    bool(CLAP_CALL* textToValue)(const Plugin* plugin, Id paramId, const char* text, double* value);
    void(CLAP_CALL* flush)(const Plugin* plugin, const InputEvents* in, const OutputEvents* out);
};

struct HostParams
{
    void(CLAP_CALL* rescan)(const Host* host, uint32_t flags);
    void(CLAP_CALL* clear)(const Host* host, Id paramId, uint32_t flags);
    void(CLAP_CALL* requestFlush)(const Host* host);
};

// Extension: state.
constexpr char kExtState[] = "clap.state";

struct InputStream
{
    void* ctx;
    int64_t(CLAP_CALL* read)(const InputStream* stream, void* buffer, uint64_t size); // 0: end, < 0: error
};

struct OutputStream
{
    void* ctx;
    int64_t(CLAP_CALL* write)(const OutputStream* stream, const void* buffer, uint64_t size);
};

struct PluginState
{
    bool(CLAP_CALL* save)(const Plugin* plugin, const OutputStream* stream);
    bool(CLAP_CALL* load)(const Plugin* plugin, const InputStream* stream);
};

struct HostState
{
    void(CLAP_CALL* markDirty)(const Host* host);
};

// Extensions: latency and tail.
constexpr char kExtLatency[] = "clap.latency";
constexpr char kExtTail[] = "clap.tail";

struct PluginLatency
{
    uint32_t(CLAP_CALL* get)(const Plugin* plugin);
};

struct PluginTail
{
    uint32_t(CLAP_CALL* get)(const Plugin* plugin);
};

struct HostTail
{
    void(CLAP_CALL* changed)(const Host* host); // on the audio thread
};

// Extension: the editor window.
constexpr char kExtGui[] = "clap.gui";
constexpr char kWindowApiWin32[] = "win32";
constexpr char kWindowApiX11[] = "x11";

struct Window
{
    const char* api;
    union {
        void* cocoa;
        unsigned long x11;
        void* win32;
        void* ptr;
    };
};

struct GuiResizeHints
{
    bool canResizeHorizontally;
    bool canResizeVertically;
    bool preserveAspectRatio;
    uint32_t aspectRatioWidth;
    uint32_t aspectRatioHeight;
};

struct PluginGui
{
    bool(CLAP_CALL* isApiSupported)(const Plugin* plugin, const char* api, bool isFloating);
    bool(CLAP_CALL* getPreferredApi)(const Plugin* plugin, const char** api, bool* isFloating);
    bool(CLAP_CALL* create)(const Plugin* plugin, const char* api, bool isFloating);
    void(CLAP_CALL* destroy)(const Plugin* plugin);
    bool(CLAP_CALL* setScale)(const Plugin* plugin, double scale);
    bool(CLAP_CALL* getSize)(const Plugin* plugin, uint32_t* width, uint32_t* height);
    bool(CLAP_CALL* canResize)(const Plugin* plugin);
    bool(CLAP_CALL* getResizeHints)(const Plugin* plugin, GuiResizeHints* hints);
    bool(CLAP_CALL* adjustSize)(const Plugin* plugin, uint32_t* width, uint32_t* height);
    bool(CLAP_CALL* setSize)(const Plugin* plugin, uint32_t width, uint32_t height);
    bool(CLAP_CALL* setParent)(const Plugin* plugin, const Window* window);
    bool(CLAP_CALL* setTransient)(const Plugin* plugin, const Window* window);
    void(CLAP_CALL* suggestTitle)(const Plugin* plugin, const char* title);
    bool(CLAP_CALL* show)(const Plugin* plugin);
    bool(CLAP_CALL* hide)(const Plugin* plugin);
};

// Host extension: the host's side of the editor window (same id as the plug-in's).
struct HostGui
{
    void(CLAP_CALL* resizeHintsChanged)(const Host* host);
    bool(CLAP_CALL* requestResize)(const Host* host, uint32_t width, uint32_t height);
    bool(CLAP_CALL* requestShow)(const Host* host);
    bool(CLAP_CALL* requestHide)(const Host* host);
    void(CLAP_CALL* closed)(const Host* host, bool wasDestroyed);
};

// Host extension: which thread a call arrives on.
constexpr char kExtThreadCheck[] = "clap.thread-check";

struct HostThreadCheck
{
    bool(CLAP_CALL* isMainThread)(const Host* host);
    bool(CLAP_CALL* isAudioThread)(const Host* host);
};

// Presets: the discovery factory, and the plug-in's extension that loads what it found.
constexpr char kExtPresetLoad[] = "clap.preset-load/2";
constexpr char kExtPresetLoadDraft[] = "clap.preset-load.draft/2";
enum : uint32_t { kPresetLocationFile = 0, kPresetLocationPlugin = 1 };
enum : uint32_t { kPresetIsFactoryContent = 1u << 0 };

struct UniversalPluginId
{
    const char* abi; // "clap"
    const char* id;
};

struct PresetMetadataReceiver
{
    void* receiverData;
    void(CLAP_CALL* onError)(const PresetMetadataReceiver* receiver, int32_t osError, const char* message);
    bool(CLAP_CALL* beginPreset)(const PresetMetadataReceiver* receiver, const char* name, const char* loadKey);
    void(CLAP_CALL* addPluginId)(const PresetMetadataReceiver* receiver, const UniversalPluginId* pluginId);
    void(CLAP_CALL* setSoundpackId)(const PresetMetadataReceiver* receiver, const char* soundpackId);
    void(CLAP_CALL* setFlags)(const PresetMetadataReceiver* receiver, uint32_t flags);
    void(CLAP_CALL* addCreator)(const PresetMetadataReceiver* receiver, const char* creator);
    void(CLAP_CALL* setDescription)(const PresetMetadataReceiver* receiver, const char* description);
    void(CLAP_CALL* setTimestamps)(const PresetMetadataReceiver* receiver, uint64_t created, uint64_t modified);
    void(CLAP_CALL* addFeature)(const PresetMetadataReceiver* receiver, const char* feature);
    void(CLAP_CALL* addExtraInfo)(const PresetMetadataReceiver* receiver, const char* key, const char* value);
};

struct PresetFiletype
{
    const char* name;
    const char* description;
    const char* fileExtension;
};

struct PresetLocation
{
    uint32_t flags;
    const char* name;
    uint32_t kind;
    const char* location; // nullptr for presets inside the plug-in
};

struct PresetProviderDescriptor
{
    Version clapVersion;
    const char* id;
    const char* name;
    const char* vendor;
};

struct PresetIndexer
{
    Version clapVersion;
    const char* name;
    const char* vendor;
    const char* url;
    const char* version;
    void* indexerData;
    bool(CLAP_CALL* declareFiletype)(const PresetIndexer* indexer, const PresetFiletype* filetype);
    bool(CLAP_CALL* declareLocation)(const PresetIndexer* indexer, const PresetLocation* location);
    bool(CLAP_CALL* declareSoundpack)(const PresetIndexer* indexer, const void* soundpack);
    const void*(CLAP_CALL* getExtension)(const PresetIndexer* indexer, const char* extensionId);
};

struct PresetProvider
{
    const PresetProviderDescriptor* desc;
    void* providerData;
    bool(CLAP_CALL* init)(const PresetProvider* provider);
    void(CLAP_CALL* destroy)(const PresetProvider* provider);
    bool(CLAP_CALL* getMetadata)(const PresetProvider* provider, uint32_t locationKind, const char* location,
                                 const PresetMetadataReceiver* receiver);
    const void*(CLAP_CALL* getExtension)(const PresetProvider* provider, const char* extensionId);
};

struct PresetDiscoveryFactory
{
    uint32_t(CLAP_CALL* count)(const PresetDiscoveryFactory* factory);
    const PresetProviderDescriptor*(CLAP_CALL* getDescriptor)(const PresetDiscoveryFactory* factory, uint32_t index);
    const PresetProvider*(CLAP_CALL* create)(const PresetDiscoveryFactory* factory, const PresetIndexer* indexer,
                                             const char* providerId);
};

struct PluginPresetLoad
{
    bool(CLAP_CALL* fromLocation)(const Plugin* plugin, uint32_t locationKind, const char* location,
                                  const char* loadKey);
};

struct HostPresetLoad
{
    void(CLAP_CALL* onError)(const Host* host, uint32_t locationKind, const char* location, const char* loadKey,
                             int32_t osError, const char* message);
    void(CLAP_CALL* loaded)(const Host* host, uint32_t locationKind, const char* location, const char* loadKey);
};

} // namespace clap
