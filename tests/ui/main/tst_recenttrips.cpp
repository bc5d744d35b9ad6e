#include "model/GlobalVariable.h"
#include "platform/KeyStore.h"
#include "support/PlatformRecorder.h"
#include "support/SampleTrip.h"
#include "ui/Forms.h"
#include "ui/main/RecentTripsMenu.h"
#include "ui/main/frmMainForm.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <memory>

// The "Файл" menu's last trips, driven through the real main window; the recorders
// answer its dialogs and keep its settings.
namespace {

// One run of the program with its main window shown; the recorders answer for the user.
struct Run
{
    TestSupport::PlatformRecorder& p;
    GlobalVariable g;
    std::unique_ptr<Forms> forms;

    explicit Run(TestSupport::PlatformRecorder& recorder)
        : p(recorder)
    {
        InitGlobalVariable(g);
        forms = std::make_unique<Forms>(g);
        main().show();
    }

    frmMainForm& main() const { return forms->MainForm(); }
    QAction* item(const QString& name) const { return main().findChild<QAction*>(name); }
    QAction* recent(int i) const { return item(QStringLiteral("menuMainFileRecent%1").arg(i)); }
    // The visible entries of "Файл" as shown, a separator as "-".
    QStringList menuTexts() const
    {
        QStringList texts;
        for (const QAction* a : main().findChild<QMenu*>(QStringLiteral("menuMainFile"))->actions()) {
            if (a->isVisible())
                texts.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        return texts;
    }
    // Only the recent list: what follows the menu's own entries.
    QStringList recentTexts() const;
    void open(const QString& path) const
    {
        p.files.setNextFileName(path);
        item(QStringLiteral("menuMainFileOpen"))->trigger();
    }
};

const QStringList kFileItems{"&Открыть...", "&Сохранить", "Сохранить &как...", "-", "&Новый поход"};

QStringList Run::recentTexts() const
{
    return menuTexts().mid(kFileItems.size());
}

QStringList kept()
{
    QStringList paths;
    for (int i = 1; i <= RecentFiles::MaxCount; ++i) {
        QString strValue;
        KeyStore::user().GetKeyValue(KeyStore::HKEY_CURRENT_USER, RecentTripsMenu::KeyName,
                                     QStringLiteral("File%1").arg(i), strValue);
        paths.append(strValue);
    }
    return paths;
}

} // namespace

class tst_recenttrips : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void reopenFromTheMenu();
    void missingFileIsTakenOut();
    void unreadableFileStaysListed();

private:
    // Two trips, a and b, opened in that order in every test.
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestSupport::PlatformRecorder> m_p;
    std::unique_ptr<Run> m_run;
    QString a, b;
};

void tst_recenttrips::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    a = m_dir->filePath(QStringLiteral("поход a.trb"));
    b = m_dir->filePath(QStringLiteral("b.trb"));
    QVERIFY(TestSupport::writeSmallTrip(a));
    QVERIFY(TestSupport::writeSmallTrip(b));
    m_p = std::make_unique<TestSupport::PlatformRecorder>();
    m_run = std::make_unique<Run>(*m_p);
    // Nothing listed: the menu is as it always was.
    QCOMPARE(m_run->menuTexts(), kFileItems);
    m_run->open(a);
    m_run->open(b);
    QCOMPARE(m_run->g.strFileName, b);
    QCOMPARE(m_run->recentTexts(), QStringList({"-", "&1 b.trb", "&2 поход a.trb"}));
}

void tst_recenttrips::cleanup()
{
    m_run.reset();
    m_p.reset();
    m_dir.reset();
}

void tst_recenttrips::reopenFromTheMenu()
{
    Run& s = *m_run;
    QCOMPARE(s.recent(2)->toolTip(), QDir::toNativeSeparators(a));
    QCOMPARE(s.recent(2)->statusTip(), QDir::toNativeSeparators(a));
    // The path shows as a tooltip over its entry; the menu's own entries show none.
    QMenu* menu = s.main().findChild<QMenu*>(QStringLiteral("menuMainFile"));
    menu->popup(QPoint(0, 0));
    const auto tipOver = [menu](QAction* act) {
        const QRect r = menu->actionGeometry(act);
        QHelpEvent help(QEvent::ToolTip, r.center(), menu->mapToGlobal(r.center()));
        QCoreApplication::sendEvent(menu, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QCOMPARE(tipOver(s.item(QStringLiteral("menuMainFileOpen"))), QString());
    QCOMPARE(tipOver(s.recent(2)), QDir::toNativeSeparators(a));
    menu->close();
    QVERIFY(!s.recent(3)->isVisible());

    // A changed trip is offered for saving first, as "Открыть" does.
    s.g.blnChanged = true;
    m_p->boxes.setNextAnswer(MessageBox::No);
    s.recent(2)->trigger();
    QCOMPARE(m_p->boxes.count(), 1);
    QCOMPARE(m_p->boxes.last().text, QStringLiteral("Сохранить раскладку?"));
    QCOMPARE(s.g.strFileName, a);
    QCOMPARE(s.recentTexts(), QStringList({"-", "&1 поход a.trb", "&2 b.trb"}));

    // Saving under a new name puts that on top.
    const QString c = m_dir->filePath(QStringLiteral("c.trb"));
    m_p->files.setNextFileName(c);
    s.item(QStringLiteral("menuMainFileSaveAs"))->trigger();
    const QStringList texts{"-", "&1 c.trb", "&2 поход a.trb", "&3 b.trb"};
    QCOMPARE(s.recentTexts(), texts);
    QCOMPARE(kept(), (QStringList{c, a, b, QString(), QString()}));

    // The next run finds the list.
    m_run.reset();
    QCOMPARE(Run(*m_p).recentTexts(), texts);
}

void tst_recenttrips::missingFileIsTakenOut()
{
    Run& s = *m_run;
    QVERIFY(QFile::remove(a));
    // No save question: there is nothing to open.
    s.g.blnChanged = true;
    s.recent(2)->trigger();
    QCOMPARE(m_p->boxes.count(), 1);
    QCOMPARE(m_p->boxes.last().text,
             "Файл не найден: " + QDir::toNativeSeparators(a) + "\n\nОн убран из списка последних походов.");
    QCOMPARE(m_p->boxes.last().caption, QStringLiteral("Ошибка!"));
    QCOMPARE(s.g.strFileName, b);
    QVERIFY(s.g.blnChanged);
    QCOMPARE(s.recentTexts(), QStringList({"-", "&1 b.trb"}));
    QCOMPARE(kept(), (QStringList{b, QString(), QString(), QString(), QString()}));

    // The last one gone, the list leaves the menu.
    QVERIFY(QFile::remove(b));
    s.recent(1)->trigger();
    QCOMPARE(m_p->boxes.count(), 2);
    QCOMPARE(s.menuTexts(), kFileItems);
}

void tst_recenttrips::unreadableFileStaysListed()
{
    Run& s = *m_run;
    QFile f(a);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a trip\n");
    f.close();
    // The message "Открыть" gives for such a file; the trip and the list stay.
    s.recent(2)->trigger();
    QCOMPARE(m_p->boxes.count(), 1);
    QCOMPARE(m_p->boxes.last().caption, QStringLiteral("Ошибка!"));
    QVERIFY(m_p->boxes.last().text.startsWith(QStringLiteral("Ошибка чтения файла!")));
    QCOMPARE(s.g.strFileName, b);
    QCOMPARE(s.recentTexts(), QStringList({"-", "&1 b.trb", "&2 поход a.trb"}));
}

QTEST_MAIN(tst_recenttrips)
#include "tst_recenttrips.moc"
