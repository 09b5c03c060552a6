// The window at 200 %, as a desktop that scales by 2 shows it: the same design at twice the
// pixels, with the pictures drawn for that scale ("@2x"), not the 21-pixel ones stretched.
#include "form1.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>

class tst_HighDpi : public QObject
{
    Q_OBJECT

private slots:
    void pictures_data();
    void pictures();
};

void tst_HighDpi::pictures_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("sharp");

    QTest::newRow("Picture1") << "Picture1" << ":/picture1@2x.png";
    QTest::newRow("Picture2") << "Picture2" << ":/picture2@2x.png";
}

void tst_HighDpi::pictures()
{
    QFETCH(QString, box);
    QFETCH(QString, sharp);

    Form1 form;
    form.Form_Load();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.devicePixelRatio(), 2.0);

    auto *picture = form.findChild<QLabel *>(box);
    QVERIFY(picture);
    QCOMPARE(picture->size(), QSize(21, 21)); // the design's size, as at 100 %
    const QImage shown = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(42, 42));
    QCOMPARE(shown, QImage(sharp).convertToFormat(QImage::Format_RGB32));
}

int main(int argc, char *argv[])
{
    // 200 %, whatever the machine's settings.
    qputenv("QT_SCALE_FACTOR", "2");
    for (const char *variable : {"QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING",
                                 "QT_HIGHDPI_DISABLE_2X_IMAGE_LOADING"})
        qunsetenv(variable);
    QApplication app(argc, argv);
    tst_HighDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdpi.moc"
