#include "global/NumberText.h"

#include <gtest/gtest.h>

#include "global/Diagnostics.h"

namespace quorvane::global {
namespace {

TEST(NumberText, BlankBeforeZeroAndPositiveMinusBeforeNegative) {
  EXPECT_EQ(NumberText(0), " 0");
  EXPECT_EQ(NumberText(21), " 21");
  EXPECT_EQ(NumberText(-3), "-3");
  EXPECT_EQ(NumberText(-32768), "-32768");
}

TEST(Diagnostics, KeepsEachMessageOnceInFirstOrder) {
  Diagnostics diagnostics;
  diagnostics.Report("b");
  diagnostics.Report("a");
  diagnostics.Report("b");
  EXPECT_EQ(diagnostics.Messages(), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(diagnostics.Take(), (std::vector<std::string>{"b", "a"}));
  EXPECT_TRUE(diagnostics.Empty());
  diagnostics.Report("b");  // after Take a message counts as new
  EXPECT_EQ(diagnostics.Messages(), (std::vector<std::string>{"b"}));
}

}  // namespace
}  // namespace quorvane::global
