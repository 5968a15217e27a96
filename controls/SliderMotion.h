#pragma once
#include "EditorKey.h"
#include "SliderScale.h"

// How the keyboard, the wheel, a reset and a fine drag move a fader, in the positions 0..R of its
// trackbar (position 0 is the maximum value when the slider is reversed).
//
// One step is one position: the resolution the slider's steps give it (1 dB of Gain's 40, 1 % or
// 0.3 ms of the 100 of the others, one of Rate's 200), which is also what a trackbar's own arrow
// keys move by. Its ticks, every 2 or 10 positions, would make an arrow key as coarse as Page Up.
// A fine step is a tenth of a step: the fader then stands between its positions, shows at the
// nearest one and sends the exact value.
namespace slider_motion {

constexpr double kStep = 1.0;
constexpr double kFineStep = kStep / 10.0;
// Page Up and Page Down move a tenth of the range; a Shift drag a tenth of the pointer's speed.
constexpr double kPageShare = 0.1;
constexpr double kFineDragSpeed = 0.1;

enum class EMove
{
    None,
    Raise,      // one step toward the maximum
    Lower,
    FineRaise,  // a tenth of a step
    FineLower,
    PageRaise,  // a tenth of the range
    PageLower,
    ToMinimum,
    ToMaximum
};

// Up and Right raise, Down and Left lower (with Shift by a fine step); Page Up and Page Down move a
// page; Home goes to the minimum and End to the maximum, as on any slider. Other keys: None.
EMove ForKey(const SEditorKey& key);
// A wheel notch away from the user (`notch` > 0) raises by a step, with Shift by a fine step.
EMove ForWheel(int notch, bool fine);
// A host's wheel distance in whole notches, signed; a fraction of one counts as one, NaN as none.
int WholeNotches(float distance);
// Where a move leads from `position`, within 0..rangeMaximum.
double Target(EMove move, double position, int rangeMaximum, bool reversed);
// The whole position that shows a place between positions: the nearest, half-way rounding down as
// the value-to-position mapping does.
int Nearest(double position);

} // namespace slider_motion

// A fader's exact place after a fine move, a wheel notch or a reset, which the trackbar, holding
// whole positions only, cannot keep. It stands while the trackbar shows its nearest position and
// the parameter keeps its value; anything else that moves the fader forgets it.
class CExactPosition
{
public:
    void Forget() { m_valid = false; }
    void Set(double position)
    {
        m_position = position;
        m_valid = true;
    }
    // Where the fader stands when the trackbar is at `position`.
    double At(int position) const;
    // A value pushed into the fader at `position`: kept when it is this place's own value (as the
    // refresh brings it back), forgotten otherwise.
    void Confirm(double value, int position, const SSliderScale& scale, int rangeMaximum);

private:
    double m_position = 0.0;
    bool m_valid = false;
};

// A thumb drag that slows to a tenth of the pointer's speed while Shift is held. Until Shift is
// first pressed the thumb follows the pointer's height as a trackbar's does; from then on it moves
// by the pointer's travel from where the speed last changed, so it never jumps.
class CFineDrag
{
public:
    // The thumb is taken with the pointer at height `y`.
    void Start(int y)
    {
        m_relative = false;
        m_lastY = y;
    }
    // The thumb is taken where the system's trackbar would not see it (its thumb stays 1x in a
    // scaled fader): the drag moves relatively from the start, at full speed until Shift.
    void Take(int y, double position)
    {
        m_relative = true;
        m_fine = false;
        m_anchorY = m_lastY = y;
        m_anchorPosition = position;
    }
    // Whether this drag moves relatively now; then `target` is where the thumb goes for the pointer
    // at height `y` (`position`: where it stands; `positionsPerPixel`: the full-speed ratio).
    bool Follow(int y, bool fine, double position, double positionsPerPixel, int rangeMaximum, double& target);

private:
    bool m_relative = false;
    bool m_fine = false;
    int m_anchorY = 0;
    int m_lastY = 0;
    double m_anchorPosition = 0.0;
};
