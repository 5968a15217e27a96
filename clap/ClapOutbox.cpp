#include "ClapOutbox.h"

namespace {

// One item as its CLAP event; false when the list refuses it.
bool PushEvent(const clap::OutputEvents* out, const CGestureOutbox::SGesture& item)
{
    if (item.kind == CGestureOutbox::EKind::Value) {
        clap::EventParamValue event{};
        event.header = {sizeof event, 0, clap::kCoreEventSpace, clap::kEventParamValue, 0};
        event.paramId = static_cast<clap::Id>(item.index);
        event.noteId = -1;
        event.portIndex = -1;
        event.channel = -1;
        event.key = -1;
        event.value = item.value;
        return out->tryPush(out, &event.header);
    }
    const uint16_t type =
        item.kind == CGestureOutbox::EKind::Begin ? clap::kEventParamGestureBegin : clap::kEventParamGestureEnd;
    clap::EventParamGesture event{};
    event.header = {sizeof event, 0, clap::kCoreEventSpace, type, 0};
    event.paramId = static_cast<clap::Id>(item.index);
    return out->tryPush(out, &event.header);
}

} // namespace

void DrainToHost(CGestureOutbox& outbox, const clap::OutputEvents* out)
{
    if (!out || !out->tryPush)
        return; // kept for a host call that can take them
    CGestureOutbox::SGesture item;
    while (outbox.Peek(item) && PushEvent(out, item))
        outbox.Pop();
}
