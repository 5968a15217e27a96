// Not a check but a picture book: paints the controls in their states into gallery/*.png.
#include "ControlTestIds.h"
#include "PixelCapture.h"
#include "SliderTestDialog.h"
#include "TestWindows.h"
#include <gtest/gtest.h>

TEST(Gallery, Placeholder) {}
