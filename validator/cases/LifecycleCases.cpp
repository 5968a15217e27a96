// The order of calls: what hosts do first, twice, or never.
#include "ValidatorCase.h"

VALIDATOR_CASE("lifecycle", "open twice", OpenTwice)
{
    CPluginInstance& plugin = context.Create();
    if (!context.Expect(plugin.IsValid(), "the entry point returned no effect"))
        return;
    plugin.Dispatch(effOpen);
    plugin.Dispatch(effOpen);
    plugin.Start();
    CChannelBuffers in(plugin.Effect()->numInputs, 512, 0.25f);
    CChannelBuffers out(plugin.Effect()->numOutputs, 512);
    plugin.ProcessReplacing(in.Pointers(), out.Pointers(), 512);
    context.Expect(out.AllFinite(), "output is not finite after a second effOpen");
}
