// The named-value store through which a control writes and reads its persistent
// properties. Keys keep the order of writing; a value equal to its default is
// not stored; reads are logged so tests can compare a control's read order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "common/font.h"
#include "common/picture.h"

namespace tarvex {

// Integers (Integer, Long, OLE colours) all travel as int64_t.
using PropertyValue = std::variant<bool, int64_t, double, std::string, FontDesc, PicturePtr>;

bool PropertyValuesEqual(const PropertyValue& a, const PropertyValue& b);

class PropertyBag {
 public:
  // Stores value under key unless it equals defaultValue (then any stored value
  // for key is dropped). Writing a key again replaces it in place.
  void Write(std::string_view key, PropertyValue value, const PropertyValue& defaultValue);
  // Stores unconditionally (a host restoring a saved form).
  void Put(std::string_view key, PropertyValue value);

  // The stored value, or defaultValue when key is absent. A stored value of
  // another type than the default is converted where the host would (number
  // <-> text, bool <-> number) and otherwise gives the default.
  PropertyValue Read(std::string_view key, const PropertyValue& defaultValue) const;
  bool ReadBool(std::string_view key, bool defaultValue) const;
  int64_t ReadInt(std::string_view key, int64_t defaultValue) const;
  double ReadDouble(std::string_view key, double defaultValue) const;
  std::string ReadString(std::string_view key, std::string_view defaultValue) const;
  FontDesc ReadFont(std::string_view key, const FontDesc& defaultValue) const;
  PicturePtr ReadPicture(std::string_view key) const;

  bool Contains(std::string_view key) const;
  const PropertyValue* Find(std::string_view key) const;
  std::vector<std::string> Keys() const;  // in the order first written
  const std::vector<std::pair<std::string, PropertyValue>>& Entries() const { return entries_; }
  size_t Size() const { return entries_.size(); }

  // Every key asked of Read*, in order, whether stored or not.
  const std::vector<std::string>& ReadLog() const { return readLog_; }

  // A line-based text form ("Key = type:value") that round-trips every value.
  std::string ToText() const;
  static std::optional<PropertyBag> FromText(std::string_view text);

  friend bool operator==(const PropertyBag& a, const PropertyBag& b);

 private:
  std::vector<std::pair<std::string, PropertyValue>> entries_;
  mutable std::vector<std::string> readLog_;
};

}  // namespace tarvex
