#include "PluginEditorFactory.h"
#include "StereoChorusX11Editor.h"

// The Linux builds open the skinned editor in the host's X11 window.
CPluginEditor* CreatePluginEditor() { return new CStereoChorusX11Editor; }
