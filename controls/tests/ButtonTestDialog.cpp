#include "ButtonTestDialog.h"
#include "ButtonTestIds.h"
#include "FramePainting.h"
#include "ResourceModule.h"

CButtonTestDialog::CButtonTestDialog(CParameterControlListener* listener)
    : toggle(listener, 0, IDC_SWITCH), picture(listener, 8, IDC_PICTURE), presets(listener, 9, IDC_PRESETS)
{
}

void CButtonTestDialog::DoDataExchange()
{
    BindControl(IDC_SWITCH, toggle);
    BindControl(IDC_PICTURE, picture);
    BindControl(IDC_PRESETS, presets);
    BindControl(IDC_LABEL, label);
    BindControl(IDC_FRAME_CENTRE, centreFrame);
    BindControl(IDC_FRAME_LEFT, leftFrame);
    BindControl(IDC_FRAME_RIGHT, rightFrame);
    BindControl(IDC_FRAME_PLAIN, plainFrame);
}

void PaintTestPanel(HDC dc, const RECT& client)
{
    FillDiagonalGradient(0x004000, client, dc, 0x0000C0);
}

LRESULT CButtonTestDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_ERASEBKGND)
        return CDialog::WindowProc(message, wParam, lParam);
    const HDC dc = reinterpret_cast<HDC>(wParam);
    const RECT client = GetClientRect();
    if (!m_editorPanel)
    {
        PaintTestPanel(dc, client);
        return 1;
    }
    FillSolid(dc, 0, 0, client.right, client.bottom, kSkinPanel);
    const win::CBitmap bitmap = win::LoadBitmapResource(kEditorBackground);
    win::CMemoryDC memory(dc);
    win::CSelection select(memory.Get(), bitmap.Get());
    if (bitmap)
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), m_editorOrigin.x, m_editorOrigin.y, SRCCOPY);
    return 1;
}

testing_support::SImage CButtonTestDialog::BackgroundUnder(HWND child) const
{
    const RECT client = GetClientRect();
    win::COffscreenBuffer panel;
    panel.Create(nullptr, client.right, client.bottom);
    PaintTestPanel(panel.Dc(), client);
    RECT area{};
    GetWindowRect(child, &area);
    MapWindowPoints(HWND_DESKTOP, GetHwnd(), reinterpret_cast<POINT*>(&area), 2);
    return testing_support::CaptureDc(panel.Dc(), area.left, area.top, area.right - area.left,
                                      area.bottom - area.top);
}

void ApplySwitchSkin(CParameterButton& button, bool keepBackground)
{
    if (!keepBackground)
        button.SetBackgroundColours(SFrameColours{kSkinPanel, kSkinPanel, kSkinPanel, kSkinPanel});
    button.SetOffColours(SFrameColours{0x000033, 0x000099, 0x0000FF, 0x000000});
    button.SetOnColours(SFrameColours{0x000099, 0x000033, 0x000000, 0x0000FF});
    button.SetTextColours(kSkinRed, kSkinText);
    button.SetDiagonal(true);
    button.SetBackdropAxis(EGradientAxis::Vertical);
    button.RebuildBackground();
    button.RebuildFaces();
}

void ApplyWaveformSkin(CParameterButton& button)
{
    button.SetPictureMode(EPictureMode::OnBackdrop);
    button.SetFaceBitmaps(kSineFace, kPressedFace, kTriangleFace, kPressedFace);
    button.EnablePictures(true);
    button.SetPictureTransparency(true, kSkinPanel);
    button.SetBackgroundColours(SFrameColours{kSkinPanel, kSkinPanel, kSkinPanel, kSkinPanel});
    const SFrameColours face{0x000033, 0x000099, 0x0000FF, 0x000000};
    button.SetOffColours(face);
    button.SetOnColours(face);
    button.SetDiagonal(true);
    button.SetBackdropAxis(EGradientAxis::Vertical);
    button.RebuildBackground();
    button.RebuildFaces();
}

void ApplyLabelSkin(CStaticText& label)
{
    label.SetTextColour(kSkinText);
    label.SetPanelColours(SFrameColours{kSkinPanel, kSkinPanel, kSkinPanel, kSkinPanel});
    label.RebuildPanel();
}

void ApplyFrameSkin(CGroupFrame& frame)
{
    frame.SetLineColours(0x000011, 0x0000DD);
    frame.SetTextColour(kSkinText);
}

win::CFont CreateListFont()
{
    return win::CFont(CreateFontA(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Verdana"));
}

void FillPresetList(CPresetListBox& list, HFONT font)
{
    list.SetItemTextColours(kSkinRed, kSkinText);
    list.SetColours(kSkinPanel);
    list.SetSelectionColour(0x0000AA);
    list.SetFont(font);
    list.Clear();
    const CPresetListItem heading{true, kSkinText, kSkinText};
    list.AddItem("Factory Presets", heading);
    for (const char* name : {"Clean Chorus", "Drive Chorus", "Crazy Voice", "Normalized", "De-pitch", "Short Delay",
                             "Oscillator", "Vibrato", "Gargle", "Mono Chorus"})
        list.AddItem(name);
    list.AddItem("Extra", heading);
    list.AddItem("Random");
}
