#pragma once
#include "EditorScale.h"

// The editor's size as its user chose it, kept for every instance of the chorus in one small
// settings file of the user's (see CSettingsFile::UserPath), under the key "editor-size".
CEditorScale StereoChorusEditorScale();
