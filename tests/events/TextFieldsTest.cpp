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
  // The platform's separator is added; either one ends a path already.
#ifdef _WIN32
  const std::string separator = "\\";
#else
  const std::string separator = "/";
#endif
  EXPECT_EQ(AddBackslash("C:\\x"), "C:\\x" + separator);
  EXPECT_EQ(AddBackslash("C:\\"), "C:\\");
  EXPECT_EQ(AddBackslash("C:/lcd/"), "C:/lcd/");
  EXPECT_EQ(AddBackslash("D:"), "D:" + separator);
  EXPECT_EQ(AddBackslash("\\\\server\\share"), "\\\\server\\share" + separator);
  EXPECT_EQ(AddBackslash("/opt/q/"), "/opt/q/");
  EXPECT_EQ(AddBackslash("/opt/q"), "/opt/q" + separator);
  EXPECT_EQ(AddBackslash(""), separator);

  EXPECT_EQ(StripExtension("a.b.evnt"), "a.b");
  EXPECT_EQ(StripExtension("abc"), "abc");
  EXPECT_EQ(StripExtension(".evnt"), "");
  EXPECT_EQ(StripExtension("x."), "x");
  // Drive letters and both separators: only the last name loses its extension.
  EXPECT_EQ(StripExtension("C:\\lcd\\init.evnt"), "C:\\lcd\\init");
  EXPECT_EQ(StripExtension("C:/lcd/init.evnt"), "C:/lcd/init");
  EXPECT_EQ(StripExtension("C:\\lcd.v2\\init"), "C:\\lcd.v2\\init");
  EXPECT_EQ(StripExtension("C:/lcd.v2/init"), "C:/lcd.v2/init");
  EXPECT_EQ(StripExtension("C:\\lcd.v2/a.b.evnt"), "C:\\lcd.v2/a.b");
  EXPECT_EQ(StripExtension("D:init.evnt"), "D:init");
}

TEST(PathHelpers, AbbreviateCutsLongTexts) {
  EXPECT_EQ(Abbreviate("short"), "short");
  EXPECT_EQ(Abbreviate(std::string(100, 'a'), 10), "aaaaaaaaaa...");
}

}  // namespace
}  // namespace quorvane::events
