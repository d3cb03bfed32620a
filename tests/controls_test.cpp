// The time slider's positions on whole ten minutes and the hour labels it
// has room for.
#include <gtest/gtest.h>

#include "display/window_state.h"

using namespace welvaro;

namespace {

TEST(TimeSlider, PositionsStandForWholeTenMinutes) {
  struct Case {
    int position, minute;
  } cases[] = {{0, 0},       {4, 0},       {5, 10},       {733, 730},   {735, 740},   {1434, 1430},
               {1435, 0},    {1440, 0},    {-20, 0},      {2000, 0},    {1080, 1080}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    EXPECT_EQ(sliderMinute(c.position), c.minute);
  }
}

TEST(TimeSlider, HourLabelsStandApart) {
  struct Case {
    double pixelsPerHour;
    int labelWidth, step;
  } cases[] = {{40, 16, 1}, {20, 16, 1}, {19.9, 16, 2}, {10, 16, 2}, {9.9, 16, 3}, {6, 16, 4},
               {4, 16, 6},  {3, 16, 12}, {0, 16, 12}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pixelsPerHour);
    const int step = hourLabelStep(c.pixelsPerHour, c.labelWidth);
    EXPECT_EQ(step, c.step);
    // Labels that are drawn never touch (4 pixels between them), unless 12 hours is the last resort.
    if (step < 12) {
      EXPECT_GE(step * c.pixelsPerHour, c.labelWidth + 4);
    }
  }
}

}  // namespace
