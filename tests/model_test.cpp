#include <gtest/gtest.h>

#include <memory>

#include "forecast/tageskorr.h"
#include "model/model.h"

using namespace welvaro;

TEST(Smoke, DefaultLink) {
  auto s = std::make_unique<State>();
  s->X2 = s->OrtX2;
  s->Y2 = s->OrtY2;
  s->Monat = 12;
  s->Jetzt = {2026, 12, 15};
  ASSERT_EQ(prgTageskorr(*s), 0);
}
