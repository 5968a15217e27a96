#include "StereoChorusDescription.h"
#include "PluginEditorFactory.h"
#include "ProductVersion.h"
#include "StereoChorus.h"

namespace {

std::unique_ptr<CEffect> CreateStereoChorus() { return std::make_unique<CStereoChorus>(); }

std::unique_ptr<CPluginEditor> CreateEditor() { return std::unique_ptr<CPluginEditor>(CreatePluginEditor()); }

} // namespace

const SPluginDescription& StereoChorusDescription()
{
    // Output parameters reach the host 20 times a second.
    static const SPluginDescription description{
        "Orvane's Music Software", "http://www.orvane-music.com", kProductVersion, 20.0, CreateStereoChorus, CreateEditor};
    return description;
}
