#pragma once
#include "X11Control.h"

// A caption centred on a bevelled panel, as the Windows labels paint.
class CX11Label : public CX11Control
{
public:
    CX11Label(const SPixelRect& rect, const std::string& caption, const SControlScale& scale = SControlScale{})
        : CX11Control(rect, scale), m_caption(caption) {}
    void SetLook(const SFrameColourSet& panel, std::uint32_t text, const STextStyle& style);
    void Paint(CCanvas& canvas) override;

private:
    std::string m_caption;
    SFrameColourSet m_panel{0x0000AA, 0xAA0000, 0xFF0000, 0x0000FF};
    std::uint32_t m_text = 0;
    STextStyle m_style;
};

// A group box: an etched frame whose top line is interrupted by the caption (centred or 8 pixels
// from the left), as the Windows group frames paint.
class CX11GroupFrame : public CX11Control
{
public:
    CX11GroupFrame(const SPixelRect& rect, const std::string& caption, bool centred,
                   const SControlScale& scale = SControlScale{})
        : CX11Control(rect, scale), m_caption(caption), m_centred(centred) {}
    void SetLook(std::uint32_t line, std::uint32_t light, std::uint32_t text, const STextStyle& style);
    void Paint(CCanvas& canvas) override;

private:
    std::string m_caption;
    bool m_centred;
    std::uint32_t m_line = 0x000011;
    std::uint32_t m_light = 0x0000DD;
    std::uint32_t m_text = 0;
    STextStyle m_style;
};
