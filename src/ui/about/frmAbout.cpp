#include "ui/about/frmAbout.h"

#include "model/GlobalVariable.h"
#include "platform/Desktop.h"
#include "platform/Help.h"
#include "platform/KeyStore.h"
#include "platform/Maker.h"
#include "platform/MessageBox.h"
#include "ui/Forms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrlQuery>

namespace {

constexpr int boxWidth = 460;
constexpr int boxHeight = 290;
constexpr int shadowOffset = 2; // how far the grey copy of a link sits from the link

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

// A link: copy 0 is the grey shadow (hidden until hovered), copy 1 the blue, clickable link
// drawn over it.
void makeLink(QWidget* parent, QLabel* copies[2], const QString& name, const QString& text, const QString& tip,
              const QRect& geometry)
{
    // Colours and underline by palette and font: a style sheet would pass to the link's
    // tooltip as well.
    const auto paint = [](QLabel* label, const QColor& colour, bool blnUnderline) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
        QFont font = label->font();
        font.setUnderline(blnUnderline);
        label->setFont(font);
    };
    copies[0] = makeLabel(parent, name + QLatin1Char('0'), text, geometry.translated(shadowOffset, shadowOffset));
    paint(copies[0], QColor(0xa0, 0xa0, 0xa0), false);
    copies[0]->hide();
    copies[1] = makeLabel(parent, name + QLatin1Char('1'), text, geometry);
    paint(copies[1], QColor(0x00, 0x00, 0xc0), true);
    copies[1]->setToolTip(tip);
    copies[1]->setCursor(Qt::PointingHandCursor);
    copies[1]->setAttribute(Qt::WA_TranslucentBackground);
}

// Strictly inside, as the pointer test of the box wants it.
bool strictlyInside(const QRect& r, const QPoint& p)
{
    return r.left() < p.x() && p.x() < r.left() + r.width() && r.top() < p.y() && p.y() < r.top() + r.height();
}

} // namespace

frmAbout::frmAbout(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QWidget(parent, Qt::Dialog)
    , m_g(g)
    , m_forms(forms)
    , m_keyStore(&KeyStore::system())
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("О программе..."));
    setFixedSize(boxWidth, boxHeight);
    setMouseTracking(true);

    // The program's icon when the desktop has one for it; the text moves left otherwise.
    const QPixmap picture = QApplication::windowIcon().pixmap(64, 64);
    const int x = picture.isNull() ? 24 : 96;
    if (!picture.isNull()) {
        auto* picIcon = makeLabel(this, QStringLiteral("picIcon"), QString(), QRect(16, 16, 64, 64));
        picIcon->setPixmap(picture);
    }

    QLabel* lblName = makeLabel(this, QStringLiteral("lblName"), QStringLiteral("Торбел "), QRect(x, 12, 250, 48));
    QFont big = lblName->font();
    big.setPointSize(24);
    big.setBold(true);
    lblName->setFont(big);

    lblVersion = makeLabel(this, QStringLiteral("lblVersion"), versionText(), QRect(x, 62, 250, 20));
    lblTitle = makeLabel(this, QStringLiteral("lblTitle"), caption(), QRect(x, 84, 250, 20));
    makeLabel(this, QStringLiteral("lblCredit"), QString::fromLatin1(Maker::credit), QRect(x, 112, 250, 20));
    makeLabel(this, QStringLiteral("lblPlace"), QStringLiteral("Россия, 2026"), QRect(x, 132, 250, 20));

    makeLink(this, lblMail, QStringLiteral("lblMail"), QStringLiteral("E-mail: ") + Maker::mailAddress(),
             QStringLiteral("Создать сообщение"), QRect(24, 176, 280, 20));
    makeLink(this, lblSite, QStringLiteral("lblSite"), Maker::siteAddress(), QStringLiteral("Загрузить сайт"),
             QRect(24, 206, 280, 20));
    for (QLabel* link : {lblMail[1], lblSite[1]}) {
        link->setMouseTracking(true);
        link->installEventFilter(this);
    }

    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("&OK"), QRect(340, 20, 104, 30));
    cmdHelp = makeButton(this, QStringLiteral("cmdHelp"), QStringLiteral("&Помощь"), QRect(340, 58, 104, 30));
    cmdSysInfo =
        makeButton(this, QStringLiteral("cmdSysInfo"), QStringLiteral("&System Info..."), QRect(340, 240, 104, 30));
    cmdOK->setDefault(true);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmAbout::cmdHelp_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

QString frmAbout::versionText()
{
    return QStringLiteral("Version %1.%2").arg(TORBEL_VERSION_MAJOR).arg(TORBEL_VERSION_MINOR);
}

QString frmAbout::caption() const
{
    return m_g.strTitle.isEmpty() ? programTitle() : m_g.strTitle;
}

QUrl frmAbout::mailUrl()
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(Maker::mailAddress());
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), programTitle());
    query.addQueryItem(QStringLiteral("body"), QStringLiteral("Здравствуйте, R.K.Forge!"));
    url.setQuery(query);
    return url;
}

bool frmAbout::GetKeyValue(quint32 root, const QString& keyName, const QString& valueName, QString& keyVal) const
{
    return m_keyStore->GetKeyValue(root, keyName, valueName, keyVal);
}

void frmAbout::StartSysInfo()
{
    QString path;
    QString location;
    if (!GetKeyValue(KeyStore::HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                     QStringLiteral("PATH"), path)) {
        path.clear();
        if (GetKeyValue(KeyStore::HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                        QStringLiteral("MSINFO"), location)) {
            const QString candidate = QDir(location).filePath(QStringLiteral("MSINFO32.EXE"));
            if (QFileInfo(candidate).isFile())
                path = candidate;
        }
    }
    if (path.isEmpty() || !Desktop::startProgram(path))
        MessageBox::show(this, QStringLiteral("System Information Is Unavailable At This Time"), caption(),
                         MessageBox::OkOnly);
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdHelp_Click()
{
    Help::showContents(this);
}

void frmAbout::lblMail_Click()
{
    // The desktop's mail handler composes the message; the user sends or drops it there.
    if (!Desktop::openUrl(mailUrl()))
        MessageBox::show(this, QStringLiteral("Не могу создать сообщение!"), caption(), MessageBox::OkOnly);
}

void frmAbout::lblSite_Click()
{
    if (!Desktop::openUrl(QUrl(Maker::siteAddress())))
        MessageBox::show(this, QStringLiteral("Не удалось открыть сайт %1 в браузере.").arg(Maker::siteAddress()),
                         caption(), MessageBox::OkOnly, MessageBox::Information);
}

void frmAbout::showHover(QLabel* shadow)
{
    for (QLabel* copy : {lblMail[0], lblSite[0]})
        copy->setVisible(copy == shadow);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    lblMail[0]->setVisible(strictlyInside(lblMail[1]->geometry(), p));
    lblSite[0]->setVisible(strictlyInside(lblSite[1]->geometry(), p));
    QWidget::mouseMoveEvent(event);
}

void frmAbout::leaveEvent(QEvent* event)
{
    // The pointer may leave the box straight from a link; no shadow stays behind.
    showHover(nullptr);
    QWidget::leaveEvent(event);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    const bool isMail = watched == lblMail[1];
    const bool isSite = watched == lblSite[1];
    if (!isMail && !isSite)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        showHover(isMail ? lblMail[0] : lblSite[0]);
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* label = static_cast<QLabel*>(watched);
        if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
            if (isMail)
                lblMail_Click();
            else
                lblSite_Click();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        // Enter presses the button that has the focus, OK when none has.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
            return;
        }
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmAbout::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
    m_forms.releaseAbout();
}
