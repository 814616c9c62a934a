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

namespace tarvex::qte2e {
namespace {

constexpr char kSettings[] =
    "[Normal]\nEnableSpeed=1\n[Speed]\nSpeedLevel=1\n[Record]\nEnableRecord=1\nRecordCount=100\n";
constexpr char kHelperTitle[] = "加速测试窗口 e2e";
constexpr int kSchedRr = 2;

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
          Run("xwininfo -id " + std::to_string(id)).out.find("IsViewable") != std::string::npos) {
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

TEST(Engine, WindowInFrontIsRaisedShownCountedRecordedAndSavedExactly) {
  InstallFontSubstitutions();
  TarvexApp app(kSettings);
  ASSERT_TRUE(app.Start());
  ShowPage(app, 0, 30);
  HelperWindow helper(kHelperTitle);
  ASSERT_NE(helper.Window(), 0u);
  ASSERT_EQ(helper.Nice(), 0);
  Run("xdotool windowactivate --sync " + std::to_string(helper.Window()));
  // 普通加速 is the high class: nice -10 on every thread.
  EXPECT_TRUE(WaitFor([&] { return helper.Nice() == -10; }, 10s)) << "nice " << helper.Nice();

  // Shown and counted on the status page (the helper does not cover it).
  const QRect info(TarvexApp::OnTab(layout::kLabelInfo).x, TarvexApp::OnTab(layout::kLabelInfo).y,
                   layout::kLabelInfo.Width(), layout::kLabelInfo.Height());
  const QRect count(TarvexApp::OnTab(layout::kLabelCount).x, TarvexApp::OnTab(layout::kLabelCount).y,
                    layout::kLabelCount.Width(), layout::kLabelCount.Height());
  Run("xdotool windowmove " + std::to_string(helper.Window()) + " 0 0");
  EXPECT_TRUE(WaitFor([&] {
    const QImage shot = app.Grab();
    return Mismatch(shot.copy(info), LabelAsDrawn(QString::fromUtf8(kHelperTitle), info.size())) < 0.01 &&
           Mismatch(shot.copy(count), LabelAsDrawn(QStringLiteral("1"), count.size())) < 0.01;
  })) << "the status page does not show the helper's title and the count 1";

  // Recorded: the list goes to a file through the dialog, byte for byte.
  Run("xdotool windowactivate --sync " + std::to_string(app.Main()));
  ShowPage(app, 2, 200);
  const auto saved = SaveThroughTheDialog(app, "记录.txt");
  ASSERT_FALSE(saved.empty()) << "no file dialog";
  const unsigned long done = WaitDialog(":-)");
  ASSERT_NE(done, 0u) << "no success message";
  KeysTo(done, "Return");
  const std::string text = ReadFile(saved);
  const std::regex line(R"(^ 1 [0-9]{1,2}:[0-9]{2}:[0-9]{2} (.*) \r\n)");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(text, m, line)) << text;
  EXPECT_EQ(m[1].str(), kHelperTitle);  // UTF-8 as it stands
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "lines end in CR LF";
}

TEST(Engine, CrazyLevelUsesTheRealTimePolicy) {
  TarvexApp app("[Normal]\nEnableSpeed=1\n[Speed]\nSpeedLevel=2\n");
  ASSERT_TRUE(app.Start());
  HelperWindow helper("实时测试");
  ASSERT_NE(helper.Window(), 0u);
  Run("xdotool windowactivate --sync " + std::to_string(helper.Window()));
  EXPECT_TRUE(WaitFor([&] { return helper.Policy() == kSchedRr; }, 10s)) << "policy " << helper.Policy();
}

TEST(History, ClearEmptiesTheListAndSavingNothingIsRefused) {
  TarvexApp app(kSettings);
  ASSERT_TRUE(app.Start());
  HelperWindow helper("记录一条");
  Run("xdotool windowactivate --sync " + std::to_string(helper.Window()));
  ASSERT_TRUE(WaitFor([&] { return helper.Nice() == -10; }));
  Run("xdotool windowactivate --sync " + std::to_string(app.Main()));
  ShowPage(app, 2, 200);
  const QRect firstRow(TarvexApp::OnTab(layout::kListViewHistory, 2, 30).x,
                       TarvexApp::OnTab(layout::kListViewHistory, 2, 30).y, 200, 8);
  auto rowEmpty = [&] {
    const QImage row = app.Grab().copy(firstRow);
    for (int y = 0; y < row.height(); ++y)
      for (int x = 0; x < row.width(); ++x)
        if (qGray(row.pixel(x, y)) < 128) return false;
    return true;
  };
  EXPECT_TRUE(WaitFor([&] { return !rowEmpty(); })) << "the record is not listed";
  app.Click(TarvexApp::OnTab(layout::kCommandClearRecords, 20, 12));
  EXPECT_TRUE(WaitFor(rowEmpty)) << "the list was not cleared";
  app.Click(TarvexApp::OnTab(layout::kCommandSaveRecords, 20, 12));
  const unsigned long warning = WaitDialog("错误");
  ASSERT_NE(warning, 0u) << "no warning for an empty list";
  KeysTo(warning, "Return");
  EXPECT_TRUE(WaitFor([&] { return FindWindows("^错误$").empty(); }));
}

}  // namespace
}  // namespace tarvex::qte2e
