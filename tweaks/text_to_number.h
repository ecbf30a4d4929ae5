#pragma once

// The number a decimal text begins with, by the rules of atof: leading white
// space, an optional sign, digits with an optional decimal point and an
// optional exponent; the first character that does not fit ends the number,
// and a text that begins with no number gives 0. GBK full-width forms of the
// ASCII characters (0xA3 0xA1..0xFE) and the ideographic space (0xA1 0xA1)
// count as their ASCII forms. The decimal point is always '.', whatever the C
// library's locale says. A null text gives 0.
double TextToNumber(const char* text);
