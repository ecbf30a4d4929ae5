#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "tweaks/text_to_number.h"

namespace {

struct NumberCase {
    const char* text;
    double number;
};

// GBK full width: "０" is A3 B0, "．" A3 AE, "－" A3 AD, "ｅ" A3 E5;
// the ideographic space is A1 A1.
const NumberCase kCases[] = {
    {"1", 1},
    {"255", 255},
    {"4", 4},
    {"0", 0},
    {"\xA3\xB2\xA3\xB5\xA3\xB5", 255},  // full-width 255
    {"２５５", 255},                    // the same, written as the characters
    {"", 0},
    {"abc", 0},
    {" -1.5e1x", -15},
    {"4.9", 4.9},
    {"-4.9", -4.9},
    {"+7", 7},
    {"\t\n\v\f\r 12", 12},
    {"\xA1\xA1" "42", 42},                    // led by an ideographic space
    {"\xA1\xA1\xA1\xA1 \xA3\xAD\xA3\xB3", -3},  // mixed spaces, full-width minus
    {"１２\xA3\xAE\xA3\xB5", 12.5},          // full-width decimal point
    {"３\xA3\xE5\xA3\xB2", 300},              // full-width exponent
    {"12中文", 12},                          // stops at a character that does not fit
    {"中12", 0},
    {"12\xA1\xA1" "3", 12},  // a space ends the number
    {"1,5", 1},
    {".5", 0.5},
    {"5.", 5},
    {".", 0},
    {"-", 0},
    {"+-1", 0},
    {"- 1", 0},
    {"1e", 1},     // an exponent needs digits
    {"1e+", 1},
    {"1E-2", 0.01},
    {"1e2.5", 100},
    {"007", 7},
    {"0x1A", 0},   // no hexadecimal
    {"inf", 0},    // no words
    {"nan", 0},
    {"12345678901234567890", 12345678901234567890.0},
    {"0.1", 0.1},
    {"1e-320", 1e-320},  // subnormal, still a number
    {"1e400", std::numeric_limits<double>::infinity()},
    {"-1e400", -std::numeric_limits<double>::infinity()},
    {"1e-400", 0},
    {"0.000000000001e-390", 0},
    {"100000000000e300", std::numeric_limits<double>::infinity()},
    {"1e99999999999999999999", std::numeric_limits<double>::infinity()},
    {"1e-99999999999999999999", 0},
    {"12\xA3", 12},  // a lone lead byte at the end
};

TEST(TextToNumber, ParsesLikeAtofAfterFoldingFullWidthForms) {
    for (const NumberCase& c : kCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.number, TextToNumber(c.text));
    }
}

TEST(TextToNumber, NullTextIsZero) { EXPECT_EQ(0.0, TextToNumber(nullptr)); }

TEST(TextToNumber, KeepsTheSignOfZero) {
    EXPECT_TRUE(std::signbit(TextToNumber("-0")));
    EXPECT_FALSE(std::signbit(TextToNumber("0")));
}

// A locale with a decimal comma must not change how "4.9" reads.
TEST(TextToNumber, DoesNotFollowTheLocale) {
    const char* const previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "German_Germany.1252") && !std::setlocale(LC_NUMERIC, "de-DE"))
        GTEST_SKIP() << "no locale with a decimal comma";
    const double number = TextToNumber("4.9");
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(4.9, number);
}

}  // namespace
