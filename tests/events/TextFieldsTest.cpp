#include "events/TextFields.h"

#include <gtest/gtest.h>

namespace quorvane::events {
namespace {

TEST(PopValue, TakesTrimmedFieldsOffTheFront) {
  std::string list = "TX, 4,SL,DH,";
  EXPECT_EQ(PopValue(list), "TX");
  EXPECT_EQ(list, "4,SL,DH,");
  EXPECT_EQ(PopValue(list), "4");
  EXPECT_EQ(PopValue(list), "SL");
  EXPECT_EQ(PopValue(list), "DH");
  EXPECT_EQ(list, "") << "the text after the last comma is empty";
  EXPECT_EQ(PopValue(list), "");
  EXPECT_EQ(list, "");

  struct Case {
    const char* list;
    const char* field;
    const char* rest;
  };
  const Case cases[] = {
      {"  a  ", "a", ""},  {",5", "", "5"},           {"", "", ""}, {" a , b , c ", "a", "b , c"},
      {"a,,b", "a", ",b"}, {"\ta\t,b", "\ta\t", "b"},
  };
  for (const Case& c : cases) {
    std::string rest = c.list;
    EXPECT_EQ(PopValue(rest), c.field) << "'" << c.list << "'";
    EXPECT_EQ(rest, c.rest) << "'" << c.list << "'";
  }
}

TEST(PathHelpers, AddBackslashAndStripExtension) {
  EXPECT_EQ(AddBackslash("C:\\x"), "C:\\x/");
  EXPECT_EQ(AddBackslash("C:\\"), "C:\\");
  EXPECT_EQ(AddBackslash("/opt/q/"), "/opt/q/");
  EXPECT_EQ(AddBackslash("/opt/q"), "/opt/q/");
  EXPECT_EQ(AddBackslash(""), "/");

  EXPECT_EQ(StripExtension("a.b.evnt"), "a.b");
  EXPECT_EQ(StripExtension("abc"), "abc");
  EXPECT_EQ(StripExtension(".evnt"), "");
  EXPECT_EQ(StripExtension("x."), "x");
}

TEST(PathHelpers, AbbreviateCutsLongTexts) {
  EXPECT_EQ(Abbreviate("short"), "short");
  EXPECT_EQ(Abbreviate(std::string(100, 'a'), 10), "aaaaaaaaaa...");
}

}  // namespace
}  // namespace quorvane::events
