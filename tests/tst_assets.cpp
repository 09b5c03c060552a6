// The compiled-in pictures and icon: that they load from the resources, and that the files
// are what the window needs (sizes, palettes, formats, the white ring, full opacity), the
// pictures' "@2x" versions for screens that scale by 2 included.
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <QtTest>

#include <algorithm>

namespace {

QByteArray resourceBytes(const QString &path)
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
    void bitmapIsUncompressed8Bit_data();
    void bitmapIsUncompressed8Bit();
    void gifIsSingleFrameNotInterlaced_data();
    void gifIsSingleFrameNotInterlaced();
    void iconHasFourOpaqueImages();
    void iconImagesAre256Colours();
    void iconDrawing_data();
    void iconDrawing();
};

void TestAssets::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<bool>("redGround"); // false: blue ground
    QTest::addColumn<int>("scale");      // 2 for an "@2x" file, which Qt reads at that ratio

    QTest::newRow("close picture") << ":/picture1.bmp" << QByteArray("bmp") << true << 1;
    QTest::newRow("clipboard picture") << ":/picture2.gif" << QByteArray("gif") << false << 1;
    QTest::newRow("close picture @2x") << ":/picture1@2x.bmp" << QByteArray("bmp") << true << 2;
    QTest::newRow("clipboard picture @2x") << ":/picture2@2x.gif" << QByteArray("gif") << false
                                           << 2;
}

void TestAssets::pictures()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    QFETCH(bool, redGround);
    QFETCH(int, scale);

    QImageReader reader(path);
    QCOMPARE(reader.format(), format);
    const QImage img = reader.read();
    QVERIFY2(!img.isNull(), qPrintable(reader.errorString()));
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

void TestAssets::bitmapIsUncompressed8Bit_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("side");
    QTest::newRow("100 %") << ":/picture1.bmp" << 21;
    QTest::newRow("@2x") << ":/picture1@2x.bmp" << 42;
}

void TestAssets::bitmapIsUncompressed8Bit()
{
    QFETCH(QString, path);
    QFETCH(int, side);
    const QImage img(path);
    QCOMPARE(img.format(), QImage::Format_Indexed8);
    QCOMPARE(img.colorCount(), 256);

    const QByteArray b = resourceBytes(path);
    QVERIFY(b.size() >= 54 + 256 * 4 + (side + 3) / 4 * 4 * side);
    QVERIFY(b.startsWith("BM"));
    QCOMPARE(le32(b, 2), quint32(b.size()));
    QCOMPARE(le32(b, 14), 40u); // BITMAPINFOHEADER
    QCOMPARE(le16(b, 28), 8);   // bits per pixel
    QCOMPARE(le32(b, 30), 0u);  // BI_RGB: no compression
    QVERIFY(le32(b, 46) == 0 || le32(b, 46) == 256); // 0 also means a full table at 8 bits
}

void TestAssets::gifIsSingleFrameNotInterlaced_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("100 %") << ":/picture2.gif";
    QTest::newRow("@2x") << ":/picture2@2x.gif";
}

void TestAssets::gifIsSingleFrameNotInterlaced()
{
    QFETCH(QString, path);
    const QByteArray b = resourceBytes(path);
    QVERIFY(b.startsWith("GIF89a"));
    QVERIFY(b.size() > 13 + 768);
    const auto screenFlags = quint8(b.at(10));
    QVERIFY(screenFlags & 0x80);          // a global colour table ...
    QCOMPARE(screenFlags & 0x07, 7);      // ... of 2^(7+1) = 256 entries

    // Walk the blocks: extensions are skipped, image descriptors counted.
    int frames = 0;
    bool interlaced = false;
    qsizetype at = 13 + 768;
    auto skipSubBlocks = [&] {
        while (at < b.size() && b.at(at) != 0)
            at += quint8(b.at(at)) + 1;
        ++at;
    };
    while (at < b.size() && b.at(at) != ';') {
        if (b.at(at) == '!') {
            at += 2;
            skipSubBlocks();
        } else if (b.at(at) == ',') {
            QVERIFY(at + 10 < b.size());
            ++frames;
            const auto flags = quint8(b.at(at + 9));
            interlaced = interlaced || (flags & 0x40);
            QCOMPARE(flags & 0x80, 0); // no local table: the global one is the palette
            at += 10 + 1;              // descriptor, then the LZW minimum code size
            skipSubBlocks();
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown block 0x%1 at %2")
                                 .arg(quint8(b.at(at)), 2, 16, QLatin1Char('0')).arg(at)));
        }
    }
    QVERIFY2(at < b.size(), "no trailer");
    QCOMPARE(frames, 1);
    QVERIFY(!interlaced);
}

void TestAssets::iconHasFourOpaqueImages()
{
    const QList<QImage> images = readAll(QStringLiteral(":/suma-zodziais.ico"));
    QList<int> sides;
    for (const QImage &img : images) {
        QCOMPARE(img.width(), img.height());
        sides << img.width();
        QVERIFY2(fullyOpaque(img), qPrintable(QString::number(img.width())));
    }
    std::sort(sides.begin(), sides.end());
    QCOMPARE(sides, QList<int>({16, 24, 32, 48}));

    // The window and the application take the icon through QIcon, which must see every size.
    QList<QSize> sizes = QIcon(QStringLiteral(":/suma-zodziais.ico")).availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    QCOMPARE(sizes, QList<QSize>({{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
}

void TestAssets::iconImagesAre256Colours()
{
    const QByteArray b = resourceBytes(QStringLiteral(":/suma-zodziais.ico"));
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

void TestAssets::iconDrawing_data()
{
    QTest::addColumn<int>("side");
    for (int side : {16, 24, 32, 48})
        QTest::newRow(qPrintable(QString::number(side))) << side;
}

void TestAssets::iconDrawing()
{
    QFETCH(int, side);
    const QIcon icon(QStringLiteral(":/suma-zodziais.ico"));
    const QImage img = icon.pixmap(QSize(side, side)).toImage();
    QCOMPARE(img.size(), QSize(side, side));

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
