#include "platform/Desktop.h"
#include "platform/FileDialog.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Printing.h"

#include <QFile>
#include <QPagedPaintDevice>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// What every service's recorder shares: a recorder inside another starts with nothing
// recorded or queued, and at its end the outer one is as it was.
class tst_recorder : public QObject
{
    Q_OBJECT

private slots:
    void nested_data();
    void nested();
};

namespace {

template <typename Service>
void checkNested(const std::function<void()>& call)
{
    const bool previous = Service::testLog().testMode;
    {
        typename Service::Recorder outer;
        call();
        Service::testLog().answers.enqueue({});
        QCOMPARE(outer.count(), 1);
        {
            typename Service::Recorder inner;
            QVERIFY(Service::testLog().testMode);
            QCOMPARE(inner.count(), 0);
            QCOMPARE(Service::pendingAnswers(), 0);
            call();
            call();
            QCOMPARE(inner.count(), 2);
        }
        QCOMPARE(outer.count(), 1);
        QCOMPARE(Service::pendingAnswers(), 1);
        QVERIFY(Service::testLog().testMode);
    }
    QCOMPARE(Service::testLog().testMode, previous);
    QCOMPARE(Service::shown().size(), 0);
}

} // namespace

void tst_recorder::nested_data()
{
    QTest::addColumn<QString>("service");
    for (const char* name : {"MessageBox", "FileDialog", "Desktop", "Help", "Printing"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_recorder::nested()
{
    QFETCH(QString, service);
    QTemporaryDir dir;
    const QString helpFile = dir.filePath(QStringLiteral("Torbel.html"));
    QFile f(helpFile);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    if (service == QLatin1String("MessageBox")) {
        checkNested<MessageBox>(
            [] { MessageBox::show(nullptr, QStringLiteral("Текст"), QStringLiteral("Заголовок")); });
    } else if (service == QLatin1String("FileDialog")) {
        checkNested<FileDialog>(
            [] { FileDialog::getOpenFileName(nullptr, QStringLiteral("Открыть файл"), QStringLiteral("Все|*.*")); });
    } else if (service == QLatin1String("Desktop")) {
        checkNested<Desktop>([] { Desktop::openFile(QStringLiteral("/tmp/x.docx")); });
    } else if (service == QLatin1String("Help")) {
        // A recorder forgets the file path set, so each call sets it.
        checkNested<Help>([helpFile] {
            Help::setFilePath(helpFile);
            Help::showContents();
        });
    } else {
        checkNested<Printing>([] {
            Printing::print(nullptr, QStringLiteral("Документ"), 1,
                            [](QPagedPaintDevice&, const QList<int>&, QString*) { return true; });
        });
    }
}

QTEST_MAIN(tst_recorder)
#include "tst_recorder.moc"
