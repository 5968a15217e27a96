#include "VstPlugin.h"
#include "VstEditor.h"
#include <algorithm>

namespace {

constexpr VstInt32 kNoEffectId = 0x4E6F4566; // 'NoEf' until the creator sets the real one

// The record's entry points: plain functions that find the adapter through `object`.
VstIntPtr DispatcherEntry(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    CVstPlugin* plugin = CVstPlugin::FromRecord(record);
    if (!plugin)
        return 0;
    const VstIntPtr result = plugin->dispatcher(opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        delete plugin;
        return 1;
    }
    return result;
}

void ProcessEntry(AEffect* record, float** inputs, float** outputs, VstInt32 frames)
{
    if (CVstPlugin* plugin = CVstPlugin::FromRecord(record))
        plugin->process(inputs, outputs, frames);
}

void ProcessReplacingEntry(AEffect* record, float** inputs, float** outputs, VstInt32 frames)
{
    if (CVstPlugin* plugin = CVstPlugin::FromRecord(record))
        plugin->processReplacing(inputs, outputs, frames);
}

void SetParameterEntry(AEffect* record, VstInt32 index, float value)
{
    if (CVstPlugin* plugin = CVstPlugin::FromRecord(record))
        plugin->setParameter(index, value);
}

float GetParameterEntry(AEffect* record, VstInt32 index)
{
    CVstPlugin* plugin = CVstPlugin::FromRecord(record);
    return plugin ? plugin->getParameter(index) : 0.0f;
}

int CountOf(const CParameterInfoList* list) { return list ? list->GetCount() : 0; }

} // namespace

CVstPlugin* CVstPlugin::FromRecord(AEffect* record)
{
    return record ? static_cast<CVstPlugin*>(record->object) : nullptr;
}

CVstPlugin::CVstPlugin(audioMasterCallback host, CEffect* effect, const CValueArray* settings, double refreshRate)
    : m_host(host),
      m_programCount(std::max(16, effect->GetPresets()->GetPresetCount() + 1)),
      m_parameterCount(1 + CountOf(effect->GetParameterInfo()) + CountOf(effect->GetOutputParameterInfo())),
      m_record(),
      m_normalizedInputs(CountOf(effect->GetParameterInfo())),
      m_realInputs(CountOf(effect->GetParameterInfo())),
      m_normalizedOutputs(CountOf(effect->GetOutputParameterInfo())),
      m_realOutputs(CountOf(effect->GetOutputParameterInfo())),
      m_previousInputs(nullptr, CountOf(effect->GetParameterInfo())),
      m_rampTargets(nullptr, CountOf(effect->GetParameterInfo())),
      m_rampSteps(nullptr, CountOf(effect->GetParameterInfo())),
      m_settingsCopy(settings ? std::make_unique<CValueArray>(*settings) : nullptr),
      m_ramp(2, CountOf(effect->GetParameterInfo())),
      m_effect(effect),
      m_bypassInfo(1, nullptr),
      m_hostInputInfo(&m_bypassInfo, effect->GetParameterInfo()),
      m_outputInfo(effect->GetOutputParameterInfo()),
      m_store(*this),
      m_inputSet(&m_hostInputInfo, 0, &m_store),
      m_outputSet(m_outputInfo, 1 + CountOf(effect->GetParameterInfo()), &m_store)
{
    ReplaceItem(m_bypassInfo, 0, CParameterInfo("Bypass", CParameterInfo::kInteger, 0.0f, 1.0f, 0.0f, "", ""));
    FillRecord();
    m_presetView.SetList(m_effect->GetPresets());

    // An effect that declares no inputs (or outputs) is published with the other count, so the
    // host still has channels to pass.
    const CIOInfo* pins = m_effect->GetIOInfo();
    m_inputChannels = pins->GetInputCount() ? pins->GetInputCount() : pins->GetOutputCount();
    m_outputChannels = pins->GetOutputCount() ? pins->GetOutputCount() : m_inputChannels;
    m_record.numInputs = m_inputChannels;
    m_record.numOutputs = m_outputChannels;
    m_record.flags |= effFlagsCanReplacing;
    m_inputBuffers.resize(static_cast<size_t>(pins->GetInputCount()));
    m_outputBuffers.resize(static_cast<size_t>(pins->GetOutputCount()));

    m_settings = m_settingsCopy.get();
    m_effect->Initialize(m_sampleRate, m_settings);
    m_presetView.SetList(m_effect->GetPresets());
    m_record.initialDelay = m_effect->GetLatency();

    SetUpPrograms();
    setProgram(0);

    if (refreshRate != 0.0)
        m_refreshInterval = static_cast<int>(m_sampleRate / refreshRate);
    m_refreshCounter = m_refreshInterval;
    RefreshOutputs(false);
    m_refreshCounter = m_refreshInterval;
}

CVstPlugin::~CVstPlugin()
{
    m_editor.reset(); // closes the window before anything it reads goes away
    m_effect.reset();
}

void CVstPlugin::FillRecord()
{
    m_record.magic = kEffectMagic;
    m_record.dispatcher = DispatcherEntry;
    m_record.process = ProcessEntry;
    m_record.processReplacing = ProcessReplacingEntry;
    m_record.setParameter = SetParameterEntry;
    m_record.getParameter = GetParameterEntry;
    m_record.numPrograms = m_programCount;
    m_record.numParams = m_parameterCount;
    m_record.numInputs = 1;
    m_record.numOutputs = 2;
    m_record.ioRatio = 1.0f;
    m_record.object = this;
    m_record.uniqueID = kNoEffectId;
    m_record.version = 1;
}

void CVstPlugin::SetEditor(CVstEditor* editor)
{
    m_editor.reset(editor);
    if (editor)
        m_record.flags |= effFlagsHasEditor;
    else
        m_record.flags &= ~effFlagsHasEditor;
}

CEditorContext CVstPlugin::MakeEditorContext()
{
    return CEditorContext(&m_inputSet, &m_outputSet, &m_presetView, nullptr);
}

AEffect* CreateVstPlugin(audioMasterCallback host, CEffect* effect, VstInt32 uniqueId, CPluginEditor* editor,
                         double refreshRate, const CValueArray* settings)
{
    // Nothing is used after a failed check, and nothing is left behind either.
    std::unique_ptr<CEffect> ownedEffect(effect);
    std::unique_ptr<CPluginEditor> ownedEditor(editor);
    if (!effect || !host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;

    effect->Initialize(44100.0, settings);
    auto* plugin = new CVstPlugin(host, ownedEffect.release(), settings, refreshRate);
    plugin->SetUniqueId(uniqueId);
    if (ownedEditor) {
        plugin->SetEditor(new CVstEditor(ownedEditor.get()));
        const CEditorContext context = plugin->MakeEditorContext();
        ownedEditor.release()->SetContext(&context);
    }
    return plugin->GetRecord();
}
