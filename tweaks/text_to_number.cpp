#include "tweaks/text_to_number.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// atof's white space in the "C" locale.
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The text with full-width ASCII and the ideographic space made plain ASCII.
// Folding stops at the first other two-byte character: no number goes on
// past one.
std::string FoldFullWidth(const char* text) {
    std::string plain;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (*p < 0x80) {
            plain += static_cast<char>(*p);
        } else if (*p == 0xA3 && p[1] >= 0xA1 && p[1] <= 0xFE) {
            plain += static_cast<char>(p[1] & 0x7F);
            ++p;
        } else if (*p == 0xA1 && p[1] == 0xA1) {
            plain += ' ';
            ++p;
        } else {
            break;
        }
    }
    return plain;
}

// Where a run of digits ends.
const char* SkipDigits(const char* p) {
    while (IsDigit(*p)) ++p;
    return p;
}

// Saturation point of the exponent: far beyond any double, far below overflow.
constexpr long long kExponentCap = 1000000000000LL;

// The decimal order of the first significant digit of digits[.digits]: the
// number of integer digits from it on, or minus the zeros after the point
// before it. The value lies in [10^(order-1), 10^order).
long long DecimalOrder(const char* start, const char* intEnd, const char* fracEnd) {
    const char* digit = start;
    while (digit != intEnd && *digit == '0') ++digit;
    if (digit != intEnd) return intEnd - digit;
    const char* fraction = intEnd == fracEnd ? intEnd : intEnd + 1;
    const char* f = fraction;
    while (f != fracEnd && *f == '0') ++f;
    return -(f - fraction);
}

}  // namespace

double TextToNumber(const char* text) {
    if (!text) return 0.0;
    const std::string plain = FoldFullWidth(text);
    const char* p = plain.c_str();
    while (IsSpace(*p)) ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;

    // Find the extent of the number first, so that the conversion below sees
    // exactly the characters that atof would take.
    const char* const start = p;
    const char* const intEnd = SkipDigits(start);
    const char* const fracEnd = *intEnd == '.' ? SkipDigits(intEnd + 1) : intEnd;
    if (intEnd == start && fracEnd - intEnd <= 1) return 0.0;  // not one digit
    const char* end = fracEnd;
    long long exponent = 0;  // only needed to tell overflow from underflow
    if (*end == 'e' || *end == 'E') {
        const char* e = end + 1;
        const bool negativeExponent = *e == '-';
        if (*e == '-' || *e == '+') ++e;
        if (IsDigit(*e)) {  // an exponent without digits is not taken
            end = SkipDigits(e);
            for (; e != end && exponent < kExponentCap; ++e) exponent = exponent * 10 + (*e - '0');
            if (negativeExponent) exponent = -exponent;
        }
    }

    // from_chars is locale-independent and correctly rounded.
    double magnitude = 0.0;
    const std::from_chars_result result = std::from_chars(start, end, magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: atof gives HUGE_VAL or 0.
        // Which one depends only on the sign of the number's decimal order,
        // as out of range it is hundreds of places away from zero.
        magnitude = DecimalOrder(start, intEnd, fracEnd) + exponent > 0 ? HUGE_VAL : 0.0;
    }
    return negative ? -magnitude : magnitude;
}
