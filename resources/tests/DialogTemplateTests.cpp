// The editor's dialog template as compiled into the binary: every field the window is built from.
#include "ResourceReader.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cwchar>

namespace {

constexpr uint32_t kChildVisible = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kSlider = kChildVisible | WS_TABSTOP | TBS_VERT | TBS_BOTH | TBS_AUTOTICKS | TBS_TOOLTIPS;
constexpr uint32_t kToggle = kChildVisible | BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP;
constexpr uint32_t kLabel = kChildVisible | SS_CENTER | WS_GROUP;

struct ExpectedItem {
  uint32_t id;
  const wchar_t* windowClass;
  const wchar_t* caption;
  int16_t x, y, cx, cy;
  uint32_t style;
  uint32_t exStyle;
};

const wchar_t kButton[] = L"Button";
const wchar_t kTrackbar[] = L"msctls_trackbar32";
const wchar_t kStatic[] = L"Static";

// Template order matters: it is the tab order and the painting order of the editor.
const ExpectedItem kItems[] = {
    {1021, kButton, L"Gain", 19, 14, 29, 86, kChildVisible | BS_GROUPBOX, WS_EX_TRANSPARENT},
    {1022, kButton, L"Modulation", 49, 14, 101, 86, kChildVisible | BS_GROUPBOX | BS_CENTER, 0},
    {1007, kTrackbar, L"", 51, 38, 24, 61, kSlider, WS_EX_TRANSPARENT},
    {1025, kButton, L"Dry / Wet", 152, 41, 54, 59, kChildVisible | BS_GROUPBOX | BS_CENTER, 0},
    {1009, kTrackbar, L"", 155, 50, 24, 47, kSlider, WS_EX_TRANSPARENT},
    {1008, kTrackbar, L"", 180, 50, 23, 47, kSlider, WS_EX_TRANSPARENT},
    {1004, kTrackbar, L"", 21, 23, 23, 76, kSlider, 0},
    {1013, kButton, L"Presets", 176, 16, 30, 11, kToggle, 0},
    {1006, kTrackbar, L"", 75, 38, 25, 61, kSlider, WS_EX_TRANSPARENT},
    {1028, kStatic, L"Delay", 52, 29, 20, 8, kLabel, 0},
    {1027, kStatic, L"Rate", 102, 29, 17, 8, kLabel, 0},
    {1000, kTrackbar, L"", 100, 38, 24, 61, kSlider, WS_EX_TRANSPARENT},
    {1029, kStatic, L"Depth", 77, 29, 21, 8, kLabel, 0},
    {1030, kButton, L"", 153, 17, 20, 22, kChildVisible | BS_PUSHBUTTON | WS_TABSTOP, 0},
    {1012, kButton, L"Bypass", 176, 29, 30, 11, kToggle, 0},
    {1031, kStatic, L"Stereo", 122, 29, 23, 8, kLabel, 0},
    {1001, kTrackbar, L"", 124, 38, 23, 61, kSlider, WS_EX_TRANSPARENT},
};
constexpr size_t kItemCount = sizeof(kItems) / sizeof(kItems[0]);

DialogTemplate LoadEditorTemplate() {
  DialogTemplate dialog;
  std::vector<uint8_t> bytes = ReadResource(RT_DIALOG, 200);
  EXPECT_FALSE(bytes.empty()) << "no US English dialog 200";
  EXPECT_TRUE(ParseExtendedDialog(bytes, dialog)) << "dialog 200 is not a complete extended template";
  return dialog;
}

}  // namespace

TEST(DialogTemplate, IsAnExtendedChildTemplateInVerdana8WithNoMenuClassOrCaption) {
  DialogTemplate dialog = LoadEditorTemplate();
  EXPECT_EQ(dialog.version, 1);
  EXPECT_EQ(dialog.signature, 0xFFFF);
  EXPECT_EQ(dialog.style, static_cast<uint32_t>(WS_CHILD | WS_VISIBLE | DS_SETFONT));
  EXPECT_EQ(dialog.exStyle, static_cast<uint32_t>(WS_EX_CONTROLPARENT));
  EXPECT_EQ(dialog.helpId, 0u);
  EXPECT_EQ(dialog.x, 0);
  EXPECT_EQ(dialog.y, 0);
  EXPECT_EQ(dialog.cx, 233);
  EXPECT_EQ(dialog.cy, 107);
  EXPECT_FALSE(dialog.menu.present);
  EXPECT_FALSE(dialog.windowClass.present);
  EXPECT_FALSE(dialog.title.present);
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.weight, 400);
  EXPECT_EQ(dialog.italic, 0);
  EXPECT_EQ(dialog.typeface, L"Verdana");
}

TEST(DialogTemplate, HoldsTheSeventeenControlsInTabOrderWithExactlyTheirStyles) {
  DialogTemplate dialog = LoadEditorTemplate();
  ASSERT_EQ(dialog.items.size(), kItemCount);
  for (size_t i = 0; i < kItemCount; ++i) {
    const ExpectedItem& want = kItems[i];
    const DialogItem& got = dialog.items[i];
    SCOPED_TRACE(testing::Message() << "item " << i << " (id " << want.id << ")");
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(_wcsicmp(ClassNameOf(got.windowClass).c_str(), want.windowClass), 0);
    EXPECT_EQ(got.title.ordinal, 0) << "caption must be text, not a resource ordinal";
    EXPECT_EQ(got.title.text, want.caption);
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.cx, want.cx);
    EXPECT_EQ(got.cy, want.cy);
    EXPECT_EQ(got.style, want.style) << std::hex << "got 0x" << got.style << " want 0x" << want.style;
    EXPECT_EQ(got.exStyle, want.exStyle);
    EXPECT_EQ(got.helpId, 0u);
    EXPECT_EQ(got.extraBytes, 0);
  }
}

TEST(DialogTemplate, ControlIdNamesMatchTheTemplate) {
  const uint32_t named[] = {
      IDC_GAIN_FRAME,    IDC_MODULATION_FRAME, IDC_DELAY_SLIDER,   IDC_DRY_WET_FRAME, IDC_DRY_SLIDER,
      IDC_WET_SLIDER,    IDC_GAIN_SLIDER,      IDC_PRESETS_BUTTON, IDC_DEPTH_SLIDER,  IDC_DELAY_LABEL,
      IDC_RATE_LABEL,    IDC_RATE_SLIDER,      IDC_DEPTH_LABEL,    IDC_WAVEFORM_BUTTON, IDC_BYPASS_BUTTON,
      IDC_STEREO_LABEL,  IDC_STEREO_SLIDER};
  static_assert(sizeof(named) / sizeof(named[0]) == kItemCount, "one name per control");
  for (size_t i = 0; i < kItemCount; ++i) EXPECT_EQ(named[i], kItems[i].id) << "item " << i;
  EXPECT_EQ(IDD_STEREO_CHORUS, 200);
}

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace

TEST(DialogTemplate, DialogManagerBuildsEveryControlAsAChildOfAHostWindow) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&controls));
  HWND host = CreateWindowExW(0, L"Static", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_STEREO_CHORUS), host,
                                   QuietDialogProc, 0);
  ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
  EXPECT_EQ(GetParent(dialog), host);
  EXPECT_TRUE(GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD);

  for (const ExpectedItem& want : kItems) {
    HWND control = GetDlgItem(dialog, static_cast<int>(want.id));
    ASSERT_NE(control, nullptr) << "id " << want.id;
    wchar_t className[64] = {};
    GetClassNameW(control, className, 64);
    EXPECT_EQ(_wcsicmp(className, want.windowClass), 0) << "id " << want.id;
    wchar_t text[64] = {};
    GetWindowTextW(control, text, 64);
    EXPECT_STREQ(text, want.caption) << "id " << want.id;
  }

  // The window measures the template in dialog units of its own font.
  RECT expected{0, 0, 233, 107};
  MapDialogRect(dialog, &expected);
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, expected.right);
  EXPECT_EQ(client.bottom, expected.bottom);

  DestroyWindow(dialog);
  DestroyWindow(host);
}
