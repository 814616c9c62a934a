// "Read as a number": the leading number of a text, as the classic Basic Val
// reads it. Leading blanks are skipped, then an optional sign, digits, an
// optional decimal point and digits, an optional exponent (E or D); "&H" and
// "&O" start a hexadecimal or octal integer. Reading stops at the first
// character that does not fit; no number at all reads as 0.
// One reader serves every "read as a number" of the program.
#pragma once

#include <string>
#include <string_view>

namespace tarvex {

// The number at the start of `text`. Too large a decimal number gives plus or
// minus infinity (the caller decides; it never equals an entry or a limit).
// "&H" / "&O" numbers of up to four hex (six octal) digits are 16-bit and
// wrap to negative above &H7FFF, longer ones 32-bit ("&HFFFF" reads -1,
// "&H10000" 65536, "&HFFFFFFFF" -1); more than 32 bits read as 0.
double ReadVbNumber(std::string_view text);

// True when `text` reads as exactly the number 1 (the settings' "on").
bool ReadsAsOne(std::string_view text);

// The shortest decimal text of a number: 100 -> "100", 0.5 -> "0.5";
// -0 gives "0"; infinities "inf" / "-inf".
std::string ShortestDecimalText(double value);

}  // namespace tarvex
