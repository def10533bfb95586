// The installed 16 and 32 px icon files are the window's own pixel images,
// so the menu and the window show the same icon.
#include <QImage>
#include <QTest>

#include "res/AppIcon16.xpm"
#include "res/AppIcon32.xpm"

class IconTest : public QObject {
  Q_OBJECT

 private slots:
  void installedImagesAreTheWindowImages_data() {
    QTest::addColumn<QImage>("window");
    QTest::addColumn<QString>("file");
    QTest::newRow("16") << QImage(kAppIcon16) << "kirabo-16.png";
    QTest::newRow("32") << QImage(kAppIcon32) << "kirabo-32.png";
  }

  void installedImagesAreTheWindowImages() {
    QFETCH(QImage, window);
    QFETCH(QString, file);
    QImage installed(QStringLiteral(KIRABO_ICON_DIR "/") + file);
    QVERIFY(!installed.isNull());
    // Premultiplied, every transparent pixel compares equal whatever colour it carries.
    QCOMPARE(installed.convertToFormat(QImage::Format_ARGB32_Premultiplied),
             window.convertToFormat(QImage::Format_ARGB32_Premultiplied));
  }
};

QTEST_MAIN(IconTest)
#include "tst_icons.moc"
