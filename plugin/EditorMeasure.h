#pragma once
class CPluginEditor;

// The editor window's size, measured by opening it once inside a hidden window of our own:
// VST 3 hosts ask for the size before they create the window the editor will live in.
bool MeasureEditorWindow(CPluginEditor& editor, int& width, int& height);
