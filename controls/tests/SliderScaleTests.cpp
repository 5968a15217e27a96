#include "SliderScale.h"
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

TEST(SliderScale, MapsValuesToPositionsForwardAndReversed)
{
    SSliderScale scale; // 0..100
    EXPECT_EQ(scale.ToPosition(50, 100), 50);
    EXPECT_EQ(scale.ToPosition(0, 100), 0);
    EXPECT_EQ(scale.ToPosition(100, 100), 100);
    scale.reversed = true;
    EXPECT_EQ(scale.ToPosition(50, 100), 50);
    EXPECT_EQ(scale.ToPosition(25, 100), 75);
    EXPECT_EQ(scale.ToPosition(100, 100), 0);
    EXPECT_DOUBLE_EQ(scale.ToValue(75, 100), 25.0);
    EXPECT_DOUBLE_EQ(scale.ToValue(0, 100), 100.0);
}

TEST(SliderScale, RoundsToTheNearestPositionWithAnExactHalfGoingDown)
{
    SSliderScale scale;
    EXPECT_EQ(scale.ToPosition(12.5, 100), 12);
    EXPECT_EQ(scale.ToPosition(12.51, 100), 13);
    EXPECT_EQ(scale.ToPosition(12.49, 100), 12);
    EXPECT_EQ(scale.ToPosition(-0.7, 100), 0);
}

TEST(SliderScale, SquareLawTapersSpreadTheLowValuesOverMorePositions)
{
    SSliderScale scale;
    scale.minimum = 0.1f;
    scale.maximum = 10.0f;
    scale.valueTaper = SquareLawValueTaper;
    scale.positionTaper = SquareLawPositionTaper;
    const double expected = std::pow((std::sqrt(0.1f) + std::sqrt(10.0)) / 2, 2);
    EXPECT_NEAR(scale.ToValue(100, 200), expected, 1e-6);
    EXPECT_NEAR(scale.ToValue(100, 200), 3.025, 0.001);
    for (int position = 0; position <= 200; ++position) // every position survives the round trip
        ASSERT_EQ(scale.ToPosition(scale.ToValue(position, 200), 200), position);
    EXPECT_EQ(SquareLawValueTaper(-3.0), -9.0);
    EXPECT_EQ(SquareLawPositionTaper(-9.0), -3.0);
    EXPECT_EQ(SquareLawPositionTaper(0.0), 0.0);
}

TEST(SliderScale, ReproducesTheEditorsDefaultPositions)
{
    SSliderScale delay; // 20 ms on a 0..30 ms slider shown with the maximum at the top
    delay.maximum = 30.0f;
    delay.reversed = true;
    EXPECT_EQ(delay.ToPosition(20, 100), 33);

    SSliderScale rate; // 0.4 Hz on 0..20 Hz with the square law
    rate.maximum = 20.0f;
    rate.reversed = true;
    rate.valueTaper = SquareLawValueTaper;
    rate.positionTaper = SquareLawPositionTaper;
    EXPECT_EQ(rate.ToPosition(0.4f, 200), 172);
}

TEST(SliderScale, AnEmptyValueRangeMapsEveryValueToPositionZero)
{
    SSliderScale scale;
    scale.minimum = scale.maximum = 3.0f;
    EXPECT_EQ(scale.ToPosition(3, 100), 0);
    EXPECT_EQ(scale.ToPosition(70, 100), 0);
}

TEST(SliderScale, WithoutPositionsTheValueIsTheMiddleOfTheRange)
{
    SSliderScale scale;
    EXPECT_DOUBLE_EQ(scale.ToValue(0, 0), 50.0);
    scale.minimum = -20.0f;
    scale.maximum = 20.0f;
    EXPECT_DOUBLE_EQ(scale.ToValue(0, 0), 0.0);
    scale.minimum = scale.maximum = 4.0f; // an integer parameter with a single value
    EXPECT_DOUBLE_EQ(scale.ToValue(0, 0), 4.0);
}

TEST(SliderScale, ValuesThatAreNotFiniteGiveDefinedPositions)
{
    SSliderScale scale;
    EXPECT_EQ(scale.ToPosition(std::numeric_limits<double>::quiet_NaN(), 100), 0);
    EXPECT_EQ(scale.ToPosition(std::numeric_limits<double>::infinity(), 100), 101);
    EXPECT_EQ(scale.ToPosition(-std::numeric_limits<double>::infinity(), 100), -1);
}
