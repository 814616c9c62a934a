// libFuzzer target for the INI text (parse, read, in-place write) and the
// Val-style numeric reader. Checks, besides memory safety:
//  - a write that is accepted reads back as the reading rules say;
//  - a write changes no other (section, key) the file could be asked for;
//  - the shortest decimal text of a number reads back as the same number.
// Run: build/fuzz/fuzz_ini -max_total_time=60 tests/fuzz/corpus_ini
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/vb_number.h"
#include "platform/portable/ini_text.h"

namespace {

using tarvex::IniText;

bool IsIniSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A';
}

// The name as lookups compare it: trimmed, ASCII letters folded.
std::string Folded(std::string s) {
  while (!s.empty() && IsIniSpace(s.front())) s.erase(s.begin());
  while (!s.empty() && IsIniSpace(s.back())) s.pop_back();
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

void FuzzNumber(const std::string& text) {
  const double value = tarvex::ReadVbNumber(text);
  if (std::isfinite(value)) {
    Check(tarvex::ReadVbNumber(tarvex::ShortestDecimalText(value)) == value);
  }
  (void)tarvex::ReadsAsOne(text);
}

void FuzzIni(FuzzedDataProvider& data) {
  const std::string section = data.ConsumeRandomLengthString(16);
  const std::string key = data.ConsumeRandomLengthString(16);
  const std::string value = data.ConsumeRandomLengthString(64);
  std::vector<std::pair<std::string, std::string>> others;
  for (int i = 0; i < 4; ++i) {
    std::string s = data.ConsumeRandomLengthString(8);
    std::string k = data.ConsumeRandomLengthString(8);
    others.emplace_back(std::move(s), std::move(k));
  }
  others.emplace_back("Normal", "AutoRun");
  others.emplace_back("Record", "RecordCount");
  IniText ini(data.ConsumeRemainingBytesAsString());

  std::vector<std::optional<std::string>> before;
  for (const auto& [s, k] : others) before.push_back(ini.Get(s, k));
  (void)ini.Get(section, key);

  if (!ini.Set(section, key, value)) return;
  Check(ini.Get(section, key) == tarvex::IniReadValue(value));
  // Re-parsing the written bytes gives the same answers.
  const IniText reparsed(ini.Bytes());
  Check(reparsed.Get(section, key) == tarvex::IniReadValue(value));
  for (size_t i = 0; i < others.size(); ++i) {
    const auto& [s, k] = others[i];
    if (Folded(s) == Folded(section) && Folded(k) == Folded(key)) continue;
    Check(reparsed.Get(s, k) == before[i]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  if (data.ConsumeBool()) {
    FuzzNumber(data.ConsumeRemainingBytesAsString());
  } else {
    FuzzIni(data);
  }
  return 0;
}
