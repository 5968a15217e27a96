// Host requests that are not audio or parameter calls: one line per opcode, small handlers.
#include "HostText.h"
#include "VstEditor.h"
#include "VstPlugin.h"
#include <climits>

namespace {

constexpr char kVendor[] = "Orvane's Music Software";
constexpr VstIntPtr kVstVersion = 2300;
constexpr VstIntPtr kIdentify = 0x4E764566; // 'NvEf'
constexpr size_t kNameChars = 23;

// The float truncated toward zero, held within the int range; 0 for NaN.
int SaturatingInt(float value)
{
    if (!(value == value))
        return 0;
    if (value >= 2147483647.0f)
        return INT_MAX;
    if (value <= -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

VstIntPtr CVstPlugin::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode) {
    case effOpen: return 0;
    case effClose: return 0; // the entry point deletes the adapter afterwards
    case effSetProgram: return OnSetProgram(value);
    case effGetProgram: return getProgram();
    case effSetProgramName: setProgramName(static_cast<const char*>(ptr)); return 0;
    case effGetProgramName: getProgramName(static_cast<char*>(ptr)); return 0;
    case effGetParamLabel: getParameterLabel(index, static_cast<char*>(ptr)); return 0;
    case effGetParamDisplay: getParameterDisplay(index, static_cast<char*>(ptr)); return 0;
    case effGetParamName: getParameterName(index, static_cast<char*>(ptr)); return 0;
    case effGetVu: return 0;
    case effSetSampleRate: setSampleRate(opt); return 0;
    case effSetBlockSize: setBlockSize(static_cast<VstInt32>(value)); return 0;
    case effMainsChanged: return OnMainsChanged(value);
    case effEditGetRect: return OnEditGetRect(ptr);
    case effEditOpen: return OnEditOpen(ptr);
    case effEditClose: return OnEditClose();
    case effEditIdle: return OnEditIdle();
    case effIdentify: return kIdentify;
    case effGetChunk: return 0;
    case effSetChunk: return 0;
    case effProcessEvents: return 0;
    case effCanBeAutomated: return 1;
    case effString2Parameter: return 0;
    case effGetNumProgramCategories: return 1;
    case effGetProgramNameIndexed: return 0;
    case effCopyProgram: return 0;
    case effConnectInput: return 1;
    case effConnectOutput: return 1;
    case effGetInputProperties: return 0;
    case effGetOutputProperties: return 0;
    case effGetPlugCategory: return (m_record.flags & effFlagsIsSynth) ? 2 : 0;
    case effGetCurrentPosition: return 0;
    case effGetDestinationBuffer: return 0;
    case effOfflineNotify: return 0;
    case effOfflinePrepare: return 0;
    case effOfflineRun: return 0;
    case effProcessVarIo: return 0;
    case effSetSpeakerArrangement: return 0;
    case effSetBlockSizeAndSampleRate: return OnSetBlockSizeAndSampleRate(value, opt);
    case effSetBypass: return 0; // bypass is host parameter 0
    case effGetEffectName: return OnGetEffectName(ptr);
    case effGetErrorText: return 0;
    case effGetVendorString: return OnGetVendorString(ptr);
    case effGetProductString: return OnGetEffectName(ptr);
    case effGetVendorVersion: return m_record.version;
    case effVendorSpecific: return OnVendorSpecific(index, value, opt);
    case effCanDo: return 0; // no statement about any capability
    case effGetTailSize: return m_core.GetTailLength();
    case effIdle: return 0;
    case effGetIcon: return 0;
    case effSetViewPosition: return 0;
    case effGetParameterProperties: return 0;
    case effKeysRequired: return 1;
    case effGetVstVersion: return kVstVersion;
    case effEditKeyDown: return OnEditKey(true, index, value, opt);
    case effEditKeyUp: return OnEditKey(false, index, value, opt);
    case effSetEditKnobMode: return OnSetEditKnobMode(value);
    case effGetMidiProgramName: return 0;
    case effGetCurrentMidiProgram: return -1;
    case effGetMidiProgramCategory: return 0;
    case effHasMidiProgramsChanged: return 0;
    case effGetMidiKeyName: return 0;
    case effBeginSetProgram: return 0;
    case effEndSetProgram: return 0;
    case effGetSpeakerArrangement: return OnGetSpeakerArrangement(value, ptr);
    case effShellGetNextPlugin: return 0;
    case effStartProcess: return 0;
    case effStopProcess: return 0;
    case effSetTotalSampleToProcess: return value;
    case effSetPanLaw: return 0;
    case effBeginLoadBank: return 0;
    case effBeginLoadProgram: return 0;
    default: return 0; // the editor's draw/mouse/key/top/sleep requests and unknown opcodes
    }
}

VstIntPtr CVstPlugin::OnSetProgram(VstIntPtr value)
{
    if (value >= 0 && value < m_core.GetProgramCount())
        setProgram(static_cast<VstInt32>(value));
    return 0;
}

VstIntPtr CVstPlugin::OnMainsChanged(VstIntPtr value)
{
    if (value)
        resume();
    else
        suspend();
    return 0;
}

VstIntPtr CVstPlugin::OnEditGetRect(void* ptr)
{
    return m_editor && m_editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
}

VstIntPtr CVstPlugin::OnEditOpen(void* ptr) { return m_editor && m_editor->open(ptr) ? 1 : 0; }

VstIntPtr CVstPlugin::OnEditClose()
{
    if (m_editor)
        m_editor->close();
    m_relay.DeliverWaiting(); // the editor's thread has ended: nothing more comes from it
    return 0;
}

// The host's content scale, as its vendor-specific call gives it; 1 tells the host it was taken.
VstIntPtr CVstPlugin::OnVendorSpecific(VstInt32 index, VstIntPtr value, float opt)
{
    if (index != kVendorPresonus || value != kContentScaleFactor || !m_editor || !(opt > 0.0f))
        return 0;
    m_editor->SetContentScale(opt);
    return 1;
}

VstIntPtr CVstPlugin::OnEditIdle()
{
    m_relay.RelayToThisThread();
    if (m_editor)
        m_editor->idle();
    return 0;
}

VstIntPtr CVstPlugin::OnSetBlockSizeAndSampleRate(VstIntPtr value, float opt)
{
    setBlockSize(static_cast<VstInt32>(value));
    setSampleRate(opt);
    return 1;
}

VstIntPtr CVstPlugin::OnGetEffectName(void* ptr)
{
    CopyHostText(static_cast<char*>(ptr), m_core.GetEffectName(), kNameChars);
    return 1;
}

VstIntPtr CVstPlugin::OnGetVendorString(void* ptr)
{
    CopyHostText(static_cast<char*>(ptr), kVendor, sizeof kVendor);
    return 1;
}

VstIntPtr CVstPlugin::OnEditKey(bool down, VstInt32 index, VstIntPtr value, float opt)
{
    if (!m_editor)
        return 0;
    // The modifiers arrive as a float; NaN and values beyond an int must not be converted as they
    // stand (undefined), so they saturate first.
    const int modifiers = SaturatingInt(opt);
    VstKeyCode key{index, static_cast<unsigned char>(value), static_cast<unsigned char>(modifiers)};
    return down ? m_editor->onKeyDown(key) : m_editor->onKeyUp(key);
}

VstIntPtr CVstPlugin::OnSetEditKnobMode(VstIntPtr value)
{
    if (m_editor)
        m_editor->setKnobMode(static_cast<VstInt32>(value));
    return 0;
}

VstIntPtr CVstPlugin::OnGetSpeakerArrangement(VstIntPtr value, void* ptr)
{
    // Both arguments are places for an arrangement pointer; we have none to give.
    if (void** place = reinterpret_cast<void**>(value))
        *place = nullptr;
    if (void** place = static_cast<void**>(ptr))
        *place = nullptr;
    return 0;
}
