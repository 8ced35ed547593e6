// Number texts: the strict decimal reader and its defined results beyond 32
// bits, fixed-point writing, hexadecimal, base two and letter digits.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Stringnum.h"

namespace {

const double inf = std::numeric_limits<double>::infinity();

TEST(DecimalReader, AcceptsAndReads) {
  struct Case {
    std::string text;
    char sep;
    bool accepted;
    double value;
  } cases[] = {
      {"3.25", '.', true, 3.25},   {"  -0.5", '.', true, -0.5}, {"12e2", '.', true, 1200},
      {"1.5E-1", '.', true, 0.15}, {"0", '.', true, 0},         {"  7", '.', true, 7},
      {"-7", '.', true, -7},       {"1E+2", '.', true, 100},    {"-1.5e1", '.', true, -15},
      {"0.05", '.', true, 0.05},   {"0.0e5", '.', true, 0},     {"2147483647", '.', true, 2147483647.0},
      {"3,25", ',', true, 3.25},   {"3.25", ',', false, 0},     {"1e0", '.', false, 0},
      {"1e05", '.', false, 0},     {"5.", '.', false, 0},       {".5", '.', false, 0},
      {"+1", '.', false, 0},       {"01", '.', false, 0},       {"00", '.', false, 0},
      {"0E1", '.', false, 0},      {"-0", '.', false, 0},       {"1 ", '.', false, 0},
      {"", '.', false, 0},         {"   ", '.', false, 0},      {"-", '.', false, 0},
      {"1e", '.', false, 0},       {"1e-", '.', false, 0},      {"1.2.3", '.', false, 0},
      {"1.5e2x", '.', false, 0},   {"x", '.', false, 0},        {"1-", '.', false, 0},
      {"- 1", '.', false, 0},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(checkdouble(c.text, c.sep), c.accepted) << "'" << c.text << "'";
    EXPECT_EQ(Stod(c.text, c.sep), c.value) << "'" << c.text << "'";
  }
}

// Digits or an exponent beyond the 32-bit counters give the double nearest
// to the number the text writes, infinite or zero beyond double's range.
TEST(DecimalReader, DefinedBeyondThirtyTwoBits) {
  struct Case {
    std::string text;
    double value;
  } cases[] = {
      {"2147483648", 2147483648.0},
      {"-99999999999999999999", -1e20},
      {"0.1234567890", 0.123456789},
      {"1.00000000001", 1.00000000001},
      {"123456789012.5", 123456789012.5},
      {"1e400", inf},
      {"-1e400", -inf},
      {"1e-400", 0},
      {"1e2147483647", inf},  // fits 32 bits; the value stops changing long before
      {"1e-2147483647", 0},
      {"1e99999999999", inf},
      {"1e-99999999999", 0},
      {"0.000000000001e-99999999999", 0},
      {"5e-324", 5e-324},
  };
  for (auto const& c : cases) {
    EXPECT_TRUE(checkdouble(c.text, '.')) << c.text;
    EXPECT_EQ(Stod(c.text, '.'), c.value) << c.text;
  }
}

TEST(FixedPoint, Writes) {
  struct Case {
    double x;
    int n;
    std::string text;
  } cases[] = {
      {3.14159, 2, "3.14"},
      {3.05, 2, "3.05"},
      {2.999, 2, "3.00"},
      {0.5, 0, "0."},
      {2.6, 0, "3."},
      {2.5, 0, "2."},
      {-1.25, 1, "-1.2"},
      {-0.001, 2, "-0.00"},
      {-0.0, 2, "0.00"},
      {0.05, 3, "0.050"},
      {7, -3, "7."},
      {1.5, 9, "1.500000000"},
      {2147483647.9, 0, "2147483648."},
  };
  for (auto const& c : cases) EXPECT_EQ(dtoS(c.x, c.n), c.text) << c.x << " with " << c.n;
}

// Beyond 32 bits, more than nine decimals, not-a-number and the infinities:
// the exact decimal expansion under the same rounding rule.
TEST(FixedPoint, DefinedBeyondThirtyTwoBits) {
  struct Case {
    double x;
    int n;
    std::string text;
  } cases[] = {
      {std::nan(""), 2, "nan"},
      {inf, 2, "inf"},
      {-inf, 0, "-inf"},
      {3e9, 2, "3000000000.00"},
      {1e20, 0, "100000000000000000000."},
      {-2147483648.5, 1, "-2147483648.5"},
      {3000000000.5, 0, "3000000000."},  // exactly one half rounds down
      {3000000000.75, 0, "3000000001."},
      {0.1, 12, "0.100000000000"},
      {1.0 / 3, 15, "0.333333333333333"},
      {2.0 / 3, 10, "0.6666666667"},
      {0.99999999999999, 10, "1.0000000000"},
      {1e-12, 10, "0.0000000000"},
      {-5e-11, 10, "-0.0000000001"},
      {0.5, 20, "0.50000000000000000000"},
  };
  for (auto const& c : cases) EXPECT_EQ(dtoS(c.x, c.n), c.text) << c.x << " with " << c.n;
  std::string grand = dtoS(1e300, 2);
  EXPECT_EQ(grand.size(), 301u + 3);
  EXPECT_EQ(grand.substr(0, 28), "1000000000000000052504760255");
  EXPECT_EQ(grand.substr(grand.size() - 3), ".00");
  EXPECT_EQ(dtoS(0.5, 100000).size(), 2u + 1100);  // no double has a digit past the 1074th decimal
}

TEST(DecimalWriting, SignedAndWide) {
  EXPECT_EQ(long2S(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(long2S(2147483647), "2147483647");
  EXPECT_EQ(long2S(0), "0");
  EXPECT_EQ(long2S(-7), "-7");
  EXPECT_EQ(longlong2S(-1), "-1");
  EXPECT_EQ(longlong2S(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(unslonglong2S(UINT64_MAX), "18446744073709551615");
  EXPECT_EQ(unslonglong2S(0), "0");
}

TEST(LetterDigits, BaseEight) {
  struct Case {
    uint32_t n;
    std::string text;
  } cases[] = {{0, "A"}, {7, "H"}, {8, "BA"}, {64, "BAA"}, {83, "BCD"}, {4294967295u, "DHHHHHHHHHH"}};
  for (auto const& c : cases) EXPECT_EQ(unslongbyS(c.n), c.text) << c.n;
}

TEST(Hexadecimal, Reading) {
  struct Case {
    std::string text;
    uint32_t u;
    int32_t s;
  } cases[] = {
      {"1F", 31, 31},
      {"0x1F", 31, 31},
      {"1G", 16, 16},
      {"", 0, 0},
      {"FF", 255, -1},
      {"7F", 127, 127},
      {"80", 128, -128},
      {"fe", 254, -2},
      {"F", 15, -1},
      {"FFFFFFFF", 4294967295u, -1},
      {"7FFFFFFF", 2147483647u, 2147483647},
      {"80000000", 2147483648u, INT32_MIN},
      {"100000001", 1, 1},
      {"\xff", 0, 0},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(Stouhex(c.text), c.u) << c.text;
    EXPECT_EQ(Stoshex(c.text), c.s) << c.text;
  }
}

TEST(BaseTwo, Reading) {
  struct Case {
    std::string text;
    int32_t s;
  } cases[] = {
      {"0101", 5},
      {"1", -1},
      {"10", -2},
      {"1011", -5},
      {"", 0},
      {"0", 0},
      {"01", 1},
      {"011", 3},
      {std::string(32, '1'), -1},
      {"1" + std::string(31, '0'), INT32_MIN},
      {"0" + std::string(31, '1'), INT32_MAX},
  };
  for (auto const& c : cases) EXPECT_EQ(Stosbin(c.text), c.s) << c.text;
  EXPECT_EQ(Stoubin("102"), 6u);
  EXPECT_EQ(Stoubin("101"), 5u);
  EXPECT_EQ(Stoubin(""), 0u);
  EXPECT_EQ(Stoubin("1" + std::string(32, '0')), 0u);  // wraps
  EXPECT_EQ(Stoubin(std::string(32, '1')), 4294967295u);
}

TEST(Hexadecimal, ByMarker) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(Stohex("1Fh", "h"), 31);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  testing::internal::CaptureStderr();
  EXPECT_EQ(Stohex("42", "h"), 42);
  EXPECT_EQ(Stohex("-5", "h"), -5);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Decimal Conversion 42\nDecimal Conversion -5\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(Stoloruhex("0x", "0x1F"), 31);
  EXPECT_EQ(Stoloruhex("0x", "ab0x10"), 16);
  EXPECT_EQ(Stoloruhex("$", "$ff"), 255);
  EXPECT_EQ(Stoloruhex("0x", "42"), 42);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(Hexadecimal, Writing) {
  EXPECT_EQ(hex1toS(-1), "f");
  EXPECT_EQ(hex1toS(10), "a");
  EXPECT_EQ(hex1toS(0x35), "5");
  EXPECT_EQ(hex2toS(171), "ab");
  EXPECT_EQ(hex2toS(-1), "ff");
  EXPECT_EQ(hex4toS(4660), "1234");
  EXPECT_EQ(hex8toS(-1), "ffffffff");
  EXPECT_EQ(hex8toS(0x12345678), "12345678");
  EXPECT_EQ(hex8toS(INT32_MIN), "80000000");
  EXPECT_EQ(bin8toS(5), "00000101");
  EXPECT_EQ(bin8toS(-1), "11111111");
  EXPECT_EQ(bin8toS(256 + 128), "10000000");
}

TEST(NumberChecks, HexBinAndDigits) {
  struct Case {
    std::string text;
    bool hex, intel, bin, digit;
  } cases[] = {
      {"", true, false, true, false},     {"h", false, true, false, false},
      {"0FFh", false, true, false, true}, {"0FFH", false, false, false, true},
      {"0aF9", true, false, false, true}, {"0110", true, false, true, true},
      {"g", false, false, false, false},  {"12h3", false, false, false, true},
      {"2", true, false, false, true},    {"x1", false, false, false, false},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(checkhex(c.text), c.hex) << c.text;
    EXPECT_EQ(checkhexintel(c.text), c.intel) << c.text;
    EXPECT_EQ(checkbin(c.text), c.bin) << c.text;
    EXPECT_EQ(beginbynumber(c.text), c.digit) << c.text;
  }
}

}  // namespace
