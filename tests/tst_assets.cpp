// The compiled-in pictures and icon: that they load from the resources as the window reads
// them, and that they are what the window needs (sizes, the white ring, full opacity), the
// pictures' "@2x" versions for screens that scale by 2 included; and the icon file of the
// Windows program, the same pixels as the window's icon. That the committed files are what
// make-images.py draws is the assets_current test's.
#include "images.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <QtTest>

#include <algorithm>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

quint16 le16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 le32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

QList<QImage> readAll(const QString &path)
{
    QImageReader reader(path);
    QList<QImage> images;
    do {
        QImage img = reader.read();
        if (img.isNull())
            break;
        images << img;
    } while (reader.jumpToNextImage());
    return images;
}

bool fullyOpaque(const QImage &img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) != 255)
                return false;
    return true;
}

bool isWhite(QRgb c)
{
    return (c & 0xFFFFFF) == 0xFFFFFF;
}

} // namespace

class TestAssets : public QObject
{
    Q_OBJECT

private slots:
    void pictures_data();
    void pictures();
    void iconImagesAre256Colours();
    void iconDrawing_data();
    void iconDrawing();
};

void TestAssets::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("redGround"); // false: blue ground
    QTest::addColumn<int>("scale");      // 2 for an "@2x" file, which Qt reads at that ratio

    QTest::newRow("close picture") << ":/picture1.png" << true << 1;
    QTest::newRow("clipboard picture") << ":/picture2.png" << false << 1;
    QTest::newRow("close picture @2x") << ":/picture1@2x.png" << true << 2;
    QTest::newRow("clipboard picture @2x") << ":/picture2@2x.png" << false << 2;
}

void TestAssets::pictures()
{
    QFETCH(QString, path);
    QFETCH(bool, redGround);
    QFETCH(int, scale);

    const QImage img = suma::readPng(path); // as the window reads it
    QVERIFY(!img.isNull());
    // The picture boxes take the picture's size, so this is the window's layout too.
    QCOMPARE(img.deviceIndependentSize(), QSizeF(21, 21));
    QCOMPARE(img.devicePixelRatio(), qreal(scale));
    QVERIFY(fullyOpaque(img));

    const int side = 21 * scale;
    int ringNotWhite = 0;
    int whiteInside = 0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const bool onRing = std::min({x, y, side - 1 - x, side - 1 - y}) < scale;
            const QRgb c = img.pixel(x, y);
            if (onRing && !isWhite(c))
                ++ringNotWhite;
            if (!onRing && isWhite(c))
                ++whiteInside;
        }
    }
    QCOMPARE(ringNotWhite, 0);
    QVERIFY2(whiteInside > 20, "the white sign is missing");

    // The ring is one pixel wide at 100 %: just inside it, in every corner, the coloured square
    // begins.
    const int in = scale;
    const int far = side - 1 - scale;
    for (const QPoint p : {QPoint(in, in), QPoint(far, in), QPoint(in, far), QPoint(far, far)}) {
        const QRgb c = img.pixel(p);
        QVERIFY2(!isWhite(c), qPrintable(QStringLiteral("(%1, %2) is white").arg(p.x()).arg(p.y())));
        if (redGround)
            QVERIFY(qRed(c) > qGreen(c) && qRed(c) > qBlue(c));
        else
            QVERIFY(qBlue(c) > qRed(c) && qBlue(c) > qGreen(c));
    }
}

// The icon inside the Windows program and its installer.
void TestAssets::iconImagesAre256Colours()
{
    const QByteArray b = fileBytes(QStringLiteral(SUMA_WINDOWS_ICON));
    QVERIFY(b.size() >= 6);
    QCOMPARE(le16(b, 0), 0);
    QCOMPARE(le16(b, 2), 1); // an icon, not a cursor
    const int count = le16(b, 4);
    QCOMPARE(count, 4);
    QVERIFY(b.size() >= 6 + 16 * count);
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = 6 + 16 * i;
        const int side = quint8(b.at(entry));
        const quint32 length = le32(b, entry + 8);
        const quint32 offset = le32(b, entry + 12);
        QVERIFY(qsizetype(offset) + qsizetype(length) <= b.size());
        QCOMPARE(le16(b, entry + 6), 8);        // bits per pixel in the directory ...
        QCOMPARE(le32(b, offset), 40u);          // ... and in the image's own header
        QCOMPARE(le16(b, offset + 14), 8);
        QCOMPARE(le32(b, offset + 16), 0u);      // uncompressed
        QCOMPARE(qint32(le32(b, offset + 8)), 2 * side); // colour rows plus the AND mask
        // Header, palette, colour rows and mask rows, each row padded to four bytes.
        const quint32 colours = le32(b, offset + 32) ? le32(b, offset + 32) : 256;
        QCOMPARE(colours, 256u);
        const int rowBytes = (side + 3) / 4 * 4;
        const int maskBytes = (side + 31) / 32 * 4;
        QCOMPARE(length, quint32(40 + 4 * colours + side * rowBytes + side * maskBytes));
    }
}

// Each size as the window's icon and as the Windows icon file has it: the same pixels. (That the
// window carries all four is tst_design's.)
void TestAssets::iconDrawing_data()
{
    QTest::addColumn<int>("side");
    for (const int side : {16, 24, 32, 48})
        QTest::addRow("%d", side) << side;
}

void TestAssets::iconDrawing()
{
    QFETCH(int, side);
    const QImage img = suma::programIcon().pixmap(QSize(side, side)).toImage();
    QCOMPARE(img.size(), QSize(side, side));
    const QList<QImage> windows = readAll(QStringLiteral(SUMA_WINDOWS_ICON));
    const auto same = std::find_if(windows.begin(), windows.end(),
                                   [side](const QImage &i) { return i.width() == side; });
    QVERIFY(same != windows.end());
    QCOMPARE(same->convertToFormat(QImage::Format_RGBA8888),
             img.convertToFormat(QImage::Format_RGBA8888));

    // Light grey ground in the corners, outside the disc.
    for (const QPoint p : {QPoint(0, 0), QPoint(side - 1, 0), QPoint(0, side - 1),
                           QPoint(side - 1, side - 1)}) {
        const QRgb c = img.pixel(p);
        QVERIFY(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c));
        QVERIFY(qRed(c) >= 160 && qRed(c) < 255);
    }
    // The disc reaches the middle of each edge and is blue there; the letters are green.
    for (const QPoint p : {QPoint(side / 2, 1), QPoint(1, side / 2), QPoint(side / 2, side - 2),
                           QPoint(side - 2, side / 2)}) {
        const QRgb c = img.pixel(p);
        QVERIFY(qBlue(c) > qRed(c) + 64 && qBlue(c) > qGreen(c) + 64);
    }
    int green = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const QRgb c = img.pixel(x, y);
            if (qGreen(c) > qRed(c) + 64 && qGreen(c) > qBlue(c) + 64)
                ++green;
        }
    // Enough to be letters, few enough to leave the disc visible around them.
    QVERIFY2(green > side * side / 12, qPrintable(QString::number(green)));
    QVERIFY2(green < side * side / 3, qPrintable(QString::number(green)));
}

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
