#pragma once
#include "X11Button.h"
#include "X11Display.h"
#include <vector>

struct SPresetListItem
{
    std::string text;
    bool heading = false;
};

// The "Presets" switch on X11: switched on, it slides a list of the presets out of the editor
// window's right edge (a popup growing 30 pixels every 25 ms up to its full width) and follows the
// window while it is out, going at once when the host hides the window; switched off, the list
// slides back in. Choosing an entry other than a
// heading reports a change; the value is the chosen entry's index.
class CX11PresetButton : public CX11Button, public CX11WindowHandler
{
public:
    struct SListLook
    {
        std::uint32_t background;
        std::uint32_t selection;
        std::uint32_t text;
        std::uint32_t selectedText;
        std::uint32_t heading;
        STextStyle font;
        int itemHeight;
        int width;        // when out
        int slideStep;    // pixels per tick
        unsigned slideMs; // tick period
    };

    CX11PresetButton(const SPixelRect& rect, CParameterControlListener* listener, int parameterIndex, int controlId,
                     const std::string& caption, const SControlScale& scale = SControlScale{});

    // The display the list opens on, the editor window's size, and the timer ids this button may use.
    void Attach(CX11Display* display, int editorWidth, int editorHeight, int slideTimer, int followTimer);
    // The editor window took another size: the list keeps its window and follows the new edge.
    void SetEditorSize(int editorWidth, int editorHeight);
    void SetLook(const SListLook& look) { m_look = look; }
    void SetItems(std::vector<SPresetListItem> items);

    void SetValue(float) override {}
    float GetValue() override { return m_selection >= 0 ? static_cast<float>(m_selection) : 0.0f; }
    int GetMaxPosition() override { return static_cast<int>(m_items.size()) - 1; }
    std::string GetText() override;
    void SetPosition(int) override {}

    void OnRelease(int x, int y) override;
    // The editor forwards its timers here; false for a timer that is not this button's.
    bool OnTimer(int id);
    int ListWidth() const { return m_width; }

    // The list's window.
    void OnPaint(CCanvas& canvas) override;
    void OnPointer(EPointer kind, int x, int y) override;

private:
    void PlaceList();

    CX11Display* m_display = nullptr;
    int m_popup = -1;
    int m_editorWidth = 0;
    int m_editorHeight = 0;
    int m_slideTimer = 0;
    int m_followTimer = 0;
    SListLook m_look{};
    std::vector<SPresetListItem> m_items;
    int m_selection = -1;
    int m_width = 0;
    bool m_opening = false;
    int m_originX = 0;
    int m_originY = 0;
};
