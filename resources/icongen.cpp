// SPDX-License-Identifier: MIT
// Draws the program's icons: icons/search.png (a magnifying glass, 8-bit
// palette with transparency), icons/dic.png (a blue book on a sheet of
// paper, 8-bit RGBA) and orvanta-dictionary.ico (the book at 16, 24, 32 and
// 48 pixels as 32-bit bitmaps with alpha, and at 128 as the PNG), and the
// book for desktop menus at every size in hicolor/NxN.png.
// Usage: orvanta-icongen RESOURCES_DIR
#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

QImage drawMagnifier(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 128.0, size / 128.0);
    painter.setPen(QPen(Qt::black, 12));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(52, 52), 34, 34);
    painter.setPen(QPen(Qt::black, 18, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(78, 78), QPointF(114, 114));
    return image;
}

// Black at a few opacity levels is all the glass needs, so a palette holds it.
QImage toBlackPalette(const QImage &drawn)
{
    const int levels = 16;
    QImage image(drawn.size(), QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (int i = 0; i < levels; ++i)
        colours.append(qRgba(0, 0, 0, i * 255 / (levels - 1)));
    image.setColorTable(colours);
    const QImage source = drawn.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const int alpha = qAlpha(source.pixel(x, y));
            image.setPixel(x, y, uint((alpha * (levels - 1) + 127) / 255));
        }
    }
    return image;
}

QImage drawBook(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 128.0, size / 128.0);

    // The sheet of paper, a little turned.
    painter.save();
    painter.translate(64, 64);
    painter.rotate(-8);
    painter.setPen(QPen(QColor(150, 150, 150), 2));
    painter.setBrush(QColor(250, 250, 246));
    painter.drawRect(QRectF(-44, -56, 88, 112));
    painter.setPen(QPen(QColor(190, 200, 215), 2));
    for (int y = -40; y <= 44; y += 12)
        painter.drawLine(QPointF(-34, y), QPointF(34, y));
    painter.restore();

    // The book lying on it: page edges, then the blue cover and its spine.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 236, 220));
    painter.drawRoundedRect(QRectF(30, 38, 76, 62), 4, 4);
    painter.setBrush(QColor(28, 86, 180));
    painter.drawRoundedRect(QRectF(22, 30, 76, 62), 5, 5);
    painter.setBrush(QColor(18, 58, 130));
    painter.drawRoundedRect(QRectF(22, 30, 14, 62), 4, 4);
    painter.setBrush(QColor(230, 200, 90));
    painter.drawRect(QRectF(48, 48, 38, 8));
    painter.drawRect(QRectF(48, 62, 26, 5));
    return image;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// An icon image in the bitmap form: a header with the height doubled for
// the mask, bottom-up BGRA rows, then an all-clear AND mask.
QByteArray bitmapEntry(const QImage &drawn)
{
    const QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    const int size = image.width();
    const int maskStride = ((size + 31) / 32) * 4;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(40) << qint32(size) << qint32(size * 2) << quint16(1) << quint16(32) << quint32(0)
        << quint32(size * size * 4 + maskStride * size) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            out << quint8(qBlue(pixel)) << quint8(qGreen(pixel)) << quint8(qRed(pixel)) << quint8(qAlpha(pixel));
        }
    }
    for (int i = 0; i < maskStride * size; ++i)
        out << quint8(0);
    return bytes;
}

QByteArray iconFile(const QList<int> &bitmapSizes, const QByteArray &png, int pngSize)
{
    QList<QByteArray> images;
    QList<int> sizes;
    for (int size : bitmapSizes) {
        images.append(bitmapEntry(drawBook(size)));
        sizes.append(size);
    }
    images.append(png);
    sizes.append(pngSize);

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * quint32(images.size());
    for (int i = 0; i < images.size(); ++i) {
        // The directory records a size of 256 as 0; ours are all smaller.
        out << quint8(sizes[i]) << quint8(sizes[i]) << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(images[i].size()) << offset;
        offset += quint32(images[i].size());
    }
    for (const QByteArray &image : images)
        out.writeRawData(image.constData(), int(image.size()));
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvanta-icongen RESOURCES_DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QByteArray search = pngBytes(toBlackPalette(drawMagnifier(128)));
    const QByteArray book = pngBytes(drawBook(128).convertToFormat(QImage::Format_ARGB32));
    const bool ok =
        writeFile(dir + QStringLiteral("/icons/search.png"), search)
        && writeFile(dir + QStringLiteral("/icons/dic.png"), book)
        && writeFile(dir + QStringLiteral("/orvanta-dictionary.ico"), iconFile({16, 24, 32, 48}, book, 128));
    bool menuIcons = true;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        const QString name = QStringLiteral("/hicolor/%1x%1.png").arg(size);
        menuIcons = menuIcons
                    && writeFile(dir + name,
                                 size == 128 ? book : pngBytes(drawBook(size).convertToFormat(QImage::Format_ARGB32)));
    }
    if (!ok || !menuIcons) {
        std::fprintf(stderr, "orvanta-icongen: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
