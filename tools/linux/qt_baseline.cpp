// The yardstick for the Linux program's start-up, idle CPU and memory: the
// least Qt Widgets program with a window of Tarvex's size and its two timers
// (the main 1 s tick and the load diagram's 500 ms), each repainting a little.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class Baseline final : public QWidget {
 public:
  Baseline() {
    setWindowTitle(QStringLiteral("Qt baseline"));
    setFixedSize(572, 451);
    QObject::connect(&tick_, &QTimer::timeout, [this] { ++ticks_; update(0, 0, 120, 20); });
    QObject::connect(&sample_, &QTimer::timeout, [this] { ++samples_; update(0, 20, 441, 89); });
    tick_.start(1000);
    sample_.start(500);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xEE, 0xF3, 0xF9));
    p.drawText(4, 14, QString::number(ticks_));
    p.drawLine(0, 20 + samples_ % 89, 441, 20 + samples_ % 89);
  }

 private:
  QTimer tick_, sample_;
  int ticks_ = 0, samples_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Baseline window;
  window.show();
  return QApplication::exec();
}
