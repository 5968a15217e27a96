// The plug-in's own X11 editor (the same view, controls, layout, skin and binding) on a web page:
// its windows go to the page's screen (WebDisplay.cpp), its parameter changes to a queue the page
// forwards to the audio worklet's instance.
#include "StereoChorusLayout.h"
#include "StereoChorusView.h"
#include "WebCanvasText.h"
#include "WebChorus.h"
#include "WebScreen.h"
#include <emscripten/emscripten.h>
#include <memory>
#include <vector>

namespace {

// The view over the page's editor instance of the core; the user's changes are queued for the
// page, which forwards them to the instance that plays.
class CWebEditor : public CPluginCoreListener
{
public:
    CWebEditor(CPluginCore& core, double scale) : m_core(core), m_context(core.MakeEditorContext()), m_view(scale)
    {
        m_core.SetListener(this);
        m_view.AttachContext(m_context);
        m_view.BindControls();
        m_view.Open(1);
    }
    ~CWebEditor() override { m_core.SetListener(nullptr); }

    void OnParameterAutomated(int index, float normalised) override { changes.push_back({index, normalised}); }
    void OnBeginEdit(int) override {}
    void OnEndEdit(int) override {}
    void OnParameterChanged() override { WebScreen().dirty = true; }

    CStereoChorusView& View() { return m_view; }

    struct SChange
    {
        int index;
        float normalised;
    };
    std::vector<SChange> changes;

private:
    CPluginCore& m_core;
    CEditorContext m_context;
    CStereoChorusView m_view;
};

std::unique_ptr<CWebEditor> g_editor;

// Fields the page reads with one DataView.
struct SWindowInfo
{
    int shown, x, y, width, height, version, textRuns;
};
SWindowInfo g_windowInfo;

struct STextInfo
{
    int left, top, right, bottom, rgb, centred, bold;
    float pixelSize;
    const char* text;
};
STextInfo g_textInfo;

void FireTimers(SWebScreen& screen)
{
    // A handler may set or kill timers: walk a copy.
    const std::vector<SWebTimer> timers = screen.timers;
    for (const SWebTimer& timer : timers)
        if (timer.dueMs <= screen.nowMs && screen.timerHandler)
        {
            for (SWebTimer& live : screen.timers)
                if (live.id == timer.id)
                    live.dueMs = screen.nowMs + live.periodMs;
            screen.timerHandler->OnTimer(timer.id);
        }
}

void Repaint(SWebScreen& screen)
{
    for (SWebWindow& window : screen.windows)
    {
        if (!window.shown || !window.handler || window.width <= 0 || window.height <= 0)
            continue;
        auto picture = std::make_unique<CCanvas>(window.width, window.height);
        window.handler->OnPaint(*picture);
        window.picture = std::move(picture);
        ++window.version;
    }
}

} // namespace

extern "C" {

// Opens the editor over the instance's core at a scale (the page's device pixel ratio, clamped as
// every editor clamps a host's factor); one editor per page.
EMSCRIPTEN_KEEPALIVE void editor_open(SWebChorus* chorus, double scale)
{
    g_editor.reset();
    g_editor = std::make_unique<CWebEditor>(chorus->core, scale);
}

// Redraws the open editor at another scale, as a plug-in's editor follows its host's.
EMSCRIPTEN_KEEPALIVE void editor_set_scale(double scale)
{
    if (g_editor)
        g_editor->View().SetScale(scale);
}

// The factor the editor draws at: its pictures, text and pointer coordinates are in its pixels.
EMSCRIPTEN_KEEPALIVE double editor_scale() { return g_editor ? g_editor->View().Layout().Factor() : 1.0; }

EMSCRIPTEN_KEEPALIVE void editor_close() { g_editor.reset(); }

// Runs the timers due at `nowMs` (the refresh, the preset list's slide) and repaints what
// changed; 1 when the pictures changed.
EMSCRIPTEN_KEEPALIVE int editor_frame(double nowMs)
{
    SWebScreen& screen = WebScreen();
    screen.nowMs = nowMs;
    FireTimers(screen);
    if (!screen.dirty)
        return 0;
    screen.dirty = false;
    Repaint(screen);
    return 1;
}

// kind: 0 press, 1 release, 2 move, 3 leave; x, y in the window's pixels.
EMSCRIPTEN_KEEPALIVE void editor_pointer(int window, int kind, int x, int y)
{
    SWebScreen& screen = WebScreen();
    if (window < 0 || window >= static_cast<int>(screen.windows.size()) || !screen.windows[window].handler)
        return;
    screen.windows[window].handler->OnPointer(static_cast<EPointer>(kind), x, y);
}

// Moves the fader with that control id by `steps` positions (positive: toward its maximum) as
// one gesture, for the keyboard and the wheel; returns its text afterwards ("" for no fader).
EMSCRIPTEN_KEEPALIVE const char* editor_step(int controlId, int steps)
{
    static std::string text;
    text.clear();
    CX11Slider* slider = g_editor ? g_editor->View().Slider(controlId) : nullptr;
    if (!slider)
        return text.c_str();
    const int direction = slider->IsReversed() ? -1 : 1;
    slider->NotifyBeginEdit();
    slider->SetPosition(slider->GetPosition() + direction * steps);
    slider->NotifyValueChanged();
    slider->NotifyEndEdit();
    text = slider->GetText();
    return text.c_str();
}

// The thumb of the fader with that control id in the editor's pixels: left, top, right, bottom
// (all 0 without such a fader).
EMSCRIPTEN_KEEPALIVE const int* editor_thumb(int controlId)
{
    static int fields[4];
    CX11Slider* slider = g_editor ? g_editor->View().Slider(controlId) : nullptr;
    const SPixelRect thumb = slider ? slider->ThumbRect() : SPixelRect{};
    const int dx = slider ? slider->Rect().left : 0, dy = slider ? slider->Rect().top : 0;
    const int values[4] = {thumb.left + dx, thumb.top + dy, thumb.right + dx, thumb.bottom + dy};
    std::copy(values, values + 4, fields);
    return fields;
}

// The text a control shows for its value ("20.00 ms"), or "" without such a control.
EMSCRIPTEN_KEEPALIVE const char* editor_control_text(int controlId)
{
    static std::string text;
    text.clear();
    if (CParameterControl* control = g_editor ? g_editor->View().FindControl(controlId) : nullptr)
        text = control->GetText();
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE int editor_change_count() { return g_editor ? static_cast<int>(g_editor->changes.size()) : 0; }
// Change k of editor_change_count(), oldest first.
EMSCRIPTEN_KEEPALIVE int editor_change_index(int k) { return g_editor->changes[static_cast<size_t>(k)].index; }
EMSCRIPTEN_KEEPALIVE float editor_change_value(int k) { return g_editor->changes[static_cast<size_t>(k)].normalised; }
EMSCRIPTEN_KEEPALIVE void editor_clear_changes()
{
    if (g_editor)
        g_editor->changes.clear();
}

EMSCRIPTEN_KEEPALIVE int editor_hand_cursor() { return WebScreen().hand ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int editor_window_count() { return static_cast<int>(WebScreen().windows.size()); }

namespace {

const SWebWindow* FindWindow(int index)
{
    const auto& windows = WebScreen().windows;
    return index >= 0 && index < static_cast<int>(windows.size()) ? &windows[static_cast<size_t>(index)] : nullptr;
}

} // namespace

// The window's state (all 0 for no such window).
EMSCRIPTEN_KEEPALIVE const SWindowInfo* editor_window(int index)
{
    g_windowInfo = SWindowInfo{};
    const SWebWindow* found = FindWindow(index);
    if (!found)
        return &g_windowInfo;
    const SWebWindow& window = *found;
    const int runs = window.picture ? static_cast<int>(WebTextRuns(*window.picture).size()) : 0;
    g_windowInfo = SWindowInfo{window.shown && window.picture, window.x, window.y, window.width, window.height,
                               window.version, runs};
    return &g_windowInfo;
}

// The last painting's pixels, 0x00RRGGBB each, rows of width pixels.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* editor_window_pixels(int index)
{
    const SWebWindow* window = FindWindow(index);
    return window && window->picture ? window->picture->Data() : nullptr;
}

// Run `run` of the window's last painting; null for none.
EMSCRIPTEN_KEEPALIVE const STextInfo* editor_window_text(int index, int run)
{
    const SWebWindow* window = FindWindow(index);
    if (!window || !window->picture || run < 0 || run >= static_cast<int>(WebTextRuns(*window->picture).size()))
        return nullptr;
    const SWebTextRun& text = WebTextRuns(*window->picture)[static_cast<size_t>(run)];
    g_textInfo = STextInfo{text.rect.left,  text.rect.top, text.rect.right, text.rect.bottom, static_cast<int>(text.rgb),
                           text.centred,    text.bold,     static_cast<float>(text.pixelSize), text.text.c_str()};
    return &g_textInfo;
}

// The shared layout's controls, for the page's focus order and keyboard: id, kind (as
// EControlKind), then the rectangle in the open editor's pixels (at its scale).
EMSCRIPTEN_KEEPALIVE int layout_control_count() { return stereo_chorus_layout::kControlCount; }

EMSCRIPTEN_KEEPALIVE const int* layout_control(int index)
{
    static int fields[6];
    if (index < 0 || index >= stereo_chorus_layout::kControlCount)
        return nullptr;
    const SControlLayout& control = stereo_chorus_layout::kControls[index];
    const CStereoChorusLayout layout = g_editor ? g_editor->View().Layout() : CStereoChorusLayout();
    const SPixelRect rect = layout.ControlRect(control);
    const int values[6] = {control.id, static_cast<int>(control.kind), rect.left, rect.top, rect.right, rect.bottom};
    std::copy(values, values + 6, fields);
    return fields;
}

} // extern "C"
