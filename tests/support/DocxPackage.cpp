#include "support/DocxPackage.h"

#include <QXmlStreamReader>

#include <zip.h>

namespace TestSupport {

QMap<QString, QByteArray> unzip(const QByteArray& package, QString* error)
{
    QMap<QString, QByteArray> parts;
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* src = zip_source_buffer_create(package.constData(), zip_uint64_t(package.size()), 0, &ze);
    zip_t* za = src ? zip_open_from_source(src, ZIP_RDONLY | ZIP_CHECKCONS, &ze) : nullptr;
    if (!za) {
        if (error)
            *error = QString::fromLocal8Bit(zip_error_strerror(&ze));
        if (src)
            zip_source_free(src);
        zip_error_fini(&ze);
        return parts;
    }
    zip_error_fini(&ze);
    const zip_int64_t n = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        zip_file_t* f = nullptr;
        if (zip_stat_index(za, zip_uint64_t(i), 0, &st) < 0 || !(f = zip_fopen_index(za, zip_uint64_t(i), 0))) {
            if (error)
                *error = QString::fromLocal8Bit(zip_strerror(za));
            zip_discard(za);
            return {};
        }
        QByteArray data(qsizetype(st.size), Qt::Uninitialized);
        const zip_int64_t got = zip_fread(f, data.data(), st.size);
        zip_fclose(f);
        if (got != zip_int64_t(st.size)) {
            if (error)
                *error = QStringLiteral("short read of ") + QString::fromUtf8(st.name);
            zip_discard(za);
            return {};
        }
        parts.insert(QString::fromUtf8(st.name), data);
    }
    zip_discard(za);
    return parts;
}

QList<const XmlElement*> XmlElement::all(const QString& elementName) const
{
    QList<const XmlElement*> out;
    for (const XmlElement& c : children) {
        if (c.name == elementName)
            out.append(&c);
        out += c.all(elementName);
    }
    return out;
}

const XmlElement* XmlElement::child(const QString& elementName) const
{
    for (const XmlElement& c : children) {
        if (c.name == elementName)
            return &c;
    }
    return nullptr;
}

QString XmlElement::allText() const
{
    QString out = text;
    for (const XmlElement& c : children)
        out += c.allText();
    return out;
}

bool parseXml(const QByteArray& xml, XmlElement* root, QString* error)
{
    QXmlStreamReader r(xml);
    QList<XmlElement*> stack;
    bool haveRoot = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            XmlElement* e = nullptr;
            if (stack.isEmpty()) {
                *root = XmlElement();
                e = root;
                haveRoot = true;
            } else {
                stack.last()->children.append(XmlElement());
                e = &stack.last()->children.last();
            }
            e->name = r.qualifiedName().toString();
            for (const QXmlStreamAttribute& a : r.attributes())
                e->attributes.insert(a.qualifiedName().toString(), a.value().toString());
            stack.append(e);
        } else if (r.isEndElement()) {
            stack.removeLast();
        } else if (r.isCharacters() && !stack.isEmpty()) {
            stack.last()->text += r.text();
        }
    }
    if (r.hasError() || !haveRoot) {
        if (error)
            *error = QStringLiteral("line %1: %2")
                         .arg(r.lineNumber())
                         .arg(r.hasError() ? r.errorString() : QStringLiteral("no element"));
        return false;
    }
    return true;
}

} // namespace TestSupport
