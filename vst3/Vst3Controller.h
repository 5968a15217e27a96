#pragma once
#include "Vst3Interface.h"

class CVst3Plugin;

// The edit controller and unit info of a CVst3Plugin: a part of that object, sharing its
// reference count and answering its queries. It describes the core's parameters (and the
// program change parameter) and lists the programs by name as one program list of the root unit.
class CVst3Controller final : public Vst3::IEditController, public Vst3::IUnitInfo
{
public:
    explicit CVst3Controller(CVst3Plugin& owner) : m_owner(owner) {}
    CVst3Controller(const CVst3Controller&) = delete;
    CVst3Controller& operator=(const CVst3Controller&) = delete;

    Vst3::tresult VST3_CALL queryInterface(const Vst3::TUID iid, void** object) override;
    uint32_t VST3_CALL addRef() override;
    uint32_t VST3_CALL release() override;

    // IPluginBase
    Vst3::tresult VST3_CALL initialize(Vst3::FUnknown*) override { return Vst3::kResultOk; }
    Vst3::tresult VST3_CALL terminate() override;

    // IEditController
    Vst3::tresult VST3_CALL setComponentState(Vst3::IBStream* state) override;
    Vst3::tresult VST3_CALL setState(Vst3::IBStream* state) override;
    Vst3::tresult VST3_CALL getState(Vst3::IBStream* state) override;
    int32_t VST3_CALL getParameterCount() override;
    Vst3::tresult VST3_CALL getParameterInfo(int32_t index, Vst3::ParameterInfo& info) override;
    Vst3::tresult VST3_CALL getParamStringByValue(Vst3::ParamID id, Vst3::ParamValue normalised,
                                                  Vst3::String128 text) override;
    Vst3::tresult VST3_CALL getParamValueByString(Vst3::ParamID id, Vst3::Char16* text,
                                                  Vst3::ParamValue& normalised) override;
    Vst3::ParamValue VST3_CALL normalizedParamToPlain(Vst3::ParamID id, Vst3::ParamValue normalised) override;
    Vst3::ParamValue VST3_CALL plainParamToNormalized(Vst3::ParamID id, Vst3::ParamValue plain) override;
    Vst3::ParamValue VST3_CALL getParamNormalized(Vst3::ParamID id) override;
    Vst3::tresult VST3_CALL setParamNormalized(Vst3::ParamID id, Vst3::ParamValue normalised) override;
    Vst3::tresult VST3_CALL setComponentHandler(Vst3::IComponentHandler* handler) override;
    Vst3::IPlugView* VST3_CALL createView(Vst3::FIDString name) override;

    // IUnitInfo
    int32_t VST3_CALL getUnitCount() override { return 1; }
    Vst3::tresult VST3_CALL getUnitInfo(int32_t index, Vst3::UnitInfo& info) override;
    int32_t VST3_CALL getProgramListCount() override { return 1; }
    Vst3::tresult VST3_CALL getProgramListInfo(int32_t index, Vst3::ProgramListInfo& info) override;
    Vst3::tresult VST3_CALL getProgramName(int32_t listId, int32_t program, Vst3::String128 name) override;
    Vst3::tresult VST3_CALL getProgramInfo(int32_t, int32_t, const char*, Vst3::String128) override
    {
        return Vst3::kResultFalse;
    }
    Vst3::tresult VST3_CALL hasProgramPitchNames(int32_t, int32_t) override { return Vst3::kResultFalse; }
    Vst3::tresult VST3_CALL getProgramPitchName(int32_t, int32_t, int16_t, Vst3::String128) override
    {
        return Vst3::kResultFalse;
    }
    int32_t VST3_CALL getSelectedUnit() override { return Vst3::kRootUnitId; }
    Vst3::tresult VST3_CALL selectUnit(int32_t id) override;
    Vst3::tresult VST3_CALL getUnitByBus(int32_t type, int32_t direction, int32_t bus, int32_t channel,
                                         int32_t& unit) override;
    Vst3::tresult VST3_CALL setUnitProgramData(int32_t, int32_t, Vst3::IBStream*) override
    {
        return Vst3::kNotImplemented;
    }

private:
    // -1 for an id that is neither a parameter nor the program change parameter.
    int IndexOf(Vst3::ParamID id) const;

    CVst3Plugin& m_owner;
};
