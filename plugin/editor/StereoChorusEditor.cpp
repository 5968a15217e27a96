#include "StereoChorusEditor.h"
#include "StereoChorusDialog.h"
#include "resource.h"

CStereoChorusEditor::CStereoChorusEditor() = default;

CStereoChorusEditor::~CStereoChorusEditor()
{
    Close();
}

int CStereoChorusEditor::Open(void* parentWindow)
{
    Close();
    auto dialog = std::make_unique<CStereoChorusDialog>();
    if (!dialog->Create(IDD_STEREO_CHORUS, static_cast<HWND>(parentWindow)))
        return 0;
    m_dialog = std::move(dialog);
    m_dialog->AttachContext(m_context);
    m_dialog->BindControls();
    return 1;
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

int CStereoChorusEditor::Show(int command)
{
    return m_dialog && m_dialog->GetHwnd() ? ShowWindow(m_dialog->GetHwnd(), command) : 0;
}

void CStereoChorusEditor::Move(int left, int top, int right, int bottom)
{
    if (m_dialog && m_dialog->GetHwnd())
        MoveWindow(m_dialog->GetHwnd(), left, top, right - left, bottom - top, TRUE);
}

void CStereoChorusEditor::GetSize(int& width, int& height)
{
    width = height = 0;
    RECT rect{};
    if (m_dialog && m_dialog->GetHwnd() && GetWindowRect(m_dialog->GetHwnd(), &rect))
    {
        width = rect.right - rect.left;
        height = rect.bottom - rect.top;
    }
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
