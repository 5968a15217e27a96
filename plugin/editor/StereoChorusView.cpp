#include "StereoChorusView.h"
#include "StereoChorusLayout.h"
#include "StereoChorusTabOrder.h"
#include "resource.h"

namespace {

namespace layout = stereo_chorus_layout;

constexpr int kSlideTimer = 1;
constexpr int kFollowTimer = 2;

SFrameColourSet Frame(const SkinColour (&colours)[4])
{
    return SFrameColourSet{colours[0], colours[1], colours[2], colours[3]};
}

const SFrameColourSet kPanelFrame{skin::kPanel, skin::kPanel, skin::kPanel, skin::kPanel};

// The Windows dialog's fonts have no match on Linux: a sans serif of the same pixel size.
STextStyle CaptionStyle()
{
    STextStyle style;
    style.pixelSize = 11.0;
    style.bold = false;
    return style;
}

STextStyle ListStyle()
{
    STextStyle style;
    style.pixelSize = 11.0;
    return style;
}

} // namespace

CStereoChorusView::CStereoChorusView() : CX11EditorWindow(layout::DialogWidth(), layout::DialogHeight())
{
    SetBackground(LoadSkinBitmap(IDB_BACKGROUND));
    // Frames and labels first: the faders and switches paint over them, as child windows do.
    for (const SControlLayout& control : layout::kControls)
    {
        const SPixelRect rect = layout::ControlRect(control);
        if (control.kind == EControlKind::GroupFrame)
        {
            auto frame = std::make_unique<CX11GroupFrame>(rect, control.caption, control.centred);
            frame->SetLook(skin::kDark, skin::kBright, skin::kHighlight, CaptionStyle());
            m_decoration.push_back(std::move(frame));
        }
        else if (control.kind == EControlKind::Label)
        {
            auto label = std::make_unique<CX11Label>(rect, control.caption);
            label->SetLook(kPanelFrame, skin::kHighlight, CaptionStyle());
            m_decoration.push_back(std::move(label));
        }
    }
    for (auto& decoration : m_decoration)
        AddControl(decoration.get());

    for (const SSliderSetup& setup : layout::kSliders)
    {
        auto slider = std::make_unique<CX11Slider>(layout::ControlRect(*layout::FindControl(setup.id)), Listener(),
                                                   setup.parameterIndex, setup.id);
        slider->SetColours(kPanelFrame, Frame(skin::kChannel), Frame(skin::kThumb), skin::kTick, skin::kHighlight);
        AddControl(slider.get());
        m_sliders.push_back(std::move(slider));
    }

    const SFrameColourSet raised = Frame(skin::kRaised), sunken = Frame(skin::kSunken);
    m_waveform = std::make_unique<CX11Button>(layout::ControlRect(*layout::FindControl(IDC_WAVEFORM_BUTTON)),
                                              Listener(), 8, IDC_WAVEFORM_BUTTON, "");
    m_waveform->SetFaceColours(kPanelFrame, raised, raised);
    const SBitmapPixels faces[4] = {LoadSkinBitmap(IDB_WAVE_SINE), LoadSkinBitmap(IDB_WAVE_PRESSED),
                                    LoadSkinBitmap(IDB_WAVE_TRIANGLE), LoadSkinBitmap(IDB_WAVE_PRESSED)};
    m_waveform->SetPictures(faces, WAVE_FACE_BACKDROP);

    m_bypass = std::make_unique<CX11Button>(layout::ControlRect(*layout::FindControl(IDC_BYPASS_BUTTON)), Listener(),
                                            0, IDC_BYPASS_BUTTON, "Bypass");
    m_bypass->SetFaceColours(kPanelFrame, raised, sunken);
    m_presets = std::make_unique<CX11PresetButton>(layout::ControlRect(*layout::FindControl(IDC_PRESETS_BUTTON)),
                                                   Listener(), kParameterCount, IDC_PRESETS_BUTTON, "Presets");
    m_presets->SetFaceColours(SFrameColourSet{0x0000AA, 0xAA0000, 0xFF0000, 0x0000FF}, raised, sunken);
    for (CX11Button* button : {m_bypass.get(), static_cast<CX11Button*>(m_presets.get())})
    {
        button->SetTextColours(skin::kRed, skin::kHighlight);
        button->SetCaptionStyle(CaptionStyle());
    }
    AddControl(m_waveform.get());
    AddControl(m_bypass.get());
    AddControl(m_presets.get());
    SetPresetControl(m_presets.get());
    SetTabOrderFromIds();
}

void CStereoChorusView::SetTabOrderFromIds()
{
    std::vector<CX11Control*> order;
    for (int id : layout::kTabOrder)
    {
        if (CX11Slider* slider = Slider(id))
            order.push_back(slider);
        else
            for (CX11Button* button : {m_waveform.get(), m_bypass.get(), static_cast<CX11Button*>(m_presets.get())})
                if (button->GetControlId() == id)
                    order.push_back(button);
    }
    SetTabOrder(std::move(order));
    SetFocusMarkColour(skin::kHighlight);
}

CStereoChorusView::~CStereoChorusView()
{
    Close(); // the display's thread stops before the controls go
}

CX11Slider* CStereoChorusView::Slider(int id) const
{
    for (const auto& slider : m_sliders)
        if (slider->GetControlId() == id)
            return slider.get();
    return nullptr;
}

void CStereoChorusView::BindControls()
{
    if (!InputParameters())
        return;
    if (HasInputTable() && InputParameters()->GetCount() == kParameterCount)
    {
        BindInputControl(0, m_bypass.get());
        BindInputControl(8, m_waveform.get());
        for (const SSliderSetup& setup : layout::kSliders)
            BindInputControl(setup.parameterIndex, Slider(setup.id));
    }
    if (m_opened)
    {
        ConfigureSliders();
        FillPresetList();
    }
}

void CStereoChorusView::OnOpened()
{
    m_opened = true;
    m_presets->Attach(&Display(), Width(), Height(), kSlideTimer, kFollowTimer);
    m_presets->SetLook(CX11PresetButton::SListLook{skin::kPanel, skin::kSelection, skin::kRed, skin::kHighlight,
                                                   skin::kHighlight, ListStyle(), 13, layout::kPresetListWidth,
                                                   layout::kPresetSlideStep, layout::kPresetSlidePeriodMs});
    ConfigureSliders();
    FillPresetList();
    RefreshControls();
}

// Without an input set nothing is configured; the maximum goes at the top.
void CStereoChorusView::ConfigureSliders()
{
    if (!InputParameters())
        return;
    for (const SSliderSetup& setup : layout::kSliders)
    {
        CX11Slider& slider = *Slider(setup.id);
        if (setup.squareLaw)
            slider.SetTapers(SquareLawValueTaper, SquareLawPositionTaper);
        SetupSlider(slider);
        slider.SetSteps(setup.ticks, setup.positions);
        slider.SetReversed(true);
        slider.SetFormat(setup.format);
    }
}

void CStereoChorusView::FillPresetList()
{
    std::vector<SPresetListItem> items;
    CPresetListView* presets = PresetListView();
    const int count = presets ? presets->GetCount() : 0;
    for (int i = 0; i < count; ++i)
    {
        const CPreset* preset = presets->GetItem(i);
        items.push_back(SPresetListItem{preset && preset->GetName() ? preset->GetName() : "",
                                        preset && preset->GetKind() == CPreset::kHeading});
    }
    m_presets->SetItems(std::move(items));
}

bool CStereoChorusView::HitTestAbout(int x, int y) const
{
    return layout::HitTestAbout(x, y);
}

void CStereoChorusView::OnAbout()
{
    ShowAbout(layout::AboutCaption(), layout::AboutText());
}

void CStereoChorusView::OnOtherTimer(int id)
{
    m_presets->OnTimer(id);
}
