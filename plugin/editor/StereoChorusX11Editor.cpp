#include "StereoChorusX11Editor.h"
#include "StereoChorusLayout.h"
#include "StereoChorusView.h"
#include "SliderMotion.h"
#include <cstdint>

CStereoChorusX11Editor::CStereoChorusX11Editor() = default;

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
    auto view = std::make_unique<CStereoChorusView>();
    view->AttachContext(m_context);
    view->BindControls();
    if (!view->Open(parent))
        return 0;
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
int CStereoChorusX11Editor::Show(int command)
{
    if (!m_view)
        return 0;
    std::lock_guard<std::mutex> lock(m_view->Display().Lock());
    m_view->Display().ShowMain(command != 0);
    return 1;
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

void CStereoChorusX11Editor::GetSize(int& width, int& height)
{
    width = m_view ? m_view->Width() : stereo_chorus_layout::DialogWidth();
    height = m_view ? m_view->Height() : stereo_chorus_layout::DialogHeight();
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
