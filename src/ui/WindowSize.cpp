#include "ui/WindowSize.h"

#include "platform/KeyStore.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QWidget>

namespace WindowSize {

QSize usable(const QRect& available)
{
    return QSize(qMax(1, available.width() - FrameWidth), qMax(1, available.height() - FrameHeight));
}

QSize fit(const QSize& wanted, const QRect& available)
{
    const QSize most = usable(available);
    return QSize(qBound(1, wanted.width(), most.width()), qBound(1, wanted.height(), most.height()));
}

QString text(const QSize& size)
{
    return QString::number(size.width()) + QLatin1Char('x') + QString::number(size.height());
}

std::optional<QSize> parse(const QString& strText)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,6})x([0-9]{1,6})$"));
    const QRegularExpressionMatch m = pattern.match(strText);
    if (!m.hasMatch())
        return std::nullopt;
    const int w = m.captured(1).toInt();
    const int h = m.captured(2).toInt();
    if (w < 1 || h < 1 || w > MaxSide || h > MaxSide)
        return std::nullopt;
    return QSize(w, h);
}

std::optional<QSize> kept(const QString& strName)
{
    QString strValue;
    if (!KeyStore::user().GetKeyValue(KeyStore::HKEY_CURRENT_USER, KeyName, strName, strValue))
        return std::nullopt;
    return parse(strValue);
}

bool keep(const QString& strName, const QSize& size)
{
    return KeyStore::user().SetKeyValue(KeyStore::HKEY_CURRENT_USER, KeyName, strName, text(size));
}

QRect available(const QWidget& w)
{
    const QScreen* screen = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1280, 760);
}

void apply(QWidget& w, const std::function<QSize(const QRect& available)>& opening)
{
    const QRect area = available(w);
    const std::optional<QSize> size = kept(w.objectName());
    w.resize(fit(size ? *size : opening(area), area));
}

void keepSize(const QWidget& w)
{
    keep(w.objectName(), w.isMaximized() || w.isFullScreen() ? w.normalGeometry().size() : w.size());
}

} // namespace WindowSize
