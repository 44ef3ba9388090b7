// SPDX-License-Identifier: MIT
// The compiled-in icons and the Windows icon file.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QtEndian>

namespace {

struct PngHeader
{
    quint32 width = 0;
    quint32 height = 0;
    int bitDepth = -1;
    int colourType = -1;
};

bool isPng(const QByteArray &bytes)
{
    return bytes.startsWith("\x89PNG\r\n\x1a\n");
}

PngHeader pngHeader(const QByteArray &bytes)
{
    PngHeader header;
    if (!isPng(bytes) || bytes.size() < 26 || bytes.mid(12, 4) != "IHDR")
        return header;
    header.width = qFromBigEndian<quint32>(bytes.constData() + 16);
    header.height = qFromBigEndian<quint32>(bytes.constData() + 20);
    header.bitDepth = quint8(bytes.at(24));
    header.colourType = quint8(bytes.at(25));
    return header;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <typename T> T little(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void collectionHoldsTheTwoIcons();
    void searchIconIsAPaletteWithTransparency();
    void bookIconIsRgba();
    void iconFileHasFiveImages();
};

void TestResources::collectionHoldsTheTwoIcons()
{
    QCOMPARE(QDir(QStringLiteral(":/icons")).entryList(), (QStringList{"dic.png", "search.png"}));
    // Both path forms the program uses find their file.
    QVERIFY(QFile::exists(QStringLiteral(":/icons/search.png")));
    QVERIFY(QFile::exists(QStringLiteral(":icons/dic.png")));
    QVERIFY(!QImage(QStringLiteral(":icons/dic.png")).isNull());
}

void TestResources::searchIconIsAPaletteWithTransparency()
{
    const QByteArray bytes = readAll(QStringLiteral(":/icons/search.png"));
    const PngHeader header = pngHeader(bytes);
    QCOMPARE(header.width, 128u);
    QCOMPARE(header.height, 128u);
    QCOMPARE(header.bitDepth, 8);
    QCOMPARE(header.colourType, 3);
    QVERIFY(bytes.contains("tRNS"));
    const QImage image(QStringLiteral(":/icons/search.png"));
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
}

void TestResources::bookIconIsRgba()
{
    const PngHeader header = pngHeader(readAll(QStringLiteral(":icons/dic.png")));
    QCOMPARE(header.width, 128u);
    QCOMPARE(header.height, 128u);
    QCOMPARE(header.bitDepth, 8);
    QCOMPARE(header.colourType, 6);
}

void TestResources::iconFileHasFiveImages()
{
    const QByteArray ico = readAll(QStringLiteral(SOURCE_DIR "/resources/orvanta-dictionary.ico"));
    QVERIFY(ico.size() > 6);
    QCOMPARE(little<quint16>(ico, 0), quint16(0));
    QCOMPARE(little<quint16>(ico, 2), quint16(1));
    QCOMPARE(little<quint16>(ico, 4), quint16(5));

    const QList<int> sizes = {16, 24, 32, 48, 128};
    for (int i = 0; i < sizes.size(); ++i) {
        const qsizetype entry = 6 + 16 * i;
        const int size = sizes.at(i);
        // The real size in the directory, 128 included.
        QCOMPARE(int(quint8(ico.at(entry))), size);
        QCOMPARE(int(quint8(ico.at(entry + 1))), size);
        QCOMPARE(little<quint16>(ico, entry + 4), quint16(1));
        QCOMPARE(little<quint16>(ico, entry + 6), quint16(32));
        const quint32 length = little<quint32>(ico, entry + 8);
        const quint32 offset = little<quint32>(ico, entry + 12);
        QVERIFY(offset + length <= quint32(ico.size()));
        const QByteArray image = ico.mid(offset, length);
        if (size == 128) {
            QCOMPARE(image, readAll(QStringLiteral(":icons/dic.png")));
            continue;
        }
        // A 32-bit uncompressed bitmap, its height doubled for the mask.
        QCOMPARE(little<quint32>(image, 0), 40u);
        QCOMPARE(little<qint32>(image, 4), size);
        QCOMPARE(little<qint32>(image, 8), 2 * size);
        QCOMPARE(little<quint16>(image, 14), quint16(32));
        QCOMPARE(little<quint32>(image, 16), 0u);
        const int maskStride = ((size + 31) / 32) * 4;
        QCOMPARE(int(length), 40 + size * size * 4 + maskStride * size);
    }
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
