#pragma once
#include "ControlBinding.h"
#include "X11Control.h"
#include "X11Display.h"
#include "X11PopupMenu.h"
#include <chrono>
#include <string>
#include <vector>

// The effect-independent X11 editor window: the bitmap background with a 4-pixel black margin
// (a plain dark red without one), the controls painted over it, the parameter binding of
// CControlBinding refreshed every 50 ms by the display's own timer, the pointer routed to the
// control under it (and kept by it until release), tooltips and an About box behind a hot area,
// and a menu a right click there opens. Its popups draw at the window's scale.
// The keyboard moves a focus through the controls in a tab order, the wheel works the control
// under the pointer (X11EditorWindowInput.cpp).
class CX11EditorWindow : public CControlBinding,
                         public CX11WindowHandler,
                         public CX11TimerHandler,
                         public CX11ControlHost
{
public:
    CX11EditorWindow(int width, int height);
    ~CX11EditorWindow() override;

    // Opens the window in `parent` and starts refreshing; false without a display or parent.
    bool Open(std::uint32_t parent);
    void Close();
    bool IsOpen() const { return m_display.IsOpen(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    CX11Display& Display() { return m_display; }
    const SControlScale& Scale() const { return m_scale; }

    virtual bool HitTestAbout(int, int) const { return false; }
    // The About box: a popup over the editor with `caption` and `text`, closed by a click.
    void ShowAbout(const std::string& caption, const std::string& text);
    // A menu at window point (x, y); `chosen` hears the entry clicked. On the display's thread.
    void ShowMenu(std::vector<std::string> entries, int checked, int x, int y, CX11PopupMenu::Chosen chosen);

    void OnPaint(CCanvas& canvas) override;
    void OnPointer(EPointer kind, int x, int y) override;
    bool OnKey(const SEditorKey& key) override;
    void OnWheel(int notch, int x, int y) override;
    void OnTimer(int id) override;
    // Wheel notches a host forwards, at the pointer's last place in the window (with the display's
    // lock held, as for OnForwardedKey).
    bool OnForwardedWheel(int notches, unsigned modifiers);
    // The control that has the keyboard, or null.
    CX11Control* FocusedControl() const { return m_focused; }
    void InvalidateControls() override { m_display.Invalidate(); }
    void ShowTooltip(const std::string& text, int x, int y) override;

protected:
    void SetBackground(SBitmapPixels background, int margin)
    {
        m_background = std::move(background);
        m_backgroundMargin = margin;
    }
    void AddControl(CX11Control* control);
    // The controls Tab visits, in order, and the colour of the mark on the one that has the focus.
    void SetTabOrder(std::vector<CX11Control*> order);
    void SetFocusMarkColour(std::uint32_t colour) { m_focusMarkColour = colour; }
    bool OnEditorKey(const SEditorKey& key) override { return OnKey(key); }
    // Forgets every control, as a rebuild at another size starts.
    void ClearControls();
    // A new size and scale: the window takes the size (where it is), popups the scale.
    void Resize(int width, int height, const SControlScale& scale);
    // Called on the display's thread for a press on the About area, and a right press there.
    virtual void OnAbout() {}
    virtual void OnAboutMenu(int, int) {}
    // Timers other than the refresh (id 0) go here.
    virtual void OnOtherTimer(int) {}
    // Called once the window exists, with the display's lock held, before anything is painted.
    virtual void OnOpened() {}

    static constexpr int kRefreshTimer = 0;

private:
    class CPopupText;
    // X11EditorWindowInput.cpp
    void PaintFocusMark(CCanvas& canvas) const;
    void FocusOnPress(CX11Control* control);
    bool IsDoubleClick(CX11Control* control, int x, int y);
    bool WheelAt(int notch, bool fine, int x, int y);

    CX11Display m_display;
    int m_width;
    int m_height;
    SControlScale m_scale;
    SBitmapPixels m_background;
    int m_backgroundMargin = 4;
    std::vector<CX11Control*> m_controls;
    CX11Control* m_captured = nullptr;
    bool m_hand = false;
    std::vector<CX11Control*> m_tabOrder;
    CX11Control* m_focused = nullptr;
    int m_refocusAt = -1; // the focus's place in the tab order across a rebuild, -1 for none
    bool m_focusShown = false; // once the keyboard is used, as Windows shows focus cues
    std::uint32_t m_focusMarkColour = 0x00CFFF;
    struct SClick
    {
        CX11Control* control = nullptr;
        std::chrono::steady_clock::time_point when;
        int x = 0, y = 0;
    } m_lastClick;
    bool m_pointerInside = false;
    int m_pointerX = 0, m_pointerY = 0;
    std::unique_ptr<CPopupText> m_tooltip;
    std::unique_ptr<CPopupText> m_about;
    std::unique_ptr<CX11PopupMenu> m_menu;
};
