// Resource ids of the stereo chorus editor. Bitmap ids and control ids live in separate
// namespaces, so IDB_BACKGROUND and IDC_BYPASS_BUTTON may share 1012.
#ifndef STEREO_CHORUS_RESOURCE_H
#define STEREO_CHORUS_RESOURCE_H

// Dialog template of the editor window.
#define IDD_STEREO_CHORUS       200

// Bitmaps.
#define IDB_BACKGROUND          1012  // 400 x 165 panel behind the whole editor
#define IDB_WAVE_TRIANGLE       203   // waveform button face: triangle lit (waveform 1)
#define IDB_WAVE_SINE           204   // waveform button face: sine lit (waveform 0)
#define IDB_WAVE_PRESSED        205   // waveform button face while held down
#define WAVE_FACE_BACKDROP      0x000080  // COLORREF left out when the faces are drawn
// The same pictures drawn natively at 2x and 3x: a 1x id plus these offsets.
#define IDB_OFFSET_2X           10000
#define IDB_OFFSET_3X           20000
#define IDB_BACKGROUND_2X       11012
#define IDB_BACKGROUND_3X       21012
#define IDB_WAVE_TRIANGLE_2X    10203
#define IDB_WAVE_TRIANGLE_3X    20203
#define IDB_WAVE_SINE_2X        10204
#define IDB_WAVE_SINE_3X        20204
#define IDB_WAVE_PRESSED_2X     10205
#define IDB_WAVE_PRESSED_3X     20205

// Controls of IDD_STEREO_CHORUS.
#define IDC_RATE_SLIDER         1000
#define IDC_STEREO_SLIDER       1001
#define IDC_GAIN_SLIDER         1004
#define IDC_DEPTH_SLIDER        1006
#define IDC_DELAY_SLIDER        1007
#define IDC_WET_SLIDER          1008
#define IDC_DRY_SLIDER          1009
#define IDC_BYPASS_BUTTON       1012
#define IDC_PRESETS_BUTTON      1013
#define IDC_GAIN_FRAME          1021
#define IDC_MODULATION_FRAME    1022
#define IDC_DRY_WET_FRAME       1025
#define IDC_RATE_LABEL          1027
#define IDC_DELAY_LABEL         1028
#define IDC_DEPTH_LABEL         1029
#define IDC_WAVEFORM_BUTTON     1030
#define IDC_STEREO_LABEL        1031

#endif
