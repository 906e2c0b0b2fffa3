// The glass model: rms voltages of the multiplexed drive, checked against a
// calculation by hand, the bias system, dot darkness, the verdict in words
// and the rating of VLCD.

#include <gtest/gtest.h>

#include <cmath>

#include "module/ControllerState.h"
#include "module/Glass.h"

namespace quorvane::module {
namespace {

TEST(Glass, RmsVoltagesOfAWorkedExample) {
  // Vop 72, BS 3: VLCD = 3.06 + 72 × 0.06 = 7.38 V, n = 4, so the levels
  // step by u = 7.38 / 8 = 0.9225 V. In its row's select time a selected dot
  // sees V1 − V6 = 7.38 V, an unselected one V1 − V4 = 6u = 5.535 V; in the
  // other 47 row times every dot sees u.
  //   selected² = (7.38² + 47 × 0.9225²) / 48 = (54.4644 + 39.99729375) / 48
  //             = 1.96795195...  → 1.402837 V
  //   unselected² = (5.535² + 47 × 0.9225²) / 48 = (30.636225 + 39.99729375) / 48
  //               = 1.47153164...  → 1.213067 V
  //   ratio = sqrt(111 / 83) = 1.156438
  ControllerState state;
  state.powerDown = false;
  state.vop = 72;
  state.bias = 3;
  EXPECT_DOUBLE_EQ(VlcdVolts(state), 7.38);
  const DotVoltages v = DotVoltagesOf(state);
  EXPECT_NEAR(v.selected, 1.402837, 5e-7);
  EXPECT_NEAR(v.unselected, 1.213067, 5e-7);
  EXPECT_NEAR(v.Ratio(), 1.156438, 5e-7);
  // n = 0 (BS 7) at 7.14 V: u = 1.785, selected² = (4² + 47) / 48 u²,
  // unselected² = (2² + 47) / 48 u².
  const DotVoltages wide = DotVoltagesFor(7.14, 0);
  EXPECT_NEAR(wide.selected, 1.785 * std::sqrt(63.0 / 48), 1e-12);
  EXPECT_NEAR(wide.unselected, 1.785 * std::sqrt(51.0 / 48), 1e-12);
}

TEST(Glass, TheRecommendedBiasGivesTheBestRatioAt1To48) {
  EXPECT_EQ(BiasN(0), 7);
  EXPECT_EQ(BiasN(3), kBiasNFor48);
  EXPECT_EQ(BiasN(5), 2);
  EXPECT_EQ(BiasN(7), 0);
  const double best = DotVoltagesFor(7.0, 4).Ratio();
  for (const int n : {0, 1, 2, 3, 5, 6, 7}) {
    EXPECT_LT(DotVoltagesFor(7.0, n).Ratio(), best) << "n = " << n;
  }
  // The datasheet's optimum for 1:48, VLCD = 6.06 × threshold, puts the
  // unselected dot at the threshold with the ideal bias 1/(1 + sqrt(48));
  // n = 4 (1/8) comes within 0.4 % of it.
  EXPECT_NEAR(DotVoltagesFor(6.06, 4).unselected, 1.0, 0.004);
}

TEST(Glass, NoVoltageWithTheGeneratorOff) {
  ControllerState state;  // the reset state: power-down, Vop 0
  EXPECT_EQ(VlcdVolts(state), 0);
  state.vop = 72;
  EXPECT_EQ(VlcdVolts(state), 0) << "power-down";
  EXPECT_FALSE(DotVoltagesOf(state).Driven());
  state.powerDown = false;
  state.vop = 0;
  EXPECT_FALSE(DotVoltagesOf(state).Driven());
  EXPECT_EQ(DotVoltagesOf(state).Ratio(), 0);
  EXPECT_EQ(ContrastOf(DotVoltagesOf(state), {}), Contrast::Off);
}

TEST(Glass, DotsDarkenFromTheThresholdToFullAtOnePointOneTimesIt) {
  const Glass glass{1.20};
  EXPECT_EQ(DotDarkness(0, glass), 0);
  EXPECT_EQ(DotDarkness(1.20, glass), 0);
  EXPECT_EQ(DotDarkness(1.29, glass), 191);  // three quarters: 191.25
  EXPECT_EQ(DotDarkness(1.32, glass), 255);
  EXPECT_EQ(DotDarkness(9.0, glass), 255);
  EXPECT_EQ(DotDarkness(1.26, Glass{1.0}), 255);
  EXPECT_EQ(kDefaultGlassThreshold, 1.20);
}

TEST(Glass, ContrastInWords) {
  struct Case {
    double vlcd;
    int n;
    Contrast contrast;
  };
  const Case cases[] = {
      {0.0, 4, Contrast::Off},     {6.0, 4, Contrast::Faint},   {6.9, 4, Contrast::Normal},
      {7.14, 4, Contrast::Normal}, {7.38, 4, Contrast::Normal}, {7.7, 4, Contrast::Dark},
      {10.68, 4, Contrast::Dark},  {7.38, 2, Contrast::Dark},   {4.44, 0, Contrast::Poor},
      {6.7, 4, Contrast::Poor},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ContrastOf(DotVoltagesFor(c.vlcd, c.n), {}), c.contrast)
        << c.vlcd << " V, n = " << c.n;
  }
}

TEST(Glass, VlcdAgainstTheRating) {
  EXPECT_EQ(RatingOf(0), VlcdRating::Off);
  EXPECT_EQ(RatingOf(1), VlcdRating::Below);
  EXPECT_EQ(RatingOf(48), VlcdRating::Below);
  EXPECT_EQ(RatingOf(49), VlcdRating::Within);
  EXPECT_EQ(RatingOf(90), VlcdRating::Within);
  EXPECT_EQ(RatingOf(91), VlcdRating::Above);
  EXPECT_EQ(RatingOf(127), VlcdRating::Above);
}

}  // namespace
}  // namespace quorvane::module
