#include "platform/FileDialog.h"

#include <QTest>

namespace {
const QString programFilter = QStringLiteral("Раскладка (*.trb) |*.trb|Все файлы | *.*");
}

class tst_filedialog : public QObject
{
    Q_OBJECT

private slots:
    void toQtFilter_data();
    void toQtFilter();
    void defaultSuffix_data();
    void defaultSuffix();
    void queuedPaths();
    void emptyQueueCancels();
    void answererChoosesUnqueuedPaths();
};

void tst_filedialog::toQtFilter_data()
{
    QTest::addColumn<QString>("vb");
    QTest::addColumn<QString>("qt");

    QTest::newRow("program filter") << programFilter << "Раскладка (*.trb);;Все файлы (*)";
    QTest::newRow("description without patterns") << "Text|*.txt"
                                                  << "Text (*.txt)";
    QTest::newRow("own parentheses replaced") << "Text (*.doc)|*.txt"
                                              << "Text (*.txt)";
    QTest::newRow("several patterns by semicolon") << "Docs|*.doc;*.docx"
                                                   << "Docs (*.doc *.docx)";
    QTest::newRow("several patterns by blanks") << "Docs| *.doc  *.docx "
                                                << "Docs (*.doc *.docx)";
    QTest::newRow("empty description") << "|*.trb"
                                       << "(*.trb)";
    QTest::newRow("pair without pattern dropped") << "A|*.a|B| |C|*.c"
                                                  << "A (*.a);;C (*.c)";
    QTest::newRow("odd tail dropped") << "A|*.a|B"
                                      << "A (*.a)";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_filedialog::toQtFilter()
{
    QFETCH(QString, vb);
    QFETCH(QString, qt);
    QCOMPARE(FileDialog::toQtFilter(vb), qt);
}

void tst_filedialog::defaultSuffix_data()
{
    QTest::addColumn<QString>("vb");
    QTest::addColumn<QString>("suffix");

    QTest::newRow("program filter") << programFilter << "trb";
    QTest::newRow("all files first") << "Все|*.*|Раскладка|*.trb"
                                     << "trb";
    QTest::newRow("wildcards only") << "Все|*"
                                    << "";
    QTest::newRow("pattern with wildcard extension") << "X|*.t?b"
                                                     << "";
}

void tst_filedialog::defaultSuffix()
{
    QFETCH(QString, vb);
    QFETCH(QString, suffix);
    QCOMPARE(FileDialog::defaultSuffix(vb), suffix);
}

void tst_filedialog::queuedPaths()
{
    FileDialog::Recorder recorder;
    recorder.setNextFileName("/tmp/a.trb");
    recorder.setNextFileName("/tmp/b.trb");

    QCOMPARE(FileDialog::getOpenFileName(nullptr, "Открыть файл", programFilter, "/tmp"), QString("/tmp/a.trb"));
    QCOMPARE(FileDialog::getSaveFileName(nullptr, "Сохранить как ...", programFilter), QString("/tmp/b.trb"));

    QCOMPARE(recorder.count(), 2);
    const FileDialog::Shown open = recorder.shown().first();
    QCOMPARE(open.kind, FileDialog::Open);
    QCOMPARE(open.title, QString("Открыть файл"));
    QCOMPARE(open.filter, QString("Раскладка (*.trb);;Все файлы (*)"));
    QCOMPARE(open.dir, QString("/tmp"));
    QCOMPARE(recorder.last().kind, FileDialog::Save);
    QCOMPARE(recorder.last().title, QString("Сохранить как ..."));
}

void tst_filedialog::emptyQueueCancels()
{
    FileDialog::Recorder recorder;
    recorder.setNextFileName(QString());
    QCOMPARE(FileDialog::getOpenFileName(nullptr, "t", programFilter), QString());
    QCOMPARE(FileDialog::getSaveFileName(nullptr, "t", programFilter), QString()); // nothing queued
    QCOMPARE(recorder.count(), 2);
}

void tst_filedialog::answererChoosesUnqueuedPaths()
{
    {
        FileDialog::Recorder recorder;
        FileDialog::setAnswerer([](const FileDialog::Shown& dialog) {
            return dialog.kind == FileDialog::Open ? QStringLiteral("/tmp/in.trb") : QStringLiteral("/tmp/out.trb");
        });
        recorder.setNextFileName("/tmp/queued.trb");
        QCOMPARE(FileDialog::getOpenFileName(nullptr, "t", programFilter), QString("/tmp/queued.trb"));
        QCOMPARE(FileDialog::getOpenFileName(nullptr, "t", programFilter), QString("/tmp/in.trb"));
        QCOMPARE(FileDialog::getSaveFileName(nullptr, "t", programFilter), QString("/tmp/out.trb"));
        QCOMPARE(recorder.last().result, QString("/tmp/out.trb"));
    }
    FileDialog::Recorder recorder;
    QCOMPARE(FileDialog::getOpenFileName(nullptr, "t", programFilter), QString()); // removed with the recorder
}

QTEST_MAIN(tst_filedialog)
#include "tst_filedialog.moc"
