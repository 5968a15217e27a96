// How the toggle button paints itself: four faces built once (background, face frame, picture),
// one of them copied per paint with the caption over it.
#include "ParameterButton.h"
#include "ControlKeys.h"
#include "FocusMark.h"
#include "ParentBackground.h"
#include "ResourceModule.h"
#include "SkinPicture.h"
#include <utility>

namespace {

// Gradients use only the colour channels of a value.
COLORREF Channels(COLORREF colour)
{
    return colour & 0xFFFFFF;
}

SFrameColours Sunken(SFrameColours colours)
{
    std::swap(colours.highlight, colours.shadow);
    return colours;
}

// A face frame; a pressed one (given its sunken colours) runs a diagonal gradient the other way.
void DrawFaceFrame(HDC dc, RECT rect, const SFrameColours& colours, bool diagonal, bool pressed, int line)
{
    if (!diagonal)
    {
        DrawFrame(colours.highlight, colours.fill, dc, rect, true, Channels(colours.gradient),
                  colours.shadow, EGradientAxis::Vertical, line);
        return;
    }
    COLORREF a = colours.fill, b = Channels(colours.gradient);
    if (pressed)
        std::swap(a, b);
    DrawFrameDiagonal(colours.shadow, colours.highlight, rect, dc, true, a, b, line);
}

// Copies (or stretches) part of a bitmap, leaving out one colour when asked to.
void PlaceBitmap(HDC target, const RECT& to, HDC source, int sourceWidth, int sourceHeight,
                 bool transparency, COLORREF transparentColour, bool stretch)
{
    const int width = to.right - to.left, height = to.bottom - to.top;
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    if (transparency)
        TransparentBlt(target, to.left, to.top, width, height, source, 0, 0, sourceWidth, sourceHeight,
                       Channels(transparentColour));
    else if (stretch)
        StretchBlt(target, to.left, to.top, width, height, source, 0, 0, sourceWidth, sourceHeight, SRCCOPY);
    else
        BitBlt(target, to.left, to.top, width, height, source, 0, 0, SRCCOPY);
}

// Where a centred bitmap starts: in the middle, or at the edge when it does not fit.
int CentredOrigin(int client, int bitmap)
{
    return bitmap < client ? (client - bitmap) / 2 : 0;
}

} // namespace

void CParameterButton::SetPaintScale(const SControlScale& scale)
{
    m_paintScale = scale;
    m_parentBackground.Reset();
    RebuildBackground();
    RebuildFaces();
}

void CParameterButton::CaptureParentBackground(HDC dc)
{
    const RECT client = GetClientRect();
    if (!m_parentBackground.IsValid() && !m_parentBackground.Create(dc, client.right, client.bottom))
        return;
    // The parent paints into the buffer: the screen may show this button or another window there.
    if (!win::PaintParentBackground(GetHwnd(), m_parentBackground.Dc()))
        return;
    m_backgroundStale = false;
    for (auto& face : m_faces) // they show the background that was just replaced
        face.Reset();
}

void CParameterButton::BuildBackgroundFrame(HDC dc)
{
    const RECT client = GetClientRect();
    if (m_backgroundFrame.IsValid() || !m_backgroundFrame.Create(dc, client.right, client.bottom))
        return;
    RECT rect = client;
    const SFrameColours& c = m_backgroundColours;
    const int line = m_paintScale.Line();
    if (m_diagonal)
        DrawFrameDiagonal(c.shadow, c.highlight, rect, m_backgroundFrame.Dc(), true, c.fill, Channels(c.gradient),
                          line);
    else
        DrawFrame(c.highlight, c.fill, m_backgroundFrame.Dc(), rect, true, Channels(c.gradient), c.shadow,
                  EGradientAxis::Vertical, line);
}

void CParameterButton::PaintBackground(HDC target) const
{
    if (m_transparent)
        m_parentBackground.CopyTo(target, 0, 0);
    else
        m_backgroundFrame.CopyTo(target, 0, 0);
}

void CParameterButton::BuildFaces(HDC dc)
{
    if (m_transparent && !m_parentBackground.IsValid())
        CaptureParentBackground(dc);
    if (!m_transparent)
        BuildBackgroundFrame(dc);
    for (int face = 0; face < FaceCount; ++face)
        if (!m_faces[face].IsValid())
            BuildFace(static_cast<EFace>(face), dc);
}

void CParameterButton::BuildFace(EFace face, HDC dc)
{
    const RECT client = GetClientRect();
    win::COffscreenBuffer& buffer = m_faces[face];
    if (!buffer.Create(dc, client.right, client.bottom))
        return;
    const bool pressed = face == OffPressed || face == OnPressed;
    const SFrameColours& set = face == OnReleased || face == OnPressed ? m_onColours : m_offColours;
    const SFrameColours colours = pressed ? Sunken(set) : set;
    PaintBackground(buffer.Dc());
    DrawFaceFrame(buffer.Dc(), client, colours, m_diagonal, pressed, m_paintScale.Line());
    PaintPicture(face, buffer.Dc(), colours, pressed);
}

void CParameterButton::PaintPicture(EFace face, HDC dc, const SFrameColours& colours, bool pressed)
{
    if (!m_picturesEnabled)
        return;
    const win::CBitmap bitmap = m_paintScale.IsUnscaled()
                                    ? win::LoadBitmapResource(m_faceBitmaps[face])
                                    : LoadSkinPicture(m_faceBitmaps[face], m_paintScale.factor, m_pictureTransparency,
                                                      m_pictureTransparentColour);
    if (!bitmap)
        return;
    win::CMemoryDC source(dc);
    win::CSelection select(source.Get(), bitmap.Get());
    const SIZE size = win::BitmapSize(bitmap.Get());
    const RECT client = GetClientRect();
    const int w = size.cx, h = size.cy;
    const int x0 = CentredOrigin(client.right, w), y0 = CentredOrigin(client.bottom, h);
    const bool transparency = m_pictureTransparency;
    const COLORREF key = m_pictureTransparentColour;

    switch (m_pictureMode)
    {
    case EPictureMode::Stretched:
        PlaceBitmap(dc, client, source.Get(), w, h, transparency, key, true);
        return;
    case EPictureMode::StretchedInFrame:
        if (pressed)
            PlaceBitmap(dc, RECT{1, 1, client.right - 1, client.bottom - 1}, source.Get(), w - 1, h - 1,
                        transparency, key, true);
        else
            PlaceBitmap(dc, RECT{0, 0, client.right - 1, client.bottom - 1}, source.Get(), w, h,
                        transparency, key, true);
        return;
    case EPictureMode::OnBackdrop:
    case EPictureMode::InFrame:
    case EPictureMode::InOutline:
        PaintBackground(dc); // no face frame in these modes
        break;
    case EPictureMode::Centred:
        break;
    }

    const RECT picture{x0, y0, x0 + w, y0 + h};
    RECT around{x0 - 1, y0 - 1, x0 + w + 1, y0 + h + 1};
    bool shifted = false;
    switch (m_pictureMode)
    {
    case EPictureMode::OnBackdrop:
        if (m_diagonal)
            FillDiagonalGradient(colours.fill, picture, dc, Channels(colours.gradient));
        else
            FillGradient(Channels(colours.gradient), colours.fill, dc, picture, m_backdropAxis);
        break;
    case EPictureMode::InFrame:
        DrawFrame(colours.highlight, colours.fill, dc, around, false, Channels(colours.gradient),
                  colours.shadow, EGradientAxis::Vertical);
        shifted = pressed;
        break;
    case EPictureMode::InOutline:
        DrawFrame(colours.highlight, kNoColour, dc, around, false, 0, colours.shadow, EGradientAxis::Vertical);
        shifted = pressed;
        break;
    default:
        break;
    }
    // A pressed picture in a frame sinks one pixel right and down, losing its last column and row.
    const RECT to = shifted ? RECT{x0 + 1, y0 + 1, x0 + w, y0 + h} : picture;
    const int sourceWidth = shifted ? w - 1 : w, sourceHeight = shifted ? h - 1 : h;
    PlaceBitmap(dc, to, source.Get(), sourceWidth, sourceHeight, transparency, key, false);
}

void CParameterButton::DrawCaption(HDC dc, const RECT& client) const
{
    const std::string& text = m_on ? m_onText : m_offText;
    if (text.empty())
        return;
    const HFONT font = reinterpret_cast<HFONT>(Send(WM_GETFONT));
    win::CSelection select(dc, font);
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF colour = SetTextColor(dc, m_on ? m_onTextColour : m_offTextColour);
    RECT rect = client;
    if (m_pressed)
    {
        rect.left += m_paintScale.Px(2);
        rect.top += m_paintScale.Px(2);
    }
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, colour);
    SetBkMode(dc, mode);
}

void CParameterButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    const HDC dc = item.hDC;
    const RECT client = GetClientRect();
    BuildFaces(dc);
    const EFace face = m_on ? (m_pressed ? OnPressed : OnReleased) : (m_pressed ? OffPressed : OffReleased);
    if (m_faces[face].IsValid())
        m_faces[face].CopyTo(dc, 0, 0);
    else
        PaintBackground(dc);
    DrawCaption(dc, client);
    if (control_keys::ShowsFocusMark(GetHwnd()))
        control_keys::PaintFocusMark(dc, client, kFocusMarkColour, m_paintScale.Line());
}
