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

namespace {

TEST(WindowPlace, FirstStartUsesMostOfTheScreen) {
  struct Case {
    const char* name;
    int ax, ay, aw, ah, minW, minH;
    WindowPlace want;
  } cases[] = {
      {"full HD", 0, 0, 1920, 1050, 1000, 600, {96, 52, 1728, 945}},
      {"netbook: never below the minimum", 0, 0, 1024, 576, 1000, 560, {12, 8, 1000, 560}},
      {"never beyond the screen", 0, 0, 800, 480, 1000, 600, {0, 0, 800, 480}},
      {"second screen to the right", 1920, 30, 2560, 1410, 1000, 600, {1920 + 128, 30 + 70, 2304, 1269}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const WindowPlace p = firstWindowPlace(c.ax, c.ay, c.aw, c.ah, c.minW, c.minH);
    EXPECT_EQ(p.x, c.want.x);
    EXPECT_EQ(p.y, c.want.y);
    EXPECT_EQ(p.width, c.want.width);
    EXPECT_EQ(p.height, c.want.height);
  }
}

TEST(WindowPlace, HelpFitsTheScreen) {
  struct Case {
    int aw, ah, w, h;
  } cases[] = {{1920, 1050, 720, 620}, {1024, 576, 720, 518}, {640, 480, 576, 432}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ah);
    const WindowPlace p = fittedWindow(720, 620, c.aw, c.ah);
    EXPECT_EQ(p.width, c.w);
    EXPECT_EQ(p.height, c.h);
  }
}

}  // namespace

#include "display/bands.h"

namespace {

// The band buttons light for every frequency inside a band, edges included,
// and for none between the bands.
TEST(BandButtons, LightInsideTheBandEdges) {
  struct Case {
    float mhz;
    const char* band;  // "" none
  } cases[] = {
      {1.8f, ""},      {1.81f, "160m"}, {1.9f, "160m"}, {2.0f, "160m"},  {2.1f, ""},     {3.5f, "80m"},
      {3.7f, "80m"},   {3.8f, "80m"},   {3.9f, ""},     {5.3f, ""},      {5.36f, "60m"}, {5.4f, ""},
      {7.0f, "40m"},   {7.2f, "40m"},   {7.3f, ""},     {10.1f, "30m"},  {10.2f, ""},    {14.0f, "20m"},
      {14.3f, "20m"},  {14.35f, "20m"}, {14.4f, ""},    {18.1f, "17m"},  {21.45f, "15m"}, {24.9f, "12m"},
      {28.0f, "10m"},  {29.7f, "10m"},  {29.9f, ""},    {10.12f, "30m"}, {0.0f, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mhz);
    const int b = bandOf(c.mhz);
    EXPECT_EQ(b < 0 ? std::string() : std::string(kBands[static_cast<std::size_t>(b)].name), c.band);
  }
}

}  // namespace

#include <memory>

namespace {

TEST(ForecastPeriod, HidingTheMonthListReturnsToTheCurrentMonth) {
  struct Case {
    const char* name;
    int16 zeitModus;
    float monatFremd;
    int month;  // the month the forecast returns to, 0 none
  } cases[] = {
      {"list hidden while another month is shown", 1, 1, 12},
      {"list hidden on the current month", 1, 0, 0},
      {"list shown", 0, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = std::make_unique<State>();
    s->Jetzt.month = 12;
    s->Monat = c.monatFremd == 1 ? 3.0f : 12.0f;
    s->ZeitModus = c.zeitModus;
    s->MonatFremd = c.monatFremd;
    const FollowUp f = toggleForecastPeriod(*s);
    EXPECT_EQ(f.month, c.month);
    EXPECT_EQ(s->ZeitModus, 1 - c.zeitModus);
  }
}

}  // namespace
