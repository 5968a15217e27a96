#pragma once

// Maps the integer positions 0..R of a trackbar to a parameter's value range and back, through a
// pair of taper functions: the position taper takes a value into a linear domain, the value taper
// is its inverse.
using Taper = double (*)(double);

double IdentityTaper(double x);
// The square-law pair: value = sign(p)·p², position = sign(v)·√|v|.
double SquareLawValueTaper(double position);
double SquareLawPositionTaper(double value);

struct SSliderScale
{
    float minimum = 0.0f;
    float maximum = 100.0f;
    bool reversed = false; // position 0 stands for the maximum
    Taper valueTaper = IdentityTaper;
    Taper positionTaper = IdentityTaper;

    // The nearest position, a fraction of exactly one half rounding down; 0 when the range is empty
    // or the value is not a number.
    int ToPosition(double value, int rangeMaximum) const;
    // The value of a position; the middle of the range when there are no positions.
    double ToValue(int position, int rangeMaximum) const { return ToValueAt(position, rangeMaximum); }
    // The same for a place between positions, where a fine move leaves a fader.
    double ToValueAt(double position, int rangeMaximum) const;
    // The unrounded place of a value (0 when the range is empty or the value is not a number).
    double ToExactPosition(double value, int rangeMaximum) const;
};
