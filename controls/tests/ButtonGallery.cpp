// Not a check of numbers but a picture book: paints the toggle buttons, labels, group frames and
// the preset list in their states into gallery/*.png of the build folder, to be looked at. The
// editor sheet puts them on the stereo chorus editor's own template and background.
#include "ButtonTestDialog.h"
#include "ButtonTestIds.h"
#include "ParameterSlider.h"
#include "Gdi.h"
#include "PixelCapture.h"
#include "ResourceModule.h"
#include "TestWindows.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using testing_support::SImage;

namespace {

const COLORREF kSheet = RGB(60, 60, 60);

std::string GalleryFile(const std::string& name)
{
    CreateDirectoryA("gallery", nullptr);
    return "gallery/" + name;
}

void Save(const SImage& image, const std::string& name, int magnification = 3)
{
    ASSERT_TRUE(image.SavePng(GalleryFile(name + ".png")));
    ASSERT_TRUE(image.Magnified(magnification).SavePng(GalleryFile(name + "-x" + std::to_string(magnification) + ".png")));
}

void SkinSlider(CParameterSlider& slider, float minimum, float maximum, int ticks, int positions, float value)
{
    slider.SetValueRange(minimum, maximum);
    slider.SetSteps(ticks, positions);
    slider.SetReversed(true);
    slider.SetThumbColours(SFrameColours{0x0000DD, 0x000011, 0x0000DD, 0x000011});
    slider.SetChannelColours(SFrameColours{0x000011, 0x0000DD, 0x000011, 0x0000DD});
    slider.SetBackgroundColours(SFrameColours{kSkinPanel, kSkinPanel, kSkinPanel, kSkinPanel});
    slider.SetTickColours(0x00000B, kSkinText);
    slider.RebuildBackground();
    slider.RebuildChannel();
    slider.RebuildThumb();
    slider.SetValue(value);
}

// The stereo chorus editor's window, made from its own template over its own background, with
// every control in the skin.
class CEditorMock : public win::CDialog
{
public:
    CParameterSlider gain{nullptr, 1, IDC_GAIN_SLIDER};
    CParameterSlider delay{nullptr, 4, IDC_DELAY_SLIDER};
    CParameterSlider depth{nullptr, 5, IDC_DEPTH_SLIDER};
    CParameterSlider rate{nullptr, 6, IDC_RATE_SLIDER};
    CParameterSlider dry{nullptr, 2, IDC_DRY_SLIDER};
    CParameterSlider wet{nullptr, 3, IDC_WET_SLIDER};
    CParameterSlider stereo{nullptr, 7, IDC_STEREO_SLIDER};
    CParameterButton waveform{nullptr, 8, IDC_WAVEFORM_BUTTON};
    CParameterButton bypass{nullptr, 0, IDC_BYPASS_BUTTON};
    CPresetButton presets{nullptr, 9, IDC_PRESETS_BUTTON};
    CGroupFrame gainFrame, modulationFrame, dryWetFrame;
    CStaticText rateLabel, depthLabel, delayLabel, stereoLabel;
    win::CFont listFont = CreateListFont();

    void Style()
    {
        SkinSlider(gain, -20.0f, 20.0f, 15, 40, 0.0f);
        SkinSlider(delay, 0.0f, 30.0f, 10, 100, 20.0f);
        SkinSlider(depth, 0.0f, 100.0f, 10, 100, 70.0f);
        rate.SetTapers(SquareLawValueTaper, SquareLawPositionTaper);
        SkinSlider(rate, 0.0f, 20.0f, 10, 200, 0.4f);
        SkinSlider(dry, 0.0f, 100.0f, 10, 100, 100.0f);
        SkinSlider(wet, 0.0f, 100.0f, 10, 100, 70.0f);
        SkinSlider(stereo, 0.0f, 100.0f, 10, 100, 100.0f);
        for (CGroupFrame* frame : {&gainFrame, &modulationFrame, &dryWetFrame})
            ApplyFrameSkin(*frame);
        ApplyWaveformSkin(waveform);
        ApplySwitchSkin(bypass);
        ApplySwitchSkin(presets, true);
        for (CStaticText* label : {&rateLabel, &depthLabel, &delayLabel, &stereoLabel})
            ApplyLabelSkin(*label);
        if (presets.EnsurePopup())
            FillPresetList(*presets.GetList(), listFont.Get());
    }

protected:
    void DoDataExchange() override
    {
        BindControl(IDC_GAIN_SLIDER, gain);
        BindControl(IDC_DELAY_SLIDER, delay);
        BindControl(IDC_DEPTH_SLIDER, depth);
        BindControl(IDC_RATE_SLIDER, rate);
        BindControl(IDC_DRY_SLIDER, dry);
        BindControl(IDC_WET_SLIDER, wet);
        BindControl(IDC_BYPASS_BUTTON, bypass);
        BindControl(IDC_GAIN_FRAME, gainFrame);
        BindControl(IDC_MODULATION_FRAME, modulationFrame);
        BindControl(IDC_DRY_WET_FRAME, dryWetFrame);
        BindControl(IDC_RATE_LABEL, rateLabel);
        BindControl(IDC_WAVEFORM_BUTTON, waveform);
        BindControl(IDC_DEPTH_LABEL, depthLabel);
        BindControl(IDC_DELAY_LABEL, delayLabel);
        BindControl(IDC_PRESETS_BUTTON, presets);
        BindControl(IDC_STEREO_SLIDER, stereo);
        BindControl(IDC_STEREO_LABEL, stereoLabel);
    }

    // The skinned dialog's background: black, the bitmap 1:1 four pixels in.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_ERASEBKGND)
            return CDialog::WindowProc(message, wParam, lParam);
        const HDC dc = reinterpret_cast<HDC>(wParam);
        const RECT client = GetClientRect();
        FillSolid(dc, 0, 0, client.right, client.bottom, 0);
        const win::CBitmap bitmap = win::LoadBitmapResource(IDB_BACKGROUND);
        win::CMemoryDC memory(dc);
        win::CSelection select(memory.Get(), bitmap.Get());
        BitBlt(dc, 4, 4, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
        return 1;
    }
};

void PressAndHold(CParameterButton& button)
{
    SendMessageA(button.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    UpdateWindow(button.GetHwnd());
}

// Lets go without a click: the mouse is taken away, so the state stays.
void LetGo(CParameterButton&)
{
    ReleaseCapture();
}

// A whole window, border included.
SImage CaptureWindow(HWND hwnd)
{
    RECT area{};
    GetWindowRect(hwnd, &area);
    HDC dc = GetWindowDC(hwnd);
    SImage picture = testing_support::CaptureDc(dc, 0, 0, area.right - area.left, area.bottom - area.top);
    ReleaseDC(hwnd, dc);
    return picture;
}

// Hides every child of the dialog except the given ones, so that none paints over them.
void HideAllBut(const win::CDialog& dialog, std::initializer_list<HWND> shown)
{
    for (HWND child = GetWindow(dialog.GetHwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (std::find(shown.begin(), shown.end(), child) == shown.end())
            ShowWindow(child, SW_HIDE);
}

SImage Shown(HWND hwnd)
{
    testing_support::RedrawNow(hwnd);
    return testing_support::CaptureClient(hwnd);
}

// Pictures laid out in rows on a grey sheet.
class CSheet
{
public:
    explicit CSheet(int gap = 10) : m_gap(gap) {}
    void Add(const SImage& picture)
    {
        m_row.push_back(picture);
    }
    void NextRow()
    {
        if (!m_row.empty())
            m_rows.push_back(m_row);
        m_row.clear();
    }
    SImage Compose()
    {
        NextRow();
        int width = 0, height = m_gap;
        for (const auto& row : m_rows)
        {
            int rowWidth = m_gap, rowHeight = 0;
            for (const auto& picture : row)
            {
                rowWidth += picture.width + m_gap;
                rowHeight = std::max(rowHeight, picture.height);
            }
            width = std::max(width, rowWidth);
            height += rowHeight + m_gap;
        }
        SImage sheet = SImage::Filled(width, height, kSheet);
        int y = m_gap;
        for (const auto& row : m_rows)
        {
            int x = m_gap, rowHeight = 0;
            for (const auto& picture : row)
            {
                sheet.Paste(picture, x, y);
                x += picture.width + m_gap;
                rowHeight = std::max(rowHeight, picture.height);
            }
            y += rowHeight + m_gap;
        }
        return sheet;
    }

private:
    int m_gap;
    std::vector<SImage> m_row;
    std::vector<std::vector<SImage>> m_rows;
};

} // namespace

TEST(ButtonGallery, TheEditorWithItsButtonsLabelsFramesAndPresetList)
{
    testing_support::CHostWindow host(600, 260, RGB(40, 40, 40));
    CEditorMock editor;
    ASSERT_TRUE(editor.Create(IDD_STEREO_CHORUS, host.Get()));
    editor.Style();
    RECT area{};
    GetWindowRect(editor.GetHwnd(), &area);
    const int width = area.right - area.left, height = area.bottom - area.top;

    const SImage closed = Shown(editor.GetHwnd());
    Save(closed, "editor", 2);

    // Bypass on, triangle waveform, the preset list out with an entry chosen.
    editor.bypass.SetValue(1.0f);
    editor.waveform.SetValue(1.0f);
    SendMessageA(editor.presets.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(editor.presets.GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    const HWND popup = editor.presets.GetPopup().GetHwnd();
    KillTimer(popup, CPresetPopup::kTimerId); // stepped here, not by the clock
    for (int i = 0; i < 5; ++i)
        SendMessageA(popup, WM_TIMER, CPresetPopup::kTimerId, 0);
    SendMessageA(editor.presets.GetList()->GetHwnd(), LB_SETCURSEL, 1, 0);
    const SImage open = Shown(editor.GetHwnd());
    testing_support::RedrawNow(popup);
    const SImage list = CaptureWindow(popup);
    SImage both = SImage::Filled(width + list.width, height, RGB(40, 40, 40));
    both.Paste(open, 0, 0);
    both.Paste(list, width, 0);
    Save(both, "editor-presets-open", 2);
}

TEST(ButtonGallery, SwitchesInEveryState)
{
    testing_support::CHostWindow host(480, 320);
    CButtonTestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_BUTTONS, host.Get()));
    dialog.UseEditorPanel(60, 40); // a plain part of the panel
    HideAllBut(dialog, {dialog.toggle.GetHwnd(), dialog.presets.GetHwnd(), dialog.picture.GetHwnd()});
    CSheet sheet;
    // The editor's sizes: Bypass and Presets 51 × 18, the waveform button 34 × 34.
    auto capture = [&](CParameterButton& button, bool on, bool held) {
        button.SetValue(on ? 1.0f : 0.0f);
        testing_support::RedrawNow(dialog.GetHwnd());
        if (held)
            PressAndHold(button);
        const SImage picture = testing_support::CaptureClient(button.GetHwnd());
        if (held)
            LetGo(button);
        return picture;
    };

    // Row 1: Bypass off, off held, on, on held; Presets off and on (over its default background).
    testing_support::Place(dialog.toggle.GetHwnd(), 10, 10, 51, 18);
    testing_support::Place(dialog.presets.GetHwnd(), 70, 10, 51, 18);
    ApplySwitchSkin(dialog.toggle);
    ApplySwitchSkin(dialog.presets, true);
    for (bool on : {false, true})
        for (bool held : {false, true})
            sheet.Add(capture(dialog.toggle, on, held));
    testing_support::RedrawNow(dialog.GetHwnd());
    sheet.Add(testing_support::CaptureClient(dialog.presets.GetHwnd()));
    PressAndHold(dialog.presets);
    sheet.Add(testing_support::CaptureClient(dialog.presets.GetHwnd()));
    LetGo(dialog.presets);
    sheet.NextRow();

    // Row 2: the waveform button: sine (off), held, triangle (on), held.
    testing_support::Place(dialog.picture.GetHwnd(), 10, 40, 34, 34);
    ApplyWaveformSkin(dialog.picture);
    for (bool on : {false, true})
        for (bool held : {false, true})
            sheet.Add(capture(dialog.picture, on, held));
    sheet.NextRow();

    // Row 3: the six picture modes over the editor's face colours, released and held.
    testing_support::Place(dialog.picture.GetHwnd(), 10, 40, 40, 40);
    ApplySwitchSkin(dialog.picture);
    dialog.picture.SetFaceBitmaps(kSineFace, kSineFace, kTriangleFace, kTriangleFace);
    dialog.picture.EnablePictures(true);
    dialog.picture.SetPictureTransparency(true, kSkinPanel);
    for (EPictureMode mode : {EPictureMode::Centred, EPictureMode::Stretched, EPictureMode::StretchedInFrame,
                              EPictureMode::OnBackdrop, EPictureMode::InFrame, EPictureMode::InOutline})
    {
        dialog.picture.SetPictureMode(mode);
        dialog.picture.RebuildFaces();
        sheet.Add(capture(dialog.picture, false, false));
        sheet.Add(capture(dialog.picture, false, true));
    }
    sheet.NextRow();

    // Row 4: straight (not diagonal) frames with a vertical gradient, off and on; the waveform
    // button transparent over the panel, off and on.
    ApplySwitchSkin(dialog.toggle);
    dialog.toggle.SetDiagonal(false);
    dialog.toggle.RebuildBackground();
    dialog.toggle.RebuildFaces();
    sheet.Add(capture(dialog.toggle, false, false));
    sheet.Add(capture(dialog.toggle, true, false));
    testing_support::Place(dialog.picture.GetHwnd(), 10, 40, 40, 40);
    ApplyWaveformSkin(dialog.picture);
    dialog.picture.SetTransparent(true);
    dialog.picture.RebuildFaces();
    sheet.Add(capture(dialog.picture, false, false));
    sheet.Add(capture(dialog.picture, true, false));

    Save(sheet.Compose(), "switches");
}

TEST(ButtonGallery, LabelsAndGroupFrames)
{
    testing_support::CHostWindow host(480, 320);
    CButtonTestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_BUTTONS, host.Get()));
    dialog.UseEditorPanel(60, 40); // a plain part of the panel
    CSheet sheet;

    std::vector<std::unique_ptr<CGroupFrame>> frames;
    auto frame = [&](const char* text, DWORD style, DWORD exStyle) -> CGroupFrame& {
        frames.push_back(std::make_unique<CGroupFrame>());
        const HWND hwnd = CreateWindowExA(exStyle, "Button", text, WS_CHILD | WS_VISIBLE | BS_GROUPBOX | style, 0, 0,
                                          90, 60, dialog.GetHwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
        frames.back()->SubclassWindow(hwnd);
        ApplyFrameSkin(*frames.back());
        return *frames.back();
    };
    auto isolate = [&](HWND shown) {
        for (HWND child = GetWindow(dialog.GetHwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ShowWindow(child, child == shown ? SW_SHOWNA : SW_HIDE);
        testing_support::Place(shown, 10, 10, 90, 60);
        return Shown(dialog.GetHwnd());
    };
    auto crop = [](const SImage& image, int width, int height) {
        SImage part = SImage::Filled(width, height, 0);
        part.Paste(image, -10, -10);
        return part;
    };

    // Row 1: captions left, centred, right; no caption; an empty caption; a disabled frame.
    std::vector<CGroupFrame*> row1{&frame("Gain", BS_LEFT, 0), &frame("Modulation", BS_CENTER, 0),
                                   &frame("Dry / Wet", BS_RIGHT, 0), &frame("Hidden", BS_CENTER, WS_EX_TOOLWINDOW),
                                   &frame("", BS_CENTER, 0), &frame("Disabled", BS_CENTER, 0)};
    row1.back()->SetDisabledLineColours(0x000050, 0x0000A0);
    EnableWindow(row1.back()->GetHwnd(), FALSE);
    for (CGroupFrame* each : row1)
        sheet.Add(crop(isolate(each->GetHwnd()), 90, 60));
    sheet.NextRow();

    // Row 2: edge styles, a double line width, the system's own colours.
    std::vector<CGroupFrame*> row2{&frame("Client", BS_CENTER, WS_EX_CLIENTEDGE),
                                   &frame("Static", BS_CENTER, WS_EX_STATICEDGE),
                                   &frame("Modal", BS_CENTER, WS_EX_DLGMODALFRAME)};
    CGroupFrame& wide = frame("Wide", BS_CENTER, 0);
    wide.SetLineWidth(2);
    row2.push_back(&wide);
    frames.push_back(std::make_unique<CGroupFrame>());
    CGroupFrame& system = *frames.back();
    system.SubclassWindow(CreateWindowExA(0, "Button", "System", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_CENTER, 0, 0,
                                          90, 60, dialog.GetHwnd(), nullptr, GetModuleHandleA(nullptr), nullptr));
    system.SetTextColour(0xFFFFFF);
    row2.push_back(&system);
    for (CGroupFrame* each : row2)
        sheet.Add(crop(isolate(each->GetHwnd()), 90, 60));
    sheet.NextRow();

    // Row 3: labels: the editor's flat panel, a framed gradient panel, transparent over the panel.
    CStaticText& label = dialog.label;
    ApplyLabelSkin(label);
    auto labelPicture = [&] {
        isolate(label.GetHwnd());
        testing_support::Place(label.GetHwnd(), 10, 10, 60, 18);
        return crop(Shown(dialog.GetHwnd()), 60, 18);
    };
    sheet.Add(labelPicture());
    label.SetPanelColours(SFrameColours{0x000033, 0x000099, 0x0000FF, 0x000000});
    label.RebuildPanel();
    sheet.Add(labelPicture());
    label.SetTransparent(true);
    sheet.Add(labelPicture());
    Save(sheet.Compose(), "labels-and-frames");
}

TEST(ButtonGallery, ThePresetListSlidingOut)
{
    testing_support::CHostWindow host(480, 320);
    CButtonTestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_BUTTONS, host.Get()));
    // The right part of the editor, with the switch where the editor has it.
    testing_support::Place(dialog.GetHwnd(), 0, 0, 200, 165);
    dialog.UseEditorPanel(200, 0);
    HideAllBut(dialog, {dialog.presets.GetHwnd()});
    testing_support::Place(dialog.presets.GetHwnd(), 104, 22, 51, 18);
    ApplySwitchSkin(dialog.presets, true);
    win::CFont font = CreateListFont();
    ASSERT_TRUE(dialog.presets.EnsurePopup());
    FillPresetList(*dialog.presets.GetList(), font.Get());
    const HWND popup = dialog.presets.GetPopup().GetHwnd();
    // The slide is stepped here, one picture a step, not by the clock.
    auto click = [&] {
        SendMessageA(dialog.presets.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(dialog.presets.GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        KillTimer(popup, CPresetPopup::kTimerId);
        KillTimer(dialog.presets.GetHwnd(), CPresetButton::kFollowTimerId);
    };
    click();

    // Each step: the right part of the editor with the switch, and the list beside it as wide as
    // it has come out.
    const int editorPart = 200;
    CSheet sheet(6);
    auto step = [&] {
        const SImage editor = Shown(dialog.GetHwnd());
        SImage slot = SImage::Filled(editorPart + 130, 165, kSheet);
        slot.Paste(editor, editorPart - editor.width, 0);
        if (IsWindowVisible(popup))
        {
            testing_support::RedrawNow(popup);
            slot.Paste(CaptureWindow(popup), editorPart, 0);
        }
        return slot;
    };
    sheet.Add(step());
    for (int i = 0; i < 5; ++i)
    {
        SendMessageA(popup, WM_TIMER, CPresetPopup::kTimerId, 0);
        sheet.Add(step());
        if (i == 1)
            sheet.NextRow();
    }
    sheet.NextRow();
    // Fully out, with a preset chosen, one further down, and sliding back in.
    SendMessageA(dialog.presets.GetList()->GetHwnd(), LB_SETCURSEL, 1, 0);
    sheet.Add(step());
    SendMessageA(dialog.presets.GetList()->GetHwnd(), LB_SETCURSEL, 9, 0);
    sheet.Add(step());
    click();
    SendMessageA(popup, WM_TIMER, CPresetPopup::kTimerId, 0);
    sheet.Add(step());
    Save(sheet.Compose(), "preset-list");
}
