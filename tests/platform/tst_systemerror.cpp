#include "platform/SystemError.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

// The system's reasons reach the user in Russian, whatever language the C library speaks.
class tst_systemerror : public QObject
{
    Q_OBJECT

private slots:
    void reasons_data();
    void reasons();
    void fromADevice_data();
    void fromADevice();
};

void tst_systemerror::reasons_data()
{
    QTest::addColumn<int>("errnoValue");
    QTest::addColumn<QString>("text");

    QTest::newRow("ENOSPC") << ENOSPC << "на диске нет места";
    QTest::newRow("EDQUOT") << EDQUOT << "превышена дисковая квота";
    QTest::newRow("ENOENT") << ENOENT << "нет такого файла или папки";
    QTest::newRow("EACCES") << EACCES << "нет прав доступа";
    QTest::newRow("EPERM") << EPERM << "действие не разрешено";
    QTest::newRow("EROFS") << EROFS << "файловая система только для чтения";
    QTest::newRow("EIO") << EIO << "ошибка ввода-вывода";
    // Without a text of its own: the number and its name, never the English sentence.
    QTest::newRow("ECHRNG") << ECHRNG << QStringLiteral("системная ошибка %1 (ECHRNG)").arg(ECHRNG);
    QTest::newRow("no such errno") << 4095 << "системная ошибка 4095";
    QTest::newRow("negative") << -1 << "системная ошибка -1";
}

void tst_systemerror::reasons()
{
    QFETCH(int, errnoValue);
    QFETCH(QString, text);
    QCOMPARE(SystemError::text(errnoValue), text);
}

void tst_systemerror::fromADevice_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");

    QTest::newRow("missing file") << "missing"
                                  << "нет такого файла или папки";
    QTest::newRow("a folder opened for writing") << "folder"
                                                 << "это папка, а не файл";
    QTest::newRow("full device") << "/dev/full"
                                 << "на диске нет места";
    // The longer sentence wins: "No such device or address", not "No such device".
    QTest::newRow("sentence inside another") << "ENXIO"
                                             << "нет такого устройства или адреса";
    QTest::newRow("no system sentence") << "other"
                                        << "ошибка ввода-вывода";
}

void tst_systemerror::fromADevice()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);

    QTemporaryDir dir;
    if (kind == "missing") {
        QFile f(dir.filePath("none"));
        QVERIFY(!f.open(QIODevice::ReadOnly));
        QCOMPARE(SystemError::text(f), text);
    } else if (kind == "folder") {
        QFile f(dir.path());
        QVERIFY(!f.open(QIODevice::WriteOnly));
        QCOMPARE(SystemError::text(f), text);
    } else if (kind == "/dev/full") {
        QFile f(kind);
        if (!f.open(QIODevice::WriteOnly))
            QSKIP("no /dev/full here");
        f.write("x");
        QVERIFY(!f.flush());
        QCOMPARE(SystemError::text(f), text);
    } else {
        // A device that keeps only the sentence, as the toolkit's devices do.
        class Told : public QBuffer
        {
        public:
            explicit Told(const QString& strText) { setErrorString(strText); }
        };
        const Told told(kind == "ENXIO" ? QString::fromLocal8Bit(std::strerror(ENXIO)) : QStringLiteral("Out of luck"));
        QCOMPARE(SystemError::text(told), text);
    }
}

QTEST_MAIN(tst_systemerror)
#include "tst_systemerror.moc"
