// An impatient user, at random but reproducibly: every seed drives the real windows for
// a fixed number of steps (clicks on whatever is enabled, tabs, spinners, junk typed into
// fields, trip files good and bad, saves to places that cannot be written, exports), with
// the message boxes and file dialogs answered at random from the same seed. After every
// step the trip and the windows are checked; a failure prints the seed and the numbered
// steps that lead to it.
//
// Undo and redo are checked with the real Правка actions and shortcuts: after every step
// its changes are taken back one by one and made again, each time against the trip as it
// was when the change was made; every few steps the whole stack goes back and forth.
//
// TORBEL_WALK_TRACE=1 prints every step as it runs (for a crash, which prints nothing
// else); TORBEL_WALK_STEPS=n walks longer, TORBEL_WALK_SEEDS=n with more seeds.
#include "export/clsRKWord.h"
#include "model/Cp1251.h"
#include "model/GlobalVariable.h"
#include "model/PurchaseList.h"
#include "model/RuDate.h"
#include "support/PlatformRecorder.h"
#include "support/SampleTrip.h"
#include "tripfile/TripFile.h"
#include "ui/Forms.h"
#include "ui/TripUndo.h"
#include "ui/UpDown.h"
#include "ui/editor/frmMenu.h"
#include "ui/main/frmCalendar.h"
#include "ui/main/frmMainForm.h"
#include "ui/viewer/frmRasklad.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRandomGenerator>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <QWheelEvent>

#include <climits>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

namespace {

constexpr int DefaultSteps = 300;
// How often the whole undo stack is taken back and made again.
constexpr int WholeStackEvery = 50;

// The program's windows, in a fixed order so that a seed always sees them alike.
const QStringList WindowNames = {
    QStringLiteral("frmMainForm"),      QStringLiteral("frmCalendar"),  QStringLiteral("frmMenu"),
    QStringLiteral("frmDialogProduct"), QStringLiteral("frmRemoveDay"), QStringLiteral("frmRasklad"),
    QStringLiteral("frmPrintOption"),   QStringLiteral("frmAbout"),     QStringLiteral("frmNutrition"),
    QStringLiteral("frmCarry"),         QStringLiteral("frmReference")};

// The windows each window opens, disabling itself until they close.
QStringList openedBy(const QString& window)
{
    if (window == QLatin1String("frmMainForm"))
        return {QStringLiteral("frmCalendar"), QStringLiteral("frmMenu"),      QStringLiteral("frmRasklad"),
                QStringLiteral("frmAbout"),    QStringLiteral("frmNutrition"), QStringLiteral("frmCarry")};
    if (window == QLatin1String("frmMenu"))
        return {QStringLiteral("frmDialogProduct"), QStringLiteral("frmRemoveDay"), QStringLiteral("frmReference")};
    if (window == QLatin1String("frmNutrition"))
        return {QStringLiteral("frmReference")};
    if (window == QLatin1String("frmRasklad"))
        return {QStringLiteral("frmPrintOption")};
    return {};
}

// What escaped an event handler, or a fatal message; any entry fails the walk.
QStringList& escapes()
{
    static QStringList list;
    return list;
}

// The walk running now, for a fatal message that ends the process before the test can report.
std::function<QString(const QString&)> g_reportNow;
QtMessageHandler g_previousHandler = nullptr;

void walkMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // Qt's own words when an event handler lets an exception through.
    if (type == QtFatalMsg || type == QtCriticalMsg || message.contains(QLatin1String("exception"))) {
        escapes().append(message);
        if (type == QtFatalMsg && g_reportNow)
            std::fprintf(stderr, "%s\n", qPrintable(g_reportNow(message)));
    }
    // The offscreen platform says so for every window raised; nothing to see.
    // The offscreen platform says so for every window raised, and QTest for a double
    // click on a grid that takes the first click only; nothing to see.
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.contains(QLatin1String("not accepted by receiving widget")))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

// Every event passes here: an exception that leaves a handler is caught, noted and
// turned into a failure instead of ending the program.
class WalkApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        const auto where = [&] {
            return QStringLiteral("event %1 to %2 \"%3\"")
                .arg(int(event->type()))
                .arg(QString::fromLatin1(receiver->metaObject()->className()), receiver->objectName());
        };
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            escapes().append(QStringLiteral("exception escaped an event handler (%1): %2")
                                 .arg(where(), QString::fromLocal8Bit(e.what())));
        } catch (...) {
            escapes().append(QStringLiteral("exception escaped an event handler (%1)").arg(where()));
        }
        return false;
    }
};

// One run of the program: the trip state and its windows, the main window shown.
struct Program
{
    GlobalVariable g;
    std::unique_ptr<Forms> forms;

    explicit Program(const QString& strDocuments)
    {
        InitGlobalVariable(g);
        forms = std::make_unique<Forms>(g);
        objWord(g).setDocumentsFolder(strDocuments);
        forms->MainForm().show();
    }
    ~Program()
    {
        // A date half typed into the calendar holds Qt's helper until Escape, Enter or a
        // timer ends it; Qt does not free it with the calendar.
        if (forms->hasCalendar()) {
            if (auto* view = forms->Calendar().findChild<QTableView*>())
                QTest::keyClick(view, Qt::Key_Escape);
        }
        forms.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// A file dialog the walk answered, with what the trip was when it did.
struct FileStep
{
    FileDialog::Kind kind = FileDialog::Open;
    QString path;
    bool unwritable = false; // a place no file can be written
    TripData before;
    bool blnChangedBefore = false;
    QString strFileNameBefore;
    bool fileExisted = false;
    QByteArray fileBefore;
    // Open: what the trip must be when the file is good.
    bool goodFile = false;
    TripData expected;
};

struct Candidate
{
    int weight;
    QString what;
    std::function<void()> act;
    QString key; // the control and the kind of action, for the summary
};

// How often each window's controls were used over all seeds.
QMap<QString, int>& coverage()
{
    static QMap<QString, int> map;
    return map;
}

QString describe(const QWidget* w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

QString quoted(QString text)
{
    text.replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\r', QStringLiteral("\\r"))
        .replace(u'\t', QStringLiteral("\\t"));
    if (text.size() > 40)
        text = text.left(37) + QStringLiteral("...(%1 chars)").arg(text.size());
    return u'"' + text + u'"';
}

QByteArray fileBytes(const QString& path, bool* exists = nullptr)
{
    QFile f(path);
    const bool ok = QFileInfo(path).isFile() && f.open(QIODevice::ReadOnly);
    if (exists)
        *exists = ok;
    return ok ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

class Walk
{
public:
    explicit Walk(quint32 seed)
        : m_seed(seed)
        , m_rng(seed)
    {
    }

    // Empty when every step kept every rule; otherwise the report.
    QString run(int intSteps);

private:
    // ---- set-up ----
    bool prepareFiles(QString& strError);
    QByteArray randomTripFile();
    QByteArray damaged(const QByteArray& good);

    // ---- steps ----
    QList<QWidget*> shownWindows() const;
    QString act();
    QList<Candidate> candidates(QWidget* window);
    void typeInto(QLineEdit* field, const QString& text);
    QString randomText(const QWidget* field);
    QDate randomDate();
    void settle();

    // ---- answers ----
    MessageBox::Button answerBox(const MessageBox::Shown& box);
    QString answerFile(const FileDialog::Shown& dialog);

    // ---- checks ----
    QString check();
    QString checkFiles();
    QString checkWindows();
    QString checkTrip() const;
    QString checkFields() const;
    QString checkEnd() const;
    QString checkSave() const;
    QString checkViews() const;
    bool sameTrip(const TripData& a, const TripData& b, QString& strWhy) const;
    bool errorShownThisStep() const;

    // ---- undo and redo ----
    void startProgram();
    QUndoStack& stack() const { return m_program->forms->Undo().stack(); }
    TripData tripNow() const;
    QString checkUndo(bool blnWhole);
    QString roundTrip(int intTo, const QString& strWhat);
    QString checkState(int intIndex, const QString& strWhen, bool blnMoved);
    bool moveStack(bool blnUndo, QString& strHow);

    QString report(const QString& strFailure) const;
    void note(const QString& line) { m_current.append(QStringLiteral("     ") + line); }
    int pick(int n) { return n <= 0 ? 0 : int(m_rng.bounded(quint32(n))); }
    bool chance(int percent) { return pick(100) < percent; }
    template <typename T>
    const T& pickOf(const QList<T>& list)
    {
        return list.at(pick(int(list.size())));
    }

    quint32 m_seed;
    QRandomGenerator m_rng;
    QTemporaryDir m_dir;
    QString m_docs;
    QStringList m_openPaths;
    QStringList m_savePaths;
    std::unique_ptr<Program> m_program;
    int m_step = 0;

    QStringList m_log;     // the steps done, numbered
    QStringList m_current; // the step being done
    QList<FileStep> m_files;
    int m_boxesBefore = 0;
    // Within the step: a save that did not happen (failed or cancelled), the answer to
    // the save question, what the walk did, and a rule already broken.
    bool m_saveFailed = false;
    // The step starts a new trip or opens one of the File menu's last trips, which may
    // follow a save it asked for.
    bool m_blnNewTrip = false;
    QString m_saveAnswer;
    QString m_key;
    QString m_violation;
    // The current file and its bytes when the step began.
    QString m_fileNameBefore;
    QByteArray m_fileBytesBefore;
    // The trip at each index of the undo stack since it was last cleared, taken when the
    // change was made (unknown where the walk did not see it), and the lowest index whose
    // change this step made or joined.
    QList<std::optional<TripData>> m_states;
    int m_undoFloor = INT_MAX;
    bool m_trace = qEnvironmentVariableIntValue("TORBEL_WALK_TRACE") != 0;
};

// ---------------------------------------------------------------- set-up

QByteArray Walk::randomTripFile()
{
    static const QStringList names = {QStringLiteral("Гречка"), QStringLiteral("Сахар"),   QStringLiteral("Чай"),
                                      QStringLiteral("Рис"),    QStringLiteral("Тушёнка"), QStringLiteral("Сухари"),
                                      QStringLiteral("Соль"),   QStringLiteral("Chai"),    QStringLiteral("ёжики"),
                                      QStringLiteral("Сыр")};
    static const QStringList units = {QStringLiteral("гр"), QStringLiteral("г"),    QStringLiteral("л"),
                                      QStringLiteral("шт"), QStringLiteral("пач."), QString()};
    QList<QStringList> products;
    // Now and then a catalog with more rows than a grid shows.
    const int intProducts = chance(10) ? 100 + pick(400) : pick(12);
    for (int i = 0; i < intProducts; ++i) {
        const int intNorm = chance(10) ? 32767 : pick(300);
        products.append({pickOf(names) + QString::number(i), QString::number(intNorm), pickOf(units)});
    }
    QStringList menus;
    const int intMenus = 1 + (chance(10) ? pick(30) : pick(4));
    for (int d = 0; d < intMenus; ++d) {
        QStringList meals;
        for (int m = 0; m < 3; ++m) {
            QStringList positions;
            for (int k = pick(4); k > 0 && intProducts > 0; --k)
                positions.append(QString::number(1 + pick(intProducts)));
            meals.append(positions.join(u' '));
        }
        menus.append(meals.join(u'|'));
    }
    GlobalVariable g;
    InitGlobalVariable(g);
    // Mostly trips the layout accepts; now and then one it refuses.
    const auto intPeople = static_cast<qint16>(chance(10) ? 31 + pick(20) : 1 + pick(30));
    const auto intSmena = static_cast<qint16>(chance(10) ? 0 : 1 + pick(intPeople));
    const auto intDays = static_cast<qint16>(1 + (chance(10) ? 51 + pick(20) : pick(51)));
    TestSupport::makeTrip(g, products, menus, intPeople, intSmena, intDays, randomDate());
    if (chance(15)) {
        // A trip saved before its dates were set.
        g.dtDataBegin = QDate(1900, 1, 1);
        g.dtDataEnd = QDate(9999, 1, 1);
    }
    g.strDeffine = chance(50) ? QStringLiteral("Поход на %1 дней\nвторая строка").arg(intDays) : QString();
    QByteArray bytes;
    QString strError;
    TripFile::write(TripFile::fromState(g), bytes, strError);
    return bytes;
}

QByteArray Walk::damaged(const QByteArray& good)
{
    QByteArray bytes = good;
    QList<QByteArray> lines = bytes.split('\n');
    switch (pick(7)) {
    case 0: // cut short
        bytes.truncate(pick(int(bytes.size())));
        return bytes;
    case 1: // bytes overwritten
        for (int k = 1 + pick(4); k > 0 && !bytes.isEmpty(); --k)
            bytes[pick(int(bytes.size()))] = char(pick(256));
        return bytes;
    case 2: { // a line replaced by junk
        static const QList<QByteArray> junk = {"abc\r", "99999999999\r", "-5\r", "\r", "32768\r", "31.02.2026\r"};
        lines[pick(int(lines.size()))] = junk.at(pick(int(junk.size())));
        return lines.join('\n');
    }
    case 3: // a line lost
        lines.removeAt(pick(int(lines.size())));
        return lines.join('\n');
    case 4: // a line twice
    {
        const int i = pick(int(lines.size()));
        lines.insert(i, lines.at(i));
        return lines.join('\n');
    }
    case 5: // no file at all but bytes
    {
        QByteArray noise;
        for (int k = pick(200); k > 0; --k)
            noise.append(char(pick(256)));
        return noise;
    }
    default: // Unix line ends
        bytes.replace("\r\n", "\n");
        return bytes;
    }
}

bool Walk::prepareFiles(QString& strError)
{
    if (!m_dir.isValid()) {
        strError = QStringLiteral("no temporary folder");
        return false;
    }
    const QDir dir(m_dir.path());
    m_docs = dir.filePath(QStringLiteral("documents"));
    QList<QByteArray> good;
    for (int i = 1; i <= 3; ++i) {
        good.append(randomTripFile());
        const QString path = dir.filePath(QStringLiteral("good%1.trb").arg(i));
        if (!writeBytes(path, good.last())) {
            strError = QStringLiteral("cannot write ") + path;
            return false;
        }
        m_openPaths.append(path);
    }
    for (int i = 1; i <= 5; ++i) {
        const QString path = dir.filePath(QStringLiteral("damaged%1.trb").arg(i));
        if (!writeBytes(path, damaged(pickOf(good)))) {
            strError = QStringLiteral("cannot write ") + path;
            return false;
        }
        m_openPaths.append(path);
    }
    const QString empty = dir.filePath(QStringLiteral("empty.trb"));
    writeBytes(empty, QByteArray());
    const QString folder = dir.filePath(QStringLiteral("folder.trb"));
    dir.mkpath(folder);
    const QString missing = dir.filePath(QStringLiteral("no such folder/trip.trb"));
    m_openPaths << empty << folder << missing << dir.filePath(QStringLiteral("saved1.trb"))
                << dir.filePath(QStringLiteral("saved2.trb"));
    m_savePaths = {dir.filePath(QStringLiteral("saved1.trb")), dir.filePath(QStringLiteral("saved2.trb")),
                   dir.filePath(QStringLiteral("good1.trb")), missing, folder};
    // A plain file where the documents folder should be: exports cannot be saved.
    writeBytes(dir.filePath(QStringLiteral("not a folder")), "x");
    return true;
}

QDate Walk::randomDate()
{
    return QDate(2026, 1, 1).addDays(pick(500) - 100);
}

// ---------------------------------------------------------------- answers

MessageBox::Button Walk::answerBox(const MessageBox::Shown& box)
{
    MessageBox::Button answer = MessageBox::Ok;
    if (box.buttons == MessageBox::YesNo)
        answer = chance(50) ? MessageBox::Yes : MessageBox::No;
    else if (box.buttons == MessageBox::OkCancel)
        answer = chance(50) ? MessageBox::Ok : MessageBox::Cancel;
    static const QStringList names = {QString(), QStringLiteral("Ok"), QStringLiteral("Cancel"), QStringLiteral("Yes"),
                                      QStringLiteral("No")};
    note(QStringLiteral("box %1 %2 -> %3").arg(quoted(box.caption), quoted(box.text), names.at(answer)));
    if (box.text == QStringLiteral("Сохранить раскладку?"))
        m_saveAnswer = names.at(answer);
    if (box.caption == TripFile::errorTitle() && !box.text.startsWith(TripFile::readErrorText()))
        m_saveFailed = true;
    return answer;
}

QString Walk::answerFile(const FileDialog::Shown& dialog)
{
    // The nutrition window's table of foods is no trip file: any file will do, and a
    // trip file there is a bad table, refused with a message of that window.
    // A new trip's template: its catalog is taken, the file itself is not opened.
    if (dialog.title == QStringLiteral("Каталог из похода")) {
        if (m_saveFailed && m_violation.isEmpty())
            m_violation = QStringLiteral("the trip was to be replaced although the user's save did not happen");
        const QString path = chance(20) ? QString() : pickOf(m_openPaths);
        note(QStringLiteral("template dialog -> %1")
                 .arg(path.isEmpty() ? QStringLiteral("cancel") : QDir(m_dir.path()).relativeFilePath(path)));
        return path;
    }
    if (dialog.title == QStringLiteral("Справочник продуктов")) {
        const QString path = chance(30) ? QString() : pickOf(m_openPaths);
        note(QStringLiteral("table dialog -> %1").arg(path.isEmpty() ? QStringLiteral("cancel") : path));
        return path;
    }
    FileStep step;
    step.kind = dialog.kind;
    const int intCancel = 12;
    if (!chance(intCancel))
        step.path = dialog.kind == FileDialog::Open ? pickOf(m_openPaths) : pickOf(m_savePaths);
    // Tests run as root, who may write anywhere that exists: only a missing folder or a
    // folder in place of the file stops a save.
    step.unwritable = !step.path.isEmpty() &&
                      (QFileInfo(step.path).isDir() || !QFileInfo(QFileInfo(step.path).absolutePath()).isDir());
    if (dialog.kind == FileDialog::Save && (step.path.isEmpty() || step.unwritable))
        m_saveFailed = true;
    if (dialog.kind == FileDialog::Open && m_saveFailed && m_violation.isEmpty())
        m_violation = QStringLiteral("the trip was to be replaced although the user's save did not happen");
    const GlobalVariable& g = m_program->g;
    step.before = TripFile::fromState(g);
    step.blnChangedBefore = g.blnChanged;
    step.strFileNameBefore = g.strFileName;
    step.fileBefore = fileBytes(step.path, &step.fileExisted);
    if (dialog.kind == FileDialog::Open && !step.path.isEmpty()) {
        // The file's own verdict, read apart from the program: what opening it must give.
        TripData data;
        QString strError;
        if (TripFile::readFile(step.path, data, strError) && TripFile::check(data, strError)) {
            GlobalVariable scratch;
            InitGlobalVariable(scratch);
            step.goodFile = TripFile::apply(data, scratch, strError);
            step.expected = TripFile::fromState(scratch);
        }
    }
    note(QStringLiteral("%1 dialog -> %2")
             .arg(dialog.kind == FileDialog::Open ? QStringLiteral("open") : QStringLiteral("save"),
                  step.path.isEmpty() ? QStringLiteral("cancel") : QDir(m_dir.path()).relativeFilePath(step.path)));
    m_files.append(step);
    return step.path;
}

// ---------------------------------------------------------------- steps

QList<QWidget*> Walk::shownWindows() const
{
    QList<QWidget*> windows;
    for (const QString& name : WindowNames) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == name && w->isVisible())
                windows.append(w);
        }
    }
    return windows;
}

void Walk::settle()
{
    for (int i = 0; i < 2; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QString Walk::randomText(const QWidget* field)
{
    static const QStringList junk = {QString(),
                                     QStringLiteral(" "),
                                     QStringLiteral("abc"),
                                     QStringLiteral("яблоко"),
                                     QStringLiteral("0"),
                                     QStringLiteral("-1"),
                                     QStringLiteral("1"),
                                     QStringLiteral("7"),
                                     QStringLiteral("12"),
                                     QStringLiteral("25"),
                                     QStringLiteral("26"),
                                     QStringLiteral("30"),
                                     QStringLiteral("31"),
                                     QStringLiteral("50"),
                                     QStringLiteral("51"),
                                     QStringLiteral("0.4"),
                                     QStringLiteral("0.5"),
                                     QStringLiteral("2.5"),
                                     QStringLiteral("3,5"),
                                     QStringLiteral("50.6"),
                                     QStringLiteral("1e3"),
                                     QStringLiteral("1/2"),
                                     QStringLiteral(".5"),
                                     QStringLiteral("99999999999999999999"),
                                     QStringLiteral("32767"),
                                     QStringLiteral("32768"),
                                     QStringLiteral("-32769"),
                                     QStringLiteral("2147483648"),
                                     QStringLiteral("31.02.2026"),
                                     QStringLiteral("29.02.2024"),
                                     QStringLiteral("29.02.2025"),
                                     QStringLiteral("1.7.02"),
                                     QStringLiteral("32.13.2020"),
                                     QStringLiteral("00.00.0000"),
                                     QStringLiteral("01.01.1900"),
                                     QStringLiteral("31.12.9999"),
                                     QStringLiteral("01.01.0001"),
                                     QStringLiteral("2026-07-01"),
                                     QStringLiteral("  5  "),
                                     QStringLiteral("5 человек"),
                                     QStringLiteral("日本"),
                                     QStringLiteral("😀"),
                                     QStringLiteral("Гречка"),
                                     QStringLiteral("Сахар"),
                                     QStringLiteral("гр"),
                                     QStringLiteral("шт"),
                                     QStringLiteral("две\nстроки"),
                                     QStringLiteral("a\rb")};
    const QString name = field->objectName();
    const GlobalVariable& g = m_program->g;
    const int intKind = pick(10);
    if (intKind == 0)
        return QString(200 + pick(300), QChar(u'ж'));
    if (intKind < 4)
        return pickOf(junk);
    // Mostly what a user means to type, so that the walk gets past the parameter checks.
    const auto date = [](const QDate& dt) { return dt.toString(QStringLiteral("dd.MM.yyyy")); };
    if (name == QLatin1String("txtDataBegin"))
        return g.dtDataEnd.year() < 9999 && chance(70) ? date(g.dtDataEnd.addDays(-pick(56))) : date(randomDate());
    if (name == QLatin1String("txtDataEnd"))
        return g.dtDataBegin.year() > 1900 && chance(70) ? date(g.dtDataBegin.addDays(pick(56) - 2))
                                                         : date(randomDate());
    if (name == QLatin1String("txtCountPeople") || name == QLatin1String("txtSmena"))
        return QString::number(chance(80) ? 1 + pick(30) : pick(60));
    if (name == QLatin1String("txtNorm"))
        return QString::number(chance(80) ? pick(500) : 30000 + pick(5000));
    return chance(50) ? pickOf(junk) : QStringLiteral("Продукт %1").arg(pick(20));
}

void Walk::typeInto(QLineEdit* field, const QString& text)
{
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, field->rect().center());
    QWidget* target = QApplication::focusWidget();
    if (target != field) {
        // A refused field took the focus back: what is typed now goes there.
        note(QStringLiteral("the focus is in %1").arg(target ? describe(target) : QStringLiteral("nothing")));
        if (!target || target->window() != field->window())
            target = field;
    }
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Delete);
    if (auto* line = qobject_cast<QLineEdit*>(target); line && (text.size() > 30 || text.contains(u'\n'))) {
        line->insert(text); // pasted
    } else {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    switch (pick(3)) {
    case 0:
        note(QStringLiteral("Tab"));
        if (QWidget* w = QApplication::focusWidget())
            QTest::keyClick(w, Qt::Key_Tab);
        break;
    case 1:
        note(QStringLiteral("Enter"));
        if (QWidget* w = QApplication::focusWidget())
            QTest::keyClick(w, Qt::Key_Return);
        break;
    default:
        break; // the next step moves the focus, or not
    }
}

QList<Candidate> Walk::candidates(QWidget* window)
{
    QList<Candidate> list;
    const QString name = window->objectName();
    auto usable = [](const QWidget* w) { return w->isVisible() && w->isEnabled(); };
    auto add = [&list](int weight, const QString& key, const QString& what, std::function<void()> act) {
        list.append({weight, what, std::move(act), key});
    };

    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!usable(b))
            continue;
        // A button with a drop-down menu would run a menu loop of its own.
        if (auto* tool = qobject_cast<QToolButton*>(b); tool && tool->menu())
            continue;
        // Ending the program starts it anew; now and then is enough.
        const bool bEnds = name == QLatin1String("frmMainForm") && b->objectName() == QLatin1String("cmdClose");
        // Leaving a window too soon leaves its other controls unused.
        const bool bLeaves = b->objectName() == QLatin1String("cmdClose");
        QPointer<QAbstractButton> p(b);
        add(bEnds ? 1 : (bLeaves ? 3 : 6), QStringLiteral("click ") + describe(b),
            QStringLiteral("click %1 %2").arg(describe(b), quoted(b->text())), [p] {
                if (p)
                    QTest::mouseClick(p, Qt::LeftButton, Qt::NoModifier, p->rect().center());
            });
        if (!bEnds) {
            // Impatience: the second click lands wherever the first one left things.
            add(1, QStringLiteral("double-click ") + describe(b),
                QStringLiteral("double-click %1 %2").arg(describe(b), quoted(b->text())), [p] {
                    // QTest's double click on a widget is a press alone: a button held
                    // down would repeat its clicks unasked for as long as the program runs.
                    const QPoint at = p ? p->rect().center() : QPoint();
                    if (p)
                        QTest::mouseClick(p, Qt::LeftButton, Qt::NoModifier, at);
                    if (p)
                        QTest::mouseDClick(p, Qt::LeftButton, Qt::NoModifier, at);
                    if (p)
                        QTest::mouseRelease(p, Qt::LeftButton, Qt::NoModifier, at);
                });
        }
    }
    for (UpDown* u : window->findChildren<UpDown*>()) {
        if (!usable(u))
            continue;
        const int intSteps = pick(7) - 3;
        QPointer<UpDown> p(u);
        add(1, QStringLiteral("wheel on ") + describe(u),
            QStringLiteral("wheel %1 on %2").arg(intSteps).arg(describe(u)), [p, intSteps] {
                if (!p)
                    return;
                const QPointF at = QPointF(p->rect().center());
                QWheelEvent wheel(at, p->mapToGlobal(at), QPoint(), QPoint(0, 120 * intSteps), Qt::NoButton,
                                  Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(p, &wheel);
            });
    }
    for (QLineEdit* e : window->findChildren<QLineEdit*>()) {
        if (!usable(e))
            continue;
        QPointer<QLineEdit> p(e);
        if (e->isReadOnly()) {
            const bool bUp = chance(50);
            add(1, QStringLiteral("arrow in ") + describe(e),
                QStringLiteral("arrow %1 in %2").arg(bUp ? QStringLiteral("up") : QStringLiteral("down"), describe(e)),
                [p, bUp] {
                    if (!p)
                        return;
                    p->setFocus(Qt::MouseFocusReason);
                    QTest::keyClick(p, bUp ? Qt::Key_Up : Qt::Key_Down);
                });
            continue;
        }
        const QString text = randomText(e);
        add(5, QStringLiteral("type into ") + describe(e),
            QStringLiteral("type %1 into %2").arg(quoted(text), describe(e)), [this, p, text] {
                if (p)
                    typeInto(p, text);
            });
    }
    for (QPlainTextEdit* e : window->findChildren<QPlainTextEdit*>()) {
        if (!usable(e))
            continue;
        QPointer<QPlainTextEdit> p(e);
        const QString text = chance(30) ? QString() : randomText(e) + QStringLiteral("\n") + randomText(e);
        add(2, QStringLiteral("write into ") + describe(e),
            QStringLiteral("write %1 into %2").arg(quoted(text), describe(e)), [p, text] {
                if (!p)
                    return;
                QTest::mouseClick(p->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
                p->selectAll();
                p->insertPlainText(text);
            });
    }
    for (QTabBar* t : window->findChildren<QTabBar*>()) {
        if (!usable(t) || t->count() == 0)
            continue;
        const int i = pick(t->count());
        QPointer<QTabBar> p(t);
        add(4, QStringLiteral("tab of ") + describe(t), QStringLiteral("tab %1 of %2").arg(i + 1).arg(describe(t)),
            [p, i] {
                if (!p || i >= p->count())
                    return;
                const QPoint at = p->tabRect(i).center();
                if (p->rect().contains(at))
                    QTest::mouseClick(p, Qt::LeftButton, Qt::NoModifier, at);
                else
                    p->setCurrentIndex(i); // scrolled out of sight: by the keyboard
            });
    }
    for (QTableView* v : window->findChildren<QTableView*>()) {
        if (!usable(v) || !v->model() || v->model()->rowCount() == 0)
            continue;
        if (v->parentWidget() && qobject_cast<QCalendarWidget*>(v->parentWidget()))
            continue; // the calendar is driven below
        const int row = pick(v->model()->rowCount());
        const bool bDouble = chance(25);
        QPointer<QTableView> p(v);
        const QString verb = bDouble ? QStringLiteral("double-click") : QStringLiteral("click");
        add(3, verb + QStringLiteral(" row of ") + describe(v),
            QStringLiteral("%1 row %2 of %3").arg(verb).arg(row + 1).arg(describe(v)), [p, row, bDouble] {
                if (!p || row >= p->model()->rowCount())
                    return;
                const QModelIndex index = p->model()->index(row, 0);
                p->scrollTo(index);
                const QPoint at = p->visualRect(index).center();
                if (bDouble)
                    QTest::mouseDClick(p->viewport(), Qt::LeftButton, Qt::NoModifier, at);
                else
                    QTest::mouseClick(p->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            });
    }
    for (QCalendarWidget* c : window->findChildren<QCalendarWidget*>()) {
        if (!usable(c))
            continue;
        static const QList<QDate> edges = {QDate(1900, 1, 1), QDate(9999, 12, 31), QDate(2024, 2, 29),
                                           QDate(100, 1, 1)};
        const QDate dt = chance(20) ? pickOf(edges) : randomDate();
        const bool bConfirm = chance(30);
        QPointer<QCalendarWidget> p(c);
        add(4, QStringLiteral("pick a date"),
            QStringLiteral("pick %1 on %2%3")
                .arg(dt.toString(QStringLiteral("dd.MM.yyyy")), describe(c),
                     bConfirm ? QStringLiteral(" and press Enter") : QString()),
            [p, dt, bConfirm] {
                if (!p)
                    return;
                p->setSelectedDate(dt);
                if (bConfirm) {
                    if (auto* view = p->findChild<QTableView*>()) {
                        view->setFocus(Qt::MouseFocusReason);
                        QTest::keyClick(view, Qt::Key_Return);
                    }
                }
            });
    }
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        for (QMenu* menu : main->menuBar()->findChildren<QMenu*>()) {
            if (menu->title().isEmpty())
                continue; // the menu bar's overflow menu
            for (QAction* a : menu->actions()) {
                if (a->isSeparator() || a->menu())
                    continue;
                QPointer<QMenu> pm(menu);
                QPointer<QAction> pa(a);
                add(4, QStringLiteral("menu ") + a->objectName(),
                    QStringLiteral("menu %1 > %2").arg(menu->title(), a->text()), [this, pm, pa] {
                        if (!pm || !pa)
                            return;
                        emit pm->aboutToShow();
                        m_blnNewTrip = pa->objectName().startsWith(QLatin1String("menuMainFileNew")) ||
                                       pa->objectName().startsWith(QLatin1String("menuMainFileRecent"));
                        if (pa->isEnabled())
                            pa->trigger();
                        else
                            note(QStringLiteral("(disabled)"));
                    });
            }
        }
    }
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (!usable(l) || name != QLatin1String("frmAbout"))
            continue;
        QPointer<QLabel> p(l);
        add(1, QStringLiteral("click label ") + describe(l), QStringLiteral("click label %1").arg(describe(l)), [p] {
            if (p)
                QTest::mouseClick(p, Qt::LeftButton, Qt::NoModifier, p->rect().center());
        });
    }
    struct Key
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* name;
    };
    // The undo keys too: in a field being typed they take back its text, elsewhere a step.
    static const QList<Key> keys = {
        {Qt::Key_Escape, Qt::NoModifier, "Escape"}, {Qt::Key_Return, Qt::NoModifier, "Enter"},
        {Qt::Key_Tab, Qt::NoModifier, "Tab"},       {Qt::Key_Space, Qt::NoModifier, "Space"},
        {Qt::Key_Up, Qt::NoModifier, "Up"},         {Qt::Key_Down, Qt::NoModifier, "Down"},
        {Qt::Key_End, Qt::NoModifier, "End"},       {Qt::Key_Delete, Qt::NoModifier, "Delete"},
        {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"}, {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"}};
    const Key key = pickOf(keys);
    QPointer<QWidget> pw(window);
    add(2, QStringLiteral("key ") + QLatin1String(key.name), QStringLiteral("key %1").arg(QLatin1String(key.name)),
        [pw, key] {
            if (!pw)
                return;
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus && focus->window() == pw ? focus : pw.data(), key.key, key.modifiers);
        });
    return list;
}

QString Walk::act()
{
    const QList<QWidget*> shown = shownWindows();
    QList<QWidget*> usable;
    for (QWidget* w : shown) {
        if (w->isEnabled())
            usable.append(w);
    }
    Desktop::setResult(!chance(15));

    if (chance(2)) {
        const bool bGood = chance(60);
        objWord(m_program->g)
            .setDocumentsFolder(bGood ? m_docs : QDir(m_dir.path()).filePath(QStringLiteral("not a folder")));
        return bGood ? QStringLiteral("documents go to a folder") : QStringLiteral("documents go to a plain file");
    }
    if (const QString strFile = m_program->g.strFileName; chance(1) && QFileInfo(strFile).isFile()) {
        // As when a stick is pulled out: the current file cannot be written any more.
        QFile::remove(strFile);
        QDir().mkpath(strFile);
        return QStringLiteral("the current file becomes a folder");
    }
    if (!shown.isEmpty() && chance(4)) {
        // The frame's close button works on a disabled window too.
        QWidget* w = pickOf(shown);
        if (w->objectName() != QLatin1String("frmMainForm") || chance(25)) {
            const QString what = QStringLiteral("close %1 by its frame%2")
                                     .arg(w->objectName(), w->isEnabled() ? QString() : QStringLiteral(" (disabled)"));
            m_current.prepend(what);
            m_key = w->objectName() + QStringLiteral(": frame close");
            ++coverage()[m_key];
            w->close();
            return what;
        }
    }
    if (usable.isEmpty())
        return QStringLiteral("nothing to do");
    QWidget* window = pickOf(usable);
    if (!window->isActiveWindow()) {
        window->raise();
        window->activateWindow();
        settle();
    }
    const QList<Candidate> list = candidates(window);
    int total = 0;
    for (const Candidate& c : list)
        total += c.weight;
    int at = pick(total);
    for (const Candidate& c : list) {
        if (at < c.weight) {
            const QString what = window->objectName() + QStringLiteral(": ") + c.what;
            m_current.prepend(what);
            if (m_trace)
                std::fprintf(stderr, "seed %u step %d: %s\n", m_seed, m_step, qPrintable(what));
            m_key = window->objectName() + QStringLiteral(": ") + c.key;
            ++coverage()[m_key];
            c.act();
            return what;
        }
        at -= c.weight;
    }
    return QStringLiteral("nothing to do");
}

// ---------------------------------------------------------------- checks

bool Walk::sameTrip(const TripData& a, const TripData& b, QString& strWhy) const
{
    if (a == b)
        return true;
    QByteArray ba;
    QByteArray bb;
    QString e;
    TripFile::write(a, ba, e);
    TripFile::write(b, bb, e);
    // The first line that differs, as the file would hold it.
    const QList<QByteArray> la = ba.split('\n');
    const QList<QByteArray> lb = bb.split('\n');
    qsizetype i = 0;
    while (i < la.size() && i < lb.size() && la.at(i) == lb.at(i))
        ++i;
    const auto line = [](const QList<QByteArray>& lines, qsizetype at) {
        return at < lines.size() ? quoted(Cp1251::text(lines.at(at))) : QStringLiteral("(none)");
    };
    strWhy = QStringLiteral("file line %1: expected %2, found %3").arg(i + 1).arg(line(la, i), line(lb, i));
    if (ba == bb)
        strWhy = QStringLiteral("the files are alike, the trips are not (participants or the values beyond the file)");
    return false;
}

bool Walk::errorShownThisStep() const
{
    const QList<MessageBox::Shown>& shown = MessageBox::shown();
    for (qsizetype i = m_boxesBefore; i < shown.size(); ++i) {
        if (shown.at(i).caption == TripFile::errorTitle())
            return true;
    }
    return false;
}

QString Walk::checkFiles()
{
    const GlobalVariable& g = m_program->g;
    const TripData now = TripFile::fromState(g);
    for (qsizetype i = 0; i < m_files.size(); ++i) {
        const FileStep& f = m_files.at(i);
        // The trip as it was when the next dialog was answered, or as it is now.
        const bool bLast = i + 1 == m_files.size();
        const TripData after = bLast ? now : m_files.at(i + 1).before;
        const bool blnChangedAfter = bLast ? g.blnChanged : m_files.at(i + 1).blnChangedBefore;
        const QString strFileNameAfter = bLast ? g.strFileName : m_files.at(i + 1).strFileNameBefore;
        QString strWhy;
        auto unchanged = [&](const QString& what) -> QString {
            if (!sameTrip(f.before, after, strWhy))
                return what + QStringLiteral(" changed the trip; ") + strWhy;
            if (blnChangedAfter != f.blnChangedBefore)
                return what + QStringLiteral(" changed the unsaved-changes mark");
            if (strFileNameAfter != f.strFileNameBefore)
                return what + QStringLiteral(" changed the file name to ") + strFileNameAfter;
            return QString();
        };
        ++coverage()[QStringLiteral("file: ") +
                     (f.path.isEmpty() ? QStringLiteral("cancelled")
                      : f.kind == FileDialog::Save
                          ? (f.unwritable ? QStringLiteral("save to nowhere") : QStringLiteral("save"))
                      : f.goodFile ? QStringLiteral("open a good file")
                                   : QStringLiteral("open a bad file"))];
        if (f.path.isEmpty()) {
            const QString e = unchanged(QStringLiteral("a cancelled file dialog"));
            if (!e.isEmpty())
                return e;
            continue;
        }
        if (f.kind == FileDialog::Open) {
            if (!f.goodFile) {
                if (QString e = unchanged(QStringLiteral("a failed load")); !e.isEmpty())
                    return e;
                if (!errorShownThisStep())
                    return QStringLiteral("a bad file was refused without a message");
                continue;
            }
            if (!sameTrip(f.expected, after, strWhy))
                return QStringLiteral("the trip is not what the file holds; ") + strWhy;
            if (strFileNameAfter != f.path)
                return QStringLiteral("a loaded file is not the current file");
            if (blnChangedAfter != f.blnChangedBefore)
                return QStringLiteral("loading changed the unsaved-changes mark");
            continue;
        }
        // Save.
        QByteArray expected;
        QString strError;
        const bool bWritable = !f.unwritable && TripFile::write(f.before, expected, strError);
        bool bExists = false;
        const QByteArray onDisk = fileBytes(f.path, &bExists);
        if (bWritable) {
            if (!bExists || onDisk != expected)
                return QStringLiteral("the saved file does not hold the trip");
            // A new trip, or a listed one opened, after the save replaces the trip on purpose.
            if (bLast && m_blnNewTrip)
                continue;
            if (!sameTrip(f.before, after, strWhy))
                return QStringLiteral("saving changed the trip; ") + strWhy;
            if (blnChangedAfter || strFileNameAfter != f.path)
                return QStringLiteral("a good save left the trip marked changed or under another name");
            continue;
        }
        if (QString e = unchanged(QStringLiteral("a failed save")); !e.isEmpty())
            return e;
        if (bExists != f.fileExisted || onDisk != f.fileBefore)
            return QStringLiteral("a failed save touched the file");
        if (!errorShownThisStep())
            return QStringLiteral("a failed save said nothing");
    }
    return QString();
}

QString Walk::checkTrip() const
{
    const GlobalVariable& g = m_program->g;
    if (g.objMenuList.size() != g.intPeriod)
        return QStringLiteral("the ration holds %1 days, intPeriod is %2").arg(g.objMenuList.size()).arg(g.intPeriod);
    if (m_program->forms->hasMenu()) {
        frmMenu& menu = m_program->forms->Menu();
        const auto* tabs = menu.findChild<QTabBar*>(QStringLiteral("StripDayMenuTabs"));
        if (!tabs || tabs->count() != g.intPeriod)
            return QStringLiteral("the editor shows %1 day tabs, intPeriod is %2")
                .arg(tabs ? tabs->count() : -1)
                .arg(g.intPeriod);
        if (menu.ActiveDay() < 1 || menu.ActiveDay() > g.intPeriod)
            return QStringLiteral("the editor's day %1 is not in the ration").arg(menu.ActiveDay());
    }
    const qint16 n = g.objCatalog.size();
    for (qint16 d = 1; d <= g.objMenuList.size(); ++d) {
        for (qint16 m = 1; m <= 3; ++m) {
            const clsTrapeza* meal = g.objMenuList.GetMenu(d).GetTrapeza(m);
            for (qint16 i = 1; meal && i <= meal->GetCountProduct(); ++i) {
                const qint16 p = meal->GetIndexProduct(i);
                if (p < 1 || p > n)
                    return QStringLiteral("day %1, meal %2 holds product %3 of a catalog of %4")
                        .arg(d)
                        .arg(m)
                        .arg(p)
                        .arg(n);
            }
        }
    }
    return QString();
}

QString Walk::checkWindows()
{
    const QList<QWidget*> shown = shownWindows();
    bool bMainShown = false;
    bool bSomeEnabled = false;
    QStringList shownNames;
    for (QWidget* w : shown) {
        shownNames.append(w->objectName());
        bMainShown = bMainShown || w->objectName() == QLatin1String("frmMainForm");
        bSomeEnabled = bSomeEnabled || w->isEnabled();
    }
    if (!bMainShown) {
        // The program ended: nothing of it may stay on the screen.
        if (!shown.isEmpty())
            return QStringLiteral("the program ended but %1 stayed on the screen").arg(shownNames.join(u' '));
        return QString();
    }
    if (!bSomeEnabled)
        return QStringLiteral("locked out: %1 shown, none takes input").arg(shownNames.join(u' '));
    for (QWidget* w : shown) {
        if (w->isEnabled())
            continue;
        bool bWaits = false;
        for (const QString& child : openedBy(w->objectName()))
            bWaits = bWaits || shownNames.contains(child);
        if (!bWaits)
            return QStringLiteral("%1 stays disabled with none of its windows open").arg(w->objectName());
    }
    // A window opened from another never outlives it on the screen; a window that more
    // than one opens needs one of them.
    for (const QString& opener : {QStringLiteral("frmMainForm"), QStringLiteral("frmMenu"),
                                  QStringLiteral("frmRasklad"), QStringLiteral("frmNutrition")}) {
        if (shownNames.contains(opener))
            continue;
        for (const QString& child : openedBy(opener)) {
            bool bOtherOpener = false;
            for (const QString& other : shownNames)
                bOtherOpener = bOtherOpener || openedBy(other).contains(child);
            if (shownNames.contains(child) && !bOtherOpener)
                return QStringLiteral("%1 is open without %2, which opened it").arg(child, opener);
        }
    }
    return QString();
}

QString Walk::checkEnd() const
{
    // The program ended: no work of the user's was lost on the way.
    if (m_saveFailed)
        return QStringLiteral("the program ended although the user's save did not happen");
    if (m_program->g.blnChanged && m_saveAnswer != QLatin1String("No"))
        return QStringLiteral("the program ended with unsaved changes and no question");
    return QString();
}

QString Walk::checkSave() const
{
    // "Сохранить" writes the current file, or says why not and leaves it alone.
    if (m_key != QLatin1String("frmMainForm: menu menuMainFileSave") || m_fileNameBefore.isEmpty())
        return QString();
    const GlobalVariable& g = m_program->g;
    QByteArray bytes;
    QString strError;
    const bool bWritable = TripFile::write(TripFile::fromState(g), bytes, strError);
    bool bExists = false;
    const QByteArray onDisk = fileBytes(m_fileNameBefore, &bExists);
    if (bWritable && bExists && onDisk == bytes && !g.blnChanged && g.strFileName == m_fileNameBefore)
        return QString(); // saved
    if (onDisk != m_fileBytesBefore)
        return QStringLiteral("a save that did not happen changed the file");
    if (int(MessageBox::shown().size()) == m_boxesBefore)
        return QStringLiteral("the trip was not saved and nothing said so");
    return QString();
}

QString Walk::checkViews() const
{
    // What the open windows show belongs to the trip as it is.
    const GlobalVariable& g = m_program->g;
    Forms& forms = *m_program->forms;
    if (forms.hasRasklad() && forms.Rasklad().isVisible() && forms.Rasklad().isEnabled()) {
        const frmRasklad& r = forms.Rasklad();
        if (r.CurrentDay() < 1 || r.CurrentDay() > g.intCountDay)
            return QStringLiteral("the layout shows day %1 of %2").arg(r.CurrentDay()).arg(g.intCountDay);
        if (r.CurrentDate() != g.dtDataBegin.addDays(r.CurrentDay() - 1))
            return QStringLiteral("the layout's date does not belong to its day");
        if (r.CurrentTrapeza() < 1 || r.CurrentTrapeza() > 3)
            return QStringLiteral("the layout shows meal %1").arg(r.CurrentTrapeza());
        const auto text = [&](const char* name) {
            const auto* e = r.findChild<QLineEdit*>(QLatin1String(name));
            return e ? e->text() : QString();
        };
        if (text("txtDay") != QString::number(r.CurrentDay()) || text("txtDate") != RuDate::shortDate(r.CurrentDate()))
            return QStringLiteral("the layout's boxes show day %1 of %2, the window day %3")
                .arg(text("txtDay"), text("txtDate"))
                .arg(r.CurrentDay());
        if (!r.IsReportMode() &&
            text("txtSmena") != QString::number((r.CurrentDay() - 1) % qMax<int>(1, g.intCountSmena) + 1))
            return QStringLiteral("the layout shows shift %1 on day %2").arg(text("txtSmena")).arg(r.CurrentDay());
        QList<QStringList> expected;
        try {
            if (r.IsReportMode()) {
                expected = PurchaseList::build(g, r.ViewAll(), r.Smen()).gridRows();
            } else {
                const clsTrapeza* meal =
                    g.objMenuList.GetMenu(g.objRasklad.GetMenu(r.CurrentDay())).GetTrapeza(r.CurrentTrapeza());
                expected = meal->ViewRasklad(g.objCatalog, g.intCountPeople);
            }
        } catch (const std::exception& e) {
            return QStringLiteral("the layout window shows a trip the model cannot lay out: ") +
                   QString::fromLocal8Bit(e.what());
        }
        if (r.GridRows() != expected)
            return QStringLiteral("the layout grid shows %1 rows, the trip has %2")
                .arg(r.GridRows().size())
                .arg(expected.size());
    }
    if (forms.hasMenu() && forms.Menu().isVisible()) {
        const frmMenu& menu = forms.Menu();
        const auto* grid = menu.findChild<QTableView*>(QStringLiteral("tblDayMenu"));
        QStringList shown;
        for (int row = 0; grid && row < grid->model()->rowCount(); ++row)
            shown.append(grid->model()->index(row, 0).data().toString());
        QStringList expected;
        try {
            expected = g.objMenuList.GetMenu(menu.ActiveDay()).GetTrapeza(menu.ActiveTrapeza())->ViewMenu(g.objCatalog);
        } catch (const std::exception&) {
            return QStringLiteral("the editor shows a meal the ration does not have");
        }
        if (shown != expected)
            return QStringLiteral("the editor's meal grid shows %1, the meal holds %2")
                .arg(quoted(shown.join(u',')), quoted(expected.join(u',')));
        const auto* tabs = menu.findChild<QTabBar*>(QStringLiteral("StripDayMenuTabs"));
        for (int i = 0; tabs && i < tabs->count(); ++i) {
            if (tabs->tabText(i) != QStringLiteral("День %1").arg(i + 1))
                return QStringLiteral("day tab %1 reads %2").arg(i + 1).arg(quoted(tabs->tabText(i)));
        }
        if (tabs && tabs->currentIndex() + 1 != menu.ActiveDay())
            return QStringLiteral("the editor shows day %1 under tab %2")
                .arg(menu.ActiveDay())
                .arg(tabs->currentIndex() + 1);
        for (const char* name : {"tblProduct", "tblCatalog"}) {
            const auto* list = menu.findChild<QTableView*>(QLatin1String(name));
            const int rows = list ? list->model()->rowCount() : -1;
            if (g.objCatalog.size() > 0 && rows != g.objCatalog.size())
                return QStringLiteral("%1 lists %2 products of %3")
                    .arg(QLatin1String(name))
                    .arg(rows)
                    .arg(g.objCatalog.size());
        }
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible())
            continue;
        if (w->objectName() == QLatin1String("frmRemoveDay")) {
            for (const UpDown* upd : w->findChildren<UpDown*>()) {
                if (upd->maximum() != g.intPeriod || upd->value() < 1 || upd->value() > g.intPeriod)
                    return QStringLiteral("the day exchange offers days up to %1 of %2")
                        .arg(upd->maximum())
                        .arg(g.intPeriod);
            }
        }
        if (w->objectName() == QLatin1String("frmPrintOption")) {
            for (const UpDown* upd : w->findChildren<UpDown*>()) {
                if (upd->maximum() != qMax<int>(1, g.intCountSmena) || upd->value() < 1)
                    return QStringLiteral("the export offers shifts up to %1 of %2")
                        .arg(upd->maximum())
                        .arg(g.intCountSmena);
            }
        }
    }
    return QString();
}

QString Walk::check()
{
    if (!escapes().isEmpty())
        return escapes().join(u'\n');
    if (!m_violation.isEmpty())
        return m_violation;
    if (QString e = checkSave(); !e.isEmpty())
        return e;
    if (QString e = checkViews(); !e.isEmpty())
        return e;
    if (QString e = checkFiles(); !e.isEmpty())
        return e;
    if (QString e = checkTrip(); !e.isEmpty())
        return e;
    if (QString e = checkFields(); !e.isEmpty())
        return e;
    return checkWindows();
}

QString Walk::checkFields() const
{
    // A field the user is not editing shows the trip, or nothing: leaving it writes what
    // it shows into the trip.
    const GlobalVariable& g = m_program->g;
    const frmMainForm& main = m_program->forms->MainForm();
    const auto field = [&](const char* name) { return main.findChild<QLineEdit*>(QLatin1String(name)); };
    const struct
    {
        const char* name;
        QString expected;
    } counts[] = {{"txtCountPeople", QString::number(g.intCountPeople)},
                  {"txtSmena", QString::number(g.intCountSmena)}};
    for (const auto& c : counts) {
        const QLineEdit* e = field(c.name);
        if (e && !e->isModified() && !e->text().isEmpty() && e->text() != c.expected)
            return QStringLiteral("%1 shows %2, the trip holds %3").arg(QLatin1String(c.name), e->text(), c.expected);
    }
    const struct
    {
        const char* name;
        QDate expected;
    } dates[] = {{"txtDataBegin", g.dtDataBegin}, {"txtDataEnd", g.dtDataEnd}};
    for (const auto& d : dates) {
        const QLineEdit* e = field(d.name);
        if (e && !e->isModified() && !e->text().isEmpty() && RuDate::parseShort(e->text()) != d.expected)
            return QStringLiteral("%1 shows %2, the trip holds %3")
                .arg(QLatin1String(d.name), e->text(), d.expected.toString(QStringLiteral("dd.MM.yyyy")));
    }
    if (const auto* box = main.findChild<QPlainTextEdit*>(QStringLiteral("rtbDeffine"));
        box && box->toPlainText() != g.strDeffine)
        return QStringLiteral("the description box shows %1, the trip holds %2")
            .arg(quoted(box->toPlainText()), quoted(g.strDeffine));
    return QString();
}

// ---------------------------------------------------------------- undo and redo

void Walk::startProgram()
{
    m_program = std::make_unique<Program>(m_docs);
    settle();
    m_states = {tripNow()};
    TripEditor& edits = m_program->g.edits;
    // The stack has taken the change when this runs: the trip now is the state at its index.
    QObject::connect(&edits, &TripEditor::made, &edits, [this] {
        const int i = int(stack().index());
        m_states.resize(i + 1);
        m_states[i] = tripNow();
        m_undoFloor = qMin(m_undoFloor, i - 1);
    });
    QObject::connect(&edits, &TripEditor::replacedWhole, &edits, [this] {
        m_states = {tripNow()};
        m_undoFloor = INT_MAX;
    });
}

TripData Walk::tripNow() const
{
    TripData data = TripFile::fromState(m_program->g);
    // Which date the date dialog is setting: the dialog's own state, set by its opening
    // and cleared by its closing, never a change of the user's.
    data.blnDataBegin = false;
    data.blnDataEnd = false;
    return data;
}

QString Walk::checkState(int intIndex, const QString& strWhen, bool blnMoved)
{
    if (intIndex < 0 || intIndex >= m_states.size())
        return QStringLiteral("%1 the undo stack is at %2 with %3 changes seen made")
            .arg(strWhen)
            .arg(intIndex)
            .arg(m_states.size() - 1);
    QString strWhy;
    if (m_states.at(intIndex) && !sameTrip(*m_states.at(intIndex), tripNow(), strWhy))
        return QStringLiteral("%1 the trip is not what it was at undo step %2; %3")
            .arg(strWhen)
            .arg(intIndex)
            .arg(strWhy);
    const GlobalVariable& g = m_program->g;
    const QUndoStack& s = stack();
    // Taken back to the saved trip it is unchanged, and changed anywhere else; a step may
    // also mark the saved trip changed (opening the ration editor does).
    const bool blnSaved = s.index() == s.cleanIndex();
    if (blnMoved ? g.blnChanged == blnSaved : !g.blnChanged && !blnSaved)
        return QStringLiteral("%1 the trip is marked %2 at undo step %3, the saved one is %4")
            .arg(strWhen, g.blnChanged ? QStringLiteral("changed") : QStringLiteral("unchanged"))
            .arg(s.index())
            .arg(s.cleanIndex());
    return QString();
}

bool Walk::moveStack(bool blnUndo, QString& strHow)
{
    const TripUndo& undo = m_program->forms->Undo();
    const int intBefore = int(stack().index());
    QWidget* window = QApplication::activeWindow();
    QWidget* focus = QApplication::focusWidget();
    // A field being typed into takes Ctrl+Z for its own text, an open drop-down list every key.
    const auto* line = qobject_cast<QLineEdit*>(focus);
    const bool blnTyping =
        (line && !line->isReadOnly()) || qobject_cast<QPlainTextEdit*>(focus) || qobject_cast<QAbstractSpinBox*>(focus);
    if (window && window->isEnabled() && window->actions().contains(undo.undoAction()) && !blnTyping &&
        !QApplication::activePopupWidget() && chance(50)) {
        QWidget* target = focus && focus->window() == window ? focus : window;
        if (blnUndo) {
            strHow = QStringLiteral("Ctrl+Z");
            QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
        } else if (chance(50)) {
            strHow = QStringLiteral("Ctrl+Shift+Z");
            QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        } else {
            strHow = QStringLiteral("Ctrl+Y");
            QTest::keyClick(target, Qt::Key_Y, Qt::ControlModifier);
        }
        strHow += QStringLiteral(" in ") + describe(target);
    } else {
        strHow = blnUndo ? QStringLiteral("Правка > Отменить") : QStringLiteral("Правка > Повторить");
        (blnUndo ? undo.undoAction() : undo.redoAction())->trigger();
    }
    settle();
    ++coverage()[QStringLiteral("undo: ") + strHow.section(QStringLiteral(" in "), 0, 0)];
    return int(stack().index()) == intBefore + (blnUndo ? -1 : 1);
}

QString Walk::roundTrip(int intTo, const QString& strWhat)
{
    const int intFrom = int(stack().index());
    const int intCount = int(stack().count());
    const int intBoxes = int(MessageBox::shown().size());
    const auto fail = [&](const QString& strWhy) {
        return QStringLiteral("%1 (undo steps %2 to %3): %4").arg(strWhat).arg(intFrom).arg(intTo).arg(strWhy);
    };
    QString strHow;
    for (int i = intFrom; i > intTo; --i) {
        if (!moveStack(true, strHow) || stack().count() != intCount)
            return fail(
                QStringLiteral("%1 left the stack at %2 of %3").arg(strHow).arg(stack().index()).arg(stack().count()));
        if (QString e = checkState(i - 1, strHow + QStringLiteral(":"), true); !e.isEmpty())
            return fail(e);
    }
    for (int i = intTo; i < intFrom; ++i) {
        if (!moveStack(false, strHow) || stack().count() != intCount)
            return fail(
                QStringLiteral("%1 left the stack at %2 of %3").arg(strHow).arg(stack().index()).arg(stack().count()));
        if (QString e = checkState(i + 1, strHow + QStringLiteral(":"), true); !e.isEmpty())
            return fail(e);
    }
    if (int(MessageBox::shown().size()) != intBoxes)
        return fail(QStringLiteral("a message was shown: ") + MessageBox::shown().last().text);
    if (!escapes().isEmpty())
        return fail(escapes().join(u'\n'));
    return QString();
}

QString Walk::checkUndo(bool blnWhole)
{
    // Every change went through the stack: the trip is what its index says.
    const int intIndex = int(stack().index());
    if (intIndex < m_states.size() && !m_states.at(intIndex))
        m_states[intIndex] = tripNow();
    if (QString e = checkState(intIndex, QStringLiteral("after the step"), false); !e.isEmpty())
        return e;
    if (m_undoFloor < intIndex) {
        if (QString e = roundTrip(m_undoFloor, QStringLiteral("undoing and redoing the step")); !e.isEmpty())
            return e;
        ++coverage()[QStringLiteral("undone and redone: ") + m_key];
    }
    if (blnWhole && intIndex > 0) {
        if (QString e = roundTrip(0, QStringLiteral("undoing and redoing every step")); !e.isEmpty())
            return e;
        ++coverage()[QStringLiteral("undo: the whole stack back and forth")];
    }
    return QString();
}

QString Walk::report(const QString& strFailure) const
{
    QStringList lines;
    lines << QStringLiteral("Random walk, seed %1, step %2: %3").arg(m_seed).arg(m_step).arg(strFailure)
          << QStringLiteral("Steps (seed %1):").arg(m_seed);
    lines << m_log;
    return lines.join(u'\n');
}

QString Walk::run(int intSteps)
{
    QString strError;
    if (!prepareFiles(strError))
        return strError;
    TestSupport::PlatformRecorder recorder;
    MessageBox::setAnswerer([this](const MessageBox::Shown& box) { return answerBox(box); });
    FileDialog::setAnswerer([this](const FileDialog::Shown& dialog) { return answerFile(dialog); });
    recorder.help.setFilePath(QDir(m_dir.path()).filePath(QStringLiteral("Torbel.html")));
    g_reportNow = [this](const QString& message) {
        QStringList steps = m_log;
        steps.append(m_current);
        return QStringLiteral("Random walk, seed %1, fatal: %2\n%3").arg(m_seed).arg(message, steps.join(u'\n'));
    };
    escapes().clear();

    startProgram();
    QString strFailure;
    for (int intStep = 1; intStep <= intSteps && strFailure.isEmpty(); ++intStep) {
        m_step = intStep;
        m_undoFloor = INT_MAX;
        m_current.clear();
        m_files.clear();
        m_boxesBefore = int(MessageBox::shown().size());
        m_saveFailed = false;
        m_blnNewTrip = false;
        m_saveAnswer.clear();
        m_key.clear();
        m_violation.clear();
        m_fileNameBefore = m_program->g.strFileName;
        m_fileBytesBefore = fileBytes(m_fileNameBefore);
        try {
            const QString what = act();
            if (m_current.isEmpty())
                m_current.append(what);
            settle();
        } catch (const std::exception& e) {
            escapes().append(QStringLiteral("exception from a command: ") + QString::fromLocal8Bit(e.what()));
        }
        if (!m_current.isEmpty())
            m_current.first().prepend(QStringLiteral("%1. ").arg(intStep, 3));
        m_log.append(m_current);
        strFailure = check();
        if (strFailure.isEmpty() && m_program->forms->MainForm().isVisible())
            strFailure = checkUndo(intStep % WholeStackEvery == 0 || intStep == intSteps);
        if (!strFailure.isEmpty())
            break;
        if (!m_program->forms->MainForm().isVisible()) {
            strFailure = checkEnd();
            if (!strFailure.isEmpty())
                break;
            m_log.append(QStringLiteral("     (the program ended; it starts again)"));
            m_program.reset();
            startProgram();
        }
        if (MessageBox::shown().size() > 1000)
            MessageBox::clear();
        if (FileDialog::shown().size() > 1000)
            FileDialog::clear();
    }
    g_reportNow = nullptr;
    MessageBox::setAnswerer(nullptr);
    FileDialog::setAnswerer(nullptr);
    m_program.reset();
    return strFailure.isEmpty() ? QString() : report(strFailure);
}

} // namespace

class tst_randomwalk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void walk_data();
    void walk();
    void cleanupTestCase();
};

void tst_randomwalk::initTestCase()
{
    g_previousHandler = qInstallMessageHandler(walkMessageHandler);
    QApplication::setQuitOnLastWindowClosed(false);
}

void tst_randomwalk::walk_data()
{
    QTest::addColumn<quint32>("seed");
    const QList<quint32> seeds = {1,   2,   3,   5,    8,    13,   21,   34,    55,    89,    144,   233,
                                  377, 610, 987, 1597, 2584, 4181, 6765, 10946, 17711, 28657, 46368, 75025};
    for (quint32 seed : seeds)
        QTest::addRow("seed %u", seed) << seed;
    // A longer hunt by hand: TORBEL_WALK_SEEDS=n adds the seeds 100000 .. 100000 + n - 1.
    const int intMore = qEnvironmentVariableIntValue("TORBEL_WALK_SEEDS");
    for (int i = 0; i < intMore; ++i)
        QTest::addRow("seed %u", 100000u + quint32(i)) << 100000u + quint32(i);
}

void tst_randomwalk::walk()
{
    QFETCH(quint32, seed);
    const int intSteps = qEnvironmentVariableIsSet("TORBEL_WALK_STEPS")
                             ? qEnvironmentVariableIntValue("TORBEL_WALK_STEPS")
                             : DefaultSteps;
    Walk walk(seed);
    const QString strFailure = walk.run(intSteps);
    if (!strFailure.isEmpty()) {
        // The whole list goes to the error output: a test failure message is cut short.
        std::fprintf(stderr, "%s\n", qPrintable(strFailure));
        QFAIL(qPrintable(strFailure.section(u'\n', 0, 0)));
    }
}

void tst_randomwalk::cleanupTestCase()
{
    // What the seeds reached, so that a control no seed uses does not pass unseen.
    QStringList lines;
    for (auto it = coverage().cbegin(); it != coverage().cend(); ++it)
        lines.append(QStringLiteral("%1 %2").arg(it.value(), 5).arg(it.key()));
    qInfo("Used over all seeds:\n%s", qPrintable(lines.join(u'\n')));
}

int main(int argc, char* argv[])
{
    WalkApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_randomwalk test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_randomwalk.moc"
