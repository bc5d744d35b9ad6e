#include "export/clsRKWord.h"
#include "platform/Printing.h"
#include "support/DocumentCheck.h"
#include "support/SampleTrip.h"
#include "ui/Forms.h"
#include "ui/main/frmMainForm.h"
#include "ui/viewer/frmRasklad.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace TestSupport;

namespace {

const QStringList kChoices = {QStringLiteral("Документы: &Word (.docx)"), QStringLiteral("Документы: &PDF"),
                              QStringLiteral("Документы: &печать")};

// A trip with its layout window open in the purchase list mode, as the user gets there.
struct Viewer : ExportingTrip
{
    Printing::Recorder printer;
    Forms forms{g};
    frmRasklad* w = nullptr;

    Viewer()
    {
        makeTrip(g, {{"Гречка", "100", "гр"}, {"Спички", "1", "шт"}}, {"1|2|", "|1|"}, 2, 1, 3, QDate(2026, 6, 7));
        forms.MainForm(); // the menu hands the kept choice to the writer
        w = &forms.Rasklad();
        w->Init();
        Forms::openFrom(forms.MainForm(), *w);
        click("cmdReport");
    }
    void click(const char* name) const
    {
        QTest::mouseClick(w->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    QAction* choice(int i)
    {
        const QList<QAction*> actions = forms.MainForm().findChild<QMenu*>(QStringLiteral("mnuService"))->actions();
        return actions.value(actions.size() - 3 + i);
    }
    QStringList saved() const { return QDir(documents()).entryList(QDir::Files); }
};

} // namespace

class tst_documentformat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void menuKeepsTheChoice();
    void documentCommandEndsInTheChoice_data();
    void documentCommandEndsInTheChoice();
};

void tst_documentformat::initTestCase()
{
    // The settings go to a scratch place, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/torbel"))
        .removeRecursively();
}

void tst_documentformat::menuKeepsTheChoice()
{
    {
        Viewer v;
        const QList<QAction*> actions = v.forms.MainForm().findChild<QMenu*>(QStringLiteral("mnuService"))->actions();
        QVERIFY(actions.size() >= 4);
        QVERIFY(actions.at(actions.size() - 4)->isSeparator());
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(v.choice(i)->text(), kChoices.at(i));
            QVERIFY(v.choice(i)->isCheckable());
            QCOMPARE(v.choice(i)->isChecked(), i == 0); // .docx until chosen otherwise
        }
        v.choice(1)->trigger();
        QVERIFY(!v.choice(0)->isChecked());
        QCOMPARE(objWord(v.g).format(), DocumentFormat::Pdf);
    }
    // The next run finds the choice.
    Viewer again;
    QVERIFY(again.choice(1)->isChecked());
    QCOMPARE(objWord(again.g).format(), DocumentFormat::Pdf);
    again.choice(0)->trigger();
}

void tst_documentformat::documentCommandEndsInTheChoice_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("printAnswer");
    QTest::addColumn<QString>("suffix"); // of the saved file; empty: none saved
    QTest::addColumn<bool>("printed");

    QTest::newRow("docx") << 0 << false << "docx" << false;
    QTest::newRow("pdf") << 1 << false << "pdf" << false;
    QTest::newRow("print cancelled") << 2 << false << "" << false;
    QTest::newRow("printed") << 2 << true << "" << true;
}

void tst_documentformat::documentCommandEndsInTheChoice()
{
    QFETCH(int, choice);
    QFETCH(bool, printAnswer);
    QFETCH(QString, suffix);
    QFETCH(bool, printed);

    Viewer v;
    v.choice(choice)->trigger();
    v.printer.setNextAnswer(printAnswer);
    v.click("cmdWord");

    QCOMPARE(messageTexts(), QStringList());
    QVERIFY(v.w->isEnabled()); // the purchase list is done, no options asked
    const QStringList files = v.saved();
    QCOMPARE(files.size(), suffix.isEmpty() ? 0 : 1);
    QCOMPARE(v.platform.desktop.count(), suffix.isEmpty() ? 0 : 1);
    QCOMPARE(v.printer.count(), choice == 2 ? 1 : 0);
    if (!suffix.isEmpty()) {
        QVERIFY2(files.first().endsWith(QLatin1Char('.') + suffix), qPrintable(files.first()));
        QCOMPARE(v.platform.desktop.last().target, QDir(v.documents()).filePath(files.first()));
        QFile f(v.platform.desktop.last().target);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(4), suffix == QLatin1String("pdf") ? QByteArray("%PDF") : QByteArray("PK\x03\x04"));
    }
    QCOMPARE(v.printer.lastOutput().startsWith("%PDF"), printed);
    if (choice == 2)
        QCOMPARE(v.printer.lastDocumentName(), QStringLiteral("Общий список закупок по раскладке"));
    v.choice(0)->trigger();
}

QTEST_MAIN(tst_documentformat)
#include "tst_documentformat.moc"
