#include "EditorSession.h"
#include <algorithm>

CEditorSession* CEditorSession::s_current = nullptr;

CEditorSession::CEditorSession(const PluginLibrary& library, int windowWidth, int windowHeight)
    : m_window(windowWidth, windowHeight, RGB(48, 48, 48))
{
    s_current = this;
    if (VstPluginMainProc main = library.Entry("main"))
        m_effect = main(&Callback);
}

CEditorSession::~CEditorSession()
{
    ClosePlugin();
    s_current = nullptr;
}

VstIntPtr CEditorSession::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return m_effect ? m_effect->dispatcher(m_effect, opcode, index, value, ptr, opt) : 0;
}

void CEditorSession::ClosePlugin()
{
    Dispatch(effClose);
    m_effect = nullptr;
}

// A size request makes the host window's client that size (index: width, value: height).
VstIntPtr CEditorSession::Callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*, float opt)
{
    if (opcode == audioMasterVersion)
        return 2400;
    if (!s_current)
        return 0;
    s_current->calls.push_back(SHostCall{opcode, index, opcode == audioMasterSizeWindow ? static_cast<float>(value) : opt});
    if (opcode != audioMasterSizeWindow || index <= 0 || value <= 0)
        return 0;
    s_current->ResizeClient(index, static_cast<int>(value));
    return 1;
}

void CEditorSession::ResizeClient(int width, int height)
{
    const HWND window = m_window.Get();
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CEditorSession::Dialog() const
{
    return GetWindow(Parent(), GW_CHILD);
}

int CEditorSession::CountEditorWindows() const
{
    int count = 0;
    for (HWND child = GetWindow(Parent(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

namespace {

BOOL CALLBACK FindPopup(HWND hwnd, LPARAM found)
{
    const int kListId = 1125;
    if (IsWindowVisible(hwnd) && GetDlgItem(hwnd, kListId))
    {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The whole window, frame included, as it is on the screen.
testing_support::SImage CaptureWindow(HWND hwnd)
{
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    HDC dc = GetWindowDC(hwnd);
    auto image = testing_support::CaptureDc(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
    ReleaseDC(hwnd, dc);
    return image;
}

const COLORREF kHostBackground = RGB(48, 48, 48);

} // namespace

HWND CEditorSession::PresetPopup() const
{
    HWND popup = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindPopup, reinterpret_cast<LPARAM>(&popup));
    return popup;
}

testing_support::SImage CaptureEditor(HWND dialog)
{
    testing_support::RedrawNow(dialog);
    return testing_support::CaptureClient(dialog);
}

testing_support::SImage CaptureEditorWithPresets(HWND dialog, HWND popup)
{
    const auto editor = CaptureEditor(dialog);
    RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testing_support::PumpMessages();
    const auto list = CaptureWindow(popup);
    RECT editorRect{}, listRect{};
    GetWindowRect(dialog, &editorRect);
    GetWindowRect(popup, &listRect);
    const int x = listRect.left - editorRect.left, y = listRect.top - editorRect.top;
    auto sheet = testing_support::SImage::Filled(std::max(editor.width, x + list.width),
                                                 std::max(editor.height, y + list.height), kHostBackground);
    sheet.Paste(editor, 0, 0);
    sheet.Paste(list, x, y);
    return sheet;
}

void PumpMessagesFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds)
    {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        testing_support::PumpMessages();
    }
}
