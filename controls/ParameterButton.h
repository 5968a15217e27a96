#pragma once
#include "ControlScale.h"
#include "Gdi.h"
#include "ParameterControl.h"
#include "FramePainting.h"
#include "EditorKey.h"
#include "Window.h"
#include <array>
#include <string>

// How a face bitmap is placed on the button.
enum class EPictureMode
{
    Centred = 0,           // over the face frame
    Stretched = 1,         // over the whole client area
    StretchedInFrame = 2,  // one pixel short of the right and bottom edges; inside them when pressed
    OnBackdrop = 3,        // no face frame: a gradient backdrop behind the bitmap
    InFrame = 4,           // no face frame: a bevelled frame right around the bitmap
    InOutline = 5          // no face frame: a one-pixel 3D outline right around the bitmap
};

// The editor's two-state switch: a push button of the dialog template turned owner-drawn. Every
// click toggles it between off (value 0) and on (value 1). It paints one of four faces (off or
// on, released or held down), each built once from its colour set, an optional bitmap and the
// caption, over a frame in the background colours or over the parent's own pixels.
class CParameterButton : public win::CWindow, public CParameterControl
{
public:
    enum EFace
    {
        OffReleased,
        OffPressed,
        OnReleased,
        OnPressed,
        FaceCount
    };

    CParameterButton(CParameterControlListener* listener, int parameterIndex, int controlId);
    ~CParameterButton() override;

    // On from 0.5 upwards (below 0.5 when inverted). Repaints only when the state changes.
    void SetValue(float value) override;
    float GetValue() override;
    int GetMaxPosition() override { return 1; }

    bool IsOn() const { return m_on; }
    bool IsPressed() const { return m_pressed; }
    void SetInverted(bool inverted) { m_inverted = inverted; }

    // Configuration, as the dialog does it once the window exists. Colours and pictures take
    // effect when the caller rebuilds what depends on them (RebuildBackground, RebuildFaces).
    void SetBackgroundColours(const SFrameColours& colours) { m_backgroundColours = colours; }
    void SetOffColours(const SFrameColours& colours) { m_offColours = colours; }
    void SetOnColours(const SFrameColours& colours) { m_onColours = colours; }
    void SetTextColours(COLORREF off, COLORREF on);
    // Captions shown off and on; both are the window text once the window is taken over.
    void SetCaptions(const std::string& off, const std::string& on);
    void SetDiagonal(bool diagonal) { m_diagonal = diagonal; }
    // Direction of the picture backdrop's gradient when it is not diagonal.
    void SetBackdropAxis(EGradientAxis axis) { m_backdropAxis = axis; }
    void SetTransparent(bool transparent);
    void SetPictureMode(EPictureMode mode) { m_pictureMode = mode; }
    void SetFaceBitmaps(int offReleased, int offPressed, int onReleased, int onPressed);
    // With transparency on, pixels of `colour` are left out of the bitmaps.
    void SetPictureTransparency(bool on, COLORREF colour);
    void EnablePictures(bool enabled) { m_picturesEnabled = enabled; }
    void RebuildBackground();
    void RebuildFaces();
    // Draws its frames and caption offsets at `scale` and takes its face pictures as the skin
    // draws them for it (SkinPicture.h); everything is built again.
    void SetPaintScale(const SControlScale& scale);

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // The button's own reaction to a press and a release.
    LRESULT OnButtonDown();
    LRESULT OnButtonUp();
    // What a click does once released, with the mouse or with Space: here the state toggles;
    // CPresetButton also slides its list.
    virtual void Click();
    void SetState(bool on, bool pressed);
    // Ends the gesture a press began, once.
    void EndGesture();

private:
    // Keyboard and wheel (ParameterButtonInput.cpp): true when the message was handled there.
    bool OnInputMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnKey(const SEditorKey& key);

    // Painting (ParameterButtonPainting.cpp).
    void DrawItem(const DRAWITEMSTRUCT& item);
    void CaptureParentBackground(HDC dc);
    void BuildBackgroundFrame(HDC dc);
    void PaintBackground(HDC target) const;
    void BuildFaces(HDC dc);
    void BuildFace(EFace face, HDC dc);
    void PaintPicture(EFace face, HDC dc, const SFrameColours& colours, bool pressed);
    void DrawCaption(HDC dc, const RECT& client) const;
    void ResetPictures();

    bool m_pressed = false;
    bool m_on = false;
    bool m_inverted = false;
    bool m_transparent = false;
    bool m_backgroundStale = false;
    bool m_diagonal = false;
    bool m_editing = false; // between a press on the control and its end
    EGradientAxis m_backdropAxis = EGradientAxis::Vertical;

    SFrameColours m_backgroundColours{0x0000AA, 0xAA0000, 0xFF0000, 0x0000FF};
    SFrameColours m_offColours{0x000000, 0x0F00AA00, 0xFF0000, 0x220000};
    SFrameColours m_onColours{0x000000, 0x0000AA, 0x0000FF, 0x000011};
    COLORREF m_offTextColour = 0xAA0000;
    COLORREF m_onTextColour = 0x0000AA;
    std::string m_offText;
    std::string m_onText;
    bool m_textsCaptured = false;

    EPictureMode m_pictureMode = EPictureMode::Centred;
    std::array<int, FaceCount> m_faceBitmaps{};
    COLORREF m_pictureTransparentColour = 0;
    bool m_pictureTransparency = false;
    bool m_picturesEnabled = false;
    SControlScale m_paintScale;

    win::COffscreenBuffer m_parentBackground; // the parent's pixels under the control
    win::COffscreenBuffer m_backgroundFrame;
    std::array<win::COffscreenBuffer, FaceCount> m_faces;
};
