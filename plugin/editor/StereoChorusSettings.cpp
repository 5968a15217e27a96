#include "StereoChorusSettings.h"

CEditorScale StereoChorusEditorScale()
{
    return CEditorScale(CSettingsFile(CSettingsFile::UserPath("OrvaneMusic", "StereoChorus.conf")), "editor-size");
}
