#include "gui/programmsymbol.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

// The windows' icon: the installed theme's when there is one, else the program's own.
class TestProgrammsymbol : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ausDemThema();
    void ohneThemaDasEigene();
};

void TestProgrammsymbol::ausDemThema()
{
    // A hicolor theme as the package installs it, with a size the built-in icon lacks.
    QTemporaryDir ordner;
    const QString thema = ordner.filePath(QStringLiteral("hicolor"));
    QVERIFY(QDir().mkpath(thema + QStringLiteral("/24x24/apps")));
    QFile index(thema + QStringLiteral("/index.theme"));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=Hicolor\nDirectories=24x24/apps\n\n[24x24/apps]\nSize=24\nType=Fixed\n");
    index.close();
    QImage bild(24, 24, QImage::Format_ARGB32);
    bild.fill(Qt::red);
    QVERIFY(bild.save(thema + QStringLiteral("/24x24/apps/fotoschicker.png")));
    QIcon::setThemeSearchPaths({ ordner.path() });
    QIcon::setThemeName(QStringLiteral("hicolor"));

    const QIcon symbol = programmSymbol();
    QCOMPARE(symbol.name(), QStringLiteral("fotoschicker"));
    QCOMPARE(symbol.pixmap(24, 24).toImage().pixelColor(12, 12), QColor(Qt::red));
}

void TestProgrammsymbol::ohneThemaDasEigene()
{
    QTemporaryDir leer;
    QIcon::setThemeSearchPaths({ leer.path() });
    QIcon::setThemeName(QStringLiteral("hicolor"));

    const QIcon symbol = programmSymbol();
    QVERIFY(!symbol.isNull());
    QCOMPARE(symbol.availableSizes(), QList<QSize>{ QSize(64, 64) });
}

QTEST_MAIN(TestProgrammsymbol)
#include "test_programmsymbol.moc"
