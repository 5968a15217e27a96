#include "VstPlugin.h"
#include "HostText.h"
#include "VstEditor.h"

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

} // namespace

CVstPlugin* CVstPlugin::FromRecord(AEffect* record)
{
    return record ? static_cast<CVstPlugin*>(record->object) : nullptr;
}

CVstPlugin::CVstPlugin(audioMasterCallback host, std::unique_ptr<CEffect> effect, const CValueArray* settings,
                       double refreshRate)
    : m_host(host), m_record(), m_core(std::move(effect), settings, refreshRate)
{
    FillRecord();
    m_record.numInputs = m_core.GetInputChannels();
    m_record.numOutputs = m_core.GetOutputChannels();
    m_record.flags |= effFlagsCanReplacing;
    m_record.initialDelay = m_core.GetLatency();
    m_core.SetListener(this);
}

CVstPlugin::~CVstPlugin()
{
    m_editor.reset(); // closes the window before anything it reads goes away
}

void CVstPlugin::FillRecord()
{
    m_record.magic = kEffectMagic;
    m_record.dispatcher = DispatcherEntry;
    m_record.process = ProcessEntry;
    m_record.processReplacing = ProcessReplacingEntry;
    m_record.setParameter = SetParameterEntry;
    m_record.getParameter = GetParameterEntry;
    m_record.numPrograms = m_core.GetProgramCount();
    m_record.numParams = m_core.GetParameterCount();
    m_record.numInputs = 1;
    m_record.numOutputs = 2;
    m_record.ioRatio = 1.0f;
    m_record.object = this;
    m_record.uniqueID = kNoEffectId;
    m_record.version = 1;
}

void CVstPlugin::SetIdentity(const SVstIdentity& identity)
{
    m_record.uniqueID = identity.uniqueId;
    m_record.version = identity.version;
}

void CVstPlugin::SetEditor(std::unique_ptr<CVstEditor> editor)
{
    m_editor = std::move(editor);
    if (m_editor)
        m_editor->SetResizer([this](int width, int height) {
            return m_host && m_host(&m_record, audioMasterSizeWindow, width, height, nullptr, 0.0f) != 0;
        });
    if (m_editor)
        m_record.flags |= effFlagsHasEditor;
    else
        m_record.flags &= ~effFlagsHasEditor;
}

void CVstPlugin::float2string(float value, char* text) const { FloatToDisplayText(value, text); }

void CVstPlugin::OnParameterAutomated(int index, float normalised)
{
    if (m_core.IsOutputParameter(index))
        Automate(index, normalised);
    else
        m_relay.Relay(CGestureOutbox::EKind::Value, index, normalised);
}

void CVstPlugin::Send(const CGestureOutbox::SGesture& gesture)
{
    if (gesture.kind == CGestureOutbox::EKind::Value)
        Automate(gesture.index, static_cast<float>(gesture.value));
}

void CVstPlugin::Automate(int index, float normalised)
{
    if (m_host)
        m_host(&m_record, audioMasterAutomate, index, 0, nullptr, normalised);
}

void CVstPlugin::OnParameterChanged()
{
    if (m_editor)
        m_editor->postUpdate();
}

AEffect* CreateVstPlugin(audioMasterCallback host, std::unique_ptr<CEffect> effect, const SVstIdentity& identity,
                         std::unique_ptr<CPluginEditor> editor, double refreshRate, const CValueArray* settings)
{
    // Nothing is used after a failed check, and the arguments' owners free it.
    if (!effect || !host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;

    effect->Initialize(44100.0, settings);
    auto plugin = std::make_unique<CVstPlugin>(host, std::move(effect), settings, refreshRate);
    plugin->SetIdentity(identity);
    if (editor) {
        // The bridge owns the window object from here on; the context outlives neither.
        auto* window = editor.get();
        plugin->SetEditor(std::make_unique<CVstEditor>(std::move(editor)));
        const CEditorContext context = plugin->MakeEditorContext();
        window->SetContext(&context);
    }
    return plugin.release()->GetRecord();
}
