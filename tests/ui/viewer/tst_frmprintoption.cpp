#include "export/clsRKWord.h"
#include "support/DocumentCheck.h"
#include "support/SampleTrip.h"
#include "ui/Forms.h"
#include "ui/UpDown.h"
#include "ui/main/frmMainForm.h"
#include "ui/viewer/frmPrintOption.h"
#include "ui/viewer/frmRasklad.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace TestSupport;
using Rows = QList<QStringList>;

namespace {

const QString kNoWord = QStringLiteral("Возможно у Вас не установлен Word 2000!");
const QString kOpenWord = QStringLiteral("Невозможно открыть приложение Word 2000 !  Error in ClassWord::OpenWord");

// A trip of 7 days from 7 June 2026, 2 people, 3 duty shifts, its layout window open
// the way the main window opens it.
struct Viewer : ExportingTrip
{
    Forms forms{g};
    frmRasklad* w = nullptr;

    explicit Viewer(qint16 days = 7, qint16 shifts = 3)
    {
        makeTrip(g, {{"Гречка", "100", "гр"}, {"Спички", "1", "шт"}}, {"1|2|", "|1|"}, 2, shifts, days,
                 QDate(2026, 6, 7));
        w = &forms.Rasklad();
        w->Init();
        Forms::openFrom(forms.MainForm(), *w);
    }

    frmPrintOption& dialog() { return forms.PrintOption(); }

    template <typename T = QWidget>
    T* control(QWidget* window, const char* name) const
    {
        T* c = window->findChild<T*>(QString::fromLatin1(name));
        if (!c)
            qFatal("no control %s", name);
        return c;
    }
    template <typename T = QWidget>
    T* option(const char* name)
    {
        return control<T>(&dialog(), name);
    }
    void click(QWidget* window, const char* name) const
    {
        QTest::mouseClick(control<QPushButton>(window, name), Qt::LeftButton);
    }
    void choose(const char* name)
    {
        auto* rb = option<QRadioButton>(name);
        QTest::mouseClick(rb, Qt::LeftButton, {}, QPoint(rb->height() / 2, rb->height() / 2));
    }
    void arrowUp(int times)
    {
        auto* up = option<UpDown>("updSmena")->findChild<QToolButton*>(QStringLiteral("up"));
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(up, Qt::LeftButton);
    }
    // "&Word" in the layout mode: the options dialog, the layout window disabled.
    void openOptions()
    {
        click(w, "cmdWord");
        QVERIFY(dialog().isVisible());
        QVERIFY(!w->isEnabled());
    }
    // Nothing blocks the layout window any more.
    bool closedBack() { return dialog().isHidden() && w->isEnabled(); }
    void makeDocumentsUnwritable()
    {
        QFile blocker(dir.filePath(QStringLiteral("занято")));
        blocker.open(QIODevice::WriteOnly);
        blocker.close();
        objWord(g).setDocumentsFolder(blocker.fileName());
    }
    QStringList headings()
    {
        QStringList out;
        const QList<WordBlock>& blocks = last().main.blocks;
        for (int i = 1; i < blocks.size(); ++i) {
            if (std::holds_alternative<WordTable>(blocks.at(i)))
                out.append(std::get<WordParagraph>(blocks.at(i - 1)).text());
        }
        return out;
    }
};

} // namespace

class tst_frmprintoption : public QObject
{
    Q_OBJECT

private slots:
    void design();
    void optionsEnableTheShift_data();
    void optionsEnableTheShift();
    void shiftSpinner();
    void resetFromTheMainWindow();
    void exportOneShift();
    void exportWholeLayout();
    void cancelKeepsTheChoice_data();
    void cancelKeepsTheChoice();
    void wordNotAvailable();
    void shiftCountChangedWhileHidden();
    void purchaseListFromReportMode_data();
    void purchaseListFromReportMode();
    void purchaseListNotWritten();
};

void tst_frmprintoption::design()
{
    Viewer v;
    frmPrintOption& d = v.dialog();
    QCOMPARE(d.windowTitle(), QStringLiteral("Параметры  экспорта"));
    QVERIFY(!d.isModal());
    QCOMPARE(v.option<QGroupBox>("boxOption")->title(), QStringLiteral("&Фильтр"));
    QCOMPARE(v.option<QGroupBox>("frameSmen")->title(), QStringLiteral("&Смена"));
    QCOMPARE(v.option<QRadioButton>("rbAll")->text(), QStringLiteral("Вся раскладка"));
    QCOMPARE(v.option<QRadioButton>("rbSmen")->text(), QStringLiteral("Для одной дежурной смены"));
    QCOMPARE(v.option<QLabel>("lblSmena")->text(), QStringLiteral("Дежурная смена №"));
    QCOMPARE(v.option<QPushButton>("cmdOK")->text(), QStringLiteral("&OK"));
    QCOMPARE(v.option<QPushButton>("cmdCancel")->text(), QStringLiteral("О&тмена"));
    QCOMPARE(v.option<QLabel>("Label1")->text(), QStringLiteral("Product of R.K.Forge"));
    QVERIFY(v.option<QPushButton>("cmdOK")->isDefault());

    // At first: the whole layout, shift 1 of the trip's shifts, the shift choice disabled.
    QVERIFY(v.option<QRadioButton>("rbAll")->isChecked());
    auto* txt = v.option<QLineEdit>("txtSmena");
    QVERIFY(txt->isReadOnly());
    QCOMPARE(txt->text(), QStringLiteral("1"));
    QCOMPARE(d.SelectedSmena(), 1);
    QCOMPARE(v.option<UpDown>("updSmena")->maximum(), 3);
    for (const char* name : {"frameSmen", "lblSmena", "txtSmena", "updSmena"})
        QVERIFY2(!v.option(name)->isEnabled(), name);

    // Laid out in twips inside the window, with the serif lettering.
    for (const char* name : {"rbAll", "txtSmena", "cmdOK", "Label1"}) {
        const QFontInfo info(v.option(name)->font());
        QVERIFY2(info.family() == QLatin1String("Times New Roman") ||
                     info.family() == QLatin1String("Liberation Serif"),
                 qPrintable(info.family()));
    }
    QVERIFY(QFontInfo(v.option("Label1")->font()).bold() && QFontInfo(v.option("Label1")->font()).italic());
    for (const char* name : {"boxOption", "frameSmen", "cmdOK", "cmdCancel", "Label1"}) {
        const QRect r = v.option(name)->geometry();
        QVERIFY2(QRect(QPoint(0, 0), d.size()).contains(r), name);
    }
    QVERIFY(!v.option("boxOption")->geometry().intersects(v.option("frameSmen")->geometry()));
    QCOMPARE(d.twipsOf(v.option("cmdOK")), QRect(3780, 150, 1140, 372));
}

void tst_frmprintoption::optionsEnableTheShift_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("one shift") << QStringList{"rbSmen"} << true;
    QTest::newRow("back to all") << QStringList{"rbSmen", "rbAll"} << false;
    QTest::newRow("all again") << QStringList{"rbAll"} << false;
}

void tst_frmprintoption::optionsEnableTheShift()
{
    QFETCH(QStringList, clicks);
    QFETCH(bool, enabled);
    Viewer v;
    v.openOptions();
    for (const QString& c : clicks)
        v.choose(qPrintable(c));
    QCOMPARE(v.dialog().AllDays(), !enabled);
    for (const char* name : {"frameSmen", "lblSmena", "txtSmena", "updSmena"})
        QVERIFY2(v.option(name)->isEnabled() == enabled, name);
}

void tst_frmprintoption::shiftSpinner()
{
    Viewer v;
    v.openOptions();
    v.choose("rbSmen");
    v.arrowUp(1);
    QCOMPARE(v.option<QLineEdit>("txtSmena")->text(), QStringLiteral("2"));
    QCOMPARE(v.dialog().SelectedSmena(), 2);
    v.arrowUp(5); // stops at the last shift
    QCOMPARE(v.option<QLineEdit>("txtSmena")->text(), QStringLiteral("3"));
    QCOMPARE(v.dialog().SelectedSmena(), 3);
    // The arrow keys in the box step it too.
    QTest::keyClick(v.option<QLineEdit>("txtSmena"), Qt::Key_Down);
    QCOMPARE(v.dialog().SelectedSmena(), 2);
    QCOMPARE(v.option<QLineEdit>("txtSmena")->text(), QStringLiteral("2"));
}

void tst_frmprintoption::resetFromTheMainWindow()
{
    Viewer v;
    v.dialog();
    v.choose("rbSmen");
    v.arrowUp(2);
    QCOMPARE(v.dialog().SelectedSmena(), 3);

    v.dialog().ResetSmena(5);
    QCOMPARE(v.option<UpDown>("updSmena")->maximum(), 5);
    QCOMPARE(v.option<UpDown>("updSmena")->value(), 1);
    QCOMPARE(v.option<QLineEdit>("txtSmena")->text(), QStringLiteral("1"));
    QCOMPARE(v.dialog().SelectedSmena(), 1);

    // The main window's shift spinner does the same on every change.
    v.arrowUp(3);
    QCOMPARE(v.dialog().SelectedSmena(), 4);
    v.forms.MainForm().findChild<UpDown*>(QStringLiteral("UpDownSmena"))->setValue(2);
    QCOMPARE(v.g.intCountSmena, 2);
    QCOMPARE(v.option<UpDown>("updSmena")->maximum(), 2);
    QCOMPARE(v.dialog().SelectedSmena(), 1);
    QCOMPARE(v.option<QLineEdit>("txtSmena")->text(), QStringLiteral("1"));
}

void tst_frmprintoption::exportOneShift()
{
    Viewer v;
    v.openOptions();
    v.choose("rbSmen");
    v.arrowUp(2);
    v.click(&v.dialog(), "cmdOK");
    QVERIFY(v.closedBack());
    QCOMPARE(messageTexts(), QStringList());

    QCOMPARE(v.last().header.paragraphs().first()->text(), QStringLiteral("Раскладка дежурной смены №3"));
    QCOMPARE(v.headings(), (QStringList{" 9  июня  2026, ( вторник )", " 12  июня  2026, ( пятница )"}));
    // Saved in the documents folder and handed to the word processor.
    const QString file = objWord(v.g).lastSavedFile();
    QVERIFY(QFileInfo(file).isFile());
    QCOMPARE(v.platform.desktop.count(), 1);
    QCOMPARE(v.platform.desktop.last().target, file);
}

void tst_frmprintoption::exportWholeLayout()
{
    Viewer v(4, 3);
    v.openOptions();
    QTest::keyClick(&v.dialog(), Qt::Key_Return); // the default button
    QVERIFY(v.closedBack());
    QCOMPARE(v.last().header.paragraphs().first()->text(), QStringLiteral("Раскладка"));
    QCOMPARE(v.headings(),
             (QStringList{"Дежурная смена №1", "Дежурная смена №2", "Дежурная смена №3", "Дежурная смена №1"}));
    // Another export opens the dialog again, as the user left it.
    v.openOptions();
    QVERIFY(v.dialog().isEnabled());
    QVERIFY(v.option<QRadioButton>("rbAll")->isChecked());
}

void tst_frmprintoption::cancelKeepsTheChoice_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("Отмена") << "button";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("window frame") << "close";
}

void tst_frmprintoption::cancelKeepsTheChoice()
{
    QFETCH(QString, how);
    Viewer v;
    v.openOptions();
    v.choose("rbSmen");
    v.arrowUp(1);
    if (how == QLatin1String("button"))
        v.click(&v.dialog(), "cmdCancel");
    else if (how == QLatin1String("escape"))
        QTest::keyClick(&v.dialog(), Qt::Key_Escape);
    else
        v.dialog().close();
    QVERIFY(v.closedBack());
    QVERIFY(!objWord(v.g).lastDocument());
    QCOMPARE(v.platform.desktop.count(), 0);
    QCOMPARE(messageTexts(), QStringList());

    v.openOptions();
    QVERIFY(v.option<QRadioButton>("rbSmen")->isChecked());
    QVERIFY(v.option("updSmena")->isEnabled());
    QCOMPARE(v.dialog().SelectedSmena(), 2);
    QCOMPARE(v.option<QLineEdit>("txtSmena")->text(), QStringLiteral("2"));
}

void tst_frmprintoption::wordNotAvailable()
{
    Viewer v;
    v.makeDocumentsUnwritable();
    v.openOptions();
    v.click(&v.dialog(), "cmdOK");
    QCOMPARE(messageTexts(), (QStringList{kOpenWord, kNoWord}));
    QVERIFY(v.closedBack());
    QVERIFY(!objWord(v.g).lastDocument());
    QCOMPARE(v.platform.desktop.count(), 0);
}

void tst_frmprintoption::shiftCountChangedWhileHidden()
{
    Viewer v;
    v.openOptions();
    v.choose("rbSmen");
    v.arrowUp(2);
    v.click(&v.dialog(), "cmdCancel");
    // A trip read from a file with fewer shifts: shift 3 is no longer one of them.
    v.g.intCountSmena = 2;
    v.openOptions();
    QCOMPARE(v.option<UpDown>("updSmena")->maximum(), 2);
    QCOMPARE(v.dialog().SelectedSmena(), 1);
    QCOMPARE(v.option<QLineEdit>("txtSmena")->text(), QStringLiteral("1"));
}

void tst_frmprintoption::purchaseListFromReportMode_data()
{
    QTest::addColumn<bool>("byShift");
    QTest::addColumn<QString>("title");
    QTest::addColumn<Rows>("expected"); // first three columns below the header

    QTest::newRow("whole trip") << false << "Общий список закупок по раскладке"
                                << Rows{{"Гречка", "1400", "гр"}, {"Спички", "8", "шт"}, {"ВСЕГО:", "1400", "гр"}};
    // Shift 1 of 3 cooks days 1, 4 and 7: menus 1, 2 and 1.
    QTest::newRow("shift 1") << true << "Список закупок продуктов дежурной смены №1"
                             << Rows{{"Гречка", "600", "гр"}, {"Спички", "4", "шт"}, {"ВСЕГО:", "600", "гр"}};
}

void tst_frmprintoption::purchaseListFromReportMode()
{
    QFETCH(bool, byShift);
    QFETCH(QString, title);
    QFETCH(Rows, expected);
    Viewer v;
    v.click(v.w, "cmdReport");
    if (byShift) {
        auto* rb = v.control<QRadioButton>(v.w, "rbSmena");
        QTest::mouseClick(rb, Qt::LeftButton, {}, QPoint(rb->height() / 2, rb->height() / 2));
    }
    QCOMPARE(v.w->GridRows(), expected);
    v.click(v.w, "cmdWord");
    QCOMPARE(messageTexts(), QStringList());
    // The list needs no options: the layout window stays usable.
    QVERIFY(v.w->isEnabled());
    QVERIFY(!v.forms.hasPrintOption() || v.dialog().isHidden());

    const WordDocument& doc = v.last();
    QCOMPARE(doc.header.paragraphs().first()->text(), title);
    const WordTable& table = *doc.main.tables().first();
    QCOMPARE(table.rows.size(), expected.size() + 1);
    for (int r = 0; r < expected.size(); ++r) {
        for (int c = 0; c < 3; ++c)
            QCOMPARE(table.cell(r + 1, c).text(), expected.at(r).at(c));
    }
    QCOMPARE(v.platform.desktop.count(), 1);
}

void tst_frmprintoption::purchaseListNotWritten()
{
    // No document can be saved: both messages, then the layout export is offered.
    Viewer v;
    v.makeDocumentsUnwritable();
    v.click(v.w, "cmdReport");
    v.click(v.w, "cmdWord");
    QCOMPARE(messageTexts(), (QStringList{kOpenWord, kNoWord}));
    QCOMPARE(v.platform.boxes.last().caption, QStringLiteral("Раскладка"));
    QCOMPARE(int(v.platform.boxes.last().icon), int(MessageBox::Information));
    QVERIFY(v.dialog().isVisible());
    QVERIFY(!v.w->isEnabled());
    v.click(&v.dialog(), "cmdCancel");
    QVERIFY(v.closedBack());
}

QTEST_MAIN(tst_frmprintoption)
#include "tst_frmprintoption.moc"
