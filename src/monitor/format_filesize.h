// FormatFilesize: a byte count as short text ("512 B", "2 K", "4.77 MB",
// "3.00 GB") with the user's thousands and decimal separators.
#pragma once

#include <string>

#include "platform/locale.h"

namespace tarvex {

// Number patterns "#,##0" / "#,##0.00": grouped by threes, rounded half away
// from zero as number formats do, with the given separators.
std::string FormatGrouped(double value, int decimals, const NumberSeparators& separators);

// Bands: up to 1024 in bytes; below 1,048,576 in K (no decimals); below
// 1,073,741,824 in MB; else GB (two decimals). Exactly 1,048,576 is "1.00 MB".
std::string FormatFilesize(double nValue, const NumberSeparators& separators);

}  // namespace tarvex
