#include "Vst3Controller.h"
#include "Vst3Plugin.h"
#include "Vst3Text.h"
#include <algorithm>
#include <cmath>
#include <cstring>

using namespace Vst3;

tresult CVst3Controller::queryInterface(const TUID iid, void** object)
{
    return m_owner.queryInterface(iid, object);
}

uint32_t CVst3Controller::addRef() { return m_owner.addRef(); }

uint32_t CVst3Controller::release() { return m_owner.release(); }

tresult CVst3Controller::terminate()
{
    m_owner.SetComponentHandler(nullptr);
    return kResultOk;
}

// The controller and the component are one object over one core: the component's state is
// already the controller's, so setComponentState checks and applies the same stream again
// (which changes nothing) and the controller keeps no state of its own.
tresult CVst3Controller::setComponentState(IBStream* state) { return m_owner.setState(state); }

tresult CVst3Controller::setState(IBStream* state) { return state ? kResultOk : kInvalidArgument; }

tresult CVst3Controller::getState(IBStream* state) { return state ? kResultOk : kInvalidArgument; }

int CVst3Controller::IndexOf(ParamID id) const
{
    CPluginCore& core = m_owner.GetCore();
    if (id == CVst3Plugin::kProgramChangeId)
        return core.GetParameterCount();
    return id < static_cast<ParamID>(core.GetParameterCount()) ? static_cast<int>(id) : -1;
}

int32_t CVst3Controller::getParameterCount() { return m_owner.GetCore().GetParameterCount() + 1; }

tresult CVst3Controller::getParameterInfo(int32_t index, ParameterInfo& info)
{
    CPluginCore& core = m_owner.GetCore();
    if (index < 0 || index > core.GetParameterCount())
        return kInvalidArgument;
    std::memset(&info, 0, sizeof info);
    info.unitId = kRootUnitId;
    if (index == core.GetParameterCount()) {
        info.id = CVst3Plugin::kProgramChangeId;
        Vst3Text::ToString128("Program", info.title);
        Vst3Text::ToString128("Program", info.shortTitle);
        info.stepCount = core.GetProgramCount() - 1;
        info.defaultNormalizedValue = 0.0;
        info.flags = ParameterInfo::kCanAutomate | ParameterInfo::kIsList | ParameterInfo::kIsProgramChange;
        return kResultOk;
    }
    const CParameterInfo* descriptor = core.GetParameterInfo(index);
    char text[64] = {};
    info.id = static_cast<ParamID>(index);
    core.GetParameterName(index, text);
    Vst3Text::ToString128(text, info.title);
    Vst3Text::ToString128(text, info.shortTitle);
    core.GetParameterLabel(index, text);
    Vst3Text::ToString128(text, info.units);
    if (index == 0) {
        info.stepCount = 1;
        info.defaultNormalizedValue = 0.0;
        info.flags = ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass;
        return kResultOk;
    }
    const bool stepped = descriptor && descriptor->GetKind() != CParameterInfo::kContinuous;
    if (stepped) {
        const float span = std::fabs(descriptor->GetMax() - descriptor->GetMin());
        info.stepCount = span >= 1.0f && span < 1e6f ? static_cast<int32_t>(std::lround(span)) : 0;
    }
    info.defaultNormalizedValue = descriptor ? core.ToNormalized(index, descriptor->GetDefault()) : 0.0;
    if (core.IsOutputParameter(index))
        info.flags = ParameterInfo::kIsReadOnly;
    else
        info.flags = ParameterInfo::kCanAutomate |
                     (descriptor && descriptor->GetKind() == CParameterInfo::kChoice ? ParameterInfo::kIsList : 0);
    return kResultOk;
}

tresult CVst3Controller::getParamStringByValue(ParamID id, ParamValue normalised, String128 text)
{
    const int index = IndexOf(id);
    if (index < 0 || !text || !std::isfinite(normalised))
        return kInvalidArgument;
    CPluginCore& core = m_owner.GetCore();
    char display[64] = {};
    if (index == core.GetParameterCount())
        core.GetProgramNameAt(m_owner.ProgramOf(normalised), display);
    else
        core.FormatRoundedParameter(index, static_cast<float>(normalised), display);
    Vst3Text::ToString128(display, text);
    return kResultOk;
}

tresult CVst3Controller::getParamValueByString(ParamID id, Char16* text, ParamValue& normalised)
{
    const int index = IndexOf(id);
    if (index < 0 || !text)
        return kInvalidArgument;
    CPluginCore& core = m_owner.GetCore();
    char parsed[130] = {};
    Vst3Text::FromString128(text, parsed, sizeof parsed);
    if (index == core.GetParameterCount()) {
        // A program by its name.
        for (int p = 0; p < core.GetProgramCount(); ++p) {
            char name[64] = {};
            core.GetProgramNameAt(p, name);
            if (std::strcmp(name, parsed) == 0) {
                normalised = m_owner.NormalizedOfProgram(p);
                return kResultOk;
            }
        }
        return kResultFalse;
    }
    float value = 0.0f;
    if (!core.ParseParameter(index, parsed, value))
        return kResultFalse;
    normalised = std::clamp(static_cast<double>(value), 0.0, 1.0); // a text beyond the range reads as its end
    return kResultOk;
}

ParamValue CVst3Controller::normalizedParamToPlain(ParamID id, ParamValue normalised)
{
    const int index = IndexOf(id);
    CPluginCore& core = m_owner.GetCore();
    if (index < 0)
        return 0.0;
    if (index == core.GetParameterCount())
        return m_owner.ProgramOf(normalised);
    return core.ToReal(index, static_cast<float>(normalised));
}

ParamValue CVst3Controller::plainParamToNormalized(ParamID id, ParamValue plain)
{
    const int index = IndexOf(id);
    CPluginCore& core = m_owner.GetCore();
    if (index < 0)
        return 0.0;
    if (index == core.GetParameterCount()) {
        const double steps = core.GetProgramCount() - 1;
        return steps > 0 && plain > 0.0 ? std::min(plain / steps, 1.0) : 0.0; // NaN gives program 0
    }
    return core.ToNormalized(index, static_cast<float>(plain));
}

ParamValue CVst3Controller::getParamNormalized(ParamID id) { return m_owner.GetNormalized(id); }

tresult CVst3Controller::setParamNormalized(ParamID id, ParamValue normalised)
{
    if (IndexOf(id) < 0)
        return kInvalidArgument;
    // A host changing the program through this call rereads the values itself; calling back into
    // it from here (restartComponent) deadlocks hosts that hold their locks around the call.
    return m_owner.ApplyNormalized(id, normalised) ? kResultOk : kResultFalse;
}

tresult CVst3Controller::setComponentHandler(IComponentHandler* handler)
{
    m_owner.SetComponentHandler(handler);
    return kResultOk;
}

IPlugView* CVst3Controller::createView(FIDString name)
{
    if (!name || std::strcmp(name, "editor") != 0)
        return nullptr;
    return m_owner.CreateView();
}

tresult CVst3Controller::getUnitInfo(int32_t index, UnitInfo& info)
{
    if (index != 0)
        return kInvalidArgument;
    info.id = kRootUnitId;
    info.parentUnitId = kNoParentUnitId;
    Vst3Text::ToString128("Root", info.name);
    info.programListId = CVst3Plugin::kProgramListId;
    return kResultOk;
}

tresult CVst3Controller::getProgramListInfo(int32_t index, ProgramListInfo& info)
{
    if (index != 0)
        return kInvalidArgument;
    info.id = CVst3Plugin::kProgramListId;
    Vst3Text::ToString128("Programs", info.name);
    info.programCount = m_owner.GetCore().GetProgramCount();
    return kResultOk;
}

tresult CVst3Controller::getProgramName(int32_t listId, int32_t program, String128 name)
{
    CPluginCore& core = m_owner.GetCore();
    if (listId != CVst3Plugin::kProgramListId || program < 0 || program >= core.GetProgramCount() || !name)
        return kInvalidArgument;
    char text[64] = {};
    core.GetProgramNameAt(program, text);
    Vst3Text::ToString128(text, name);
    return kResultOk;
}

tresult CVst3Controller::selectUnit(int32_t id) { return id == kRootUnitId ? kResultOk : kInvalidArgument; }

tresult CVst3Controller::getUnitByBus(int32_t type, int32_t, int32_t bus, int32_t, int32_t& unit)
{
    if (type != kAudio || bus != 0)
        return kResultFalse;
    unit = kRootUnitId;
    return kResultOk;
}
