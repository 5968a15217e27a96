#pragma once
class CPluginEditor;

// The editor-window object handed to the adapter, or nullptr where the plug-in has no editor.
CPluginEditor* CreatePluginEditor();
