#include "model/FoodReference.h"

#include "model/FactsText.h"
#include "model/ProductGrams.h"
#include "model/clsCatalog.h"
#include "platform/SystemError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace {

constexpr qint64 MaxTableSize = 16 * 1024 * 1024;
constexpr qsizetype FullFields = 13;
constexpr qint64 MaxNorm = 32767;

// The fields of one CSV line; false for an unclosed quote.
bool splitCsv(const QString& line, QStringList& fields)
{
    fields.clear();
    QString field;
    bool blnQuoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (blnQuoted) {
            if (c == u'"') {
                if (i + 1 < line.size() && line.at(i + 1) == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    blnQuoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == u'"') {
            blnQuoted = true;
        } else if (c == u',') {
            fields.append(field.trimmed());
            field.clear();
        } else {
            field += c;
        }
    }
    fields.append(field.trimmed());
    return !blnQuoted;
}

QString unitKey(QString strUnit)
{
    strUnit = strUnit.trimmed().toLower();
    if (strUnit.endsWith(u'.'))
        strUnit.chop(1);
    return strUnit;
}

} // namespace

QString FoodReference::key(const QString& strName)
{
    QString s = strName.simplified().toLower();
    s.replace(u'ё', u'е');
    return s;
}

bool FoodReference::parse(const QByteArray& bytes, FoodReference& out, QString& strError)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        strError = QStringLiteral("Справочник не в кодировке UTF-8.");
        return false;
    }
    FoodReference table;
    const QStringList lines = text.split(u'\n');
    QStringList fields;
    bool blnFirst = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (i == 0 && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        const QString strTrimmed = line.trimmed();
        if (strTrimmed.isEmpty() || strTrimmed.startsWith(u'#'))
            continue;
        const auto fault = [&](const QString& strWhy) {
            strError = QStringLiteral("Справочник, строка %1: %2").arg(i + 1).arg(strWhy);
            return false;
        };
        if (blnFirst && strTrimmed.startsWith(QStringLiteral("Название"), Qt::CaseInsensitive)) {
            blnFirst = false;
            continue;
        }
        blnFirst = false;
        if (!splitCsv(line, fields))
            return fault(QStringLiteral("кавычка не закрыта."));
        if (fields.size() != 7 && fields.size() != 8 && fields.size() != FullFields)
            return fault(QStringLiteral("нужно 7 полей через запятую (название, ккал, белки, жиры, углеводы, "
                                        "единица, вес единицы), 8 — с источником или %1 — с группой, "
                                        "упаковками и нормой, а их %2.")
                             .arg(FullFields)
                             .arg(fields.size()));
        Entry entry;
        for (const QString& name : fields.at(0).split(u'|')) {
            if (!key(name).isEmpty())
                entry.names.append(name.simplified());
        }
        if (entry.names.isEmpty())
            return fault(QStringLiteral("нет названия."));
        for (int f = 0; f < 4; ++f) {
            const FactsText::Field field = FactsText::fieldAt(f);
            if (fields.at(f + 1).isEmpty())
                continue;
            const std::optional<qint64> v = FactsText::parse(fields.at(f + 1));
            if (!v || !FactsText::inRange(field, *v))
                return fault(QStringLiteral("%1 «%2» не число в своих пределах.")
                                 .arg(FactsText::fieldName(field), fields.at(f + 1)));
            FactsText::value(entry.facts, field) = v;
        }
        entry.strUnit = fields.at(5);
        if (!fields.at(6).isEmpty()) {
            const std::optional<qint64> v = FactsText::parse(fields.at(6));
            if (!v || !FactsText::inRange(FactsText::Field::GramsPerUnit, *v))
                return fault(QStringLiteral("вес единицы «%1» не число в своих пределах.").arg(fields.at(6)));
            if (entry.strUnit.isEmpty())
                return fault(QStringLiteral("вес единицы дан без единицы."));
            entry.facts.gramsPerUnit = v;
        }
        if (fields.size() >= 8)
            entry.strSource = fields.at(7);
        if (fields.size() == FullFields) {
            entry.strGroup = fields.at(8).simplified();
            if (!fields.at(9).isEmpty()) {
                for (const QString& strSize : fields.at(9).split(u'|')) {
                    const std::optional<qint64> v = FactsText::parse(strSize.trimmed());
                    if (!v || !FactsText::inRange(FactsText::Field::Package, *v))
                        return fault(QStringLiteral("упаковка «%1» не число в своих пределах.").arg(strSize.trimmed()));
                    entry.packages.append(*v);
                }
                entry.strPackageSource = fields.at(10);
                if (entry.strPackageSource.isEmpty())
                    return fault(QStringLiteral("у упаковок нет источника."));
            }
            if (!fields.at(11).isEmpty()) {
                // A norm goes into the catalog, whose norms are 16-bit whole numbers.
                const std::optional<qint64> v = FactsText::parse(fields.at(11));
                if (!v || *v % 100 != 0 || *v < 100 || *v > MaxNorm * 100)
                    return fault(QStringLiteral("норма «%1» не целое число граммов от 1 до %2.")
                                     .arg(fields.at(11))
                                     .arg(MaxNorm));
                entry.norm = static_cast<int>(*v / 100);
                entry.strNormSource = fields.at(12);
                if (entry.strNormSource.isEmpty())
                    return fault(QStringLiteral("у нормы нет источника."));
            }
        }
        for (const QString& name : entry.names) {
            const QString k = key(name);
            if (table.m_byKey.contains(k))
                return fault(QStringLiteral("название «%1» уже есть выше.").arg(name));
            table.m_byKey.insert(k, table.m_entries.size());
        }
        table.m_entries.append(entry);
    }
    out = std::move(table);
    return true;
}

bool FoodReference::readFile(const QString& strPath, FoodReference& out, QString& strError)
{
    QFile file(strPath);
    if (strPath.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        strError = QStringLiteral("Не удалось открыть справочник %1: %2").arg(strPath, SystemError::text(file));
        return false;
    }
    if (file.size() > MaxTableSize) {
        strError = QStringLiteral("Файл %1 слишком велик для справочника.").arg(strPath);
        return false;
    }
    const QByteArray bytes = file.read(MaxTableSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxTableSize) {
        strError = QStringLiteral("Не удалось прочитать справочник %1: %2").arg(strPath, SystemError::text(file));
        return false;
    }
    return parse(bytes, out, strError);
}

QString FoodReference::bundledPath()
{
    const QDir dir(QCoreApplication::applicationDirPath());
    const QString strBeside = dir.filePath(QStringLiteral("foods.csv"));
    if (QFileInfo::exists(strBeside))
        return strBeside;
    return QDir::cleanPath(dir.filePath(QStringLiteral("../share/torbel/foods.csv")));
}

const FoodReference::Entry* FoodReference::find(const QString& strName) const
{
    const auto it = m_byKey.constFind(key(strName));
    return it == m_byKey.cend() ? nullptr : &m_entries.at(*it);
}

QList<std::pair<qint16, clsProduct>> FoodReference::filled(const clsCatalog& objCatalog) const
{
    QList<std::pair<qint16, clsProduct>> changed;
    for (int i = 1; i <= objCatalog.size(); ++i) {
        const clsProduct& product = objCatalog.GetProduct(static_cast<qint16>(i));
        const Entry* entry = find(product.Name());
        if (!entry)
            continue;
        clsProduct p = product;
        for (int f = 0; f < 4; ++f) {
            FactValue& v = FactsText::value(p.facts, FactsText::fieldAt(f));
            if (!v)
                v = FactsText::value(entry->facts, FactsText::fieldAt(f));
        }
        if (!p.facts.gramsPerUnit && !ProductGrams::isGramWord(p.strProductEdin)) {
            const QString strUnit = unitKey(p.strProductEdin);
            if (strUnit == QStringLiteral("кг") || strUnit == QStringLiteral("kg"))
                p.facts.gramsPerUnit = 1000 * 100;
            else if (entry->facts.gramsPerUnit && !strUnit.isEmpty() && strUnit == unitKey(entry->strUnit))
                p.facts.gramsPerUnit = entry->facts.gramsPerUnit;
        }
        if (!(p.facts == product.facts))
            changed.append({static_cast<qint16>(i), std::move(p)});
    }
    return changed;
}

QStringList FoodReference::groups() const
{
    QStringList list;
    for (const Entry& entry : m_entries) {
        if (!entry.strGroup.isEmpty() && !list.contains(entry.strGroup))
            list.append(entry.strGroup);
    }
    return list;
}

QList<qsizetype> FoodReference::search(const QString& strQuery, const QString& strGroup) const
{
    const QString strKey = key(strQuery);
    const QString strGroupKey = key(strGroup);
    QList<qsizetype> found;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries.at(i);
        if (!strGroupKey.isEmpty() && key(entry.strGroup) != strGroupKey)
            continue;
        const bool blnMatch = std::any_of(entry.names.cbegin(), entry.names.cend(),
                                          [&](const QString& strName) { return key(strName).contains(strKey); });
        if (blnMatch)
            found.append(i);
    }
    return found;
}
