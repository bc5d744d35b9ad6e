#pragma once

#include <QString>

// The maker's contact addresses, used by the about box and the documents.
namespace Maker {

inline constexpr const char* mail = "torbel@example.org";
inline constexpr const char* site = "http://www.example.org/torbel/";
inline constexpr const char* credit = "Product of R.K.Forge";

inline QString mailAddress()
{
    return QString::fromLatin1(mail);
}
inline QString siteAddress()
{
    return QString::fromLatin1(site);
}
// "mailto:" and the address, as a mail link in a document.
inline QString mailLink()
{
    return QStringLiteral("mailto:") + mailAddress();
}

} // namespace Maker
