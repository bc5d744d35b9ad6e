#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// Reading written .docx files back in tests: the package's parts and a small element
// tree of each XML part.
namespace TestSupport {

// The parts of a zip package by name; empty, with error set, when it is no zip.
QMap<QString, QByteArray> unzip(const QByteArray& package, QString* error = nullptr);

struct XmlElement
{
    QString name;                      // qualified as written: "w:tc"
    QMap<QString, QString> attributes; // qualified names: "w:val", "r:id", "xml:space"
    QList<XmlElement> children;
    QString text; // character data directly inside

    // Descendants (not this element) with the name, in document order.
    QList<const XmlElement*> all(const QString& elementName) const;
    // The first child with the name; nullptr when none.
    const XmlElement* child(const QString& elementName) const;
    QString attr(const QString& attributeName) const { return attributes.value(attributeName); }
    // All character data below, concatenated.
    QString allText() const;
};

// Parses one XML document; returns false with error set (line and message) when it is
// not well-formed.
bool parseXml(const QByteArray& xml, XmlElement* root, QString* error = nullptr);

} // namespace TestSupport
