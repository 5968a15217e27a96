#include "Lv2UiDescriptor.h"
#include "Lv2Ui.h"
#include <cstring>
#include <type_traits>

namespace {

CLv2Ui* UiOf(LV2UI_Handle handle) { return static_cast<CLv2Ui*>(handle); }

void Cleanup(LV2UI_Handle handle) { delete UiOf(handle); }

void PortEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    if (handle)
        UiOf(handle)->PortEvent(port, size, format, buffer);
}

int Idle(LV2UI_Handle handle) { return handle ? UiOf(handle)->Idle() : 1; }

const LV2UI_Idle_Interface kIdle{Idle};

const void* ExtensionData(const char* uri)
{
    return uri && std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &kIdle : nullptr;
}

} // namespace

CLv2UiDescriptor::CLv2UiDescriptor(const char* uri, const SPluginDescription& (*product)())
    : m_descriptor{uri, Instantiate, Cleanup, PortEvent, ExtensionData}, m_product(product)
{
}

LV2UI_Handle CLv2UiDescriptor::Instantiate(const LV2UI_Descriptor* descriptor, const char*, const char*,
                                           LV2UI_Write_Function write, LV2UI_Controller controller,
                                           LV2UI_Widget* widget, const LV2_Feature* const* features)
{
    static_assert(std::is_standard_layout<CLv2UiDescriptor>::value, "the host's pointer must be the object's");
    if (!descriptor)
        return nullptr;
    const auto* self = reinterpret_cast<const CLv2UiDescriptor*>(descriptor);
    // Nothing may unwind into the host; a throw leaves nothing behind.
    try {
        std::unique_ptr<CLv2Ui> ui = CLv2Ui::Create(self->m_product(), write, controller, features);
        if (!ui)
            return nullptr;
        if (widget)
            *widget = ui->Widget();
        return ui.release();
    } catch (...) {
        return nullptr;
    }
}
