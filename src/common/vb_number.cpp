// The Val-style numeric reader and the shortest decimal formatting.
#include "common/vb_number.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tarvex {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// The C library's decimal point now: strtod and printf follow the locale, and a
// host may set one (Qt does), where "1.5" would read as 1. (std::from_chars and
// to_chars would not care, but bring 200 KB of tables into the exe.)
std::string DecimalPoint() {
  const char* point = std::localeconv()->decimal_point;
  return point != nullptr && *point != '\0' ? point : ".";
}

// "&H..." or "&O...": `text` starts after the prefix letter.
double ReadRadixInteger(std::string_view text, int radix, size_t shortDigits) {
  uint64_t value = 0;
  size_t digits = 0;
  size_t i = 0;
  // Leading zeros do not count toward the width.
  while (i < text.size() && text[i] == '0') ++i;
  for (; i < text.size(); ++i) {
    int d = DigitValue(text[i]);
    if (d >= radix) break;
    value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFull) return 0.0;  // overflows a Long: no number
    ++digits;
  }
  if (digits <= shortDigits && value <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(value));
  return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
}

}  // namespace

double ReadVbNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i + 1 < text.size() && text[i] == '&') {
    char kind = text[i + 1];
    if (kind == 'H' || kind == 'h') return ReadRadixInteger(text.substr(i + 2), 16, 4);
    if (kind == 'O' || kind == 'o') return ReadRadixInteger(text.substr(i + 2), 8, 6);
    return 0.0;
  }

  // Collect sign, mantissa and exponent into a plain form from_chars reads.
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::string number;
  size_t mantissaDigits = 0;
  int64_t magnitude = 0;  // decimal position of the first significant digit
  bool seenSignificant = false;
  while (i < text.size() && IsDigit(text[i])) {
    if (text[i] != '0' || seenSignificant) {
      seenSignificant = true;
      ++magnitude;
    }
    number += text[i++];
    ++mantissaDigits;
  }
  if (i < text.size() && text[i] == '.') {
    number += '.';
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      if (!seenSignificant) {
        if (text[i] != '0') seenSignificant = true;
        else --magnitude;
      }
      number += text[i++];
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return 0.0;
  if (!seenSignificant) return 0.0;

  // An exponent counts only when at least one digit follows it.
  int64_t exponent = 0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    size_t j = i + 1;
    bool expNegative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      expNegative = text[j] == '-';
      ++j;
    }
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) {
        if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
        ++j;
      }
      if (expNegative) exponent = -exponent;
    }
  }

  // Far outside a double's range: decide without parsing.
  const int64_t scale = magnitude + exponent;
  if (scale > 400) return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  if (scale < -400) return negative ? -0.0 : 0.0;

  number += 'e';
  number += std::to_string(exponent);
  if (const std::string point = DecimalPoint(); point != ".") {
    if (const size_t at = number.find('.'); at != std::string::npos) number.replace(at, 1, point);
  }
  // Correctly rounded; too large gives infinity, too small 0 (or a denormal).
  const double value = std::strtod(number.c_str(), nullptr);
  return negative ? -value : value;
}

bool ReadsAsOne(std::string_view text) { return ReadVbNumber(text) == 1.0; }

std::string ShortestDecimalText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  if (value == 0.0) return "0";
  // The fewest significant digits that read back as the value (17 always do).
  char buffer[64];
  for (int precision = 0; precision <= 16; ++precision) {
    std::snprintf(buffer, sizeof buffer, "%.*e", precision, value);
    if (std::strtod(buffer, nullptr) == value) break;
  }
  // buffer is [-]d[<point>ddd]e(+|-)XX, the point in the locale's form
  const std::string_view text(buffer);
  const size_t e = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e)) {
    if (IsDigit(c)) digits += c;
  }
  const int exponent = std::atoi(buffer + e + 1);
  const std::string sign = value < 0 ? "-" : "";
  // Both spellings, the shorter one wins, the plain one on a tie.
  std::string scientific = sign + digits.substr(0, 1);
  if (digits.size() > 1) scientific += "." + digits.substr(1);
  scientific += exponent < 0 ? "e-" : "e+";
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) scientific += '0';
  scientific += std::to_string(magnitude);
  std::string plain;
  if (exponent < 0) {
    plain = sign + "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  } else if (digits.size() <= static_cast<size_t>(exponent) + 1) {
    plain = sign + digits + std::string(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
  } else {
    plain = sign + digits.substr(0, static_cast<size_t>(exponent) + 1) + "." +
            digits.substr(static_cast<size_t>(exponent) + 1);
  }
  return plain.size() <= scientific.size() ? plain : scientific;
}

}  // namespace tarvex
