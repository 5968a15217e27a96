#include "StereoChorusEditor.h"
#include "StereoChorusDialog.h"
#include "StereoChorusSettings.h"
#include "resource.h"

namespace {

constexpr double kStandardDpi = 96.0;

// The resolution of the screen a window is on: GetDpiForWindow (Windows 10 1607 on, looked up
// at run time so older systems load the plug-in), else the screen's device context.
int DpiOf(HWND window)
{
    using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (window && getDpiForWindow)
        if (const UINT dpi = getDpiForWindow(window))
            return static_cast<int>(dpi);
    const HDC screen = GetDC(window);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(window, screen);
    return dpi > 0 ? dpi : static_cast<int>(kStandardDpi);
}

} // namespace

CStereoChorusEditor::CStereoChorusEditor() : m_scale(StereoChorusEditorScale())
{
    m_scale.SetScreenFactor(DpiOf(nullptr) / kStandardDpi);
}

CStereoChorusEditor::~CStereoChorusEditor()
{
    Close();
}

int CStereoChorusEditor::Open(void* parentWindow)
{
    Close();
    const HWND parent = static_cast<HWND>(parentWindow);
    m_scale.SetScreenFactor(DpiOf(parent) / kStandardDpi);
    auto dialog = std::make_unique<CStereoChorusDialog>();
    if (!dialog->Create(IDD_STEREO_CHORUS, parent))
        return 0;
    m_dialog = std::move(dialog);
    m_dialog->AttachContext(m_context);
    m_dialog->BindControls();
    const int chosen = m_scale.ChosenPercent(); // the file is read once an opening
    m_dialog->SetSizeMenu(chosen, [this](int percent) { OnSizeChosen(percent); });
    m_dialog->SetDpiHandler([this](int dpi) { OnDpiChanged(dpi); });
    m_dialog->ApplyLayout(CStereoChorusLayout(m_scale.Factor(chosen)));
    return 1;
}

void CStereoChorusEditor::Rescale(double factor, bool tellHost)
{
    if (!m_dialog || !m_dialog->GetHwnd())
        return;
    const CStereoChorusLayout layout(factor);
    if (layout.Factor() == m_dialog->Layout().Factor())
        return;
    m_dialog->ApplyLayout(layout);
    if (tellHost && m_host)
        m_host->RequestResize(layout.Width(), layout.Height());
}

// Saved first, so every later instance opens at the choice; the window follows at once, at the
// choice as made rather than as read back (a settings file that cannot be written keeps none).
void CStereoChorusEditor::OnSizeChosen(int percent)
{
    m_scale.Choose(percent);
    Rescale(m_scale.Factor(percent), true);
}

// 0: the message carried no resolution (a child's notice); the window is asked.
void CStereoChorusEditor::OnDpiChanged(int dpi)
{
    if (!m_dialog)
        return;
    m_scale.SetScreenFactor((dpi > 0 ? dpi : DpiOf(m_dialog->GetHwnd())) / kStandardDpi);
    Rescale(Factor(), true);
}

void CStereoChorusEditor::SetHostScale(double factor)
{
    m_scale.SetHostFactor(factor);
    Rescale(Factor(), false);
}

// The window goes first, while the whole dialog object still handles its messages (the refresh
// timer is killed on WM_DESTROY). The host may have destroyed it already with its own window.
void CStereoChorusEditor::Close()
{
    if (!m_dialog)
        return;
    if (const HWND hwnd = m_dialog->GetHwnd())
        DestroyWindow(hwnd);
    m_dialog.reset();
}

void CStereoChorusEditor::SetVisible(bool visible)
{
    if (m_dialog && m_dialog->GetHwnd())
        ShowWindow(m_dialog->GetHwnd(), visible ? SW_SHOWNORMAL : SW_HIDE);
}

void CStereoChorusEditor::Move(int left, int top, int right, int bottom)
{
    if (m_dialog && m_dialog->GetHwnd())
        MoveWindow(m_dialog->GetHwnd(), left, top, right - left, bottom - top, TRUE);
}

void CStereoChorusEditor::GetPreferredSize(int& width, int& height)
{
    const CStereoChorusLayout layout = m_dialog ? m_dialog->Layout() : CStereoChorusLayout(Factor());
    width = layout.Width();
    height = layout.Height();
}

int CStereoChorusEditor::GetChanged()
{
    return m_dialog ? m_dialog->GetChanged() : 0;
}

void CStereoChorusEditor::SetChanged(int changed)
{
    if (m_dialog)
        m_dialog->SetChanged(changed);
}

void CStereoChorusEditor::SetContext(const CEditorContext* context)
{
    m_context = context ? CEditorContext(context->GetInputParameters(), context->GetOutputParameters(),
                                         context->GetPresetListView(), context->GetSpare())
                        : CEditorContext();
    if (m_dialog)
    {
        m_dialog->AttachContext(m_context);
        m_dialog->BindControls();
    }
}

bool CStereoChorusEditor::OnKey(const SEditorKey& key, bool down)
{
    return m_dialog && m_dialog->GetHwnd() && m_dialog->OnForwardedKey(key, down);
}

bool CStereoChorusEditor::OnWheel(float distance, unsigned modifiers)
{
    return m_dialog && m_dialog->GetHwnd() && m_dialog->OnForwardedWheel(distance, modifiers);
}
