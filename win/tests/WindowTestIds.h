#pragma once
// Resource ids of the layer's tests.
#define IDD_REFLECTION 100
#define IDC_OWNERDRAW 10
#define IDC_TRACKBAR 11
#define IDC_LABEL 12
#define IDC_PUSH 13

#define IDD_PROBE 300
#define IDB_PROBE 301
