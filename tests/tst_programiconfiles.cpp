// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/programiconfiles.h"

#include <QDataStream>
#include <QtTest>

// The icon files that a Windows executable and a macOS bundle carry, read
// back as those systems read them.
class ProgramIconFilesTest : public QObject
{
    Q_OBJECT

private:
    // Some of the figure's dark colour, some transparency: not blank.
    static bool looksLikeTheIcon(const QImage &image)
    {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        bool opaque = false;
        bool clear = false;
        for (int y = 0; y < argb.height(); ++y)
            for (int x = 0; x < argb.width(); ++x) {
                opaque = opaque || qAlpha(argb.pixel(x, y)) == 255;
                clear = clear || qAlpha(argb.pixel(x, y)) == 0;
            }
        return opaque && clear;
    }

private slots:
    void theIcoHoldsEverySizeAsPng()
    {
        const QByteArray ico = programIconIco();
        QDataStream in(ico);
        in.setByteOrder(QDataStream::LittleEndian);
        quint16 reserved, type, count;
        in >> reserved >> type >> count;
        QCOMPARE(reserved, quint16(0));
        QCOMPARE(type, quint16(1)); // an icon, not a cursor
        QCOMPARE(count, quint16(7));

        QList<int> sides;
        quint32 expectedOffset = 6 + 16 * count;
        for (int i = 0; i < count; ++i) {
            quint8 width, height, colours, zero;
            quint16 planes, bits;
            quint32 size, offset;
            in >> width >> height >> colours >> zero >> planes >> bits >> size >> offset;
            QCOMPARE(width, height);
            QCOMPARE(bits, quint16(32));
            QCOMPARE(offset, expectedOffset); // packed, in order, inside the file
            QVERIFY(offset + size <= quint32(ico.size()));
            expectedOffset += size;

            const QByteArray png = ico.mid(offset, size);
            QVERIFY(png.startsWith("\x89PNG"));
            const QImage image = QImage::fromData(png, "PNG");
            const int side = width == 0 ? 256 : width;
            QCOMPARE(image.size(), QSize(side, side));
            QVERIFY(looksLikeTheIcon(image));
            sides << side;
        }
        QCOMPARE(expectedOffset, quint32(ico.size()));
        QCOMPARE(sides, (QList<int>{16, 24, 32, 48, 64, 128, 256}));
    }

    void theIcnsHoldsEverySizeAsPng()
    {
        const QByteArray icns = programIconIcns();
        QVERIFY(icns.startsWith("icns"));
        QDataStream in(icns);
        in.skipRawData(4);
        quint32 length;
        in >> length;
        QCOMPARE(length, quint32(icns.size()));

        const QHash<QByteArray, int> sideOfType{{"icp4", 16}, {"icp5", 32}, {"icp6", 64}, {"ic07", 128},
                                                {"ic08", 256}, {"ic09", 512}, {"ic10", 1024}};
        QSet<QByteArray> seen;
        qsizetype at = 8;
        while (at < icns.size()) {
            QVERIFY(at + 8 <= icns.size());
            const QByteArray type = icns.mid(at, 4);
            QDataStream element(icns.mid(at + 4, 4));
            quint32 elementLength;
            element >> elementLength;
            QVERIFY2(sideOfType.contains(type), type.constData());
            QVERIFY(elementLength > 8 && at + elementLength <= quint32(icns.size()));

            const QImage image = QImage::fromData(icns.mid(at + 8, elementLength - 8), "PNG");
            const int side = sideOfType.value(type);
            QCOMPARE(image.size(), QSize(side, side));
            QVERIFY(looksLikeTheIcon(image));
            seen.insert(type);
            at += elementLength;
        }
        QCOMPARE(at, icns.size());
        QCOMPARE(seen.size(), sideOfType.size());
    }
};

QTEST_MAIN(ProgramIconFilesTest)
#include "tst_programiconfiles.moc"
