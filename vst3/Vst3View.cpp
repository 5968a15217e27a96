#include "Vst3View.h"
#include "PluginEditor.h"
#include "Vst3Plugin.h"
#include <cstring>
#include <thread>

using namespace Vst3;

CVst3View::CVst3View(CVst3Plugin& owner, CPluginEditor& editor) : m_owner(&owner), m_editor(&editor)
{
    m_editor->SetHost(this);
}

CVst3View::~CVst3View()
{
    Close();
    if (m_editor)
        m_editor->SetHost(nullptr);
    setFrame(nullptr);
    if (m_owner)
        m_owner->OnViewDestroyed(this);
}

void CVst3View::Detach()
{
    Close();
    if (m_editor)
        m_editor->SetHost(nullptr);
    m_editor = nullptr;
    m_owner = nullptr;
}

// The editor's thread has ended once its window closed: what it left waiting goes to the host now.
void CVst3View::Close()
{
    if (m_open && m_editor)
        m_editor->Close();
    m_open = false;
    if (m_runLoop) {
        m_runLoop->unregisterTimer(this);
        m_runLoop->release();
        m_runLoop = nullptr;
        if (m_owner)
            m_owner->StopRelayingGestures();
    }
}

void CVst3View::StartRelay()
{
    void* runLoop = nullptr;
    if (!m_frame || !m_owner || m_frame->queryInterface(kRunLoopIid.bytes, &runLoop) != kResultOk || !runLoop)
        return;
    m_runLoop = static_cast<IRunLoop*>(runLoop);
    if (m_runLoop->registerTimer(this, kDeliveryPeriodMs) != kResultOk) {
        m_runLoop->release();
        m_runLoop = nullptr;
        return;
    }
    m_owner->RelayGesturesToThisThread();
}

tresult CVst3View::setFrame(IPlugFrame* frame)
{
    if (frame)
        frame->addRef();
    if (m_frame)
        m_frame->release();
    m_frame = frame;
    return kResultOk;
}

void CVst3View::onTimer()
{
    if (m_owner) {
        m_owner->DeliverGestures();
        m_owner->DeliverValuesChanged();
    }
    if (const std::uint64_t size = m_pendingSize.exchange(0))
        ResizeFrame(static_cast<int>(size >> 32), static_cast<int>(size & 0xFFFFFFFFu));
}

// The editor takes the factor unless its user chose a size; the frame hears the size it has then.
tresult CVst3View::setContentScaleFactor(float factor)
{
    if (!m_editor || !(factor > 0.0f))
        return kResultFalse;
    m_editor->SetHostScale(factor);
    if (m_open) {
        int width = 0, height = 0;
        m_editor->GetPreferredSize(width, height);
        ResizeFrame(width, height);
    }
    return kResultTrue;
}

bool CVst3View::RequestResize(int width, int height)
{
    if (!m_frame || width <= 0 || height <= 0)
        return false;
    if (m_runLoop) {
        m_pendingSize = static_cast<std::uint64_t>(width) << 32 | static_cast<std::uint32_t>(height);
        return true;
    }
    ResizeFrame(width, height);
    return true;
}

void CVst3View::ResizeFrame(int width, int height)
{
    ViewRect rect{0, 0, width, height};
    if (m_frame && width > 0 && height > 0)
        m_frame->resizeView(this, &rect);
}

tresult CVst3View::queryInterface(const TUID iid, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = nullptr;
    if (SameUid(iid, kTimerHandlerIid))
        *object = static_cast<ITimerHandler*>(this);
    else if (SameUid(iid, kPlugViewContentScaleSupportIid))
        *object = static_cast<IPlugViewContentScaleSupport*>(this);
    else if (SameUid(iid, kFUnknownIid) || SameUid(iid, kPlugViewIid))
        *object = static_cast<IPlugView*>(this);
    else
        return kNoInterface;
    addRef();
    return kResultOk;
}

uint32_t CVst3View::addRef() { return m_references.fetch_add(1, std::memory_order_relaxed) + 1; }

uint32_t CVst3View::release()
{
    const uint32_t left = m_references.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0)
        delete this;
    return left;
}

tresult CVst3View::isPlatformTypeSupported(FIDString type)
{
    return type && std::strcmp(type, kPlatformWindowType) == 0 ? kResultTrue : kResultFalse;
}

tresult CVst3View::attached(void* parent, FIDString type)
{
    if (!m_editor || !parent || isPlatformTypeSupported(type) != kResultTrue)
        return kResultFalse;
    if (m_open)
        return kResultFalse;
    StartRelay(); // before the editor's thread can make a gesture
    if (!m_editor->Open(parent)) {
        Close();
        return kResultFalse;
    }
    m_editor->SetVisible(true);
    m_open = true;
    return kResultOk;
}

tresult CVst3View::removed()
{
    if (!m_open)
        return kResultFalse;
    Close();
    return kResultOk;
}

// The editor knows its size before its window exists, at whatever scale it has now.
tresult CVst3View::getSize(ViewRect* size)
{
    if (!size)
        return kInvalidArgument;
    int width = 0, height = 0;
    if (m_editor)
        m_editor->GetPreferredSize(width, height);
    if (width <= 0 || height <= 0)
        return kResultFalse;
    *size = ViewRect{0, 0, width, height};
    return kResultOk;
}

// The editor comes in the sizes its user chooses, not in any size the host drags: the host's
// answer to resizeView is taken, nothing else changes the window.
tresult CVst3View::onSize(ViewRect* size) { return size ? kResultOk : kInvalidArgument; }

tresult CVst3View::checkSizeConstraint(ViewRect* rect)
{
    if (!rect)
        return kInvalidArgument;
    int width = 0, height = 0;
    if (m_editor)
        m_editor->GetPreferredSize(width, height);
    if (width > 0 && height > 0)
        *rect = ViewRect{rect->left, rect->top, rect->left + width, rect->top + height};
    return kResultOk;
}
