#include "SliderMotion.h"
#include <algorithm>
#include <cmath>

namespace slider_motion {

EMove ForKey(const SEditorKey& key)
{
    const bool fine = (key.modifiers & kEditorShift) != 0;
    switch (key.key)
    {
    case EEditorKey::Up:
    case EEditorKey::Right:
        return fine ? EMove::FineRaise : EMove::Raise;
    case EEditorKey::Down:
    case EEditorKey::Left:
        return fine ? EMove::FineLower : EMove::Lower;
    case EEditorKey::PageUp:
        return EMove::PageRaise;
    case EEditorKey::PageDown:
        return EMove::PageLower;
    case EEditorKey::Home:
        return EMove::ToMinimum;
    case EEditorKey::End:
        return EMove::ToMaximum;
    default:
        return EMove::None;
    }
}

EMove ForWheel(int notch, bool fine)
{
    if (notch == 0)
        return EMove::None;
    if (notch > 0)
        return fine ? EMove::FineRaise : EMove::Raise;
    return fine ? EMove::FineLower : EMove::Lower;
}

int WholeNotches(float distance)
{
    if (!(distance == distance) || distance == 0.0f)
        return 0;
    const int count = static_cast<int>(std::max(1.0f, std::min(std::fabs(distance) + 0.5f, 100.0f)));
    return distance > 0.0f ? count : -count;
}

double Target(EMove move, double position, int rangeMaximum, bool reversed)
{
    // Toward the maximum value is toward position 0 when reversed.
    const double up = reversed ? -1.0 : 1.0;
    double target = position;
    switch (move)
    {
    case EMove::Raise: target += up * kStep; break;
    case EMove::Lower: target -= up * kStep; break;
    case EMove::FineRaise: target += up * kFineStep; break;
    case EMove::FineLower: target -= up * kFineStep; break;
    case EMove::PageRaise: target += up * kPageShare * rangeMaximum; break;
    case EMove::PageLower: target -= up * kPageShare * rangeMaximum; break;
    case EMove::ToMinimum: target = reversed ? rangeMaximum : 0.0; break;
    case EMove::ToMaximum: target = reversed ? 0.0 : rangeMaximum; break;
    case EMove::None: break;
    }
    // Fine steps add up in binary fractions: land on a whole position when within a hair of one.
    const double whole = std::round(target);
    if (std::fabs(target - whole) < 1e-9)
        target = whole;
    return std::clamp(target, 0.0, static_cast<double>(std::max(rangeMaximum, 0)));
}

int Nearest(double position)
{
    const int whole = static_cast<int>(std::floor(position));
    return position - whole > 0.5 ? whole + 1 : whole;
}

} // namespace slider_motion

double CExactPosition::At(int position) const
{
    return m_valid && slider_motion::Nearest(m_position) == position ? m_position : position;
}

void CExactPosition::Confirm(double value, int position, const SSliderScale& scale, int rangeMaximum)
{
    if (!m_valid)
        return;
    // The host keeps the value in single precision, normalised: allow for that round trip only.
    const double tolerance = 1e-5 * std::fabs(static_cast<double>(scale.maximum) - scale.minimum);
    if (slider_motion::Nearest(m_position) != position ||
        !(std::fabs(scale.ToValueAt(m_position, rangeMaximum) - value) <= tolerance))
        m_valid = false;
}

bool CFineDrag::Follow(int y, bool fine, double position, double positionsPerPixel, int rangeMaximum,
                       double& target)
{
    // The speed changes from where the pointer was last, so the movement that brings the change
    // already goes at the new speed.
    const int lastY = m_lastY;
    m_lastY = y;
    if (!m_relative && !fine)
        return false;
    if (!m_relative || fine != m_fine)
    {
        m_relative = true;
        m_fine = fine;
        m_anchorY = lastY;
        m_anchorPosition = position;
    }
    const double speed = fine ? slider_motion::kFineDragSpeed : 1.0;
    target = std::clamp(m_anchorPosition + (y - m_anchorY) * positionsPerPixel * speed, 0.0,
                        static_cast<double>(std::max(rangeMaximum, 0)));
    return true;
}
