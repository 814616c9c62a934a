// The engine and the history on a real window: a helper program in front is
// raised (nice or policy read from /proc), shown on the status page, counted
// and recorded; the saved file is exact (UTF-8, CR LF); clearing empties the
// list and saving nothing is refused with a warning.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <regex>

#include "app/main_window_layout.h"
#include "driver.h"
#include "host/qt/qt_text_engine.h"
#include "tarvex_version.h"

namespace tarvex::qte2e {
namespace {

constexpr char kSettings[] =
    "[Normal]\nEnableSpeed=1\n[Speed]\nSpeedLevel=1\n[Record]\nEnableRecord=1\nRecordCount=100\n";
constexpr char kHelperTitle[] = "加速测试窗口 e2e";
constexpr int kSchedRr = 2;
// The saved history: UTF-8 as it stands, CR LF after each record, the level not saved.
constexpr char kHelperThenTarvex[] =
    "Tarvex 加速记录\\r\\nhttps://www\\.tarvex\\.cn/tarvex/cn/\\r\\n"
    " 1 [0-9]{1,2}:[0-9]{2}:[0-9]{2} 加速测试窗口 e2e \r\n"
    " 2 [0-9]{1,2}:[0-9]{2}:[0-9]{2} Tarvex v" TARVEX_VERSION_STRING " \r\n";

// How LabelInfo shows `text`: Verdana 9 pt on the page colour, from its top left.
QImage LabelAsDrawn(const QString& text, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(qRgb(0xFB, 0xFD, 0xFB));
  QFont font(QStringLiteral("Verdana"));
  font.setPixelSize(12);
  QPainter p(&image);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QRect(QPoint(0, 0), size), Qt::AlignLeft | Qt::AlignTop, text);
  return image;
}

// Share of pixels that differ by more than a little in any channel.
double Mismatch(const QImage& a, const QImage& b) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > 40 || std::abs(qGreen(p) - qGreen(q)) > 40 || std::abs(qBlue(p) - qBlue(q)) > 40) {
        ++differing;
      }
    }
  }
  return static_cast<double>(differing) / (a.width() * a.height());
}

// Saves what was seen and what was expected beside the test's log.
std::string SavePictures(const std::string& name, const std::vector<QImage>& pictures) {
  const char* dir = std::getenv("TARVEX_ARTIFACTS");
  const std::string base = std::string(dir ? dir : "/tmp") + "/qt-e2e-" + name;
  for (size_t i = 0; i < pictures.size(); ++i) pictures[i].save(QString::fromStdString(base + "-" + std::to_string(i) + ".png"));
  return base + "-*.png";
}

// Whether the history list's first row is blank (no text, no icon).
bool FirstRowEmpty(TarvexApp& app) {
  const Point at = TarvexApp::OnTab(layout::kListViewHistory, 2, 30);
  const QImage row = app.Grab().copy(at.x, at.y, 200, 8);
  for (int y = 0; y < row.height(); ++y)
    for (int x = 0; x < row.width(); ++x)
      if (qGray(row.pixel(x, y)) < 128) return false;
  return true;
}

void ShowPage(TarvexApp& app, int page, int tabX) {
  app.Click({layout::kTab.left + tabX, layout::kTab.top + 12});
  ASSERT_TRUE(WaitFor([&] { return app.ActivePage() == page; }));
}

std::filesystem::path SaveThroughTheDialog(TarvexApp& app, const std::string& name) {
  app.Click(TarvexApp::OnTab(layout::kCommandSaveRecords, 20, 12));
  unsigned long dialog = 0;
  WaitFor([&] {
    for (unsigned long id : FindWindowsOfPid(app.Pid())) {
      if (id != app.Main() && WindowRect(id).width() > 200 &&
          Sh("xwininfo -id " + std::to_string(id)).out.find("IsViewable") != std::string::npos) {
        dialog = id;
      }
    }
    return dialog != 0;
  });
  const std::filesystem::path path = app.Folder() / name;
  if (dialog == 0) return {};
  TypeTo(dialog, path.string());
  KeysTo(dialog, "Return");
  return path;
}

// The number LabelCount shows (it is drawn as the program draws it), -1 if none.
int ShownCount(TarvexApp& app, const QRect& count) {
  const QImage shown = app.Grab().copy(count);
  for (int n = 0; n < 100; ++n) {
    if (Mismatch(shown, LabelAsDrawn(QString::number(n), count.size())) < 0.01) return n;
  }
  return -1;
}

// Tarvex in front: the helper gets its scheduling back and Tarvex is record 2;
// the history saved through the dialog is then exact.
void TarvexInFrontThenSaved(TarvexApp& app, const HelperWindow& helper, const std::string& name) {
  Sh("xdotool windowactivate --sync " + std::to_string(app.Main()));
  EXPECT_TRUE(WaitFor([&] { return helper.Nice() == 0; })) << "nice " << helper.Nice();
  ShowPage(app, 2, 200);
  const auto saved = SaveThroughTheDialog(app, name);
  ASSERT_FALSE(saved.empty()) << "no file dialog";
  const unsigned long done = WaitDialog(":-)");
  ASSERT_NE(done, 0u) << "no success message";
  KeysTo(done, "Return");
  const std::regex exact(kHelperThenTarvex);
  const std::string text = ReadFile(saved);
  EXPECT_TRUE(std::regex_match(text, exact)) << "[" << text << "]";
}

TEST(Engine, WindowInFrontIsRaisedShownCountedRecordedAndSavedExactly) {
  InstallFontSubstitutions();  // as the program draws: its faces, unhinted where fontconfig says so
  HonourUnhintedFaces();
  TarvexApp app(kSettings);
  ASSERT_TRUE(app.Start());
  // Tarvex itself, in front once shown, is recorded; that goes, and the
  // numbering starts again at 1.
  ShowPage(app, 2, 200);
  ASSERT_TRUE(WaitFor([&] { return !FirstRowEmpty(app); }));
  app.Click(TarvexApp::OnTab(layout::kCommandClearRecords, 20, 12));
  ASSERT_TRUE(WaitFor([&] { return FirstRowEmpty(app); }));
  ShowPage(app, 0, 30);
  const QRect info(TarvexApp::OnTab(layout::kLabelInfo).x, TarvexApp::OnTab(layout::kLabelInfo).y,
                   layout::kLabelInfo.Width(), layout::kLabelInfo.Height());
  const QRect count(TarvexApp::OnTab(layout::kLabelCount).x, TarvexApp::OnTab(layout::kLabelCount).y,
                    layout::kLabelCount.Width(), layout::kLabelCount.Height());
  const int countBefore = ShownCount(app, count);
  ASSERT_GE(countBefore, 0) << "no count shown; pictures in " << SavePictures("count", {app.Grab().copy(count)});

  HelperWindow helper(kHelperTitle);
  ASSERT_NE(helper.Window(), 0u);
  Sh("xdotool windowmove " + std::to_string(helper.Window()) + " 0 0");  // beside the status page
  Sh("xdotool windowactivate --sync " + std::to_string(helper.Window()));
  // 普通加速 is the high class: nice -10 on every thread.
  EXPECT_TRUE(WaitFor([&] { return helper.Nice() == -10; })) << "nice " << helper.Nice();
  EXPECT_TRUE(WaitFor([&] {
    return Mismatch(app.Grab().copy(info), LabelAsDrawn(QString::fromUtf8(kHelperTitle), info.size())) < 0.01 &&
           ShownCount(app, count) == countBefore + 1;
  })) << "the status page does not show the helper's title and the count; pictures in "
      << SavePictures("status", {app.Grab().copy(info), LabelAsDrawn(QString::fromUtf8(kHelperTitle), info.size()),
                                 app.Grab().copy(count)});

  TarvexInFrontThenSaved(app, helper, "records.txt");
}

// The first tick comes before the list exists (it is made after the first
// paint): what it records must still be row 1, whole.
TEST(Engine, WindowInFrontAtStartIsRecordOne) {
  HelperWindow helper(kHelperTitle);
  ASSERT_NE(helper.Window(), 0u);
  Sh("xdotool windowactivate --sync " + std::to_string(helper.Window()));
  TarvexApp app(kSettings);
  ASSERT_TRUE(app.Start());
  TarvexInFrontThenSaved(app, helper, "first.txt");
}

TEST(Engine, CrazyLevelUsesTheRealTimePolicy) {
  TarvexApp app("[Normal]\nEnableSpeed=1\n[Speed]\nSpeedLevel=2\n");
  ASSERT_TRUE(app.Start());
  HelperWindow helper("实时测试");
  ASSERT_NE(helper.Window(), 0u);
  Sh("xdotool windowactivate --sync " + std::to_string(helper.Window()));
  EXPECT_TRUE(WaitFor([&] { return helper.Policy() == kSchedRr; }, 10s)) << "policy " << helper.Policy();
}

TEST(History, ClearEmptiesTheListAndSavingNothingIsRefused) {
  TarvexApp app(kSettings);
  ASSERT_TRUE(app.Start());
  HelperWindow helper("记录一条");
  Sh("xdotool windowmove " + std::to_string(helper.Window()) + " 0 0");  // clear of the tabs
  Sh("xdotool windowactivate --sync " + std::to_string(helper.Window()));
  ASSERT_TRUE(WaitFor([&] { return helper.Nice() == -10; }));
  Sh("xdotool windowactivate --sync " + std::to_string(app.Main()));
  ASSERT_TRUE(WaitFor([&] { return helper.Nice() == 0; }));  // the tick saw Tarvex in front
  ShowPage(app, 2, 200);
  EXPECT_TRUE(WaitFor([&] { return !FirstRowEmpty(app); })) << "the record is not listed";
  app.Click(TarvexApp::OnTab(layout::kCommandClearRecords, 20, 12));
  EXPECT_TRUE(WaitFor([&] { return FirstRowEmpty(app); })) << "the list was not cleared; pictures in " << SavePictures("cleared", {app.Grab()});
  // By keyboard this time: Tab goes from the list to the save button.
  app.Click(TarvexApp::OnTab(layout::kListViewHistory, 100, 120));
  app.Keys("Tab");
  app.Keys("space");
  const unsigned long warning = WaitDialog("错误");
  ASSERT_NE(warning, 0u) << "no warning for an empty list; pictures in " << SavePictures("warning", {Screen()});
  KeysTo(warning, "Return");
  EXPECT_TRUE(WaitFor([&] { return FindWindows("^错误$").empty(); }));
  // On from the save button: the clear button, then the window's hide button.
  app.Keys("Tab");
  app.Keys("Tab");
  app.Keys("space");
  EXPECT_TRUE(WaitFor([&] { return !app.MainVisible(); })) << "Tab did not go from the page's buttons to 隐藏";
}

}  // namespace
}  // namespace tarvex::qte2e
