#include "platform/c_text.h"

#include <gtest/gtest.h>

using orlane::AtoiLike;

TEST(CText, atoi_takesLeadingDigitsWithSignAndSpace) {
  EXPECT_EQ(AtoiLike("8000"), 8000);
  EXPECT_EQ(AtoiLike("  -12abc"), -12);
  EXPECT_EQ(AtoiLike("+7"), 7);
  EXPECT_EQ(AtoiLike("abc"), 0);
  EXPECT_EQ(AtoiLike(""), 0);
  EXPECT_EQ(AtoiLike("7:"), 7);
  EXPECT_EQ(AtoiLike("-"), 0);
}

TEST(CText, atoi_saturatesInsteadOfOverflowing) {
  EXPECT_EQ(AtoiLike("99999999999999999999"), INT_MAX);
  EXPECT_EQ(AtoiLike("-99999999999999999999"), INT_MIN);
  EXPECT_EQ(AtoiLike("-2147483648"), INT_MIN);
  EXPECT_EQ(AtoiLike("2147483647"), INT_MAX);
}
