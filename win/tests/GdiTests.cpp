#include "Gdi.h"
#include "LiveObjects.h"
#include "ParentBackground.h"
#include "TestWindows.h"
#include "Window.h"
#include "PixelCapture.h"
#include "ResourceModule.h"
#include <gtest/gtest.h>

using testing_support::CountGdiObjects;

TEST(Gdi, OwnersDeleteWhatTheyCreatedAndGuardsRestoreTheSelection)
{
    const int before = CountGdiObjects();
    {
        win::CMemoryDC dc(nullptr);
        const HGDIOBJ originalPen = GetCurrentObject(dc.Get(), OBJ_PEN);
        const HGDIOBJ originalBrush = GetCurrentObject(dc.Get(), OBJ_BRUSH);
        win::CPen pen = win::SolidPen(RGB(1, 2, 3));
        win::CBrush brush = win::SolidBrush(RGB(4, 5, 6));
        win::CFont font(CreateFontA(13, 0, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Verdana"));
        EXPECT_EQ(CountGdiObjects(), before + 4);
        {
            win::CSelection selectPen(dc.Get(), pen.Get());
            win::CSelection selectBrush(dc.Get(), brush.Get());
            EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), pen.Get());
            EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), brush.Get());
        }
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), originalPen);
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), originalBrush);

        win::CPen moved = std::move(pen);
        EXPECT_FALSE(pen);
        EXPECT_TRUE(moved);
    }
    EXPECT_EQ(CountGdiObjects(), before);
}

TEST(Gdi, OffscreenBufferKeepsItsPictureAndFreesEverythingOnReset)
{
    const int before = CountGdiObjects();
    win::COffscreenBuffer buffer;
    EXPECT_FALSE(buffer.IsValid());
    ASSERT_TRUE(buffer.Create(nullptr, 12, 7));
    EXPECT_EQ(buffer.Width(), 12);
    EXPECT_EQ(buffer.Height(), 7);
    SetPixel(buffer.Dc(), 3, 4, RGB(10, 200, 30));

    win::COffscreenBuffer copy;
    ASSERT_TRUE(copy.Create(buffer.Dc(), 12, 7));
    buffer.CopyTo(copy.Dc(), 0, 0);
    EXPECT_EQ(testing_support::CaptureDc(copy.Dc(), 3, 4, 1, 1).Pixel(0, 0), RGB(10, 200, 30));

    buffer.Reset();
    copy.Reset();
    EXPECT_FALSE(buffer.IsValid());
    EXPECT_EQ(CountGdiObjects(), before);
}

namespace {

// A parent whose background has one red pixel at (40, 25).
class CMarkedParent : public win::CWindow
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_ERASEBKGND)
            return CWindow::WindowProc(message, wParam, lParam);
        HDC dc = reinterpret_cast<HDC>(wParam);
        RECT client = GetClientRect();
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetPixel(dc, 40, 25, RGB(255, 0, 0));
        return 1;
    }
};

} // namespace

TEST(ParentBackground, TheParentPaintsWhatLiesUnderTheChildIntoTheTarget)
{
    testing_support::CHostWindow host(120, 80);
    CMarkedParent parent;
    ASSERT_TRUE(parent.SubclassWindow(host.Get()));
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 30, 20, 20, 10, host.Get(),
                                 nullptr, nullptr, nullptr);
    win::COffscreenBuffer buffer;
    ASSERT_TRUE(buffer.Create(nullptr, 20, 10));
    const RECT whole{0, 0, 20, 10};
    FillRect(buffer.Dc(), &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ASSERT_TRUE(win::PaintParentBackground(child, buffer.Dc()));
    const auto image = testing_support::CaptureDc(buffer.Dc(), 0, 0, 20, 10);
    EXPECT_EQ(image.Pixel(10, 5), RGB(255, 0, 0));
    EXPECT_EQ(image.Pixel(0, 0), RGB(255, 255, 255));
    POINT origin{};
    GetViewportOrgEx(buffer.Dc(), &origin);
    EXPECT_EQ(origin.x, 0); // the target's origin is given back

    EXPECT_FALSE(win::PaintParentBackground(host.Get(), buffer.Dc())); // a top-level window has none
    DestroyWindow(child);
}
