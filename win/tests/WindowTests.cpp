#include "Window.h"
#include "TestWindows.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

const UINT kPing = WM_APP + 1;

class CRecordingWindow : public win::CWindow
{
public:
    std::vector<UINT> messages;
    LONG_PTR procedureAtPreSubclass = 0;
    bool nestBeforeDefault = false;

protected:
    void PreSubclassWindow() override
    {
        procedureAtPreSubclass = GetWindowLongPtrA(GetHwnd(), GWLP_WNDPROC);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        if (message == kPing)
            return 42;
        if (message == WM_GETTEXT && nestBeforeDefault)
            Send(WM_GETTEXTLENGTH); // a nested message must not replace the current one
        return CWindow::WindowProc(message, wParam, lParam);
    }
};

HWND CreateStatic(const char* text)
{
    return CreateWindowExA(0, "STATIC", text, WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
}

std::string TextOf(HWND hwnd)
{
    char text[64] = {};
    SendMessageA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace

TEST(Window, SubclassedWindowSeesItsMessagesFirstAndPassesTheRestToItsOwnProcedure)
{
    HWND hwnd = CreateStatic("abc");
    const LONG_PTR original = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    CRecordingWindow window;
    ASSERT_TRUE(window.SubclassWindow(hwnd));

    EXPECT_EQ(window.GetHwnd(), hwnd);
    EXPECT_EQ(win::CWindow::FromHandle(hwnd), &window);
    EXPECT_EQ(window.procedureAtPreSubclass, original);
    EXPECT_EQ(SendMessageA(hwnd, kPing, 0, 0), 42);
    EXPECT_EQ(TextOf(hwnd), "abc");
    EXPECT_EQ(window.GetCaption(), "abc");
    EXPECT_NE(std::count(window.messages.begin(), window.messages.end(), WM_GETTEXT), 0);
    DestroyWindow(hwnd);
}

TEST(Window, DefaultAnswersTheMessageBeingHandledEvenAfterANestedOne)
{
    HWND hwnd = CreateStatic("nested");
    CRecordingWindow window;
    window.nestBeforeDefault = true;
    ASSERT_TRUE(window.SubclassWindow(hwnd));
    EXPECT_EQ(TextOf(hwnd), "nested");
    DestroyWindow(hwnd);
}

TEST(Window, DestroyingTheWindowUnbindsItsObject)
{
    HWND hwnd = CreateStatic("x");
    CRecordingWindow window;
    ASSERT_TRUE(window.SubclassWindow(hwnd));
    DestroyWindow(hwnd);
    EXPECT_EQ(window.GetHwnd(), nullptr);
    EXPECT_EQ(window.messages.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(win::CWindow::FromHandle(hwnd), nullptr);
}

TEST(Window, DeletingTheObjectGivesTheWindowBackItsOwnProcedure)
{
    HWND hwnd = CreateStatic("kept");
    const LONG_PTR original = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    auto window = std::make_unique<CRecordingWindow>();
    ASSERT_TRUE(window->SubclassWindow(hwnd));
    window.reset();

    ASSERT_TRUE(IsWindow(hwnd)); // a subclassed window is not the object's to destroy
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), original);
    EXPECT_EQ(win::CWindow::FromHandle(hwnd), nullptr);
    EXPECT_EQ(TextOf(hwnd), "kept");
    DestroyWindow(hwnd);
}

TEST(Window, SubclassingRefusesANullWindowATakenWindowOrASecondWindow)
{
    HWND first = CreateStatic("1");
    HWND second = CreateStatic("2");
    CRecordingWindow window, other;
    EXPECT_FALSE(window.SubclassWindow(nullptr));
    ASSERT_TRUE(window.SubclassWindow(first));
    EXPECT_FALSE(window.SubclassWindow(second));
    EXPECT_FALSE(other.SubclassWindow(first));
    EXPECT_EQ(win::CWindow::FromHandle(first), &window);

    EXPECT_EQ(window.UnsubclassWindow(), first);
    EXPECT_TRUE(other.SubclassWindow(first));
    DestroyWindow(first);
    DestroyWindow(second);
}

