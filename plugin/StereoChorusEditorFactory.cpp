#include "PluginEditorFactory.h"
#include "StereoChorusEditor.h"

// The Windows builds open the skinned editor in the host's window.
CPluginEditor* CreatePluginEditor() { return new CStereoChorusEditor; }
