#include "PluginEditorFactory.h"

// This build of the plug-in has no editor window: hosts show their generic parameter view.
CPluginEditor* CreatePluginEditor() { return nullptr; }
