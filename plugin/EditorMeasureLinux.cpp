#include "EditorMeasure.h"
#include "StereoChorusLayout.h"

// The X11 editor's window always has the template's size, so no window is opened to measure it:
// hosts that ask before they have a display connection of their own get the answer too.
bool MeasureEditorWindow(CPluginEditor&, int& width, int& height)
{
    width = stereo_chorus_layout::DialogWidth();
    height = stereo_chorus_layout::DialogHeight();
    return width > 0 && height > 0;
}
