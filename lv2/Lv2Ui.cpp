#include "Lv2Ui.h"
#include "Lv2UiFeatures.h"
#include <lv2/atom/atom.h>
#include <cmath>
#include <cstring>

namespace {

const LV2_Feature* FindFeature(const LV2_Feature* const* features, const char* uri)
{
    for (const LV2_Feature* const* feature = features; feature && *feature; ++feature)
        if ((*feature)->URI && std::strcmp((*feature)->URI, uri) == 0)
            return *feature;
    return nullptr;
}

} // namespace

std::unique_ptr<CLv2Ui> CLv2Ui::Create(const SPluginDescription& product, LV2UI_Write_Function write,
                                       LV2UI_Controller controller, const LV2_Feature* const* features)
{
    if (!write || !product.createEditor)
        return nullptr;
    for (const char* required : lv2ui::kRequiredFeatures)
        if (!FindFeature(features, required))
            return nullptr;
    const LV2_Feature* touch = FindFeature(features, LV2_UI__touch);
    const auto* touchTable = touch ? static_cast<const LV2UI_Touch*>(touch->data) : nullptr;
    std::unique_ptr<CLv2Ui> ui(new CLv2Ui(product, write, controller, touchTable && touchTable->touch ? touchTable : nullptr));
    if (!ui->m_editor)
        return nullptr;
    ui->TakeHostScale(features);
    if (!ui->Open(FindFeature(features, LV2_UI__parent)->data))
        return nullptr;
    if (const LV2_Feature* resize = FindFeature(features, LV2_UI__resize)) {
        const auto* table = static_cast<const LV2UI_Resize*>(resize->data);
        ui->m_resize = table && table->ui_resize ? table : nullptr;
        int width = 0, height = 0;
        ui->m_editor->GetPreferredSize(width, height);
        ui->Resize(width, height);
    }
    return ui;
}

// ui:scaleFactor among the host's options, a float; without it (or the map) the editor finds the
// desktop's scale itself.
void CLv2Ui::TakeHostScale(const LV2_Feature* const* features)
{
    const LV2_Feature* options = FindFeature(features, LV2_OPTIONS__options);
    const LV2_Feature* map = FindFeature(features, LV2_URID__map);
    const auto* mapper = map ? static_cast<const LV2_URID_Map*>(map->data) : nullptr;
    if (!options || !options->data || !mapper || !mapper->map)
        return;
    const LV2_URID scaleFactor = mapper->map(mapper->handle, LV2_UI__scaleFactor);
    const LV2_URID floatType = mapper->map(mapper->handle, LV2_ATOM__Float);
    for (auto* option = static_cast<const LV2_Options_Option*>(options->data); option->key; ++option)
        if (option->key == scaleFactor && option->type == floatType && option->size == sizeof(float) && option->value)
        {
            float factor = 0.0f;
            std::memcpy(&factor, option->value, sizeof factor);
            if (factor > 0.0f && std::isfinite(factor))
                m_editor->SetHostScale(factor);
        }
}

void CLv2Ui::Resize(int width, int height)
{
    if (m_resize && width > 0 && height > 0)
        m_resize->ui_resize(m_resize->handle, width, height);
}

bool CLv2Ui::RequestResize(int width, int height)
{
    if (!m_resize || width <= 0 || height <= 0)
        return false;
    m_pendingSize = static_cast<std::uint64_t>(width) << 32 | static_cast<std::uint32_t>(height);
    return true;
}

CLv2Ui::CLv2Ui(const SPluginDescription& product, LV2UI_Write_Function write, LV2UI_Controller controller,
               const LV2UI_Touch* touch)
    : m_core(product.createEffect(), nullptr, product.outputRefreshRate), m_layout(m_core),
      m_editor(product.createEditor()), m_write(write), m_controller(controller), m_touch(touch)
{
    m_core.SetListener(this);
    if (m_editor) {
        m_context = m_core.MakeEditorContext();
        m_editor->SetContext(&m_context);
        m_editor->SetHost(this);
    }
}

CLv2Ui::~CLv2Ui()
{
    // The editor's thread ends here, before anything it reports to goes.
    if (m_editor) {
        m_editor->Close();
        m_editor->SetHost(nullptr);
    }
    m_core.SetListener(nullptr);
}

bool CLv2Ui::Open(void* parent)
{
    if (!parent || !m_editor->Open(parent))
        return false;
    m_widget = m_editor->GetWindow();
    return true;
}

void CLv2Ui::PortEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    if (format != 0 || size != sizeof(float) || !buffer || port < static_cast<uint32_t>(m_layout.ControlInput(0)))
        return;
    const int index = static_cast<int>(port) - m_layout.ControlInput(0);
    float value;
    std::memcpy(&value, buffer, sizeof value);
    if (!IsControlInput(index) || !std::isfinite(value))
        return;
    // Taken as the plug-in takes the port's value; the editor's refresh shows it.
    if (index == 0)
        m_core.SetParameter(0, value > 0.5f ? 0.0f : 1.0f); // "enabled" is the bypass inverted
    else
        m_core.SetParameter(index, m_core.ToNormalized(index, value));
}

int CLv2Ui::Idle()
{
    if (const std::uint64_t size = m_pendingSize.exchange(0))
        Resize(static_cast<int>(size >> 32), static_cast<int>(size & 0xFFFFFFFFu));
    CGestureOutbox::SGesture item;
    while (m_outbox.Take(item)) {
        const uint32_t port = static_cast<uint32_t>(m_layout.ControlInput(item.index));
        if (item.kind == CGestureOutbox::EKind::Value) {
            const float value = static_cast<float>(item.value);
            m_write(m_controller, port, sizeof value, 0, &value);
        } else if (m_touch) {
            m_touch->touch(m_touch->handle, port, item.kind == CGestureOutbox::EKind::Begin);
        }
    }
    return 0;
}

void CLv2Ui::OnParameterAutomated(int index, float normalised)
{
    if (!IsControlInput(index))
        return;
    const float value = index == 0 ? (normalised > 0.5f ? 0.0f : 1.0f) : m_core.ToReal(index, normalised);
    m_outbox.Push(CGestureOutbox::EKind::Value, index, value);
}

void CLv2Ui::OnBeginEdit(int index)
{
    if (IsControlInput(index))
        m_outbox.Push(CGestureOutbox::EKind::Begin, index);
}

void CLv2Ui::OnEndEdit(int index)
{
    if (IsControlInput(index))
        m_outbox.Push(CGestureOutbox::EKind::End, index);
}
