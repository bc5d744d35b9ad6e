#include "platform/AppIdentity.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QWidget>

// The program's icon and the desktop entry that docks and task bars group its windows by.
namespace {

const QString SourceRoot = QStringLiteral(TORBEL_TEST_DATA_DIR "/../..");

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class tst_appidentity : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void iconSizes_data();
    void iconSizes();
    void windowsCarryIconAndEntry();
    void idAgreesWithInstalledFiles_data();
    void idAgreesWithInstalledFiles();
};

void tst_appidentity::cleanup()
{
    QApplication::setWindowIcon(QIcon());
    QGuiApplication::setDesktopFileName(QString());
}

// Every size is there at its own size, and the small ones are drawn on the pixel grid:
// a drawing scaled down from the large one has half-transparent pixels along its edges.
void tst_appidentity::iconSizes_data()
{
    QTest::addColumn<int>("intSize");
    QTest::addColumn<bool>("blnOnGrid");
    for (int size : AppIdentity::iconSizes())
        QTest::addRow("%d px", size) << size << (size == 16 || size == 22);
}

void tst_appidentity::iconSizes()
{
    QFETCH(int, intSize);
    QFETCH(bool, blnOnGrid);
    const QIcon icon = AppIdentity::icon();
    QVERIFY(icon.availableSizes().contains(QSize(intSize, intSize)));
    const QImage image(QStringLiteral(":/icons/%1x%1/torbel.png").arg(intSize));
    QCOMPARE(image.size(), QSize(intSize, intSize));
    int intPartlyClear = 0;
    int intOpaque = 0;
    for (int y = 0; y < intSize; ++y) {
        for (int x = 0; x < intSize; ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            intPartlyClear += alpha > 0 && alpha < 255;
            intOpaque += alpha == 255;
        }
    }
    QVERIFY2(intOpaque > intSize * intSize / 4, "the icon is mostly empty");
    if (blnOnGrid)
        QCOMPARE(intPartlyClear, 0);
    else
        QVERIFY(intPartlyClear > 0); // drawn from the big one: the test above would see it
}

void tst_appidentity::windowsCarryIconAndEntry()
{
    QWidget before;
    QVERIFY(before.windowIcon().isNull());
    AppIdentity::apply();
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("invalid.rkforge.torbel"));
    QWidget window;
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.windowIcon().pixmap(16, 16).size(), QSize(16, 16));
    QCOMPARE(window.windowIcon().pixmap(64, 64).size(), QSize(64, 64));
}

// The desktop entry is installed under the name the windows give, the AppStream
// metadata names the same entry, and the entry's icon is the one installed.
void tst_appidentity::idAgreesWithInstalledFiles_data()
{
    const QString id = QString::fromLatin1(AppIdentity::desktopId);
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("entry's icon") << "desktop/" + id + ".desktop"
                                  << "\nIcon=torbel\n";
    QTest::newRow("entry starts the program") << "desktop/" + id + ".desktop"
                                              << "\nExec=torbel %f\n";
    QTest::newRow("metainfo id") << "packaging/" + id + ".metainfo.xml"
                                 << "<id>" + id + "</id>";
    QTest::newRow("metainfo entry") << "packaging/" + id + ".metainfo.xml"
                                    << "<launchable type=\"desktop-id\">" + id + ".desktop</launchable>";
}

void tst_appidentity::idAgreesWithInstalledFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, pattern);
    const QString text = readText(SourceRoot + QLatin1Char('/') + file);
    QVERIFY2(!text.isEmpty(), qPrintable(file + " is missing"));
    QVERIFY2(text.contains(pattern), qPrintable(file + " lacks " + pattern));
}

QTEST_MAIN(tst_appidentity)
#include "tst_appidentity.moc"
