#include "global/NumberReading.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <optional>
#include <string>

namespace quorvane::global {
namespace {

struct ReadCase {
  const char* text;
  double expected;  // what ReadNumber gives
  bool whole;       // ReadWholeNumber gives the same, or nothing
};

void ExpectReadings(const ReadCase& c) {
  EXPECT_DOUBLE_EQ(ReadNumber(c.text), c.expected) << "text '" << c.text << "'";
  const std::optional<double> whole = ReadWholeNumber(c.text);
  EXPECT_EQ(whole.has_value(), c.whole) << "whole text '" << c.text << "'";
  if (whole && c.whole) {
    EXPECT_DOUBLE_EQ(*whole, c.expected) << "whole text '" << c.text << "'";
  }
}

TEST(NumberReading, ReadsTheLongestLeadingNumberOrTheWholeText) {
  const ReadCase cases[] = {
      {"33", 33, true},
      {" 21", 21, true},
      {"3 3", 33, true},
      {"- 5", -5, true},
      {"+7", 7, true},
      {"2.5", 2.5, true},
      {".5", 0.5, true},
      {"5.", 5, true},
      {"1e3", 1000, true},
      {"1E+2", 100, true},
      {"25D-1", 2.5, true},
      {"1 e 2", 100, true},
      {"1e", 1, false},
      {"1e+", 1, false},
      {"1e00", 1, true},
      {"12abc", 12, false},
      {"21h", 21, false},
      {"0b0010", 0, false},
      {"0x10", 16, true},
      {"0X21", 33, true},
      {"0xc8", 200, true},
      {" 0 x 2 1 ", 33, true},
      {"0x", 0, false},
      {"0xG", 0, false},
      {"0x1G", 1, false},
      {"-0x10", 0, false},
      {"00x5", 0, false},
      {"0.5", 0.5, true},
      {"0", 0, true},
      {"&H10", 16, true},
      {"&hff", 255, true},
      {"&O17", 15, true},
      {"&o 1 7", 15, true},
      {"&O8", 0, false},
      {"&H", 0, false},
      {"&", 0, false},
      {"&X5", 0, false},
      {"abc", 0, false},
      {"", 0, false},
      {"   ", 0, false},
      {"-", 0, false},
      {"+", 0, false},
      {".", 0, false},
      {"7 ms", 7, false},
      {"12,5", 12, false},
      {"4,SL,DH,", 4, false},
      {"33; 200", 33, false},
      {"-0", 0, true},
      {"--5", 0, false},
      {"1.5.5", 1.5, false},
      {"\t9", 0, false},
      {"&H1G", 1, false},
      {"123456789", 123456789, true},
      {"1234567890123", 1234567890123.0, true},
  };
  for (const auto& c : cases) ExpectReadings(c);
}

TEST(NumberReading, OnlySpacesAreBlanks) {
  // A tab or any other control character ends the number like any other
  // character that is not part of it.
  const ReadCase cases[] = {
      {"1\t2", 1, false},   {"1 2", 12, true},   {"\t9", 0, false},     {"1\n2", 1, false},
      {"&H1\tF", 1, false}, {"1.\t5", 1, false}, {"1e\t2", 1, false},   {"-\t5", 0, false},
      {"12\t", 12, false},  {"1\v2", 1, false},  {"  3  4 ", 34, true}, {"0x2\t1", 2, false},
      {"1\2402", 1, false},  // a no-break space (Latin-1) between the digits
  };
  for (const auto& c : cases) ExpectReadings(c);
}

TEST(NumberReading, SurvivesAnyText) {
  EXPECT_TRUE(std::isinf(ReadNumber("1e999")));
  EXPECT_TRUE(std::isinf(ReadNumber("1e99999999999999999999999")));
  EXPECT_EQ(ReadNumber("1e-99999999999999999999999"), 0);
  EXPECT_TRUE(std::isinf(ReadNumber(std::string(100000, '9'))));
  EXPECT_DOUBLE_EQ(ReadNumber("0." + std::string(100000, '0') + "1e100010"), 1e9);
  EXPECT_TRUE(std::isinf(ReadNumber("&H" + std::string(1000, 'F'))));
  EXPECT_DOUBLE_EQ(ReadNumber("&HFFFFFFFFFF"), 1099511627775.0);
  EXPECT_TRUE(std::isinf(*ReadWholeNumber("0x" + std::string(1000, 'F'))));
  EXPECT_TRUE(std::isinf(*ReadWholeNumber(std::string(100000, '9'))));
  EXPECT_EQ(ReadNumber(std::string(1, '\0') + "5"), 0);
}

// A German locale writes "2,5"; neither the C++ global locale nor the C
// library's (which the desktop toolkit sets from the environment on Linux,
// and which a Windows program may set from the user's settings) changes how
// the program reads its own texts.
TEST(NumberReading, DoesNotDependOnTheLocale) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {{"2.5", 2.5},   {"-0.25", -0.25}, {"1.5e1", 15},
               {"25D-1", 2.5}, {"2,5", 2},       {"1e999", INFINITY}};
  const auto readsTheSame = [&](const char* where) {
    for (const auto& c : cases) EXPECT_EQ(ReadNumber(c.text), c.expected) << c.text << where;
  };

  struct DecimalComma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
  };
  const std::locale previousGlobal =
      std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
  readsTheSame(" (C++ locale with a decimal comma)");
  std::locale::global(previousGlobal);

  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const char* german = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE", "German_Germany.1252"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      german = name;
      break;
    }
  }
  if (german == nullptr) GTEST_SKIP() << "no German C locale on this system";
  const bool decimalComma = std::string(std::localeconv()->decimal_point) == ",";
  readsTheSame((std::string(" (C locale ") + german + ")").c_str());
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_TRUE(decimalComma) << german << " has no decimal comma: the test proves nothing";
}

TEST(NumberReading, RoundsHalvesToEvenAndChecksTheTarget) {
  EXPECT_EQ(RoundToByte(2.5), 2);
  EXPECT_EQ(RoundToByte(3.5), 4);
  EXPECT_EQ(RoundToByte(255.4), 255);
  EXPECT_EQ(RoundToByte(-0.4), 0);
  EXPECT_EQ(RoundToByte(255.5), std::nullopt);  // rounds to 256
  EXPECT_EQ(RoundToByte(-0.5), 0);              // -0.5 goes to the even neighbour 0
  EXPECT_EQ(RoundToByte(-1), std::nullopt);
  EXPECT_EQ(RoundToByte(INFINITY), std::nullopt);
  EXPECT_EQ(RoundToByte(NAN), std::nullopt);

  EXPECT_EQ(RoundToInt16(32767), 32767);
  EXPECT_EQ(RoundToInt16(-32768), -32768);
  EXPECT_EQ(RoundToInt16(32767.5), std::nullopt);
  EXPECT_EQ(RoundToInt16(40000), std::nullopt);

  EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
  EXPECT_EQ(RoundToInt32(-2147483648.0), -2147483647 - 1);
  EXPECT_EQ(RoundToInt32(2147483648.0), std::nullopt);
  EXPECT_EQ(RoundToInt32(1e12), std::nullopt);
  EXPECT_EQ(RoundToInt32(-INFINITY), std::nullopt);
}

}  // namespace
}  // namespace quorvane::global
