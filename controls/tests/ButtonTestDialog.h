#pragma once
#include "Dialog.h"
#include "GroupFrame.h"
#include "ParameterButton.h"
#include "PixelCapture.h"
#include "PresetButton.h"
#include "StaticText.h"

// Hosts one of each of the button tests' controls over a panel that is not uniform, so that a
// control showing its parent's pixels shows which ones.
class CButtonTestDialog : public win::CDialog
{
public:
    explicit CButtonTestDialog(CParameterControlListener* listener = nullptr);
    CParameterButton toggle;
    CParameterButton picture;
    CPresetButton presets;
    CStaticText label;
    CGroupFrame centreFrame;
    CGroupFrame leftFrame;
    CGroupFrame rightFrame;
    CGroupFrame plainFrame;

    // The panel's pixels under a child window, as the dialog paints them.
    testing_support::SImage BackgroundUnder(HWND child) const;
    // Paints the stereo chorus editor's background from (x, y) of its bitmap instead of the test
    // panel.
    void UseEditorPanel(int x, int y)
    {
        m_editorPanel = true;
        m_editorOrigin = POINT{x, y};
    }

protected:
    void DoDataExchange() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool m_editorPanel = false;
    POINT m_editorOrigin{};
};

// The panel behind the controls.
void PaintTestPanel(HDC dc, const RECT& client);

// The stereo chorus editor's look: the bypass switch (the presets switch is the same over the
// default background), the waveform picture button, the labels, the group frames and the list.
const COLORREF kSkinPanel = 0x000080;
const COLORREF kSkinText = 0x00CFFF;
const COLORREF kSkinRed = 0x0000FF;
void ApplySwitchSkin(CParameterButton& button, bool keepBackground = false);
void ApplyWaveformSkin(CParameterButton& button);
void ApplyLabelSkin(CStaticText& label);
void ApplyFrameSkin(CGroupFrame& frame);
// Fills the list with headings and presets in the skin's colours and Verdana.
void FillPresetList(CPresetListBox& list, HFONT font);
win::CFont CreateListFont();

// The waveform faces: sine lit, triangle lit, pressed.
const int kSineFace = 204;
const int kTriangleFace = 203;
const int kPressedFace = 205;
// The editor's background bitmap.
const int kEditorBackground = 1012;
