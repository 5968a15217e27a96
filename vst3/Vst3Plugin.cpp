#include "Vst3Plugin.h"
#include "PluginState.h"
#include "Vst3Stream.h"
#include "Vst3Text.h"
#include "Vst3View.h"
#include <algorithm>
#include <cmath>

using namespace Vst3;

namespace {

// The bytes a state stream of this core has: one more than that read means an oversized stream.
size_t StateBytes(const CPluginCore& core)
{
    const size_t values = static_cast<size_t>(1 + core.GetInputParameterCount());
    return PluginState::kHeaderBytes +
           static_cast<size_t>(core.GetProgramCount()) * (PluginState::kNameBytes + 4 * values);
}

bool IsMainAudioBus(int32_t type, int32_t direction, int32_t index)
{
    return type == kAudio && (direction == kInput || direction == kOutput) && index == 0;
}

} // namespace

CVst3Plugin::CVst3Plugin(std::unique_ptr<CEffect> effect, std::unique_ptr<CPluginEditor> editor, double refreshRate)
    : m_core(std::move(effect), nullptr, refreshRate), m_controller(*this), m_editor(std::move(editor))
{
    m_core.SetListener(this);
    const int channels = m_core.GetInputChannels();
    m_inputMask = channels >= 64 ? ~uint64_t{0} : (uint64_t{1} << channels) - 1;
    if (m_editor) {
        // The context lives as long as the window object that reads it.
        m_editorContext = m_core.MakeEditorContext();
        m_editor->SetContext(&m_editorContext);
    }
}

CVst3Plugin::~CVst3Plugin()
{
    // A host may release the plug-in with its view still attached: the window closes here, and
    // the view, should the host still hold it, is left with nothing to show.
    if (m_view)
        m_view->Detach();
    m_uiTimer.Stop();
    m_editor.reset();
    SetComponentHandler(nullptr);
}

tresult CVst3Plugin::queryInterface(const TUID iid, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = nullptr;
    if (SameUid(iid, kFUnknownIid) || SameUid(iid, kPluginBaseIid) || SameUid(iid, kComponentIid))
        *object = static_cast<IComponent*>(this);
    else if (SameUid(iid, kAudioProcessorIid))
        *object = static_cast<IAudioProcessor*>(this);
    else if (SameUid(iid, kProcessContextRequirementsIid))
        *object = static_cast<IProcessContextRequirements*>(this);
    else if (SameUid(iid, kEditControllerIid))
        *object = static_cast<IEditController*>(&m_controller);
    else if (SameUid(iid, kUnitInfoIid))
        *object = static_cast<IUnitInfo*>(&m_controller);
    else
        return kNoInterface;
    addRef();
    return kResultOk;
}

uint32_t CVst3Plugin::addRef() { return m_references.fetch_add(1, std::memory_order_relaxed) + 1; }

uint32_t CVst3Plugin::release()
{
    const uint32_t left = m_references.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0)
        delete this;
    return left;
}

tresult CVst3Plugin::initialize(FUnknown* context)
{
    // Hosts initialise on their UI thread: the timer that tells them of program changes runs there.
    m_uiTimer.Start(context);
    return kResultOk;
}

tresult CVst3Plugin::terminate()
{
    m_uiTimer.Stop();
    SetComponentHandler(nullptr);
    return kResultOk;
}

// One object is component and controller: hosts find the controller through queryInterface.
tresult CVst3Plugin::getControllerClassId(TUID) { return kNotImplemented; }

tresult CVst3Plugin::setIoMode(int32_t) { return kNotImplemented; }

int32_t CVst3Plugin::getBusCount(int32_t type, int32_t direction)
{
    return type == kAudio && (direction == kInput || direction == kOutput) ? 1 : 0;
}

tresult CVst3Plugin::getBusInfo(int32_t type, int32_t direction, int32_t index, BusInfo& bus)
{
    if (!IsMainAudioBus(type, direction, index))
        return kInvalidArgument;
    bus.mediaType = kAudio;
    bus.direction = direction;
    bus.channelCount = direction == kInput ? m_core.GetInputChannels() : m_core.GetOutputChannels();
    Vst3Text::ToString128(direction == kInput ? "Stereo In" : "Stereo Out", bus.name);
    bus.busType = kMain;
    bus.flags = kBusDefaultActive;
    return kResultOk;
}

tresult CVst3Plugin::getRoutingInfo(RoutingInfo&, RoutingInfo&) { return kNotImplemented; }

tresult CVst3Plugin::activateBus(int32_t type, int32_t direction, int32_t index, TBool)
{
    return IsMainAudioBus(type, direction, index) ? kResultOk : kInvalidArgument;
}

tresult CVst3Plugin::setActive(TBool state)
{
    if (state) {
        m_core.Resume(); // re-initialises the effect at the rate setupProcessing took
        m_core.UpdateRingLength();
        m_silentInput.Forget();
    }
    return kResultOk;
}

tresult CVst3Plugin::setState(IBStream* state)
{
    if (!state)
        return kInvalidArgument;
    std::vector<uint8_t> bytes;
    if (!Vst3Stream::ReadUpTo(state, StateBytes(m_core) + 1, bytes))
        return kResultFalse;
    return PluginState::Read(m_core, bytes.data(), bytes.size()) ? kResultOk : kResultFalse;
}

tresult CVst3Plugin::getState(IBStream* state)
{
    if (!state)
        return kInvalidArgument;
    return Vst3Stream::WriteAll(state, PluginState::Write(m_core)) ? kResultOk : kResultFalse;
}

tresult CVst3Plugin::setBusArrangements(SpeakerArrangement* inputs, int32_t inputCount, SpeakerArrangement* outputs,
                                        int32_t outputCount)
{
    // One stereo bus each way, nothing else.
    if (inputCount != 1 || outputCount != 1 || !inputs || !outputs)
        return kResultFalse;
    return inputs[0] == kSpeakerStereo && outputs[0] == kSpeakerStereo ? kResultTrue : kResultFalse;
}

tresult CVst3Plugin::getBusArrangement(int32_t direction, int32_t index, SpeakerArrangement& arrangement)
{
    if (!IsMainAudioBus(kAudio, direction, index))
        return kInvalidArgument;
    arrangement = kSpeakerStereo;
    return kResultOk;
}

tresult CVst3Plugin::canProcessSampleSize(int32_t size) { return size == kSample32 ? kResultTrue : kResultFalse; }

uint32_t CVst3Plugin::getLatencySamples() { return static_cast<uint32_t>(m_core.GetLatency()); }

uint32_t CVst3Plugin::getTailSamples()
{
    // What the current settings ring, not VST 2's fixed answer: hosts that trust the tail would
    // cut a long sweep's echo at full level.
    const int tail = m_core.GetRingLength();
    return tail > 0 ? static_cast<uint32_t>(tail) : 0;
}

tresult CVst3Plugin::setupProcessing(ProcessSetup& setup)
{
    // 32-bit samples only; the core refuses rates VST 2 hosts could not set either.
    if (setup.symbolicSampleSize != kSample32 || setup.maxSamplesPerBlock < 0)
        return kResultFalse;
    if (!(setup.sampleRate >= CPluginCore::kLowestSampleRate && setup.sampleRate <= CPluginCore::kHighestSampleRate))
        return kResultFalse;
    if (!m_core.SetSampleRate(static_cast<float>(setup.sampleRate)))
        return kResultFalse;
    try {
        m_silence.assign(static_cast<size_t>(setup.maxSamplesPerBlock), 0.0f);
        m_silentInputs.assign(static_cast<size_t>(m_core.GetInputChannels()), m_silence.data());
    } catch (...) {
        return kOutOfMemory;
    }
    return kResultOk;
}

tresult CVst3Plugin::setProcessing(TBool) { return kResultOk; }

void CVst3Plugin::ApplyParameterList(IParameterChanges* changes, int32_t count)
{
    // A program change comes first, so values sent in the same block land on the new program.
    for (int pass = 0; pass < 2; ++pass) {
        for (int32_t i = 0; i < count; ++i) {
            IParamValueQueue* queue = changes->getParameterData(i);
            if (!queue)
                continue;
            const ParamID id = queue->getParameterId();
            if ((id == kProgramChangeId) != (pass == 0))
                continue;
            const int32_t points = queue->getPointCount();
            int32_t offset = 0;
            ParamValue value = 0.0;
            if (points > 0 && queue->getPoint(points - 1, offset, value) == kResultOk)
                ApplyNormalized(id, value);
        }
    }
}

tresult CVst3Plugin::process(ProcessData& data)
{
    if (data.symbolicSampleSize != kSample32)
        return kInvalidArgument;
    ApplyParameterChanges(data.inputParameterChanges);
    // A block of 0 frames only carries parameter changes.
    if (data.numSamples <= 0)
        return data.numSamples == 0 ? kResultOk : kInvalidArgument;
    if (data.numOutputs < 1 || !data.outputs)
        return kInvalidArgument;
    AudioBusBuffers& out = data.outputs[0];
    if (out.numChannels < m_core.GetOutputChannels() || !out.channelBuffers32)
        return kInvalidArgument;
    const AudioBusBuffers* in = data.numInputs >= 1 && data.inputs ? &data.inputs[0] : nullptr;
    float** inputs;
    uint64_t inputSilence;
    if (in && in->numChannels >= m_core.GetInputChannels() && in->channelBuffers32) {
        inputs = in->channelBuffers32;
        inputSilence = in->silenceFlags;
    } else if (static_cast<size_t>(data.numSamples) <= m_silence.size() && !m_silentInputs.empty()) {
        // No input bus: the effect hears silence, so its tail still sounds.
        inputs = m_silentInputs.data();
        inputSilence = ~uint64_t{0};
    } else {
        return kInvalidArgument;
    }
    out.silenceFlags = ProcessMain(inputs, inputSilence, out.channelBuffers32, data.numSamples);
    return kResultOk;
}

uint64_t CVst3Plugin::ProcessMain(float** inputs, uint64_t inputSilence, float** outputs, int frames)
{
    if (m_silentInput.Skippable((inputSilence & m_inputMask) == m_inputMask, frames, m_core.GetRingLength()))
        m_core.SkipSilentBlock(outputs, frames);
    else
        m_core.Process(inputs, outputs, frames, false);
    m_core.UpdateRingLength();
    return SilentChannelMask(outputs, m_core.GetOutputChannels(), frames);
}

int CVst3Plugin::ProgramOf(double normalised) const
{
    const int count = m_core.GetProgramCount();
    if (!(normalised > 0.0)) // NaN included
        return 0;
    const int program = static_cast<int>(std::min(normalised, 1.0) * count);
    return program < count ? program : count - 1;
}

double CVst3Plugin::NormalizedOfProgram(int program) const
{
    const int steps = m_core.GetProgramCount() - 1;
    return steps > 0 ? static_cast<double>(program) / steps : 0.0;
}

bool CVst3Plugin::ApplyNormalized(ParamID id, double normalised)
{
    // VST 3 values are 0..1 by definition; anything else a host sends is taken at the nearer end.
    if (!std::isfinite(normalised))
        return false;
    normalised = std::clamp(normalised, 0.0, 1.0);
    if (id == kProgramChangeId) {
        m_core.SetProgram(ProgramOf(normalised));
        return true;
    }
    if (id >= static_cast<ParamID>(m_core.GetParameterCount()) || m_core.IsOutputParameter(static_cast<int>(id)))
        return false;
    return m_core.SetParameter(static_cast<int>(id), static_cast<float>(normalised));
}

double CVst3Plugin::GetNormalized(ParamID id) const
{
    if (id == kProgramChangeId)
        return NormalizedOfProgram(m_core.GetProgram());
    if (id >= static_cast<ParamID>(m_core.GetParameterCount()))
        return 0.0;
    // A restored state may hold any finite value; the host is shown 0..1 only.
    return std::clamp(static_cast<double>(m_core.GetParameter(static_cast<int>(id))), 0.0, 1.0);
}

void CVst3Plugin::SetComponentHandler(IComponentHandler* handler)
{
    if (handler == m_handler)
        return;
    if (handler)
        handler->addRef();
    if (m_handler)
        m_handler->release();
    m_handler = handler;
}

void CVst3Plugin::OnParameterAutomated(int index, float normalised)
{
    // Output parameters are reported from the audio thread, where the handler may not be called;
    // hosts read them with getParamNormalized.
    if (!m_core.IsOutputParameter(index))
        m_relay.Relay(CGestureOutbox::EKind::Value, index, normalised);
}

void CVst3Plugin::OnBeginEdit(int index) { m_relay.Relay(CGestureOutbox::EKind::Begin, index, 0.0); }

void CVst3Plugin::OnEndEdit(int index) { m_relay.Relay(CGestureOutbox::EKind::End, index, 0.0); }

void CVst3Plugin::Send(const CGestureOutbox::SGesture& gesture)
{
    if (!m_handler)
        return;
    const ParamID id = static_cast<ParamID>(gesture.index);
    switch (gesture.kind) {
    case CGestureOutbox::EKind::Begin:
        m_handler->beginEdit(id);
        break;
    case CGestureOutbox::EKind::Value:
        m_handler->performEdit(id, gesture.value);
        break;
    case CGestureOutbox::EKind::End:
        m_handler->endEdit(id);
        break;
    }
}

void CVst3Plugin::DeliverValuesChanged()
{
    if (m_handler && m_valuesChanged.exchange(false, std::memory_order_acquire))
        m_handler->restartComponent(IComponentHandler::kParamValuesChanged);
}

IPlugView* CVst3Plugin::CreateView()
{
    // One window object, so one view at a time.
    if (!m_editor || m_view)
        return nullptr;
    m_view = new CVst3View(*this, *m_editor);
    return m_view;
}

void CVst3Plugin::OnViewDestroyed(CVst3View* view)
{
    if (m_view == view)
        m_view = nullptr;
}

CVst3Plugin* CreateVst3Plugin(std::unique_ptr<CEffect> effect, std::unique_ptr<CPluginEditor> editor,
                              double refreshRate)
{
    if (!effect)
        return nullptr;
    effect->Initialize(CPluginCore::kInitialSampleRate, nullptr);
    return new CVst3Plugin(std::move(effect), std::move(editor), refreshRate);
}
