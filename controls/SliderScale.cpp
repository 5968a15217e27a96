#include "SliderScale.h"
#include <cmath>

double IdentityTaper(double x)
{
    return x;
}

double SquareLawValueTaper(double position)
{
    return position < 0.0 ? -position * position : position * position;
}

double SquareLawPositionTaper(double value)
{
    return value < 0.0 ? -std::sqrt(-value) : std::sqrt(value);
}

double SSliderScale::ToExactPosition(double value, int rangeMaximum) const
{
    const double span = positionTaper(maximum) - positionTaper(minimum);
    if (maximum - minimum == 0.0f || span == 0.0)
        return 0.0;
    const double t = (positionTaper(value) - positionTaper(minimum)) / span;
    const double d = reversed ? rangeMaximum * (1.0 - t) : rangeMaximum * t;
    return std::isnan(d) ? 0.0 : d;
}

int SSliderScale::ToPosition(double value, int rangeMaximum) const
{
    double d = ToExactPosition(value, rangeMaximum);
    // Far outside the range the trackbar clamps anyway; keep the conversion defined.
    if (d < -1.0)
        d = -1.0;
    if (d > rangeMaximum + 1.0)
        d = rangeMaximum + 1.0;
    const int n = static_cast<int>(d);
    return d - n > 0.5 ? n + 1 : n;
}

double SSliderScale::ToValueAt(double position, int rangeMaximum) const
{
    if (rangeMaximum == 0)
        return minimum + (maximum - minimum) * 0.5;
    double fraction = position / rangeMaximum;
    if (reversed)
        fraction = 1.0 - fraction;
    const double low = positionTaper(minimum);
    return valueTaper(low + (positionTaper(maximum) - low) * fraction);
}
