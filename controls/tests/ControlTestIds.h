#pragma once
// Resource ids of the control tests and the gallery.
#define IDD_SLIDERS 100
#define IDC_VERTICAL 1001
#define IDC_HORIZONTAL 1002

#define IDD_GALLERY 101
#define IDC_GALLERY_FIRST 1101
#define GALLERY_SLIDERS 9
