#pragma once
// A rectangle equal to the expected one, each field to within a few single-precision steps.

#include "platform/GPGeometry.h"

#include <gtest/gtest.h>

inline void ExpectRect(const TGPRectF& actual, const TGPRectF& expected)
{
    EXPECT_FLOAT_EQ(actual.X, expected.X);
    EXPECT_FLOAT_EQ(actual.Y, expected.Y);
    EXPECT_FLOAT_EQ(actual.Width, expected.Width);
    EXPECT_FLOAT_EQ(actual.Height, expected.Height);
}
