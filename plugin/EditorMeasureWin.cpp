#include "EditorMeasure.h"
#include "PluginEditor.h"
#include <windows.h>

bool MeasureEditorWindow(CPluginEditor& editor, int& width, int& height)
{
    width = height = 0;
    // A popup that is never shown: the dialog is created, measured and destroyed inside it.
    HWND parent = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!parent)
        return false;
    if (editor.Open(parent))
        editor.GetSize(width, height);
    editor.Close();
    DestroyWindow(parent);
    return width > 0 && height > 0;
}
