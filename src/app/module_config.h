// ModuleConfig: the seven settings in "tarvex.ini" beside the executable, one
// reader and one writer per key on one private (section, key) pair. Where the
// executable's folder cannot be written (Program Files, a read-only medium) the
// settings live in the per-user folder instead, so that changes survive. The
// path is chosen afresh for every access, except within a Batch. Values cross
// the file in the ANSI code page and are UTF-8 here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/profile.h"

namespace tarvex {

inline constexpr char kSettingsFileName[] = "\\tarvex.ini";
// The reader's buffer: 255 bytes, so at most 254 bytes of ANSI text.
inline constexpr size_t kProfileBufferBytes = 255;

class ModuleConfig {
 public:
  ModuleConfig(ProfileStore& profile, FileSystem& files, const CodePage& codePage)
      : profile_(profile), files_(files), codePage_(codePage) {}

  // While one lives, whether the executable's folder can be written is asked
  // once: each asking creates and deletes a file, and a start reads and
  // writes every setting (under Wine about 0.4 ms each time). The writes are
  // held and reach the file together when the last one ends: a first start
  // writes four settings, each a flushed rewrite of the file on Linux.
  class Batch {
   public:
    explicit Batch(const ModuleConfig& config) : config_(config) {
      if (config_.batches_++ == 0) config_.profile_.HoldWrites();
    }
    ~Batch() {
      if (--config_.batches_ > 0) return;
      config_.folderWritable_.reset();
      config_.profile_.ReleaseWrites();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    const ModuleConfig& config_;
  };

  // The executable's directory followed by "\tarvex.ini" (a drive root gives
  // "C:\\tarvex.ini" with the doubled separator, which the platform accepts).
  std::string SettingsPath() const;
  // The per-user file (%APPDATA%\Tarvex\tarvex.ini); empty when the platform
  // names no per-user folder.
  std::string UserSettingsPath() const;
  // The file the readers use: the one beside the executable, unless its
  // folder cannot be written and the per-user file exists.
  std::string ReadPath() const;
  // The file the writers use: the one beside the executable while its folder
  // can be written; else the per-user file, created at the first write with
  // the content of the file beside the executable. Empty when neither can be
  // written: nothing is ever written beside an executable that forbids it.
  std::string WritePath();

  // Readers: nullopt when the key is absent or empty; otherwise at most 254
  // ANSI bytes (never half a character), cut at the first NUL, blanks trimmed.
  std::optional<std::string> GetAutoRun() const { return ReadKey("Normal", "AutoRun"); }
  std::optional<std::string> GetAutoMin() const { return ReadKey("Normal", "AutoMin"); }
  std::optional<std::string> GetEnableSpeed() const { return ReadKey("Normal", "EnableSpeed"); }
  std::optional<std::string> GetAlwaysTop() const { return ReadKey("Normal", "AlwaysTop"); }
  std::optional<std::string> GetSpeedLevel() const { return ReadKey("Speed", "SpeedLevel"); }
  std::optional<std::string> GetEnableRecord() const { return ReadKey("Record", "EnableRecord"); }
  std::optional<std::string> GetRecordCount() const { return ReadKey("Record", "RecordCount"); }

  // Writers: whether the platform reported success (no caller looks). A value
  // the file already holds is not written again.
  bool SetAutoRun(std::string_view value) { return WriteKey("Normal", "AutoRun", value); }
  bool SetAutoMin(std::string_view value) { return WriteKey("Normal", "AutoMin", value); }
  bool SetEnableSpeed(std::string_view value) { return WriteKey("Normal", "EnableSpeed", value); }
  bool SetAlwaysTop(std::string_view value) { return WriteKey("Normal", "AlwaysTop", value); }
  bool SetSpeedLevel(std::string_view value) { return WriteKey("Speed", "SpeedLevel", value); }
  bool SetEnableRecord(std::string_view value) { return WriteKey("Record", "EnableRecord", value); }
  bool SetRecordCount(std::string_view value) { return WriteKey("Record", "RecordCount", value); }

 private:
  std::optional<std::string> ReadKey(std::string_view section, std::string_view key) const;
  bool WriteKey(std::string_view section, std::string_view key, std::string_view value);
  bool FolderWritable() const;

  ProfileStore& profile_;
  FileSystem& files_;
  const CodePage& codePage_;
  mutable int batches_ = 0;
  mutable std::optional<bool> folderWritable_;
};

}  // namespace tarvex
