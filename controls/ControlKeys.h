#pragma once
#include "EditorKey.h"
#include <windows.h>

// What the Windows controls share about the keyboard and the wheel, and the two messages through
// which their dialog hands them what a host forwards and what the wheel does under the pointer.
namespace control_keys {

// wParam: the EEditorKey, lParam: its modifiers. Answers 1 when the control acted on the key.
constexpr UINT kForwardedKey = WM_APP + 0x210;
// wParam: +1 a notch away from the user, -1 toward; lParam: 1 for a fine step. Answers 1 when the
// control took it; a control that does not know the message answers 0.
constexpr UINT kWheelNotch = WM_APP + 0x211;

// The editor key of a WM_KEYDOWN, with the Shift and Control keys as the thread sees them now.
SEditorKey FromKeyDown(WPARAM virtualKey);
// What every control does alike: the wheel goes to the dialog, which finds the fader under the
// pointer; a change of focus repaints, for the mark. True when the message is done with.
bool OnCommonInput(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Tab and Shift+Tab: the dialog moves the focus (WM_NEXTDLGCTL, as the dialog manager asks it).
void MoveFocus(HWND control, bool backward);
// The focus mark shows once the keyboard is used, as Windows shows its focus cues; the dialog keeps
// that state (WM_CHANGEUISTATE, WM_QUERYUISTATE).
void ShowFocusCues(HWND control);
bool ShowsFocusMark(HWND control);
// Draws the mark inside `rect` of the control's device context, its lines `line` pixels wide.
void PaintFocusMark(HDC dc, const RECT& rect, COLORREF colour, int line);

} // namespace control_keys
