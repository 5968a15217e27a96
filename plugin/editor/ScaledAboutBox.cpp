#include "ScaledAboutBox.h"
#include "CaptionFont.h"
#include "Gdi.h"
#include "ResourceModule.h"
#include <algorithm>
#include <string>

namespace {

constexpr COLORREF kGround = 0x000080; // the skin's panel red
constexpr COLORREF kInk = 0x00CFFF;    // and its orange-yellow

struct SAboutLook
{
    const CStereoChorusLayout* layout;
    const char* caption;
    const char* text;
    bool closed;
};

win::CFont Font(const CStereoChorusLayout& layout, bool bold)
{
    return CreateVerdanaFont(-layout.CaptionPixels(), bold ? FW_BOLD : FW_NORMAL);
}

void Paint(HWND window, const SAboutLook& look)
{
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    win::CBrush ground = win::SolidBrush(kGround);
    FillRect(dc, &client, ground.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kInk);
    const SControlScale& scale = look.layout->Scale();
    const int line = look.layout->PopupLinePixels(), inset = scale.Px(6);
    const char* lines[] = {look.caption, look.text, "(click to close)"};
    for (int i = 0; i < 3; ++i)
    {
        win::CFont font = Font(*look.layout, i == 0);
        win::CSelection select(dc, font.Get());
        RECT row{inset, scale.Px(3) + i * line, client.right - inset, scale.Px(3) + (i + 1) * line};
        DrawTextA(dc, lines[i], -1, &row, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK AboutProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* look = reinterpret_cast<SAboutLook*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message)
    {
    case WM_NCCREATE:
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        break;
    case WM_PAINT:
        if (look)
        {
            Paint(window, *look);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_CLOSE:
        if (look)
            look->closed = true;
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* AboutClass()
{
    static const char* name = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = AboutProcedure;
        windowClass.hInstance = win::ResourceModule();
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.lpszClassName = "StereoChorus.ScaledAbout";
        RegisterClassA(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

// The text's width in the box's font.
int TextWidth(const CStereoChorusLayout& layout, const char* text)
{
    win::CClientDC screen(nullptr);
    win::CFont font = Font(layout, false);
    win::CSelection select(screen.Get(), font.Get());
    SIZE size{};
    GetTextExtentPoint32A(screen.Get(), text, static_cast<int>(std::string(text).size()), &size);
    return size.cx;
}

} // namespace

void ShowScaledAboutBox(HWND editor, const CStereoChorusLayout& layout, const char* caption, const char* text)
{
    SAboutLook look{&layout, caption, text, false};
    const int width = TextWidth(layout, text) + layout.Scale().Px(16);
    const int height = 3 * layout.PopupLinePixels() + layout.Scale().Px(8);
    RECT area{}, screen{};
    GetWindowRect(editor, &area);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    // Over the editor's middle, but never beyond the screen's working area.
    const int x = std::max<int>(screen.left, std::min<int>((area.left + area.right - width) / 2, screen.right - width));
    const int y = std::max<int>(screen.top, std::min<int>((area.top + area.bottom - height) / 2, screen.bottom - height));
    const HWND box = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, AboutClass(), caption, WS_POPUP | WS_BORDER,
                                     x, y, width, height, editor, nullptr, win::ResourceModule(), &look);
    if (!box)
        return;
    ShowWindow(box, SW_SHOW);
    SetFocus(box);
    // Modal, as the message box it stands for: the editor waits until the box is closed.
    MSG message{};
    while (!look.closed && IsWindow(box) && GetMessageA(&message, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (IsWindow(box))
        DestroyWindow(box);
    if (message.message == WM_QUIT)
        PostQuitMessage(static_cast<int>(message.wParam));
}
