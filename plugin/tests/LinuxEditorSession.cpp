#include "LinuxEditorSession.h"
#include <chrono>
#include <cstdint>
#include <thread>

CLinuxEditorSession* CLinuxEditorSession::s_current = nullptr;

CLinuxEditorSession::CLinuxEditorSession(const PluginLibrary& library, CXvfbDisplay& display, int x, int y)
    : m_display(display), m_parent(display.CreateHostWindow(x, y, 600, 300))
{
    s_current = this;
    if (VstPluginMainProc main = library.Entry("main"))
        m_effect = main(&Callback);
}

CLinuxEditorSession::~CLinuxEditorSession()
{
    ClosePlugin();
    m_display.DestroyWindow(m_parent);
    s_current = nullptr;
}

VstIntPtr CLinuxEditorSession::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return m_effect ? m_effect->dispatcher(m_effect, opcode, index, value, ptr, opt) : 0;
}

void CLinuxEditorSession::ClosePlugin()
{
    Dispatch(effClose);
    m_effect = nullptr;
}

CProcessingThread::CProcessingThread(AEffect* effect)
{
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    m_thread = std::thread([this, effect] {
        std::vector<float> left(256, 0.1f), right(256, 0.1f);
        float* buffers[2] = {left.data(), right.data()};
        while (!m_stop)
            effect->processReplacing(effect, buffers, buffers, 256);
    });
}

void CProcessingThread::Stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

VstIntPtr CLinuxEditorSession::OpenEditor()
{
    return Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<std::uintptr_t>(m_parent)));
}

int CLinuxEditorSession::EditorX() const
{
    int x = 0, y = 0;
    m_display.Origin(m_parent, x, y);
    return x;
}

int CLinuxEditorSession::EditorY() const
{
    int x = 0, y = 0;
    m_display.Origin(m_parent, x, y);
    return y;
}

// The editor's first paint replaces the host's grey at its corner with the background's black.
bool CLinuxEditorSession::WaitForPaint()
{
    const bool painted = WaitUntil([&] {
        const std::vector<std::uint32_t> corner = m_display.Grab(EditorX(), EditorY(), 1, 1);
        return !corner.empty() && corner[0] == 0;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(120)); // two refresh periods
    return painted;
}

std::vector<SLinuxHostCall> CLinuxEditorSession::Calls()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_calls;
}

void CLinuxEditorSession::ClearCalls()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_calls.clear();
}

// A size request resizes the host's window (index: width, value: height), as hosts do.
VstIntPtr CLinuxEditorSession::Callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*, float opt)
{
    if (opcode == audioMasterVersion)
        return 2400;
    CLinuxEditorSession* session = s_current;
    if (!session)
        return 0;
    const SLinuxHostCall call{opcode, index, opcode == audioMasterSizeWindow ? static_cast<float>(value) : opt,
                              std::this_thread::get_id()};
    {
        std::lock_guard<std::mutex> lock(session->m_lock);
        session->m_calls.push_back(call);
    }
    if (session->onCall)
        session->onCall(call);
    if (opcode != audioMasterSizeWindow || index <= 0 || value <= 0)
        return 0;
    session->m_display.ResizeWindow(session->m_parent, index, static_cast<int>(value));
    return 1;
}
