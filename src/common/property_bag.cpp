// Property bag storage, conversions and its text form.
#include "common/property_bag.h"

#include <charconv>
#include <cstdio>

namespace tarvex {
namespace {

bool KeyEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string Escape(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return out;
}

std::string Unescape(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      char n = s[++i];
      out += n == 'n' ? '\n' : n == 'r' ? '\r' : n;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::string Hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08X", v);
  return buf;
}

std::string FormatValue(const PropertyValue& v) {
  struct Visitor {
    std::string operator()(bool b) const { return std::string("bool:") + (b ? "1" : "0"); }
    std::string operator()(int64_t i) const { return "int:" + std::to_string(i); }
    std::string operator()(double d) const {
      char buf[40];
      std::snprintf(buf, sizeof buf, "%.17g", d);
      return std::string("double:") + buf;
    }
    std::string operator()(const std::string& s) const { return "string:" + Escape(s); }
    std::string operator()(const FontDesc& f) const {
      char size[40];
      std::snprintf(size, sizeof size, "%.17g", f.sizePt);
      return "font:" + std::string(size) + "|" + (f.bold ? "1" : "0") + (f.italic ? "1" : "0") +
             (f.underline ? "1" : "0") + (f.strikethrough ? "1" : "0") + "|" +
             std::to_string(f.charset) + "|" + Escape(f.name);
    }
    std::string operator()(const PicturePtr& p) const {
      if (!p) return "picture:none";
      std::string out = "picture:" + std::to_string(static_cast<int>(p->type)) + "|" +
                        std::to_string(p->width) + "|" + std::to_string(p->height) + "|";
      for (Rgb px : p->pixels) out += Hex(px);
      out += "|";
      for (uint8_t a : p->alpha) out += a ? '1' : '0';
      return out;
    }
  };
  return std::visit(Visitor{}, v);
}

std::optional<PropertyValue> ParseValue(std::string_view text) {
  auto colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  std::string_view type = text.substr(0, colon);
  std::string_view body = text.substr(colon + 1);
  if (type == "bool") return PropertyValue(body == "1");
  if (type == "int") {
    int64_t v = 0;
    auto r = std::from_chars(body.data(), body.data() + body.size(), v);
    if (r.ec != std::errc()) return std::nullopt;
    return PropertyValue(v);
  }
  if (type == "double") return PropertyValue(std::strtod(std::string(body).c_str(), nullptr));
  if (type == "string") return PropertyValue(Unescape(body));
  if (type == "font") {
    FontDesc f;
    auto p1 = body.find('|');
    auto p2 = body.find('|', p1 + 1);
    auto p3 = body.find('|', p2 + 1);
    if (p1 == std::string_view::npos || p2 == std::string_view::npos || p3 == std::string_view::npos)
      return std::nullopt;
    f.sizePt = std::strtod(std::string(body.substr(0, p1)).c_str(), nullptr);
    std::string_view flags = body.substr(p1 + 1, p2 - p1 - 1);
    if (flags.size() != 4) return std::nullopt;
    f.bold = flags[0] == '1';
    f.italic = flags[1] == '1';
    f.underline = flags[2] == '1';
    f.strikethrough = flags[3] == '1';
    f.charset = static_cast<int16_t>(std::atoi(std::string(body.substr(p2 + 1, p3 - p2 - 1)).c_str()));
    f.name = Unescape(body.substr(p3 + 1));
    return PropertyValue(f);
  }
  if (type == "picture") {
    if (body == "none") return PropertyValue(PicturePtr{});
    auto pic = std::make_shared<Picture>();
    // type|width|height|pixels|alpha, split by hand (no stream machinery in the exe)
    auto field = [&body]() {
      const size_t bar = body.find('|');
      std::string_view f = body.substr(0, bar);
      body = bar == std::string_view::npos ? std::string_view() : body.substr(bar + 1);
      return std::string(f);
    };
    pic->type = static_cast<PictureType>(std::atoi(field().c_str()));
    pic->width = std::atoi(field().c_str());
    pic->height = std::atoi(field().c_str());
    const std::string pixels = field();
    if (pic->width < 0 || pic->height < 0 ||
        pixels.size() != static_cast<size_t>(pic->width) * pic->height * 8)
      return std::nullopt;
    for (size_t i = 0; i < pixels.size(); i += 8)
      pic->pixels.push_back(static_cast<Rgb>(std::stoul(pixels.substr(i, 8), nullptr, 16)));
    // the rest of the line (getline stopped only at a line end)
    const std::string_view alpha = body.substr(0, body.find('\n'));
    for (char c : alpha) pic->alpha.push_back(c == '1' ? 1 : 0);
    return PropertyValue(PicturePtr(pic));
  }
  return std::nullopt;
}

}  // namespace

bool PropertyValuesEqual(const PropertyValue& a, const PropertyValue& b) {
  if (a.index() != b.index()) {
    // An integer default compared with a stored double (or the reverse) is
    // still "equal to its default" when the numbers match.
    auto num = [](const PropertyValue& v, double& out) {
      if (auto* i = std::get_if<int64_t>(&v)) { out = static_cast<double>(*i); return true; }
      if (auto* d = std::get_if<double>(&v)) { out = *d; return true; }
      return false;
    };
    double x = 0, y = 0;
    return num(a, x) && num(b, y) && x == y;
  }
  if (auto* pa = std::get_if<PicturePtr>(&a)) {
    const auto& pb = std::get<PicturePtr>(b);
    if (!*pa || !pb) return !*pa && !pb;
    return **pa == *pb;
  }
  return a == b;
}

void PropertyBag::Put(std::string_view key, PropertyValue value) {
  for (auto& [k, v] : entries_) {
    if (KeyEquals(k, key)) {
      v = std::move(value);
      return;
    }
  }
  entries_.emplace_back(std::string(key), std::move(value));
}

void PropertyBag::Write(std::string_view key, PropertyValue value, const PropertyValue& defaultValue) {
  if (PropertyValuesEqual(value, defaultValue)) {
    std::erase_if(entries_, [&](const auto& e) { return KeyEquals(e.first, key); });
    return;
  }
  Put(key, std::move(value));
}

const PropertyValue* PropertyBag::Find(std::string_view key) const {
  for (const auto& [k, v] : entries_)
    if (KeyEquals(k, key)) return &v;
  return nullptr;
}

bool PropertyBag::Contains(std::string_view key) const { return Find(key) != nullptr; }

std::vector<std::string> PropertyBag::Keys() const {
  std::vector<std::string> keys;
  for (const auto& e : entries_) keys.push_back(e.first);
  return keys;
}

PropertyValue PropertyBag::Read(std::string_view key, const PropertyValue& defaultValue) const {
  readLog_.emplace_back(key);
  const PropertyValue* stored = Find(key);
  if (!stored) return defaultValue;
  if (stored->index() == defaultValue.index()) return *stored;
  // Conversions the host performs when a stored type differs from the asked one.
  if (std::holds_alternative<int64_t>(defaultValue)) {
    if (auto* d = std::get_if<double>(stored)) return PropertyValue(static_cast<int64_t>(*d));
    if (auto* b = std::get_if<bool>(stored)) return PropertyValue(int64_t{*b ? -1 : 0});
    if (auto* s = std::get_if<std::string>(stored)) {
      int64_t v = 0;
      auto r = std::from_chars(s->data(), s->data() + s->size(), v);
      if (r.ec == std::errc()) return PropertyValue(v);
    }
  } else if (std::holds_alternative<double>(defaultValue)) {
    if (auto* i = std::get_if<int64_t>(stored)) return PropertyValue(static_cast<double>(*i));
  } else if (std::holds_alternative<bool>(defaultValue)) {
    if (auto* i = std::get_if<int64_t>(stored)) return PropertyValue(*i != 0);
  } else if (std::holds_alternative<std::string>(defaultValue)) {
    if (auto* i = std::get_if<int64_t>(stored)) return PropertyValue(std::to_string(*i));
  } else if (std::holds_alternative<PicturePtr>(defaultValue)) {
    return defaultValue;
  }
  return defaultValue;
}

bool PropertyBag::ReadBool(std::string_view key, bool defaultValue) const {
  return std::get<bool>(Read(key, defaultValue));
}
int64_t PropertyBag::ReadInt(std::string_view key, int64_t defaultValue) const {
  return std::get<int64_t>(Read(key, defaultValue));
}
double PropertyBag::ReadDouble(std::string_view key, double defaultValue) const {
  return std::get<double>(Read(key, defaultValue));
}
std::string PropertyBag::ReadString(std::string_view key, std::string_view defaultValue) const {
  return std::get<std::string>(Read(key, std::string(defaultValue)));
}
FontDesc PropertyBag::ReadFont(std::string_view key, const FontDesc& defaultValue) const {
  return std::get<FontDesc>(Read(key, defaultValue));
}
PicturePtr PropertyBag::ReadPicture(std::string_view key) const {
  return std::get<PicturePtr>(Read(key, PicturePtr{}));
}

std::string PropertyBag::ToText() const {
  std::string out;
  for (const auto& [k, v] : entries_) out += k + " = " + FormatValue(v) + "\n";
  return out;
}

std::optional<PropertyBag> PropertyBag::FromText(std::string_view text) {
  PropertyBag bag;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (line.empty()) continue;
    auto eq = line.find(" = ");
    if (eq == std::string_view::npos) return std::nullopt;
    auto value = ParseValue(line.substr(eq + 3));
    if (!value) return std::nullopt;
    bag.Put(line.substr(0, eq), std::move(*value));
  }
  return bag;
}

bool operator==(const PropertyBag& a, const PropertyBag& b) {
  if (a.entries_.size() != b.entries_.size()) return false;
  for (size_t i = 0; i < a.entries_.size(); ++i) {
    if (a.entries_[i].first != b.entries_[i].first) return false;
    if (!PropertyValuesEqual(a.entries_[i].second, b.entries_[i].second)) return false;
  }
  return true;
}

}  // namespace tarvex
