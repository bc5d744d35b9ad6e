#include "export/WordEditor.h"
#include "export/WriterSequences.h"
#include "export/clsRKWord.h"
#include "model/GlobalVariable.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using Step = std::function<int(clsRKWord&)>; // -1 for a step without a result
Q_DECLARE_METATYPE(Step)

using namespace WriterSequences;

namespace {

const QString kCaption = QStringLiteral("Ошибка!");

// Runs a script of writer calls: "table:R,C", "type:TEXT", "union:N", "cell+N",
// "cell-N", "enter", "right", "left", "up", "down", separated by blanks.
void play(clsRKWord& w, const QString& script)
{
    for (const QString& step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString arg = step.section(QLatin1Char(':'), 1);
        if (step.startsWith(QLatin1String("table:")))
            w.InsertTable(arg.section(QLatin1Char(','), 0, 0).toInt(), arg.section(QLatin1Char(','), 1).toInt());
        else if (step.startsWith(QLatin1String("type:")))
            w.InsertText(arg);
        else if (step.startsWith(QLatin1String("union:")))
            w.UnionCells(qint16(arg.toInt()));
        else if (step.startsWith(QLatin1String("cell+")))
            w.MoveRightCell(qint16(step.mid(5).toInt()));
        else if (step.startsWith(QLatin1String("cell-")))
            w.MoveLeftCell(qint16(step.mid(5).toInt()));
        else if (step == QLatin1String("enter"))
            w.Enter();
        else
            w.Move(step);
    }
}

const WordTable& firstTable(const clsRKWord& w)
{
    return *w.document()->main.tables().first();
}

QString border(const WordBorder& b)
{
    return QStringLiteral("%1/%2").arg(b.style).arg(b.width);
}

// top, left, bottom, right as "style/width" each.
QString edges(const WordCell& c)
{
    return QStringList{border(c.top), border(c.left), border(c.bottom), border(c.right)}.join(QLatin1Char(' '));
}

} // namespace

class tst_rkword : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void failsWithoutDocument_data();
    void failsWithoutDocument();
    void quietWithoutDocument();
    void alignWords_data();
    void alignWords();
    void moveWords_data();
    void moveWords();
    void cursorRules_data();
    void cursorRules();
    void formatFollowsCursor();
    void textBreaksAndUnfitCharacters();
    void rejectedSteps_data();
    void rejectedSteps();
    void pageAndRunSteps();
    void orientationWord();
    void headerAndFooterKeepMainCursor();

    void dayTable_data();
    void dayTable();
    void titleBlock();
    void purchaseTable();

    void savesAndOpens();
    void namesNeverCollide();
    void noProgramSaysWhere();
    void unwritableFolderFailsOpenWord();
    void failedSaveReports();
    void outputFile();
    void reopenHandsOutEarlier();
    void tripWriterCreatedOnFirstUse();

private:
    std::unique_ptr<MessageBox::Recorder> m_boxes;
    std::unique_ptr<Desktop::Recorder> m_desktop;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<clsRKWord> m_w;

    // An open writer saving into a scratch folder.
    clsRKWord& open();
    QStringList messages() const;
};

void tst_rkword::init()
{
    m_boxes = std::make_unique<MessageBox::Recorder>();
    m_desktop = std::make_unique<Desktop::Recorder>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_w = std::make_unique<clsRKWord>();
    m_w->setDocumentsFolder(m_dir->filePath(QStringLiteral("Документы")));
}

void tst_rkword::cleanup()
{
    m_w.reset();
    m_dir.reset();
    m_desktop.reset();
    m_boxes.reset();
}

clsRKWord& tst_rkword::open()
{
    if (!m_w->OpenWord())
        qFatal("OpenWord failed");
    return *m_w;
}

QStringList tst_rkword::messages() const
{
    QStringList out;
    for (const MessageBox::Shown& s : m_boxes->shown())
        out.append(s.text);
    return out;
}

// ---------------------------------------------------------------- without a document

void tst_rkword::failsWithoutDocument_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("result");

    auto add = [](const char* name, Step step, const char* message, int result = -1) {
        QTest::newRow(name) << step << QString::fromUtf8(message) << result;
    };
    auto v = [](std::function<void(clsRKWord&)> f) -> Step {
        return [f](clsRKWord& w) {
            f(w);
            return -1;
        };
    };
    add(
        "InsertText", [](clsRKWord& w) { return int(w.InsertText(QStringLiteral("x"))); },
        "Невозможно вставить текст!  Error in ClassWord::InsertText", 0);
    add(
        "InsertText empty", [](clsRKWord& w) { return int(w.InsertText(QString())); },
        "Невозможно вставить текст!  Error in ClassWord::InsertText", 0);
    add("SetFontSize", v([](clsRKWord& w) { w.SetFontSize(14); }),
        "Невозможно установить размер шрифта! Error in ClassWord::SetFontSize ");
    add("SetPole", v([](clsRKWord& w) { w.SetPole(2, 1.5, 1.5, 1.5); }),
        "Невозможно задать отступ! Error in ClassWord::SetPole ");
    add("SetAlign", v([](clsRKWord& w) { w.SetAlign(QStringLiteral("Center")); }),
        "Невозможно задать выравнивание! Error in ClassWord::SetAlign ");
    add("Bold", v([](clsRKWord& w) { w.Bold(true); }), "Невозможно задать свойство! Error in ClassWord::Bold ");
    add("Italic", v([](clsRKWord& w) { w.Italic(false); }), "Невозможно задать свойство! Error in ClassWord::Italic ");
    add("Enter", v([](clsRKWord& w) { w.Enter(); }), "Невозможно выполнить перевод строки! Error in ClassWord::Enter ");
    add("SetTab", v([](clsRKWord& w) { w.SetTab(2.5); }), "Невозможно установить отступ! Error in ClassWord::SetTab ");
    add("InsertTab", v([](clsRKWord& w) { w.InsertTab(); }),
        "Невозможно вставить символ табуляции! Error in ClassWord::InsertTab ");
    add("Orientation", v([](clsRKWord& w) { w.Orientation(QStringLiteral("albom")); }),
        "Невозможно задать ориентацию листа! Error in ClassWord::Orientation ");
    add("SetFontStyle", v([](clsRKWord& w) { w.SetFontStyle(QStringLiteral("Arial")); }),
        "Невозможно задать стиль! Error in ClassWord::SetFontStyle ");
    add("NewPage", v([](clsRKWord& w) { w.NewPage(); }),
        "Невозможно перейти на новую страницу! Error in ClassWord::NewPage ");
    add("OpenTopTitule", v([](clsRKWord& w) { w.OpenTopTitule(); }),
        "Невозможно открыть верхний колонтитул! Error in ClassWord::OpenTopTitule ");
    add("CloseTitule", v([](clsRKWord& w) { w.CloseTitule(); }),
        "Невозможно закрыть колонтитул! Error in ClassWord::CloseTitule ");
    add("OpenBottomTitule", v([](clsRKWord& w) { w.OpenBottomTitule(); }),
        "Невозможно открыть нижний колонтитул! Error in ClassWord::OpenBottomTitule ");
    add("InsertNumPage", v([](clsRKWord& w) { w.InsertNumPage(); }),
        "Невозможно ввести нумерацию страниц! Error in ClassWord::InsertNumPage ");
    add("ZoomProcent", v([](clsRKWord& w) { w.ZoomProcent(100); }),
        "Невозможно выполнить масштабирование! Error in ClassWord::ZoomProcent ");
    add("InsertTable", v([](clsRKWord& w) { w.InsertTable(3, 6); }),
        "Невозможно вставить таблицу! Error in ClassWord::InsertTable ");
    add("Move", v([](clsRKWord& w) { w.Move(QStringLiteral("down")); }),
        "Невозможно переместить курсор! Error in ClassWord::Move ");
    add("Move unknown word", v([](clsRKWord& w) { w.Move(QStringLiteral("Down")); }),
        "Невозможно переместить курсор! Error in ClassWord::Move ");
    add("InsertCopyRigth", v([](clsRKWord& w) { w.InsertCopyRigth(); }),
        "Невозможно вставить символ CopyRight! Error in ClassWord::InsertCopyRight ");
    add("UnionCells", v([](clsRKWord& w) { w.UnionCells(2); }),
        "Невозможно объединить ячейки! Error in ClassWord::UnionCells ");
    add("MoveRightCell", v([](clsRKWord& w) { w.MoveRightCell(1); }),
        "Невозможно перевести курсор вправо! Error in ClassWord::MoveRightCell ");
    add("MoveLeftCell", v([](clsRKWord& w) { w.MoveLeftCell(1); }),
        "Невозможно перевести курсор влево! Error in ClassWord::MoveLeftCell ");
    add(
        "DesignSelectionCells", [](clsRKWord& w) { return int(w.DesignSelectionCells(-1, 10, 24)); },
        "Невозможно установить стиль ячейки таблицы! Error in ClassWord::DesignSelectionCells ", 0);
}

void tst_rkword::failsWithoutDocument()
{
    QFETCH(Step, step);
    QFETCH(QString, message);
    QFETCH(int, result);

    // Before OpenWord, and again after CloseWord.
    for (int round = 0; round < 2; ++round) {
        m_boxes->clear();
        QCOMPARE(step(*m_w), result);
        QCOMPARE(m_boxes->count(), 1);
        QCOMPARE(m_boxes->last().text, message);
        QCOMPARE(m_boxes->last().caption, kCaption);
        QCOMPARE(m_boxes->last().buttons, MessageBox::OkOnly);
        // F1 leads to the writer's help, except from the text step.
        QCOMPARE(m_boxes->last().helpTopic, QString(message.contains("InsertText") ? "" : "word"));
        open();
        m_w->CloseWord();
    }
    // A failed write has kept the word all the same.
    QCOMPARE(m_w->Orientation(), QString(QTest::currentDataTag() == QByteArray("Orientation") ? "albom" : ""));
}

void tst_rkword::quietWithoutDocument()
{
    m_w->CloseWord();
    QCOMPARE(m_w->Orientation(), QString());
    open();
    m_w->CloseWord();
    m_w->CloseWord();
    QCOMPARE(messages(), QStringList());
    QCOMPARE(m_desktop->count(), 1);
}

// ---------------------------------------------------------------- words compared exactly

void tst_rkword::alignWords_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("align");

    const int unchanged = int(WordAlign::Center);
    QTest::newRow("Left") << "Left" << int(WordAlign::Left);
    QTest::newRow("Center") << "Center" << int(WordAlign::Center);
    QTest::newRow("Right") << "Right" << int(WordAlign::Right);
    QTest::newRow("Justify") << "Justify" << int(WordAlign::Justify);
    QTest::newRow("left") << "left" << unchanged;
    QTest::newRow("RIGHT") << "RIGHT" << unchanged;
    QTest::newRow("trailing blank") << "Right " << unchanged;
    QTest::newRow("empty") << "" << unchanged;
    QTest::newRow("Centre") << "Centre" << unchanged;
}

void tst_rkword::alignWords()
{
    QFETCH(QString, word);
    QFETCH(int, align);
    clsRKWord& w = open();
    w.SetAlign(QStringLiteral("Center"));
    w.InsertText(QStringLiteral("x"));
    w.SetAlign(word);
    QCOMPARE(int(w.document()->main.paragraphs().first()->align), align);
    QCOMPARE(messages(), QStringList());
}

void tst_rkword::moveWords_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("expected");

    // The cursor starts in the middle cell of a 3 x 3 table and types X where it lands.
    QTest::newRow("right") << "right"
                           << "[||/||X/||]\n";
    QTest::newRow("left") << "left"
                          << "[||/X||/||]\n";
    QTest::newRow("up") << "up"
                        << "[|X|/||/||]\n";
    QTest::newRow("down") << "down"
                          << "[||/||/|X|]\n";
    QTest::newRow("Right") << "Right"
                           << "[||/|X|/||]\n";
    QTest::newRow("LEFT") << "LEFT"
                          << "[||/|X|/||]\n";
    QTest::newRow("Up") << "Up"
                        << "[||/|X|/||]\n";
    QTest::newRow("down with blank") << "down "
                                     << "[||/|X|/||]\n";
    QTest::newRow("empty") << ""
                           << "[||/|X|/||]\n";
}

void tst_rkword::moveWords()
{
    QFETCH(QString, word);
    QFETCH(QString, expected);
    clsRKWord& w = open();
    w.InsertTable(3, 3);
    w.MoveRightCell(4);
    w.Move(word);
    w.InsertText(QStringLiteral("X"));
    QCOMPARE(render(w.document()->main), expected);
    QCOMPARE(messages(), QStringList());
}

// ---------------------------------------------------------------- cursor rules

void tst_rkword::cursorRules_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");

    QTest::newRow("new table: cursor in row 1, column 1") << "table:3,6 type:A"
                                                          << "[A|||||/|||||/|||||]\n";
    QTest::newRow("right at the end of a cell's text") << "table:2,3 type:A right type:B"
                                                       << "[A|B|/||]\n";
    QTest::newRow("right inside the text steps one character") << "table:1,2 type:AB left right right type:C"
                                                               << "[AB|C]\n";
    QTest::newRow("left at the start of a cell") << "table:1,2 type:AB cell+1 left type:X"
                                                 << "[ABX|]\n";
    QTest::newRow("left through empty cells") << "table:1,4 cell+3 left left type:X"
                                              << "[|X||]\n";
    QTest::newRow("right from selected cells: the next cell") << "table:1,4 union:2 right type:X"
                                                              << "[^2|X|]\n";
    QTest::newRow("left from selected cells: their first") << "table:1,4 cell+1 union:2 left type:X"
                                                           << "[|X^2|]\n";
    QTest::newRow("left again: the cell before") << "table:1,4 cell+1 union:2 left left type:X"
                                                 << "[X|^2|]\n";
    QTest::newRow("right from the last cell of a row") << "table:2,2 cell+1 right type:X"
                                                       << "[|/X|]\n";
    QTest::newRow("right from the last cell leaves the table") << "table:1,2 cell+1 right type:X"
                                                               << "[|]\nX";
    QTest::newRow("left from below a table enters it") << "table:1,2 cell+1 right left type:X"
                                                       << "[|X]\n";
    QTest::newRow("down: the cell below") << "table:3,3 cell+1 down type:X"
                                          << "[||/|X|/||]\n";
    QTest::newRow("down from a spanning cell, cursor at its end") << "table:2,4 union:4 type:Head down type:X"
                                                                  << "[Head^4/|||X]\n";
    QTest::newRow("down from a spanning cell, cursor in the middle")
        << "table:2,4 union:4 type:ABCD left left down type:X"
        << "[ABCD^4/||X|]\n";
    QTest::newRow("down from an empty spanning cell") << "table:2,4 union:4 down type:X"
                                                      << "[^4/X|||]\n";
    QTest::newRow("down into a spanning cell") << "table:2,4 cell+4 union:3 cell-4 cell+2 down type:X"
                                               << "[|||/X^3|]\n";
    QTest::newRow("down from the last row leaves the table") << "table:2,2 cell+3 down type:X"
                                                             << "[|/|]\nX";
    QTest::newRow("up: the cell above") << "table:2,3 cell+4 up type:X"
                                        << "[|X|/||]\n";
    QTest::newRow("up from the first row: the paragraph above") << "type:Top enter table:1,2 up type:X"
                                                                << "XTop\n[|]\n";
    QTest::newRow("up into a table from below") << "table:2,2 cell+3 down up type:X"
                                                << "[|/X|]\n";
    QTest::newRow("cell moves cross rows") << "table:2,3 cell+4 type:X"
                                           << "[||/|X|]\n";
    QTest::newRow("cell moves stop at the table's ends") << "table:2,2 cell+9 type:X cell-9 type:Y"
                                                         << "[Y|/|X]\n";
    QTest::newRow("cell moves whatever the place in the cell") << "table:1,3 type:ABC left left cell+1 type:X"
                                                               << "[ABC|X|]\n";
    QTest::newRow("cell move back from the next row") << "table:2,2 cell+2 cell-1 type:X"
                                                      << "[|X/|]\n";
    QTest::newRow("merging keeps the cells' texts") << "table:1,3 type:A cell+2 type:B cell-2 union:3"
                                                    << "[A¶B^3]\n";
    QTest::newRow("typing replaces selected cells") << "table:1,3 type:A left union:2 type:X"
                                                    << "[X^2|]\n";
    QTest::newRow("merging merged cells") << "table:1,6 union:2 right union:2 left left union:2"
                                          << "[^4||]\n";
    QTest::newRow("enter in a cell") << "table:1,2 type:A enter type:B"
                                     << "[A¶B|]\n";
    QTest::newRow("left across paragraphs of a cell") << "table:1,2 type:A enter type:B left left left type:X"
                                                      << "[XA¶B|]\n";
    QTest::newRow("a table splits the paragraph") << "type:Hello left left table:1,1 type:X"
                                                  << "Hel\n[X]\nlo";
    QTest::newRow("a table at the end of text") << "type:Hi table:1,1 type:X"
                                                << "Hi\n[X]\n";
    QTest::newRow("tables one after another stay apart") << "table:1,1 down table:1,1"
                                                         << "[]\n\n[]\n";
    QTest::newRow("enter after a table") << "table:1,1 down enter type:X"
                                         << "[]\n\nX";
    QTest::newRow("up and down between paragraphs") << "type:abc enter type:d up type:X down type:Y"
                                                    << "aXbc\ndY";
    QTest::newRow("left at the start of the text stays") << "left type:X"
                                                         << "X";
    QTest::newRow("down at the end of the text stays") << "type:ab down type:X"
                                                       << "abX";
}

void tst_rkword::cursorRules()
{
    QFETCH(QString, script);
    QFETCH(QString, expected);
    clsRKWord& w = open();
    play(w, script);
    QCOMPARE(render(w.document()->main), expected);
    QCOMPARE(messages(), QStringList());
}

void tst_rkword::formatFollowsCursor()
{
    clsRKWord& w = open();
    // The paragraph's format reaches the new table's cells.
    w.SetAlign(QStringLiteral("Center"));
    w.SetFontSize(14);
    w.InsertTable(1, 2);
    w.SetFontSize(20);
    w.Bold(true);
    w.InsertText(QStringLiteral("A"));
    w.Move(QStringLiteral("right"));
    w.InsertText(QStringLiteral("B"));
    w.Move(QStringLiteral("left"));
    w.Move(QStringLiteral("left"));
    w.InsertText(QStringLiteral("C")); // back after A: in A's format
    const WordTable& t = firstTable(w);
    const WordParagraph& a = t.cell(0, 0).paragraphs.first();
    const WordParagraph& b = t.cell(0, 1).paragraphs.first();
    QCOMPARE(int(a.align), int(WordAlign::Center));
    QCOMPARE(a.runs.size(), 1);
    QCOMPARE(a.runs.first().text, QStringLiteral("AC"));
    QCOMPARE(a.runs.first().format, (WordCharFormat{20, true, false, QString()}));
    QCOMPARE(a.mark.size, 20); // set in the empty cell
    QCOMPARE(b.text(), QStringLiteral("B"));
    QCOMPARE(b.runs.first().format, (WordCharFormat{14, false, false, QString()}));

    // The new paragraph continues the formats; the empty one keeps its own mark.
    w.Move(QStringLiteral("down"));
    w.Italic(true);
    w.SetFontSize(9);
    w.Enter();
    w.InsertText(QStringLiteral("D"));
    const QList<const WordParagraph*> paras = w.document()->main.paragraphs();
    QCOMPARE(paras.size(), 2);
    QCOMPARE(paras.at(0)->mark, (WordCharFormat{9, false, true, QString()}));
    QCOMPARE(paras.at(1)->runs.first().format, (WordCharFormat{9, false, true, QString()}));
    QCOMPARE(int(paras.at(1)->align), int(WordAlign::Center));

    // Format set on selected cells changes their text too.
    w.Move(QStringLiteral("up"));
    w.Move(QStringLiteral("up"));
    w.MoveLeftCell(1);
    w.UnionCells(2);
    w.SetFontSize(8);
    w.SetAlign(QStringLiteral("Right"));
    const WordCell& merged = firstTable(w).cell(0, 0);
    QCOMPARE(merged.text(), QStringLiteral("AC\nB"));
    for (const WordParagraph& p : merged.paragraphs) {
        QCOMPARE(p.runs.first().format.size, 8);
        QCOMPARE(int(p.align), int(WordAlign::Right));
    }
    QCOMPARE(messages(), QStringList());
}

void tst_rkword::textBreaksAndUnfitCharacters()
{
    clsRKWord& w = open();
    QVERIFY(w.InsertText(QString()));
    QCOMPARE(render(w.document()->main), QString());
    const QString text = QStringLiteral("Озеро\r\nРека\nГоры\ra") + QChar(0x01) + QLatin1Char('b') + QChar(0x0B) +
                         QStringLiteral("c\td") + QChar(0xFFFF) + QLatin1Char('e') + QChar(0xD800) +
                         QStringLiteral("f🏔");
    QVERIFY(w.InsertText(text));
    QCOMPARE(render(w.document()->main), QStringLiteral("Озеро\nРека\nГоры\nabc\tdef🏔"));
    QCOMPARE(messages(), QStringList());
}

// ---------------------------------------------------------------- steps that cannot be done

void tst_rkword::rejectedSteps_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<Step>("step");
    QTest::addColumn<QString>("message");

    auto add = [](const char* name, const char* setup, std::function<void(clsRKWord&)> f, const char* message) {
        QTest::newRow(name) << QString::fromUtf8(setup) << Step([f](clsRKWord& w) {
            f(w);
            return -1;
        }) << QString::fromUtf8(message);
    };
    const char* size = "Невозможно установить размер шрифта! Error in ClassWord::SetFontSize ";
    add(
        "size 0", "", [](clsRKWord& w) { w.SetFontSize(0); }, size);
    add(
        "size 1639", "", [](clsRKWord& w) { w.SetFontSize(1639); }, size);
    const char* pole = "Невозможно задать отступ! Error in ClassWord::SetPole ";
    add(
        "negative margin", "", [](clsRKWord& w) { w.SetPole(-1, 1, 1, 1); }, pole);
    add(
        "margins wider than the page", "", [](clsRKWord& w) { w.SetPole(11, 10, 1, 1); }, pole);
    add(
        "margins taller than the page", "", [](clsRKWord& w) { w.SetPole(1, 1, 15, 15); }, pole);
    add(
        "margin not a number", "", [](clsRKWord& w) { w.SetPole(1, qQNaN(), 1, 1); }, pole);
    const char* tab = "Невозможно установить отступ! Error in ClassWord::SetTab ";
    add(
        "negative tab", "", [](clsRKWord& w) { w.SetTab(-0.5f); }, tab);
    add(
        "tab far away", "", [](clsRKWord& w) { w.SetTab(60); }, tab);
    const char* zoom = "Невозможно выполнить масштабирование! Error in ClassWord::ZoomProcent ";
    add(
        "zoom 9", "", [](clsRKWord& w) { w.ZoomProcent(9); }, zoom);
    add(
        "zoom 501", "", [](clsRKWord& w) { w.ZoomProcent(501); }, zoom);
    const char* font = "Невозможно задать стиль! Error in ClassWord::SetFontStyle ";
    add(
        "no font name", "", [](clsRKWord& w) { w.SetFontStyle(QStringLiteral("  ")); }, font);
    const char* table = "Невозможно вставить таблицу! Error in ClassWord::InsertTable ";
    add(
        "no rows", "", [](clsRKWord& w) { w.InsertTable(0, 3); }, table);
    add(
        "no columns", "", [](clsRKWord& w) { w.InsertTable(3, 0); }, table);
    add(
        "64 columns", "", [](clsRKWord& w) { w.InsertTable(2, 64); }, table);
    add(
        "too many cells", "", [](clsRKWord& w) { w.InsertTable(2000000000, 63); }, table);
    add(
        "table in a table", "table:2,2", [](clsRKWord& w) { w.InsertTable(1, 1); }, table);
    const char* page = "Невозможно перейти на новую страницу! Error in ClassWord::NewPage ";
    add(
        "page break in a table", "table:2,2", [](clsRKWord& w) { w.NewPage(); }, page);
    add(
        "page break in the header", "",
        [](clsRKWord& w) {
            w.OpenTopTitule();
            w.NewPage();
            w.CloseTitule();
        },
        page);
    const char* uni = "Невозможно объединить ячейки! Error in ClassWord::UnionCells ";
    add(
        "merge outside a table", "", [](clsRKWord& w) { w.UnionCells(2); }, uni);
    add(
        "merge past the row's end", "table:2,3 type:A cell+1", [](clsRKWord& w) { w.UnionCells(3); }, uni);
    add(
        "merge nothing", "table:2,3", [](clsRKWord& w) { w.UnionCells(0); }, uni);
    add(
        "cell right outside a table", "type:A", [](clsRKWord& w) { w.MoveRightCell(1); },
        "Невозможно перевести курсор вправо! Error in ClassWord::MoveRightCell ");
    add(
        "cell left outside a table", "type:A", [](clsRKWord& w) { w.MoveLeftCell(1); },
        "Невозможно перевести курсор влево! Error in ClassWord::MoveLeftCell ");
    const char* design = "Невозможно установить стиль ячейки таблицы! Error in ClassWord::DesignSelectionCells ";
    add(
        "border outside a table", "type:A", [](clsRKWord& w) { QVERIFY(!w.DesignSelectionCells(-1, 1, 4)); }, design);
    add(
        "edge 0", "table:1,1", [](clsRKWord& w) { QVERIFY(!w.DesignSelectionCells(0, 1, 4)); }, design);
    add(
        "edge -5", "table:1,1", [](clsRKWord& w) { QVERIFY(!w.DesignSelectionCells(-5, 1, 4)); }, design);
    add(
        "style 25", "table:1,1", [](clsRKWord& w) { QVERIFY(!w.DesignSelectionCells(-1, 25, 4)); }, design);
    add(
        "style -1", "table:1,1", [](clsRKWord& w) { QVERIFY(!w.DesignSelectionCells(-1, -1, 4)); }, design);
    add(
        "width 5", "table:1,1", [](clsRKWord& w) { QVERIFY(!w.DesignSelectionCells(-1, 1, 5)); }, design);
}

void tst_rkword::rejectedSteps()
{
    QFETCH(QString, setup);
    QFETCH(Step, step);
    QFETCH(QString, message);
    clsRKWord& w = open();
    play(w, setup);
    QCOMPARE(messages(), QStringList());
    const QString before = render(w.document()->main);
    const WordPageSetup page = w.document()->page;

    step(w);
    QCOMPARE(messages(), QStringList{message});
    QCOMPARE(m_boxes->last().caption, kCaption);
    // Nothing changed, and the writer goes on.
    QCOMPARE(render(w.document()->main), before);
    QCOMPARE(w.document()->page.leftMargin, page.leftMargin);
    QCOMPARE(w.document()->page.rightMargin, page.rightMargin);
    QCOMPARE(w.document()->page.topMargin, page.topMargin);
    QCOMPARE(w.document()->zoom, 100);
    QVERIFY(w.InsertText(QStringLiteral("!")));
    QCOMPARE(m_boxes->count(), 1);
}

void tst_rkword::pageAndRunSteps()
{
    clsRKWord& w = open();
    w.SetPole(2.0f, 1.5f, 1.5f, 2.54f);
    const WordPageSetup& page = w.document()->page;
    QCOMPARE(qRound(page.leftMargin * 20), 1134);
    QCOMPARE(qRound(page.rightMargin * 20), 850);
    QCOMPARE(qRound(page.topMargin * 20), 850);
    QCOMPARE(qRound(page.bottomMargin * 20), 1440);
    w.ZoomProcent(75);
    QCOMPARE(w.document()->zoom, 75);

    w.SetTab(2.54f);
    w.SetTab(1.0f);
    w.SetTab(2.54f);
    w.SetFontStyle(QStringLiteral("Arial"));
    w.InsertText(QStringLiteral("a"));
    w.InsertTab();
    w.InsertText(QStringLiteral("b"));
    w.InsertCopyRigth();
    w.NewPage();
    w.InsertNumPage();
    const WordParagraph& p = *w.document()->main.paragraphs().first();
    QCOMPARE(p.tabStops.size(), 2);
    QCOMPARE(qRound(p.tabStops.at(0) * 20), 567);
    QCOMPARE(qRound(p.tabStops.at(1) * 20), 1440);
    QCOMPARE(p.text(), QStringLiteral("a\tb©\fСтр. {PAGE} из {NUMPAGES}"));
    for (const WordRun& r : p.runs)
        QCOMPARE(r.format.font, QStringLiteral("Arial"));
    QCOMPARE(messages(), QStringList());
}

void tst_rkword::orientationWord()
{
    clsRKWord& w = open();
    QCOMPARE(w.Orientation(), QString());
    w.Orientation(QStringLiteral("albom"));
    QVERIFY(w.document()->page.landscape);
    QCOMPARE(w.Orientation(), QStringLiteral("albom"));
    w.Orientation(QStringLiteral("Standart")); // kept, but changes nothing
    QVERIFY(w.document()->page.landscape);
    QCOMPARE(w.Orientation(), QStringLiteral("Standart"));
    w.Orientation(QStringLiteral("standart"));
    QVERIFY(!w.document()->page.landscape);
    w.Orientation(QStringLiteral("портрет"));
    QCOMPARE(messages(), QStringList());

    // The word outlives the document; a new document starts portrait.
    w.CloseWord();
    QCOMPARE(w.Orientation(), QStringLiteral("портрет"));
    open();
    QCOMPARE(w.Orientation(), QStringLiteral("портрет"));
    QVERIFY(!w.document()->page.landscape);
}

void tst_rkword::headerAndFooterKeepMainCursor()
{
    clsRKWord& w = open();
    w.InsertTable(2, 2);
    w.MoveRightCell(1);
    w.UnionCells(1); // one whole cell selected
    w.OpenTopTitule();
    w.InsertText(QStringLiteral("Шапка"));
    w.OpenBottomTitule(); // straight from the header
    w.InsertText(QStringLiteral("Подвал"));
    w.CloseTitule();
    w.CloseTitule(); // already in the main text: nothing happens
    w.InsertText(QStringLiteral("X"));
    QCOMPARE(render(w.document()->main), QStringLiteral("[|X/|]\n"));
    QCOMPARE(render(w.document()->header), QStringLiteral("Шапка"));
    QCOMPARE(render(w.document()->footer), QStringLiteral("Подвал"));

    // Entering again starts at the beginning of the story.
    w.OpenTopTitule();
    w.InsertText(QStringLiteral("1 "));
    w.CloseTitule();
    QCOMPARE(render(w.document()->header), QStringLiteral("1 Шапка"));
    QCOMPARE(messages(), QStringList());
}

// ---------------------------------------------------------------- the documents' call sequences

void tst_rkword::dayTable_data()
{
    QTest::addColumn<QList<int>>("counts");

    QTest::newRow("5, 3 and 0 products") << QList<int>{5, 3, 0};
    QTest::newRow("0, 2 and 4 products") << QList<int>{0, 2, 4};
    QTest::newRow("no products") << QList<int>{0, 0, 0};
}

void tst_rkword::dayTable()
{
    QFETCH(QList<int>, counts);
    clsRKWord& w = open();
    QList<Meal> meals(3);
    int rows = 0;
    for (int m = 0; m < 3; ++m) {
        for (int k = 1; k <= counts.at(m); ++k)
            meals[m].products.append(
                {QStringLiteral("Продукт %1.%2").arg(m + 1).arg(k), QStringLiteral("%1 гр").arg(100 * k)});
        rows = std::max(rows, counts.at(m));
    }
    const QStringList headers = {QStringLiteral("Обед   07.06.2026"), QStringLiteral("Ужин  07.06.2026"),
                                 QStringLiteral("Завтрак  08.06.2026")};
    QVERIFY(writeDay(w, QStringLiteral("Дежурная смена №1"), headers, meals,
                     {QStringLiteral("350"), QStringLiteral("120"), QStringLiteral("0")}, QStringLiteral("470")));
    QCOMPARE(messages(), QStringList());

    const WordStory& main = w.document()->main;
    QCOMPARE(main.blocks.size(), 4); // heading, table, the paragraph after it, the next one
    QCOMPARE(main.paragraphs().first()->text(), QStringLiteral("Дежурная смена №1"));
    QCOMPARE(main.paragraphs().first()->runs.first().format.size, 14);
    QVERIFY(main.paragraphs().at(1)->isEmpty());
    QVERIFY(main.paragraphs().at(2)->isEmpty());
    QCOMPARE(w.editor()->position().block, 3);

    const WordTable& t = firstTable(w);
    QCOMPARE(t.columns, 6);
    QCOMPARE(t.rows.size(), rows + 3);

    // Header row: three cells over two columns each.
    QCOMPARE(t.rows.at(0).cells.size(), 3);
    for (int m = 0; m < 3; ++m) {
        const WordCell& c = t.cell(0, m);
        QCOMPARE(c.span, 2);
        QCOMPARE(c.text(), headers.at(m));
        QCOMPARE(c.paragraphs.first().runs.first().format, (WordCharFormat{14, true, false, QString()}));
    }
    // Neighbouring cells share their lines: under the header the rows below draw theirs.
    const QString under = rows > 0 ? QStringLiteral("2/4") : QStringLiteral("11/24");
    QCOMPARE(edges(t.cell(0, 0)), QStringLiteral("10/24 10/24 %1 11/24").arg(under));
    QCOMPARE(edges(t.cell(0, 1)), QStringLiteral("10/24 11/24 %1 11/24").arg(under));
    QCOMPARE(edges(t.cell(0, 2)), QStringLiteral("10/24 11/24 %1 9/24").arg(under));

    // Product rows: six cells, names left and amounts right, dotted inside.
    for (int k = 1; k <= rows; ++k) {
        QCOMPARE(t.rows.at(k).cells.size(), 6);
        for (int m = 0; m < 3; ++m) {
            const WordCell& name = t.cell(k, 2 * m);
            const WordCell& amount = t.cell(k, 2 * m + 1);
            if (k <= counts.at(m)) {
                QCOMPARE(name.text(), QStringLiteral("Продукт %1.%2").arg(m + 1).arg(k));
                QCOMPARE(amount.text(), QStringLiteral("%1 гр").arg(100 * k));
                QCOMPARE(int(name.paragraphs.first().align), int(WordAlign::Left));
                QCOMPARE(int(amount.paragraphs.first().align), int(WordAlign::Right));
            } else {
                QVERIFY2(name.isEmpty() && amount.isEmpty(),
                         qPrintable(QStringLiteral("row %1 meal %2").arg(k).arg(m)));
            }
            const QString below = k == rows ? QStringLiteral("11/24") : QStringLiteral("2/4");
            QCOMPARE(edges(name), QStringLiteral("2/4 %1 %2 2/4").arg(m == 0 ? "10/24" : "11/24", below));
            QCOMPARE(edges(amount), QStringLiteral("2/4 2/4 %1 %2").arg(below, m == 2 ? "9/24" : "11/24"));
        }
    }

    // Meal weights: three cells over two columns, 10 pt.
    const WordRow& weights = t.rows.at(rows + 1);
    QCOMPARE(weights.cells.size(), 3);
    QCOMPARE(weights.cells.at(0).text(), QStringLiteral("Удельный вес обеда  350 гр"));
    QCOMPARE(weights.cells.at(1).text(), QStringLiteral("Удельный вес ужина  120 гр"));
    QCOMPARE(weights.cells.at(2).text(), QStringLiteral("Удельный вес завтрака  0 гр"));
    QCOMPARE(weights.cells.at(0).paragraphs.first().runs.first().format.size, 10);
    QCOMPARE(edges(weights.cells.at(0)), QStringLiteral("11/24 10/24 1/4 11/24"));
    QCOMPARE(edges(weights.cells.at(1)), QStringLiteral("11/24 11/24 1/4 11/24"));
    QCOMPARE(edges(weights.cells.at(2)), QStringLiteral("11/24 11/24 1/4 9/24"));
    for (const WordCell& c : weights.cells)
        QCOMPARE(c.span, 2);

    // The day's weight: one cell over all six columns, bold 11 pt.
    const WordRow& day = t.rows.at(rows + 2);
    QCOMPARE(day.cells.size(), 1);
    QCOMPARE(day.cells.at(0).span, 6);
    QCOMPARE(day.cells.at(0).text(), QStringLiteral("Удельный вес рациона  470 гр"));
    QCOMPARE(day.cells.at(0).paragraphs.first().runs.first().format, (WordCharFormat{11, true, false, QString()}));
    QCOMPARE(edges(day.cells.at(0)), QStringLiteral("1/4 10/24 9/24 9/24"));

    // The next day stacks under this one.
    QVERIFY(writeDay(w, QStringLiteral("Дежурная смена №2"), headers, meals, {"1", "2", "3"}, QStringLiteral("6")));
    QCOMPARE(main.tables().size(), 2);
    QCOMPARE(main.paragraphs().at(2)->text(), QStringLiteral("Дежурная смена №2"));
    QCOMPARE(messages(), QStringList());
}

void tst_rkword::titleBlock()
{
    clsRKWord& w = open();
    writeTitle(w, QStringLiteral("Раскладка"), QStringLiteral("Карелия, июнь"));
    QCOMPARE(messages(), QStringList());
    const WordDocument& doc = *w.document();

    QCOMPARE(qRound(doc.page.leftMargin * 20), 1134);
    QCOMPARE(qRound(doc.page.rightMargin * 20), 850);
    QCOMPARE(qRound(doc.page.topMargin * 20), 850);
    QCOMPARE(qRound(doc.page.bottomMargin * 20), 850);

    const QList<const WordParagraph*> header = doc.header.paragraphs();
    QCOMPARE(header.size(), 2);
    QCOMPARE(header.at(0)->text(), QStringLiteral("Раскладка"));
    QCOMPARE(header.at(0)->runs.first().format, (WordCharFormat{18, true, false, QString()}));
    QCOMPARE(header.at(1)->text(), QStringLiteral("Карелия, июнь"));
    QCOMPARE(header.at(1)->runs.first().format, (WordCharFormat{14, false, false, QString()}));
    for (const WordParagraph* p : header)
        QCOMPARE(int(p->align), int(WordAlign::Center));

    const QList<const WordParagraph*> footer = doc.footer.paragraphs();
    QCOMPARE(doc.footer.text(),
             QStringLiteral("Product of R.K.Forge©\nmailto:torbel@example.org\n"
                            "http://www.example.org/torbel/\n07.06.2026\nСтр. {PAGE} из {NUMPAGES}"));
    QCOMPARE(footer.at(0)->runs.size(), 1); // the sign in the credit's format
    QCOMPARE(footer.at(0)->runs.first().format, (WordCharFormat{11, true, true, QString()}));
    const WordParagraph& numbering = *footer.at(4);
    QCOMPARE(numbering.runs.size(), 4);
    QCOMPARE(int(numbering.runs.at(1).kind), int(WordRun::Kind::PageNumber));
    QCOMPARE(int(numbering.runs.at(3).kind), int(WordRun::Kind::PageCount));
    for (const WordParagraph* p : footer) {
        QCOMPARE(int(p->align), int(WordAlign::Right));
        if (p != footer.first())
            QCOMPARE(p->runs.first().format, (WordCharFormat{10, false, false, QString()}));
    }

    QCOMPARE(doc.main.text(), QStringLiteral("\nПоход с 7  июня  2026 по 11  июня  2026.\n"
                                             "Общая продолжительность: 5 дней(дня).\n"
                                             "Количество участников:  6 человек(а).\n\n"));
    const QList<const WordParagraph*> body = doc.main.paragraphs();
    QCOMPARE(int(body.first()->align), int(WordAlign::Left));
    for (int i = 1; i < body.size(); ++i) {
        QCOMPARE(int(body.at(i)->align), int(WordAlign::Center));
        QCOMPARE(body.at(i)->mark.size, 14);
    }
    // Ready for the body: in the last, empty, centred paragraph, regular 14 pt.
    QCOMPARE(w.editor()->position().story, WordStoryKind::Main);
    QCOMPARE(w.editor()->position().block, int(body.size()) - 1);
    QCOMPARE(w.editor()->format(), (WordCharFormat{14, false, false, QString()}));

    // An empty description leaves an empty second header line.
    w.CloseWord();
    open();
    writeTitle(w, QStringLiteral("Раскладка"), QString());
    QCOMPARE(w.document()->header.text(), QStringLiteral("Раскладка\n"));
}

void tst_rkword::purchaseTable()
{
    clsRKWord& w = open();
    writeTitle(w, QStringLiteral("Общий список закупок по раскладке"), QString());
    const QList<QStringList> grid = {{"Наименование", "Кол-во", "Ед."},
                                     {"Гречка", "1200", "гр"},
                                     {"Сахар", "600", "гр"},
                                     {"Спички", "3", "шт"},
                                     {"ВСЕГО:", "1800", "гр"}};
    QVERIFY(writeList(w, grid));
    QCOMPARE(messages(), QStringList());

    const WordTable& t = firstTable(w);
    QCOMPARE(t.rows.size(), 5);
    QCOMPARE(t.columns, 5);
    const QStringList header = {"Наименование", "Количество", " Ед. ", "Стоимость",
                                "                           Для заметок "};
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(t.cell(0, c).text(), header.at(c));
        QCOMPARE(t.cell(0, c).paragraphs.first().runs.first().format, (WordCharFormat{14, true, false, QString()}));
        QCOMPARE(int(t.cell(0, c).paragraphs.first().align), int(WordAlign::Center)); // " Ед. " from the paragraph
    }
    for (int r = 1; r < 5; ++r) {
        for (int c = 0; c < 3; ++c) {
            const WordParagraph& p = t.cell(r, c).paragraphs.first();
            QCOMPARE(p.text(), grid.at(r).at(c));
            QCOMPARE(p.runs.first().format.bold, r == 4);
            QCOMPARE(int(p.align), int(c == 0 ? WordAlign::Left : WordAlign::Right));
        }
        QVERIFY(t.cell(r, 3).isEmpty());
        QVERIFY(t.cell(r, 4).isEmpty());
    }
    QCOMPARE(w.editor()->position().row, -1); // below the table

    // A grid of the header row only: a one-row table, and the cursor below it.
    w.CloseWord();
    open();
    writeList(w, {grid.first()});
    QCOMPARE(render(w.document()->main).section(QLatin1Char('\n'), 0, 0),
             QStringLiteral("[Наименование|Количество| Ед. |Стоимость|                           Для заметок ]"));
    QCOMPARE(messages(), QStringList());
}

// ---------------------------------------------------------------- saving and handing out

void tst_rkword::savesAndOpens()
{
    clsRKWord& w = open();
    QVERIFY(QDir(w.documentsFolder()).exists()); // made on the way
    w.InsertText(QStringLiteral("Текст"));
    w.CloseWord();

    QVERIFY(!w.isOpen());
    QVERIFY(!w.document());
    QCOMPARE(w.lastDocument()->main.text(), QStringLiteral("Текст"));
    const QString path = w.lastSavedFile();
    QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(w.documentsFolder()).absoluteFilePath());
    QVERIFY2(QRegularExpression(QStringLiteral("^Раскладка \\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d\\.docx$"))
                 .match(QFileInfo(path).fileName())
                 .hasMatch(),
             qPrintable(path));
    QVERIFY(QFileInfo(path).size() > 0);
    QCOMPARE(m_desktop->count(), 1);
    QCOMPARE(m_desktop->last().kind, Desktop::OpenFile);
    QCOMPARE(m_desktop->last().target, path);
    QCOMPARE(messages(), QStringList());
    QCOMPARE(QDir(w.documentsFolder()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no leftovers

    // The title in the page header names the file.
    open();
    w.OpenTopTitule();
    w.InsertText(QStringLiteral("\nСписок: закупок/смены №2?"));
    w.CloseTitule();
    w.CloseWord();
    QVERIFY2(QFileInfo(w.lastSavedFile()).fileName().startsWith(QStringLiteral("Список закупок смены №2 ")),
             qPrintable(w.lastSavedFile()));
    w.setDocumentName(QStringLiteral("Закупки"));
    open();
    w.CloseWord();
    QVERIFY(QFileInfo(w.lastSavedFile()).fileName().startsWith(QStringLiteral("Закупки 20")));
}

void tst_rkword::namesNeverCollide()
{
    // A file of the first name is already there: it is kept.
    clsRKWord& w = open();
    w.CloseWord();
    const QString first = w.lastSavedFile();
    QFile::remove(first);
    QFile taken(first);
    QVERIFY(taken.open(QIODevice::WriteOnly));
    taken.write("someone else's");
    taken.close();

    QStringList saved;
    for (int i = 0; i < 3; ++i) {
        open();
        w.CloseWord();
        saved.append(w.lastSavedFile());
    }
    // Saved within the same minute: " (2)", " (3)"; across a minute's turn the name is new.
    saved.removeDuplicates();
    QCOMPARE(saved.size(), 3);
    QVERIFY(!saved.contains(first));
    QVERIFY(saved.first().endsWith(QStringLiteral(" (2).docx")) || !saved.first().contains(QStringLiteral(" (")));
    QVERIFY(taken.open(QIODevice::ReadOnly));
    QCOMPARE(taken.readAll(), QByteArray("someone else's"));
}

void tst_rkword::noProgramSaysWhere()
{
    m_desktop->setResult(false);
    clsRKWord& w = open();
    w.CloseWord();
    const QString path = w.lastSavedFile();
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(m_boxes->count(), 1);
    QVERIFY2(m_boxes->last().text.contains(QDir::toNativeSeparators(path)), qPrintable(m_boxes->last().text));
    QVERIFY(m_boxes->last().text.contains(QStringLiteral(".docx")));
}

void tst_rkword::unwritableFolderFailsOpenWord()
{
    QFile blocker(m_dir->filePath(QStringLiteral("файл")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    m_w->setDocumentsFolder(blocker.fileName() + QStringLiteral("/Документы"));

    QVERIFY(!m_w->OpenWord());
    QCOMPARE(messages(), QStringList{"Невозможно открыть приложение Word 2000 !  Error in ClassWord::OpenWord"});
    QCOMPARE(m_boxes->last().helpTopic, QString());
    QVERIFY(!m_w->isOpen());
    QVERIFY(!m_w->InsertText(QStringLiteral("x")));
    m_w->CloseWord();
    QCOMPARE(m_boxes->count(), 2);
    QCOMPARE(m_desktop->count(), 0);
}

void tst_rkword::failedSaveReports()
{
    clsRKWord& w = open();
    w.InsertText(QStringLiteral("x"));
    // The folder turns into a file while the document is being written.
    QVERIFY(QDir(w.documentsFolder()).removeRecursively());
    QFile blocker(w.documentsFolder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    w.CloseWord();
    QCOMPARE(messages(),
             QStringList{"Невозможно корректно завершить экспорт в Word 2000! Error in ClassWord::CloseWord "});
    QVERIFY(!w.isOpen());
    QVERIFY(w.lastSavedFile().isEmpty());
    QVERIFY(!w.lastError().isEmpty());
    QCOMPARE(m_desktop->count(), 0);
}

void tst_rkword::outputFile()
{
    const QString out = m_dir->filePath(QStringLiteral("out.docx"));
    QFile old(out);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    m_w->setOutputFile(out);
    clsRKWord& w = open();
    w.InsertText(QStringLiteral("В файл"));
    QString error;
    QVERIFY(w.saveTo(m_dir->filePath(QStringLiteral("copy.docx")), &error));
    QVERIFY(w.isOpen());
    w.CloseWord();
    QCOMPARE(w.lastSavedFile(), out);
    QVERIFY(QFileInfo(out).size() > 100); // replaced
    QCOMPARE(m_desktop->count(), 0);
    QCOMPARE(messages(), QStringList());
    QVERIFY(!QDir(w.documentsFolder()).exists());

    // A file in a folder that is not there: the export does not start.
    w.setOutputFile(m_dir->filePath(QStringLiteral("нет/out.docx")));
    QVERIFY(!w.OpenWord());
    QCOMPARE(messages(), QStringList{"Невозможно открыть приложение Word 2000 !  Error in ClassWord::OpenWord"});
    QVERIFY(!w.saveTo(out, &error));
    QVERIFY(!error.isEmpty());
}

void tst_rkword::reopenHandsOutEarlier()
{
    clsRKWord& w = open();
    w.InsertText(QStringLiteral("Первый"));
    open();
    QCOMPARE(m_desktop->count(), 1);
    QCOMPARE(w.lastDocument()->main.text(), QStringLiteral("Первый"));
    QVERIFY(w.document()->main.isBlank());
    QCOMPARE(messages(), QStringList());
}

void tst_rkword::tripWriterCreatedOnFirstUse()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    QVERIFY(!g.objWord);
    clsRKWord& w = objWord(g);
    QCOMPARE(g.objWord.get(), &w);
    QCOMPARE(&objWord(g), &w);
    QVERIFY(!w.isOpen());
}

QTEST_MAIN(tst_rkword)
#include "tst_rkword.moc"
