// The group frames and the text labels.
#include "ButtonTestDialog.h"
#include "ButtonTestIds.h"
#include "TestWindows.h"
#include <gtest/gtest.h>
#include <memory>

using testing_support::SImage;

namespace {

const COLORREF kLine = 0x000011;
const COLORREF kLight = 0x0000DD;

struct LabelTest : ::testing::Test
{
    testing_support::CHostWindow host{480, 320};
    CButtonTestDialog dialog;

    void SetUp() override { ASSERT_TRUE(dialog.Create(IDD_BUTTONS, host.Get())); }

    // Only this child of the dialog stays visible, so that no other one paints over it.
    static BOOL CALLBACK HideOthers(HWND child, LPARAM keep)
    {
        if (child != reinterpret_cast<HWND>(keep) && GetParent(child) == GetParent(reinterpret_cast<HWND>(keep)))
            ShowWindow(child, SW_HIDE);
        return TRUE;
    }
    SImage Picture(HWND hwnd)
    {
        EnumChildWindows(dialog.GetHwnd(), &HideOthers, reinterpret_cast<LPARAM>(hwnd));
        testing_support::RedrawNow(dialog.GetHwnd());
        return testing_support::CaptureClient(hwnd);
    }
    int CaptionWidth(const CGroupFrame& frame, const std::string& text)
    {
        HDC dc = GetDC(frame.GetHwnd());
        HGDIOBJ previous = SelectObject(dc, frame.GetFont());
        SIZE size{};
        const std::string caption = " " + text + " ";
        GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        SelectObject(dc, previous);
        ReleaseDC(frame.GetHwnd(), dc);
        return size.cx;
    }
    int TextHeight(const CGroupFrame& frame)
    {
        HDC dc = GetDC(frame.GetHwnd());
        HGDIOBJ previous = SelectObject(dc, frame.GetFont());
        SIZE size{};
        GetTextExtentPoint32A(dc, " ", 1, &size);
        SelectObject(dc, previous);
        ReleaseDC(frame.GetHwnd(), dc);
        return size.cy;
    }
    // A group box made here, so that its text and styles can be chosen before it is taken over.
    HWND MakeGroupBox(const char* text, DWORD style, DWORD exStyle)
    {
        return CreateWindowExA(exStyle, "Button", text, WS_CHILD | WS_VISIBLE | BS_GROUPBOX | style, 200, 150, 100, 60,
                               dialog.GetHwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
    }
};

} // namespace

TEST(GroupFrame, ACentredCaptionOf40PixelsOnALineFrom0To99LeavesTheGapFrom29To69)
{
    const SCaptionSpan centred = CaptionSpan(BS_CENTER, 0, 99, 8, 40);
    EXPECT_EQ(centred.first, 29);
    EXPECT_EQ(centred.last, 69);
    const SCaptionSpan left = CaptionSpan(BS_LEFT, 0, 99, 8, 40);
    EXPECT_EQ(left.first, 8);
    EXPECT_EQ(left.last, 48);
    const SCaptionSpan right = CaptionSpan(BS_RIGHT, 0, 99, 8, 40);
    EXPECT_EQ(right.first, 51);
    EXPECT_EQ(right.last, 91);
    // A frame moved in by an edge keeps its caption in its own middle.
    const SCaptionSpan inset = CaptionSpan(BS_CENTER, 4, 95, 8, 40);
    EXPECT_EQ(inset.first, 29);
    EXPECT_EQ(inset.last, 69);
}

TEST_F(LabelTest, TheCaptionBreaksTheEtchedTopLineExactlyWhereItsSpanLies)
{
    CGroupFrame& frame = dialog.centreFrame;
    testing_support::Place(frame.GetHwnd(), 10, 80, 100, 60);
    ApplyFrameSkin(frame);
    const RECT rect = frame.FrameRect();
    ASSERT_EQ(rect.left, 0);
    ASSERT_EQ(rect.right, 99);
    ASSERT_EQ(rect.bottom, 59);
    const int width = CaptionWidth(frame, "Modulation");
    const SCaptionSpan span = CaptionSpan(BS_CENTER, 0, 99, 8, width);
    const int y = TextHeight(frame) / 2 - 1;
    const SImage picture = Picture(frame.GetHwnd());

    for (int x = 0; x <= 98; ++x)
    {
        const bool inGap = x > span.first && x < span.last;
        if (inGap)
        {
            EXPECT_NE(picture.Pixel(x, y + 1), kLight) << x;
            continue;
        }
        EXPECT_EQ(picture.Pixel(x, y), kLine) << x;
        if (x >= 1 && x <= 97)
        {
            EXPECT_EQ(picture.Pixel(x, y + 1), kLight) << x;
        }
    }
    // Left side: line outside, light inside; bottom and right: line inside, light outside.
    EXPECT_EQ(picture.Pixel(0, 30), kLine);
    EXPECT_EQ(picture.Pixel(1, 30), kLight);
    EXPECT_EQ(picture.Pixel(50, 58), kLine);
    EXPECT_EQ(picture.Pixel(50, 59), kLight);
    EXPECT_EQ(picture.Pixel(98, 30), kLine);
    EXPECT_EQ(picture.Pixel(99, 30), kLight);
    // The caption sits on the line, in its colour, inside the gap.
    int captionPixels = 0;
    for (int py = 0; py < y + TextHeight(frame) / 2 + 1; ++py)
        for (int x = 0; x < 100; ++x)
            if (GetGValue(picture.Pixel(x, py)) > 0x80)
            {
                ++captionPixels;
                EXPECT_GT(x, span.first);
                EXPECT_LT(x, span.last);
            }
    EXPECT_GT(captionPixels, 20);
    // The interior is the parent's.
    const SImage parent = dialog.BackgroundUnder(frame.GetHwnd());
    EXPECT_EQ(picture.Pixel(50, 30), parent.Pixel(50, 30));
}

TEST_F(LabelTest, TheCaptionAlignmentComesFromTheStyle)
{
    EXPECT_EQ(dialog.centreFrame.GetCaptionAlignment(), BS_CENTER);
    EXPECT_EQ(dialog.leftFrame.GetCaptionAlignment(), BS_LEFT);
    EXPECT_EQ(dialog.rightFrame.GetCaptionAlignment(), BS_RIGHT);
    EXPECT_EQ(dialog.plainFrame.GetCaptionAlignment(), BS_LEFT); // none given

    // A right-aligned caption ends the margin short of the right side.
    CGroupFrame& frame = dialog.rightFrame;
    testing_support::Place(frame.GetHwnd(), 10, 80, 100, 60);
    ApplyFrameSkin(frame);
    const SImage picture = Picture(frame.GetHwnd());
    const int y = TextHeight(frame) / 2 - 1;
    const int first = 99 - 8 - CaptionWidth(frame, "Wet");
    EXPECT_EQ(picture.Pixel(first - 1, y), kLine);
    EXPECT_NE(picture.Pixel(first + 2, y), kLine);
    EXPECT_NE(picture.Pixel(99 - 8 - 2, y), kLine);
    EXPECT_EQ(picture.Pixel(99 - 8 + 1, y), kLine);
}

TEST_F(LabelTest, AnEmptyCaptionStillLeavesAGapTwoBlanksWide)
{
    CGroupFrame frame;
    ASSERT_TRUE(frame.SubclassWindow(MakeGroupBox("", BS_LEFT, 0)));
    ApplyFrameSkin(frame);
    const int blanks = CaptionWidth(frame, "");
    ASSERT_GT(blanks, 1);
    const SImage picture = Picture(frame.GetHwnd());
    const int y = TextHeight(frame) / 2 - 1;
    int gap = 0;
    for (int x = 0; x < 99; ++x)
        gap += picture.Pixel(x, y) != kLine;
    EXPECT_GE(gap, blanks - 1);
    EXPECT_LE(gap, blanks);
    EXPECT_NE(picture.Pixel(8 + blanks / 2, y), kLine);
}

TEST_F(LabelTest, ToolWindowExtendedStyleHidesTheCaption)
{
    CGroupFrame frame;
    ASSERT_TRUE(frame.SubclassWindow(MakeGroupBox("Hidden", BS_CENTER, WS_EX_TOOLWINDOW)));
    EXPECT_TRUE(frame.IsCaptionHidden());
    ApplyFrameSkin(frame);
    const SImage picture = Picture(frame.GetHwnd());
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_LE(GetGValue(picture.Pixel(x, y)), 0x80) << x << ", " << y;
}

TEST_F(LabelTest, EveryEdgeStyleKeepsTheFrameInsideTheClientArea)
{
    for (DWORD edge : {DWORD(0), DWORD(WS_EX_CLIENTEDGE), DWORD(WS_EX_STATICEDGE), DWORD(WS_EX_DLGMODALFRAME),
                       DWORD(WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME)})
    {
        CGroupFrame frame;
        ASSERT_TRUE(frame.SubclassWindow(MakeGroupBox("Edge", BS_CENTER, edge)));
        const RECT client = frame.GetClientRect();
        const RECT rect = frame.FrameRect();
        EXPECT_GE(rect.left, 0) << edge;
        EXPECT_GE(rect.top, 0) << edge;
        EXPECT_LT(rect.right, client.right) << edge;
        EXPECT_LT(rect.bottom, client.bottom) << edge;
        EXPECT_GT(rect.right - rect.left, client.right - 8) << edge;
        DestroyWindow(frame.UnsubclassWindow());
    }
}

TEST_F(LabelTest, ADisabledFrameUsesItsDisabledColoursAndAnEmbossedCaption)
{
    CGroupFrame& frame = dialog.centreFrame;
    testing_support::Place(frame.GetHwnd(), 10, 80, 100, 60);
    ApplyFrameSkin(frame);
    frame.SetDisabledLineColours(0x404040, 0xC0C0C0);
    EnableWindow(frame.GetHwnd(), FALSE);
    const SImage picture = Picture(frame.GetHwnd());
    const int y = TextHeight(frame) / 2 - 1;
    EXPECT_EQ(picture.Pixel(2, y), 0x404040);
    EXPECT_EQ(picture.Pixel(2, y + 1), 0xC0C0C0);
    EXPECT_EQ(picture.Pixel(0, 30), 0x404040);
    int textColour = 0, embossed = 0;
    for (int py = 0; py < 2 * TextHeight(frame); ++py)
        for (int x = 0; x < 100; ++x)
        {
            const COLORREF pixel = picture.Pixel(x, py);
            textColour += GetGValue(pixel) > 0x80 && GetBValue(pixel) < 0x40;
            embossed += pixel == GetSysColor(COLOR_3DHILIGHT) || pixel == GetSysColor(COLOR_3DSHADOW);
        }
    EXPECT_EQ(textColour, 0);
    EXPECT_GT(embossed, 20);
}

TEST_F(LabelTest, ALabelCentresItsCaptionOverItsPanel)
{
    CStaticText& label = dialog.label;
    testing_support::Place(label.GetHwnd(), 10, 80, 60, 20);
    ApplyLabelSkin(label);
    label.SetPanelColours(SFrameColours{0x000040, 0x0000A0, 0x0000FF, 0x000000});
    label.RebuildPanel();
    const SImage picture = Picture(label.GetHwnd());
    EXPECT_EQ(picture.Pixel(30, 0), RGB(0xFF, 0, 0));  // highlight
    EXPECT_EQ(picture.Pixel(30, 19), RGB(0, 0, 0));    // shadow
    EXPECT_EQ(picture.Pixel(1, 1), RGB(0x40, 0, 0));   // gradient from the fill at the top
    EXPECT_GT(GetRValue(picture.Pixel(1, 17)), 0x90);  // to the gradient colour at the bottom
    int left = 100, right = -1, top = 100, bottom = -1;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (GetGValue(picture.Pixel(x, y)) > 0x80)
            {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, left);
    EXPECT_LE(std::abs(left - (59 - right)), 2);
    EXPECT_LE(std::abs(top - (19 - bottom)), 3);
    EXPECT_EQ(label.GetText(), "Depth");
}

TEST_F(LabelTest, ATransparentLabelShowsTheParentsPixelsAndKeepsItsFirstCaption)
{
    CStaticText& label = dialog.label;
    testing_support::Place(label.GetHwnd(), 10, 80, 60, 20);
    ApplyLabelSkin(label);
    label.SetTransparent(true);
    const SImage picture = Picture(label.GetHwnd());
    const SImage parent = dialog.BackgroundUnder(label.GetHwnd());
    EXPECT_EQ(picture.Pixel(0, 0), parent.Pixel(0, 0));
    EXPECT_EQ(picture.Pixel(59, 19), parent.Pixel(59, 19));
    EXPECT_NE(parent.Pixel(0, 0), parent.Pixel(59, 19));

    SetWindowTextA(label.GetHwnd(), "Other");
    const SImage after = Picture(label.GetHwnd());
    EXPECT_EQ(after.rgb, picture.rgb);
    EXPECT_EQ(label.GetText(), "Depth");

    // Moved to another part of the panel it shows what lies there now.
    testing_support::Place(label.GetHwnd(), 150, 100, 60, 20);
    const SImage moved = Picture(label.GetHwnd());
    const SImage there = dialog.BackgroundUnder(label.GetHwnd());
    EXPECT_EQ(moved.Pixel(0, 0), there.Pixel(0, 0));
    EXPECT_NE(there.Pixel(0, 0), parent.Pixel(0, 0));
}
