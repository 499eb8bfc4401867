#include "links/bildgroesse.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class TestBildgroesse : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_ordner.isValid()); }
    void attribute_data();
    void attribute();
    void gedrehtesFoto();

private:
    QString pfad(const QString& name) const { return m_ordner.filePath(name); }
    QString bild(const QString& name, int breite, int hoehe, const char* format) const;
    QString datei(const QString& name, const QByteArray& inhalt) const;

    QTemporaryDir m_ordner;
};

QString TestBildgroesse::bild(const QString& name, int breite, int hoehe, const char* format) const
{
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    bild.fill(Qt::darkGreen);
    const QString p = pfad(name);
    if (!bild.save(p, format))
        qFatal("cannot write %s", qPrintable(p));
    return p;
}

QString TestBildgroesse::datei(const QString& name, const QByteArray& inhalt) const
{
    QFile f(pfad(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(inhalt) != inhalt.size())
        qFatal("cannot write %s", qPrintable(f.fileName()));
    return f.fileName();
}

void TestBildgroesse::attribute_data()
{
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QString>("erwartet");

    // Qt writes no GIF; this is a valid 3x2 one.
    const QByteArray gif = QByteArray::fromRawData("GIF89a\x03\x00\x02\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                                                   "\x2c\x00\x00\x00\x00\x03\x00\x02\x00\x00\x02\x05\x04\x41\x10\x04"
                                                   "\x51\x00\x3b",
        38);
    const QByteArray jpegAnfang = QByteArray::fromRawData("\xff\xd8\xff\xe0\x00\x10JFIF", 10);

    QTest::newRow("jpeg") << bild(QStringLiteral("foto.jpg"), 640, 480, "JPG")
                          << QStringLiteral(" width=\"640\" height=\"480\"");
    QTest::newRow("png") << bild(QStringLiteral("klein.png"), 7, 5, "PNG")
                         << QStringLiteral(" width=\"7\" height=\"5\"");
    QTest::newRow("bmp") << bild(QStringLiteral("alt.bmp"), 33, 17, "BMP")
                         << QStringLiteral(" width=\"33\" height=\"17\"");
    QTest::newRow("gif") << datei(QStringLiteral("anim.gif"), gif) << QStringLiteral(" width=\"3\" height=\"2\"");
    // The content decides, not the name: a PNG saved as .jpg is still measured.
    QTest::newRow("png named .jpg") << bild(QStringLiteral("falsch.jpg"), 12, 9, "PNG")
                                    << QStringLiteral(" width=\"12\" height=\"9\"");
    QTest::newRow("damaged jpeg") << datei(QStringLiteral("kaputt.jpg"), jpegAnfang + QByteArray(200, 'x'))
                                  << QString();
    QTest::newRow("empty file") << datei(QStringLiteral("leer.gif"), {}) << QString();
    QTest::newRow("missing file") << pfad(QStringLiteral("fehlt.jpg")) << QString();
    QTest::newRow("directory") << m_ordner.path() << QString();
}

void TestBildgroesse::attribute()
{
    QFETCH(QString, datei);
    QFETCH(QString, erwartet);
    QCOMPARE(bildgroesseAttribute(datei), erwartet);
}

void TestBildgroesse::gedrehtesFoto()
{
    // A camera held upright stores 640x480 and the EXIF orientation "turn right"; browsers show it 480 wide.
    QImage bild(640, 480, QImage::Format_RGB32);
    bild.fill(Qt::blue);
    QByteArray jpeg;
    QBuffer puffer(&jpeg);
    QVERIFY(puffer.open(QIODevice::WriteOnly) && bild.save(&puffer, "JPG"));
    const QByteArray exifOrientierung6 = QByteArray::fromRawData("\xff\xe1\x00\x22"
                                                                 "Exif\0\0"
                                                                 "II*\0\x08\0\0\0\x01\0"
                                                                 "\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0",
        36);
    jpeg.insert(2, exifOrientierung6);

    QCOMPARE(bildgroesseAttribute(datei(QStringLiteral("hochkant.jpg"), jpeg)),
        QStringLiteral(" width=\"480\" height=\"640\""));
}

QTEST_GUILESS_MAIN(TestBildgroesse)
#include "test_bildgroesse.moc"
