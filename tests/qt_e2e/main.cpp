// The Linux end-to-end suite's entry point. With "--window TITLE" it is instead
// the helper program the engine is tested on: one plain window with that title.
#include <QGuiApplication>
#include <QRasterWindow>

#include <cstring>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--window") == 0) {
    QGuiApplication app(argc, argv);
    QRasterWindow window;
    window.setTitle(QString::fromUtf8(argv[2]));
    window.resize(320, 120);
    window.show();
    return QGuiApplication::exec();
  }
  // The driver reads the screen through Qt.
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
