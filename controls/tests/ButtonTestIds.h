#pragma once
// Resource ids of the button, label, frame and preset tests.
#define IDD_BUTTONS 110
#define IDC_SWITCH 1201
#define IDC_PICTURE 1202
#define IDC_PRESETS 1203
#define IDC_LABEL 1204
#define IDC_FRAME_CENTRE 1205
#define IDC_FRAME_LEFT 1206
#define IDC_FRAME_RIGHT 1207
#define IDC_FRAME_PLAIN 1208
