// The history's records, clearing and saving.
#include "app/speed_up_history.h"

#include <string>

#include "app/product_address.h"
#include "common/vb_number.h"

namespace tarvex {
namespace {

constexpr char kHistoryHeading[] = "Tarvex 加速记录";
constexpr char kCrLf[] = "\r\n";
constexpr int32_t kRecordIcon = 0;  // ImageListListViewHistory's image 1

}  // namespace

void SpeedUpHistory::AddSpeedUpRecord(std::string_view title, std::string_view speedLevelText) {
  // The list may hold one record more than the limit; the next one clears it.
  const double limit = ReadVbNumber(controls_.ComboText(SettingCombo::kAutoCleanCount));
  if (limit < static_cast<double>(list_.ItemCount())) list_.ClearItems();

  list_.AddItem(std::string(" ").append(std::to_string(list_.ItemCount() + 1)));
  const int32_t last = list_.ItemCount() - 1;
  if (last < 0) return;
  list_.SetSubItem(last, 1, platform_.clock.TimeOfDayText());
  list_.SetSubItem(last, 2, title);
  const char* level = speedLevelText == kSpeedNormal ? kSpeedNormal
                      : speedLevelText == kSpeedFailed ? kSpeedFailed
                                                       : kSpeedCrazy;
  list_.SetSubItem(last, 3, level);
  list_.SetSmallIcon(last, kRecordIcon);
}

void SpeedUpHistory::ClearRecords() { list_.ClearItems(); }

std::string SpeedUpHistory::RecordsText() const {
  std::string text;
  text += kHistoryHeading;
  text += kCrLf;
  text += kProductPagesAddress;
  text += kCrLf;
  const int32_t count = list_.ItemCount();
  for (int32_t item = 0; item < count; ++item) {
    // The speed level is not saved; the item text brings its own leading blank.
    text += list_.ItemText(item, 0) + " " + list_.ItemText(item, 1) + " " + list_.ItemText(item, 2) + " ";
    text += kCrLf;
  }
  return text;
}

void SpeedUpHistory::SaveRecords() {
  if (list_.ItemCount() == 0) {
    platform_.dialogs.ShowMessageBox("没有记录可保存。", "错误", MessageBoxIcon::kExclamation,
                                     MessageBoxButtons::kOk);
    return;
  }
  const std::string bytes = platform_.codePage.Utf8ToAnsi(RecordsText());

  OpenFileOptions options;
  options.filters.push_back({"(*.txt)", "*.txt"});
  const std::string path = platform_.dialogs.ChooseOpenFile(options);
  if (path.empty()) return;  // cancelled: nothing written, nothing shown

  const FileResult result = ReplaceFileContents(platform_.files, path, bytes);
  if (!result.Ok()) {
    platform_.dialogs.ShowMessageBox(result.errorText, "错误", MessageBoxIcon::kExclamation,
                                     MessageBoxButtons::kOk);
    return;
  }
  platform_.dialogs.ShowMessageBox("保存成功。", ":-)", MessageBoxIcon::kExclamation, MessageBoxButtons::kOk);
}

}  // namespace tarvex
