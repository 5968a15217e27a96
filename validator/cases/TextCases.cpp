// Every text the plug-in writes into a host's buffer, fenced by canary bytes: nothing past the
// lengths plug-ins promise, and a terminator within them. Hosts size their buffers by these.
#include "CaseSupport.h"
#include <cfloat>
#include <string>
#include <vector>

namespace {

constexpr int kNameBytes = 24;        // parameter names and labels, vendor and product strings
constexpr int kProgramNameBytes = 32; // program names and the effect name
constexpr int kDisplayBytes = 9;      // parameter display texts

// Probes name, label and display of every parameter in the state the plug-in is in.
int ProbeParameterTexts(CCaseContext& context, CPluginInstance& plugin, const std::string& state)
{
    int probed = 0;
    for (int p = 0; p < plugin.ParameterCount(); ++p) {
        const std::string what = "parameter " + std::to_string(p) + " " + state + ": the ";
        ProbeText(context, plugin, effGetParamName, p, kNameBytes, what + "name");
        ProbeText(context, plugin, effGetParamLabel, p, kNameBytes, what + "label");
        ProbeText(context, plugin, effGetParamDisplay, p, kDisplayBytes, what + "display text");
        probed += 3;
    }
    return probed;
}

} // namespace

VALIDATOR_CASE("text", "identity strings", IdentityTexts)
{
    CPluginInstance* plugin = StartInstance(context);
    if (!plugin)
        return;
    std::string name, vendor, product;
    ProbeText(context, *plugin, effGetEffectName, 0, kProgramNameBytes, "the effect name", &name);
    ProbeText(context, *plugin, effGetVendorString, 0, kNameBytes, "the vendor string", &vendor);
    ProbeText(context, *plugin, effGetProductString, 0, kNameBytes, "the product string", &product);
    context.Note("\"" + name + "\" by \"" + vendor + "\"");
}

VALIDATOR_CASE("text", "parameter texts at many values", ParameterTexts)
{
    CPluginInstance* plugin = StartInstance(context);
    if (!plugin)
        return;
    int probed = ProbeParameterTexts(context, *plugin, "as created");
    const float values[] = {0.0f, 1.0f, 0.5f, 1e-7f, FLT_MIN, 0.999999f, 0.25f, 0.75f, 0.1f, 0.333333f};
    for (float value : values) {
        for (int p = 0; p < plugin->ParameterCount(); ++p)
            plugin->SetParameter(p, value);
        probed += ProbeParameterTexts(context, *plugin, "at " + Describe(value));
    }
    for (int program = 0; program < plugin->ProgramCount(); ++program) {
        plugin->Dispatch(effSetProgram, 0, program);
        probed += ProbeParameterTexts(context, *plugin, "in program " + std::to_string(program));
    }
    context.Note(std::to_string(probed) + " texts");
}

VALIDATOR_CASE("text", "program names", ProgramNames)
{
    CPluginInstance* plugin = StartInstance(context);
    if (!plugin)
        return;
    for (int program = 0; program < plugin->ProgramCount(); ++program) {
        plugin->Dispatch(effSetProgram, 0, program);
        const std::string which = "program " + std::to_string(program);
        ProbeText(context, *plugin, effGetProgramName, 0, kProgramNameBytes, which + ": its name");
        for (int indexed = 0; indexed < plugin->ProgramCount(); ++indexed)
            ProbeText(context, *plugin, effGetProgramNameIndexed, indexed, kProgramNameBytes,
                      which + ": the indexed name of program " + std::to_string(indexed));
    }
}

VALIDATOR_CASE("text", "program names set too long", LongProgramNames)
{
    CPluginInstance* plugin = StartInstance(context);
    if (!plugin)
        return;
    // Hosts pass whatever the user typed; the plug-in cuts it, it does not overflow with it.
    for (size_t length : {31u, 32u, 40u, 300u, 5000u}) {
        std::string name;
        for (size_t i = 0; i < length; ++i)
            name += static_cast<char>('a' + i % 26);
        plugin->Dispatch(effSetProgramName, 0, 0, &name[0]);
        const std::string which = "after a name of " + std::to_string(length) + " characters: ";
        ProbeText(context, *plugin, effGetProgramName, 0, kProgramNameBytes, which + "the program name");
        const VstInt32 current = static_cast<VstInt32>(plugin->Dispatch(effGetProgram));
        ProbeText(context, *plugin, effGetProgramNameIndexed, current, kProgramNameBytes,
                  which + "the indexed program name");
    }
}
