#include "model/GlobalVariable.h"
#include "platform/AppIdentity.h"
#include "platform/Desktop.h"
#include "platform/Help.h"
#include "platform/KeyStore.h"
#include "platform/Maker.h"
#include "platform/MessageBox.h"
#include "ui/Forms.h"
#include "ui/about/frmAbout.h"
#include "ui/main/frmMainForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QUrlQuery>

#include <memory>

namespace {

// Answers only the second system-information lookup: the tool's folder.
class LocationStore : public KeyStore
{
public:
    QString location;

    std::optional<RawValue> readValue(quint32 root, const QString& keyName, const QString& valueName) const override
    {
        if (root == HKEY_LOCAL_MACHINE && keyName == "SOFTWARE\\Microsoft\\Shared Tools Location" &&
            valueName == "MSINFO")
            return RawValue{REG_SZ, location.toUtf8()};
        return std::nullopt;
    }
};

const QString unavailable = QStringLiteral("System Information Is Unavailable At This Time");

} // namespace

class tst_about : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startState();
    void picture_data();
    void picture();
    void mailLinkComposesMessage();
    void mailWithoutHandler();
    void siteLink_data();
    void siteLink();
    void help();
    void sysInfo_data();
    void sysInfo();
    void sysInfoFromToolFolder();
    void hoverOverBox_data();
    void hoverOverBox();
    void hoverOverLinks();
    void linkTooltipsLookPlain();
    void closing_data();
    void closing();

private:
    frmAbout& open();
    QLabel* label(const QString& name) { return m_forms->About().findChild<QLabel*>(name); }
    QPushButton* button(const QString& name) { return m_forms->About().findChild<QPushButton*>(name); }
    void clickLabel(const QString& name) { QTest::mouseClick(label(name), Qt::LeftButton); }

    std::unique_ptr<GlobalVariable> m_g;
    std::unique_ptr<Forms> m_forms;
    std::unique_ptr<MessageBox::Recorder> m_boxes;
    std::unique_ptr<Desktop::Recorder> m_desktop;
    std::unique_ptr<Help::Recorder> m_help;
};

void tst_about::init()
{
    m_boxes = std::make_unique<MessageBox::Recorder>();
    m_desktop = std::make_unique<Desktop::Recorder>();
    m_help = std::make_unique<Help::Recorder>();
    m_g = std::make_unique<GlobalVariable>();
    InitGlobalVariable(*m_g);
    m_forms = std::make_unique<Forms>(*m_g);
}

void tst_about::cleanup()
{
    m_forms.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_g.reset();
    m_help.reset();
    m_desktop.reset();
    m_boxes.reset();
}

frmAbout& tst_about::open()
{
    Forms::openFrom(m_forms->MainForm(), m_forms->About());
    return m_forms->About();
}

void tst_about::startState()
{
    frmAbout& about = open();
    QCOMPARE(about.windowTitle(), QString("О программе..."));
    QCOMPARE(label("lblVersion")->text(), QString("Version 3.1"));
    QCOMPARE(label("lblTitle")->text(), QString("Торбел 3.1"));
    QCOMPARE(label("lblMail1")->text(), "E-mail: " + Maker::mailAddress());
    QCOMPARE(label("lblMail1")->toolTip(), QString("Создать сообщение"));
    QCOMPARE(label("lblSite1")->text(), Maker::siteAddress());
    QCOMPARE(label("lblSite1")->toolTip(), QString("Загрузить сайт"));
    QCOMPARE(label("lblMail0")->text(), label("lblMail1")->text());
    QVERIFY(!label("lblMail0")->isVisible());
    QVERIFY(!label("lblSite0")->isVisible());
    QCOMPARE(button("cmdOK")->text(), QString("&OK"));
    QCOMPARE(button("cmdHelp")->text(), QString("&Помощь"));
    QCOMPARE(button("cmdSysInfo")->text(), QString("&System Info..."));
    QVERIFY(!m_forms->MainForm().isEnabled());
    QCOMPARE(m_desktop->count(), 0);
    QCOMPARE(m_boxes->count(), 0);
}

// The box shows the program's icon once the program has one, and moves the text
// beside it.
void tst_about::picture_data()
{
    QTest::addColumn<bool>("blnIcon");
    QTest::addColumn<int>("intTextLeft");
    QTest::newRow("no icon") << false << 24;
    QTest::newRow("the program's icon") << true << 96;
}

void tst_about::picture()
{
    QFETCH(bool, blnIcon);
    QFETCH(int, intTextLeft);
    if (blnIcon)
        AppIdentity::apply();
    open();
    QApplication::setWindowIcon(QIcon());
    QLabel* picIcon = label("picIcon");
    QCOMPARE(picIcon != nullptr, blnIcon);
    if (picIcon) {
        QCOMPARE(picIcon->pixmap().size(), QSize(64, 64));
        QVERIFY(picIcon->isVisible());
    }
    QCOMPARE(label("lblName")->x(), intTextLeft);
}

void tst_about::mailLinkComposesMessage()
{
    open();
    clickLabel("lblMail1");

    QCOMPARE(m_desktop->count(), 1);
    QCOMPARE(m_desktop->last().kind, Desktop::OpenUrl);
    const QUrl url(m_desktop->last().target);
    QCOMPARE(url.scheme(), QString("mailto"));
    QCOMPARE(url.path(), Maker::mailAddress());
    const QUrlQuery query(url);
    QCOMPARE(query.queryItemValue("subject", QUrl::FullyDecoded), QString("Торбел 3.1"));
    QVERIFY(!query.queryItemValue("body", QUrl::FullyDecoded).isEmpty());
    QCOMPARE(m_boxes->count(), 0);
}

void tst_about::mailWithoutHandler()
{
    open();
    m_desktop->setResult(false);
    clickLabel("lblMail1");
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().text, QString("Не могу создать сообщение!"));
    QCOMPARE(m_boxes->last().caption, QString("Торбел 3.1"));
    QCOMPARE(m_boxes->last().buttons, MessageBox::OkOnly);
}

void tst_about::siteLink_data()
{
    QTest::addColumn<bool>("opens");
    QTest::newRow("browser opens") << true;
    QTest::newRow("no browser") << false;
}

void tst_about::siteLink()
{
    QFETCH(bool, opens);
    open();
    m_desktop->setResult(opens);
    clickLabel("lblSite1");
    QCOMPARE(m_desktop->count(), 1);
    QCOMPARE(m_desktop->last().kind, Desktop::OpenUrl);
    QCOMPARE(QUrl(m_desktop->last().target), QUrl(Maker::siteAddress()));
    QCOMPARE(m_boxes->count(), opens ? 0 : 1);
    if (!opens)
        QVERIFY(m_boxes->last().text.contains(Maker::siteAddress()));
}

void tst_about::help()
{
    open();
    QTemporaryDir tmp;
    m_help->setFilePath(tmp.filePath("Torbel.html"));
    button("cmdHelp")->click();
    QCOMPARE(m_help->shownCount(), 0);
    QCOMPARE(m_boxes->count(), 1);
    QVERIFY(m_boxes->last().text.startsWith("Не найден файл справки"));

    QFile f(tmp.filePath("Torbel.html"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<html></html>");
    f.close();
    button("cmdHelp")->click();
    QCOMPARE(m_help->shownCount(), 1);
    QCOMPARE(m_boxes->count(), 1);
}

void tst_about::sysInfo_data()
{
    QTest::addColumn<QStringList>("onPath");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QString>("started"); // empty: nothing started
    QTest::addColumn<bool>("message");

    QTest::newRow("no tool") << QStringList{} << true << "" << true;
    QTest::newRow("tool found") << QStringList{"hardinfo"} << true << "/usr/bin/hardinfo" << false;
    QTest::newRow("preferred tool") << QStringList{"hardinfo", "gnome-system-monitor"} << true
                                    << "/usr/bin/gnome-system-monitor" << false;
    QTest::newRow("tool fails to start") << QStringList{"hardinfo"} << false << "/usr/bin/hardinfo" << true;
}

void tst_about::sysInfo()
{
    QFETCH(QStringList, onPath);
    QFETCH(bool, starts);
    QFETCH(QString, started);
    QFETCH(bool, message);

    open();
    m_desktop->setProgramsOnPath(onPath);
    m_desktop->setResult(starts);
    button("cmdSysInfo")->click();

    if (started.isEmpty()) {
        QCOMPARE(m_desktop->count(), 0);
    } else {
        QCOMPARE(m_desktop->count(), 1);
        QCOMPARE(m_desktop->last().kind, Desktop::StartProgram);
        QCOMPARE(m_desktop->last().target, started);
    }
    QCOMPARE(m_boxes->count(), message ? 1 : 0);
    if (message) {
        QCOMPARE(m_boxes->last().text, unavailable);
        QCOMPARE(m_boxes->last().buttons, MessageBox::OkOnly);
        QCOMPARE(m_boxes->last().caption, QString("Торбел 3.1"));
    }
}

void tst_about::sysInfoFromToolFolder()
{
    frmAbout& about = open();
    QTemporaryDir tmp;
    LocationStore store;
    store.location = tmp.path();
    about.setKeyStore(store);

    about.StartSysInfo(); // the folder has no MSINFO32.EXE
    QCOMPARE(m_desktop->count(), 0);
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().text, unavailable);

    QFile tool(QDir(tmp.path()).filePath("MSINFO32.EXE"));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.close();
    about.StartSysInfo();
    QCOMPARE(m_desktop->count(), 1);
    QCOMPARE(m_desktop->last().target, tool.fileName());
    QCOMPARE(m_boxes->count(), 1);
}

void tst_about::hoverOverBox_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QPoint>("offset"); // from the link's top left
    QTest::addColumn<bool>("shown");

    for (const QString link : {"lblMail", "lblSite"}) {
        const QByteArray l = link.toLatin1();
        QTest::newRow(l + " inside") << link << QPoint(5, 5) << true;
        QTest::newRow(l + " on the left edge") << link << QPoint(0, 5) << false;
        QTest::newRow(l + " on the top edge") << link << QPoint(5, 0) << false;
        QTest::newRow(l + " above") << link << QPoint(5, -3) << false;
        QTest::newRow(l + " far away") << link << QPoint(-20, 100) << false;
    }
}

void tst_about::hoverOverBox()
{
    QFETCH(QString, link);
    QFETCH(QPoint, offset);
    QFETCH(bool, shown);

    frmAbout& about = open();
    QLabel* visible = label(link + "1");
    QLabel* shadow = label(link + "0");
    QLabel* other = label(link == "lblMail" ? "lblSite0" : "lblMail0");
    QTest::mouseMove(&about, visible->geometry().topLeft() + offset);
    QMouseEvent move(QEvent::MouseMove, QPointF(visible->geometry().topLeft() + offset), QPointF(), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&about, &move);
    QCOMPARE(shadow->isVisible(), shown);
    QVERIFY(!other->isVisible());
}

void tst_about::hoverOverLinks()
{
    frmAbout& about = open();
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(label("lblMail1"), &enter);
    QVERIFY(label("lblMail0")->isVisible());
    QVERIFY(!label("lblSite0")->isVisible());

    QCoreApplication::sendEvent(label("lblSite1"), &enter);
    QVERIFY(!label("lblMail0")->isVisible());
    QVERIFY(label("lblSite0")->isVisible());

    // Straight out of the box from a link: no shadow stays.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&about, &leave);
    QVERIFY(!label("lblMail0")->isVisible());
    QVERIFY(!label("lblSite0")->isVisible());
}

void tst_about::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("OK") << "ok";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("frame") << "frame";
}

void tst_about::closing()
{
    QFETCH(QString, how);
    frmAbout& about = open();
    QPointer<frmAbout> guard(&about);
    QVERIFY(m_forms->hasAbout());
    QVERIFY(!m_forms->MainForm().isEnabled());

    if (how == "ok")
        button("cmdOK")->click();
    else if (how == "escape")
        QTest::keyClick(&about, Qt::Key_Escape);
    else
        about.close();

    QVERIFY(m_forms->MainForm().isEnabled());
    QVERIFY(!m_forms->hasAbout());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(guard.isNull());

    // Opening again gives a fresh box.
    open();
    QVERIFY(m_forms->hasAbout());
    QVERIFY(!label("lblMail0")->isVisible());
}

// The links are blue and underlined; their tooltips look as every tooltip does.
void tst_about::linkTooltipsLookPlain()
{
    open();
    for (const QString name : {"lblMail1", "lblSite1"}) {
        QLabel* link = label(name);
        QVERIFY(link->font().underline());
        QToolTip::showText(link->mapToGlobal(QPoint(2, 2)), link->toolTip(), link);
        QLabel* tip = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->inherits("QTipLabel") && w->isVisible())
                tip = static_cast<QLabel*>(w);
        }
        QVERIFY2(tip, qPrintable(name));
        QCOMPARE(tip->text(), link->toolTip());
        tip->ensurePolished();
        QVERIFY2(!tip->font().underline(), qPrintable(name));
        QCOMPARE(tip->palette().color(tip->foregroundRole()), QToolTip::palette().color(QPalette::ToolTipText));
        QToolTip::hideText();
    }
}

QTEST_MAIN(tst_about)
#include "tst_about.moc"
