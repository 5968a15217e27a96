#include "StereoChorusX11Editor.h"
#include "StereoChorusLayout.h"
#include "StereoChorusSettings.h"
#include "StereoChorusView.h"
#include "SliderMotion.h"
#include "X11ScreenScale.h"
#include <cstdint>

CStereoChorusX11Editor::CStereoChorusX11Editor() : m_scale(StereoChorusEditorScale()) {}

// The desktop is asked once, and only when neither the user nor the host has a word.
double CStereoChorusX11Editor::Factor(int chosenPercent)
{
    if (!m_screenAsked && chosenPercent == 0 && m_scale.HostFactor() <= 0.0)
    {
        m_scale.SetScreenFactor(QueryScreenScale());
        m_screenAsked = true;
    }
    return m_scale.Factor(chosenPercent);
}

CStereoChorusX11Editor::~CStereoChorusX11Editor()
{
    Close();
}

int CStereoChorusX11Editor::Open(void* parentWindow)
{
    Close();
    const auto parent = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(parentWindow));
    if (!parent)
        return 0;
    const int chosen = m_scale.ChosenPercent(); // the file is read once an opening
    auto view = std::make_unique<CStereoChorusView>(Factor(chosen));
    view->SetSizeMenu(chosen, [this](int percent) { OnSizeChosen(percent); });
    view->AttachContext(m_context);
    view->BindControls();
    if (!view->Open(parent))
        return 0;
    m_width = view->Width();
    m_height = view->Height();
    m_view = std::move(view);
    return 1;
}

// The thread stops and the windows go before the controls; the host may have destroyed them
// already with its own window.
void CStereoChorusX11Editor::Close()
{
    m_view.reset();
}

// The window is shown as it opens; a host may hide it and show it again without closing it.
void CStereoChorusX11Editor::SetVisible(bool visible)
{
    if (!m_view)
        return;
    std::lock_guard<std::mutex> lock(m_view->Display().Lock());
    m_view->Display().ShowMain(visible);
}

// The choice is saved first, so the new size is what every later instance opens at; the window
// takes it at once and the host is asked to follow.
void CStereoChorusX11Editor::OnSizeChosen(int percent)
{
    m_scale.Choose(percent);
    if (!m_view)
        return;
    m_view->SetScale(Factor(percent)); // as made, not read back: a file that cannot be written keeps none
    m_width = m_view->Width();
    m_height = m_view->Height();
    if (m_host)
        m_host->RequestResize(m_width, m_height);
}

// With a window open the editor's thread reads the scale too (its menu): changed under its lock.
void CStereoChorusX11Editor::SetHostScale(double factor)
{
    if (!m_view)
    {
        m_scale.SetHostFactor(factor);
        return;
    }
    std::lock_guard<std::mutex> lock(m_view->Display().Lock());
    m_scale.SetHostFactor(factor);
    m_view->SetScale(Factor(m_scale.ChosenPercent()));
    m_width = m_view->Width();
    m_height = m_view->Height();
}

void CStereoChorusX11Editor::Move(int left, int top, int right, int bottom)
{
    if (!m_view)
        return;
    std::lock_guard<std::mutex> lock(m_view->Display().Lock());
    m_view->Display().PlaceMain(left, top, right - left, bottom - top);
}

void* CStereoChorusX11Editor::GetWindow()
{
    return m_view ? reinterpret_cast<void*>(static_cast<std::uintptr_t>(m_view->Display().MainWindow())) : nullptr;
}

void CStereoChorusX11Editor::GetPreferredSize(int& width, int& height)
{
    if (m_view)
    {
        width = m_width;
        height = m_height;
        return;
    }
    const CStereoChorusLayout layout(Factor(m_scale.ChosenPercent()));
    width = layout.Width();
    height = layout.Height();
}

int CStereoChorusX11Editor::GetChanged()
{
    if (!m_view)
        return 0;
    std::lock_guard<std::mutex> lock(m_view->Display().Lock());
    return m_view->GetChanged();
}

void CStereoChorusX11Editor::SetChanged(int changed)
{
    if (!m_view)
        return;
    std::lock_guard<std::mutex> lock(m_view->Display().Lock());
    m_view->SetChanged(changed);
}

void CStereoChorusX11Editor::SetContext(const CEditorContext* context)
{
    m_context = context ? CEditorContext(context->GetInputParameters(), context->GetOutputParameters(),
                                         context->GetPresetListView(), context->GetSpare())
                        : CEditorContext();
    if (!m_view)
        return;
    std::lock_guard<std::mutex> lock(m_view->Display().Lock());
    m_view->AttachContext(m_context);
    m_view->BindControls();
}

bool CStereoChorusX11Editor::OnKey(const SEditorKey& key, bool down)
{
    if (!m_view)
        return false;
    std::lock_guard<std::mutex> lock(m_view->Display().Lock());
    return m_view->OnForwardedKey(key, down);
}

bool CStereoChorusX11Editor::OnWheel(float distance, unsigned modifiers)
{
    const int notches = slider_motion::WholeNotches(distance);
    if (!m_view || notches == 0)
        return false;
    std::lock_guard<std::mutex> lock(m_view->Display().Lock());
    return m_view->OnForwardedWheel(notches, modifiers);
}
