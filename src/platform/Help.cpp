#include "platform/Help.h"

#include "model/GlobalVariable.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// One help window for the whole run; it lives until it is closed or the program ends.
QPointer<QWidget>& helpWindow()
{
    static QPointer<QWidget> window;
    return window;
}

QWidget* makeHelpWindow()
{
    auto* window = new QWidget(nullptr, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("helpWindow"));
    window->setWindowTitle(programTitle() + QStringLiteral(" — Помощь"));
    window->resize(760, 600);
    auto* browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenLinks(false);
    QObject::connect(browser, &QTextBrowser::anchorClicked, browser, [browser](const QUrl& url) {
        // Pages of the guide stay here; anything else goes to the desktop.
        if (url.isRelative() || url.isLocalFile())
            browser->setSource(browser->source().resolved(url));
        else
            Desktop::openUrl(url);
    });
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, window, &QObject::deleteLater);
    return window;
}

} // namespace

QString Help::filePath()
{
    if (!testLog().kept.isEmpty())
        return testLog().kept;
    return findFile(QCoreApplication::applicationDirPath());
}

QString Help::findFile(const QString& appDir)
{
    const QDir dir(appDir);
    const QString beside = QDir::cleanPath(dir.filePath(QString::fromLatin1(fileName)));
    const QString installed =
        QDir::cleanPath(dir.filePath(QStringLiteral("../share/torbel/") + QString::fromLatin1(fileName)));
    if (!QFileInfo(beside).isFile() && QFileInfo(installed).isFile())
        return installed;
    return beside;
}

bool Help::showContents(QWidget* parent)
{
    return showTopic(parent, QString());
}

bool Help::showTopic(QWidget* parent, const QString& topic)
{
    const QString path = filePath();
    if (!QFileInfo(path).isFile()) {
        MessageBox::show(parent,
                         QStringLiteral("Не найден файл справки:\n%1\n\nПереустановите программу или скопируйте "
                                        "файл %2 в её папку.")
                             .arg(QDir::toNativeSeparators(path), QString::fromLatin1(fileName)),
                         programTitle(), MessageBox::OkOnly, MessageBox::Warning);
        return false;
    }
    if (testMode()) {
        testLog().calls.append(topic);
        return true;
    }
    QWidget* window = openWindow(path);
    if (!topic.isEmpty()) {
        if (auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("helpBrowser")))
            browser->scrollToAnchor(topic);
    }
    return true;
}

QWidget* Help::openWindow(const QString& path)
{
    QPointer<QWidget>& window = helpWindow();
    if (!window)
        window = makeHelpWindow();
    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    browser->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

Help::Log& Help::testLog()
{
    static Log s;
    return s;
}
