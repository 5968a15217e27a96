#include "StereoChorusView.h"
#include "StereoChorusLayout.h"
#include "StereoChorusTabOrder.h"
#include "resource.h"
#include <iterator>
#include <string>

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
STextStyle CaptionStyle(const CStereoChorusLayout& layout)
{
    STextStyle style;
    style.pixelSize = layout.CaptionPixels();
    style.bold = false;
    return style;
}

} // namespace

CStereoChorusView::CStereoChorusView(double scale)
    : CX11EditorWindow(CStereoChorusLayout(scale).Width(), CStereoChorusLayout(scale).Height()), m_layout(scale)
{
    BuildControls();
}

// Everything the window shows, at the layout's scale: the background picture and every control.
void CStereoChorusView::BuildControls()
{
    ClearControls();
    m_decoration.clear();
    m_sliders.clear();
    const SControlScale& scale = m_layout.Scale();
    Resize(m_layout.Width(), m_layout.Height(), scale);
    SetBackground(LoadSkinBitmapAt(IDB_BACKGROUND, scale.factor), m_layout.BackgroundMargin());
    // Frames and labels first: the faders and switches paint over them, as child windows do.
    for (const SControlLayout& control : layout::kControls)
    {
        const SPixelRect rect = m_layout.ControlRect(control);
        if (control.kind == EControlKind::GroupFrame)
        {
            auto frame = std::make_unique<CX11GroupFrame>(rect, control.caption, control.centred, scale);
            frame->SetLook(skin::kDark, skin::kBright, skin::kHighlight, CaptionStyle(m_layout));
            m_decoration.push_back(std::move(frame));
        }
        else if (control.kind == EControlKind::Label)
        {
            auto label = std::make_unique<CX11Label>(rect, control.caption, scale);
            label->SetLook(kPanelFrame, skin::kHighlight, CaptionStyle(m_layout));
            m_decoration.push_back(std::move(label));
        }
    }
    for (auto& decoration : m_decoration)
        AddControl(decoration.get());

    for (const SSliderSetup& setup : layout::kSliders)
    {
        auto slider = std::make_unique<CX11Slider>(m_layout.ControlRect(setup.id), Listener(), setup.parameterIndex,
                                                   setup.id, scale);
        slider->SetColours(kPanelFrame, Frame(skin::kChannel), Frame(skin::kThumb), skin::kTick, skin::kHighlight);
        AddControl(slider.get());
        m_sliders.push_back(std::move(slider));
    }
    BuildSwitches();
}

void CStereoChorusView::BuildSwitches()
{
    const SControlScale& scale = m_layout.Scale();
    const SFrameColourSet raised = Frame(skin::kRaised), sunken = Frame(skin::kSunken);
    m_waveform = std::make_unique<CX11Button>(m_layout.ControlRect(IDC_WAVEFORM_BUTTON), Listener(), 8,
                                              IDC_WAVEFORM_BUTTON, "", scale);
    m_waveform->SetFaceColours(kPanelFrame, raised, raised);
    auto face = [&scale](int id) { return LoadSkinBitmapAt(id, scale.factor, true, ToRgb(WAVE_FACE_BACKDROP)); };
    const SBitmapPixels faces[4] = {face(IDB_WAVE_SINE), face(IDB_WAVE_PRESSED), face(IDB_WAVE_TRIANGLE),
                                    face(IDB_WAVE_PRESSED)};
    m_waveform->SetPictures(faces, WAVE_FACE_BACKDROP);

    m_bypass = std::make_unique<CX11Button>(m_layout.ControlRect(IDC_BYPASS_BUTTON), Listener(), 0, IDC_BYPASS_BUTTON,
                                            "Bypass", scale);
    m_bypass->SetFaceColours(kPanelFrame, raised, sunken);
    // The presets switch keeps its list's popup window through a rebuild: it is made once.
    if (m_presets)
        m_presets->Place(m_layout.ControlRect(IDC_PRESETS_BUTTON), scale);
    else
        m_presets = std::make_unique<CX11PresetButton>(m_layout.ControlRect(IDC_PRESETS_BUTTON), Listener(),
                                                       kParameterCount, IDC_PRESETS_BUTTON, "Presets", scale);
    m_presets->SetFaceColours(SFrameColourSet{0x0000AA, 0xAA0000, 0xFF0000, 0x0000FF}, raised, sunken);
    for (CX11Button* button : {m_bypass.get(), static_cast<CX11Button*>(m_presets.get())})
    {
        button->SetTextColours(skin::kRed, skin::kHighlight);
        button->SetCaptionStyle(CaptionStyle(m_layout));
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

void CStereoChorusView::SetScale(double scale)
{
    const CStereoChorusLayout layout(scale);
    if (layout.Factor() == m_layout.Factor())
        return;
    m_layout = layout;
    ShowTooltip("", 0, 0);
    BuildControls();
    BindControls();
    if (!m_opened)
        return;
    AttachPresetList(false);
    RefreshControls();
    Display().Invalidate();
}

void CStereoChorusView::SetSizeMenu(int checkedPercent, SizeChosen chosen)
{
    m_checkedPercent = checkedPercent;
    m_sizeChosen = std::move(chosen);
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
    AttachPresetList(true);
    RefreshControls();
}

// The list's look at the layout's scale; `opening` gives it the newly opened display.
void CStereoChorusView::AttachPresetList(bool opening)
{
    if (opening)
        m_presets->Attach(&Display(), Width(), Height(), kSlideTimer, kFollowTimer);
    STextStyle font;
    font.pixelSize = m_layout.CaptionPixels();
    m_presets->SetLook(CX11PresetButton::SListLook{skin::kPanel, skin::kSelection, skin::kRed, skin::kHighlight,
                                                   skin::kHighlight, font, m_layout.ListFontPixels(),
                                                   m_layout.PresetListWidth(), m_layout.PresetSlideStep(),
                                                   layout::kPresetSlidePeriodMs});
    if (!opening)
        m_presets->SetEditorSize(Width(), Height());
    ConfigureSliders();
    FillPresetList();
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
    return m_layout.HitTestAbout(x, y);
}

// The sizes in percent, then "Follow host"; the current choice marked.
void CStereoChorusView::OnAboutMenu(int x, int y)
{
    std::vector<std::string> entries;
    int checked = static_cast<int>(std::size(layout::kChoosableSizes));
    for (int percent : layout::kChoosableSizes)
    {
        if (percent == m_checkedPercent)
            checked = static_cast<int>(entries.size());
        entries.push_back(std::to_string(percent) + " %");
    }
    entries.push_back("Follow host");
    ShowMenu(std::move(entries), checked, x, y, [this](int index) {
        const int count = static_cast<int>(std::size(layout::kChoosableSizes));
        const int percent = index < count ? layout::kChoosableSizes[index] : 0;
        m_checkedPercent = percent;
        if (m_sizeChosen)
            m_sizeChosen(percent);
    });
}

void CStereoChorusView::OnAbout()
{
    ShowAbout(layout::AboutCaption(), layout::AboutText());
}

void CStereoChorusView::OnOtherTimer(int id)
{
    m_presets->OnTimer(id);
}
