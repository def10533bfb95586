// Saves the screen of the current X display as a PNG, cut down to the part
// that differs from the background colour of the top-left pixel plus a
// margin, so the picture shows the windows and not the empty screen.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    QTextStream(stderr) << "usage: kirabo-screengrab OUTPUT.png\n";
    return 2;
  }
  const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
  const QRgb background = screen.pixel(0, 0);
  QRect used;
  for (int y = 0; y < screen.height(); ++y) {
    for (int x = 0; x < screen.width(); ++x) {
      if (screen.pixel(x, y) != background) used |= QRect(x, y, 1, 1);
    }
  }
  if (used.isEmpty()) {
    QTextStream(stderr) << "kirabo-screengrab: the screen is empty\n";
    return 1;
  }
  constexpr int kMargin = 8;
  const QRect cut = used.adjusted(-kMargin, -kMargin, kMargin, kMargin).intersected(screen.rect());
  return screen.copy(cut).save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
