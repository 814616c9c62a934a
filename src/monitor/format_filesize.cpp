// Byte counts to short text for the monitor's FormatFilesize method.
#include "monitor/format_filesize.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace tarvex {

std::string FormatGrouped(double value, int decimals, const NumberSeparators& separators) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf");
  // printf rounds the binary value exactly; nudge true decimal halves (2.5,
  // 0.125) up in magnitude so they round away from zero as number formats do.
  const double scale = std::pow(10.0, decimals);
  double magnitude = std::fabs(value) * scale;
  if (std::fabs(magnitude - std::floor(magnitude) - 0.5) < 1e-9 * std::max(1.0, magnitude)) {
    magnitude = std::floor(magnitude) + 1.0;
  } else {
    magnitude = std::round(magnitude);
  }
  char digits[400];
  std::snprintf(digits, sizeof digits, "%.*f", decimals, magnitude / scale);
  std::string_view text(digits);
  const size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);

  std::string out;
  if (value < 0 && magnitude != 0) out += '-';
  for (size_t i = 0; i < whole.size(); ++i) {
    if (i != 0 && (whole.size() - i) % 3 == 0) out += separators.thousands;
    out += whole[i];
  }
  if (point != std::string_view::npos) {
    out += separators.decimal;
    out += text.substr(point + 1);
  }
  return out;
}

std::string FormatFilesize(double nValue, const NumberSeparators& separators) {
  constexpr double kKilo = 1024.0;
  constexpr double kMega = 1048576.0;
  constexpr double kGiga = 1073741824.0;
  if (nValue <= kKilo) return FormatGrouped(nValue, 0, separators) + " B";
  if (nValue < kMega) return FormatGrouped(nValue / kKilo, 0, separators) + " K";
  // The K band ends below 1,048,576 and the MB band begins above it; the
  // boundary itself reads best as "1.00 MB".
  if (nValue < kGiga) return FormatGrouped(nValue / kMega, 2, separators) + " MB";
  return FormatGrouped(nValue / kGiga, 2, separators) + " GB";
}

}  // namespace tarvex
