#pragma once
#include "PluginCore.h"
#include "Vst3Controller.h"
#include "GestureRelay.h"
#include "SilentInput.h"
#include "Vst3Interface.h"
#include "Vst3UiTimer.h"
#include "Vst3View.h"
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

// Publishes a plug-in core as one VST 3 object that is both the audio component (IComponent,
// IAudioProcessor) and its edit controller (IEditController, IUnitInfo, in CVst3Controller, which
// shares this object's reference count). Parameter ids are the core's host indexes; the program
// change parameter has an id of its own.
//
// Audio: before each block the last value of every parameter that changed within it is applied,
// then the core processes the whole block at once, as a VST 2 host's setParameter calls followed
// by one processReplacing do: the block's last value is the ramp's target across the block.
//
// Programs change every value at once: the host hears it as restartComponent(kParamValuesChanged)
// on its UI thread, from a timer of that thread, never from inside the host's own call.
class CVst3Plugin final : public Vst3::IComponent,
                          public Vst3::IAudioProcessor,
                          public Vst3::IProcessContextRequirements,
                          private CPluginCoreListener,
                          private CGestureRelay::CSink
{
public:
    static constexpr Vst3::ParamID kProgramChangeId = 0x10000;
    static constexpr int32_t kProgramListId = 1;

    // Takes the effect (initialised) and the editor window object (nullptr: no editor).
    CVst3Plugin(std::unique_ptr<CEffect> effect, std::unique_ptr<CPluginEditor> editor, double refreshRate);
    CVst3Plugin(const CVst3Plugin&) = delete;
    CVst3Plugin& operator=(const CVst3Plugin&) = delete;

    // FUnknown: every interface of the object, the controller's included.
    Vst3::tresult VST3_CALL queryInterface(const Vst3::TUID iid, void** object) override;
    uint32_t VST3_CALL addRef() override;
    uint32_t VST3_CALL release() override;

    // IPluginBase
    Vst3::tresult VST3_CALL initialize(Vst3::FUnknown* context) override;
    Vst3::tresult VST3_CALL terminate() override;

    // IComponent
    Vst3::tresult VST3_CALL getControllerClassId(Vst3::TUID classId) override;
    Vst3::tresult VST3_CALL setIoMode(int32_t mode) override;
    int32_t VST3_CALL getBusCount(int32_t type, int32_t direction) override;
    Vst3::tresult VST3_CALL getBusInfo(int32_t type, int32_t direction, int32_t index, Vst3::BusInfo& bus) override;
    Vst3::tresult VST3_CALL getRoutingInfo(Vst3::RoutingInfo& in, Vst3::RoutingInfo& out) override;
    Vst3::tresult VST3_CALL activateBus(int32_t type, int32_t direction, int32_t index, Vst3::TBool state) override;
    Vst3::tresult VST3_CALL setActive(Vst3::TBool state) override;
    Vst3::tresult VST3_CALL setState(Vst3::IBStream* state) override;
    Vst3::tresult VST3_CALL getState(Vst3::IBStream* state) override;

    // IAudioProcessor
    Vst3::tresult VST3_CALL setBusArrangements(Vst3::SpeakerArrangement* inputs, int32_t inputCount,
                                               Vst3::SpeakerArrangement* outputs, int32_t outputCount) override;
    Vst3::tresult VST3_CALL getBusArrangement(int32_t direction, int32_t index,
                                              Vst3::SpeakerArrangement& arrangement) override;
    Vst3::tresult VST3_CALL canProcessSampleSize(int32_t size) override;
    uint32_t VST3_CALL getLatencySamples() override;
    Vst3::tresult VST3_CALL setupProcessing(Vst3::ProcessSetup& setup) override;
    Vst3::tresult VST3_CALL setProcessing(Vst3::TBool state) override;
    Vst3::tresult VST3_CALL process(Vst3::ProcessData& data) override;
    uint32_t VST3_CALL getTailSamples() override;

    // IProcessContextRequirements: the effect reads no field of the process context.
    uint32_t VST3_CALL getProcessContextRequirements() override { return 0; }

    // For the controller and the view.
    CPluginCore& GetCore() { return m_core; }
    // Applies a normalised value by parameter id; true when the id is known and the value taken.
    bool ApplyNormalized(Vst3::ParamID id, double normalised);
    double GetNormalized(Vst3::ParamID id) const;
    int ProgramOf(double normalised) const;
    double NormalizedOfProgram(int program) const;
    void SetComponentHandler(Vst3::IComponentHandler* handler);
    // The editor view, while one exists; nullptr where this build has no editor.
    Vst3::IPlugView* CreateView();
    void OnViewDestroyed(CVst3View* view);
    // While the view runs on the host's run loop, gestures made on any other thread than the
    // calling (UI) thread wait for DeliverGestures there instead of calling the host directly.
    void RelayGesturesToThisThread() { m_relay.RelayToThisThread(); }
    // Hands the waiting gestures to the host; on the UI thread.
    void DeliverGestures() { m_relay.DeliverWaiting(); }
    // Delivers what waits and calls the host directly again.
    void StopRelayingGestures() { m_relay.Stop(); }
    // Tells the host, when a program or preset changed the values since the last call; on the UI
    // thread, outside any call of the host's.
    void DeliverValuesChanged();

private:
    ~CVst3Plugin();

    // What the core and the editor report, in VST 3 terms: the editor's gestures reach the host
    // as beginEdit, performEdit for every change, endEdit.
    void OnParameterAutomated(int index, float normalised) override;
    void OnBeginEdit(int index) override;
    void OnEndEdit(int index) override;
    void OnParameterChanged() override {}
    void OnValuesReplaced() override { m_valuesChanged.store(true, std::memory_order_release); }

    // Most blocks carry no changes: only their count is asked for then, without the list's frame.
    void ApplyParameterChanges(Vst3::IParameterChanges* changes)
    {
        if (const int32_t count = changes ? changes->getParameterCount() : 0; count > 0)
            ApplyParameterList(changes, count);
    }
    void ApplyParameterList(Vst3::IParameterChanges* changes, int32_t count);
    // One block through the core, or past it when the input has been silent longer than the
    // effect rings; the outputs' silence flags either way. In line in process, its one caller.
    [[gnu::always_inline]] inline uint64_t ProcessMain(float** inputs, uint64_t inputSilence, float** outputs, int frames);
    // A gesture the relay delivers, as the component handler's call.
    void Send(const CGestureOutbox::SGesture& gesture) override;

    std::atomic<uint32_t> m_references{1};
    CPluginCore m_core;
    CVst3Controller m_controller;
    std::unique_ptr<CPluginEditor> m_editor;
    CEditorContext m_editorContext;
    CVst3View* m_view = nullptr;
    Vst3::IComponentHandler* m_handler = nullptr;
    CGestureRelay m_relay{*this};
    std::atomic<bool> m_valuesChanged{false};
    CVst3UiTimer m_uiTimer{[](void* self) { static_cast<CVst3Plugin*>(self)->DeliverValuesChanged(); }, this};
    CSilentInput m_silentInput;
    uint64_t m_inputMask = 0; // a silence flag per input channel, up to 64
    // Silent input for blocks a host sends without its input bus (deactivated, or no buffers),
    // sized by setupProcessing so that process never allocates.
    std::vector<float> m_silence;
    std::vector<float*> m_silentInputs; // one pointer per input channel, all to m_silence
};

// Builds an instance around the effect (taking ownership of it and of the editor window object
// whatever happens) with one reference for the caller; nullptr when there is no effect.
CVst3Plugin* CreateVst3Plugin(std::unique_ptr<CEffect> effect, std::unique_ptr<CPluginEditor> editor,
                              double refreshRate);
