#pragma once
// Resource ids of the editor tests.
#define IDD_BACKGROUND 100
#define IDD_SKINNED 101
#define IDB_PATTERN 110
#define IDB_PANEL 111
#define IDC_SLIDER_FIRST 1001
#define SKINNED_SLIDERS 4
#define IDD_PLUGIN 102
#define IDC_LABEL 1010
