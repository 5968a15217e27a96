#pragma once
#include "ParameterControl.h"
#include "X11Control.h"

// The editor's two-state switch on X11, painted like the Windows one: a diagonal bevelled face,
// raised or sunken, per state and while held down, with a caption in the state's colour, or a
// picture on a gradient backdrop. A click toggles it on release, wherever the pointer is then.
class CX11Button : public CX11Control, public CParameterControl
{
public:
    CX11Button(const SPixelRect& rect, CParameterControlListener* listener, int parameterIndex, int controlId,
               const std::string& caption, const SControlScale& scale = SControlScale{});

    void SetValue(float value) override;
    float GetValue() override { return m_on ? 1.0f : 0.0f; }
    int GetMaxPosition() override { return 1; }
    bool IsOn() const { return m_on; }

    void SetFaceColours(const SFrameColourSet& background, const SFrameColourSet& off, const SFrameColourSet& on);
    void SetTextColours(std::uint32_t off, std::uint32_t on);
    void SetCaptionStyle(const STextStyle& style) { m_style = style; }
    // Pictures for off, off held, on, on held, centred on a backdrop; pixels of `key` are left out.
    void SetPictures(const SBitmapPixels (&faces)[4], std::uint32_t key);

    void Paint(CCanvas& canvas) override;
    void OnPress(int x, int y) override;
    void OnRelease(int x, int y) override;
    // With the focus, Space clicks it.
    bool TakesFocus() const override { return true; }
    bool OnKey(const SEditorKey& key) override;

protected:
    void SetOn(bool on);
    bool IsPressed() const { return m_pressed; }
    void SetPressed(bool pressed);

private:
    std::string m_caption;
    bool m_on = false;
    bool m_pressed = false;
    SFrameColourSet m_background{0x0000AA, 0xAA0000, 0xFF0000, 0x0000FF};
    SFrameColourSet m_off{0x000000, 0x00AA00, 0xFF0000, 0x220000};
    SFrameColourSet m_onColours{0x000000, 0x0000AA, 0x0000FF, 0x000011};
    std::uint32_t m_offText = 0xAA0000;
    std::uint32_t m_onText = 0x0000AA;
    STextStyle m_style;
    bool m_hasPictures = false;
    SBitmapPixels m_pictures[4];
    std::uint32_t m_key = 0;
};
