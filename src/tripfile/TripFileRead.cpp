#include "tripfile/TripFile.h"

#include "model/Cp1251.h"
#include "model/ModelErrors.h"
#include "model/Numeric.h"
#include "model/clsCatalog.h"
#include "platform/RegularFile.h"
#include "platform/SystemError.h"
#include "tripfile/LineReader.h"
#include "tripfile/LineStart.h"
#include "tripfile/NutritionSection.h"
#include "tripfile/ParticipantsSection.h"

#include <QFile>
#include <QtEndian>

#include <array>
#include <cstring>
#include <exception>
#include <new>
#include <vector>

namespace TripFile {

namespace {

// The texts of a catalog's units by their bytes, each decoded once. A unit is found by
// its length and first bytes in one step, where a search through the units met so far
// would take a differing number of steps from product to product. Kept for the budget
// of the large trip's load: a QHash of the units cost it 14 % more instructions.
class UnitTexts
{
public:
    // blnRoom: eight bytes may be read from bytes.data() on, whatever its size.
    const QString& text(QByteArrayView bytes, bool blnRoom)
    {
        const quint64 head = headOf(bytes, blnRoom);
        Slot& slot = m_slots[static_cast<size_t>(((head ^ quint64(bytes.size())) * 0x9E3779B97F4A7C15ULL) >> 58)];
        if (slot.intSize != bytes.size() || slot.head != head ||
            (bytes.size() > 8 &&
             std::memcmp(slot.bytes.data(), bytes.data(), static_cast<size_t>(bytes.size())) != 0)) {
            slot.intSize = bytes.size(); // a unit met before in this slot gives way: it is only made again
            slot.head = head;
            slot.bytes = bytes;
            slot.text = Cp1251::text(bytes);
        }
        return slot.text;
    }

private:
    // The first eight bytes, zeros after a shorter text. Read as one word where there is
    // room: bytes written one by one and then read as a word make the read wait until
    // every earlier write is done.
    static quint64 headOf(QByteArrayView bytes, bool blnRoom)
    {
        const qsizetype n = qMin<qsizetype>(bytes.size(), 8);
        if (blnRoom) {
            const quint64 word = qFromLittleEndian<quint64>(bytes.data());
            return n == 8 ? word : word & ((quint64(1) << (8 * n)) - 1);
        }
        char head[8] = {};
        std::memcpy(head, bytes.data(), static_cast<size_t>(n));
        return qFromLittleEndian<quint64>(head);
    }

    struct Slot
    {
        qsizetype intSize = -1;
        quint64 head = 0;
        QByteArrayView bytes;
        QString text;
    };
    std::array<Slot, 64> m_slots;
};

// A catalog's names, decoded one after another into blocks they share: each name is a
// text of its own that refers to its block, so a full catalog's names take a few dozen
// allocations rather than one each. A name changed later is copied out of its block as
// any shared text is, and a block is freed with the last of its names. Kept for the
// budget of the large trip's load: a text of its own for each name cost it 22 % more
// instructions.
class NameBlocks
{
public:
    NameBlocks() = default;
    NameBlocks(const NameBlocks&) = delete;
    NameBlocks& operator=(const NameBlocks&) = delete;
    ~NameBlocks() { release(); }

    QString text(QByteArrayView bytes)
    {
        const qsizetype n = bytes.size();
        if (n == 0 || n >= LongName)
            return Cp1251::text(bytes);
        if (!m_block || m_intUsed + n + 1 > m_block->constAllocatedCapacity()) {
            release();
            const auto [header, data] = QTypedArrayData<char16_t>::allocate(BlockSize);
            if (!header)
                throw std::bad_alloc();
            m_block = header;
            m_data = data;
            m_intUsed = 0;
        }
        char16_t* const at = m_data + m_intUsed;
        Cp1251::decodeTo(bytes, at);
        at[n] = u'\0'; // as every text's characters are followed
        m_intUsed += n + 1;
        // A reference for the name. No other thread sees the block before the trip is
        // handed over, so the count goes up without the cost of an atomic step.
        m_block->ref_.storeRelaxed(m_block->ref_.loadRelaxed() + 1);
        return QString(QString::DataPointer(m_block, at, n));
    }

private:
    // Gives up this reader's own reference to the block.
    void release()
    {
        if (m_block && !m_block->deref())
            QTypedArrayData<char16_t>::deallocate(m_block);
        m_block = nullptr;
    }

    static constexpr qsizetype BlockSize = 16384; // characters
    static constexpr qsizetype LongName = BlockSize / 8;
    QTypedArrayData<char16_t>* m_block = nullptr;
    char16_t* m_data = nullptr;
    qsizetype m_intUsed = 0;
};

// After the ration the file ends, or holds the optional sections exactly as the
// writer writes them and in its order. Anything else is refused: taken for no section,
// it would be dropped by the next save.
void readTrailingSections(LineReader& r, TripData& data)
{
    if (r.atEnd())
        return;
    bool blnAny = false;
    if (r.rest().startsWith(NutritionSection::markerLine())) {
        NutritionSection::read(r, data);
        blnAny = true;
    }
    if (r.rest().startsWith(ParticipantsSection::markerLine())) {
        ParticipantsSection::read(r, data.intCountPeople, data.participants);
        blnAny = true;
    }
    if (!r.atEnd())
        r.fail(blnAny ? QStringLiteral("после последнего раздела файла есть ещё строки")
                      : QStringLiteral("после раскладки строка, которая не начинает ни один раздел файла"),
               r.linesRead() + 1);
}

TripData parse(const QByteArray& bytes)
{
    LineReader r(bytes);
    TripData data;
    data.strTitle = r.line();
    r.skip(); // "Запись глобальных переменных"
    data.strDeffine = r.quotedValue(QStringLiteral("Описание раскладки"));
    data.dtDataBegin = r.date(QStringLiteral("Дата начала"));
    data.dtDataEnd = r.date(QStringLiteral("Дата завершения"));
    data.intCountDay = r.count(r.value(QStringLiteral("Продолжительность")), QStringLiteral("Продолжительность"));
    data.intCountPeople = r.count(r.value(QStringLiteral("Число участников")), QStringLiteral("Число участников"));
    data.intCountSmena = r.count(r.value(QStringLiteral("Число смен")), QStringLiteral("Число смен"));
    data.intPeriod = r.number(r.value(QStringLiteral("Периодичность")), QStringLiteral("Периодичность"));
    if (data.intPeriod < 1)
        r.fail(QStringLiteral("периодичность меньше 1"));
    data.intRaskladBegin = r.number(r.value(QStringLiteral("Начало раскладки")), QStringLiteral("Начало раскладки"));
    data.intRaskladEnd = r.number(r.value(QStringLiteral("Конец раскладки")), QStringLiteral("Конец раскладки"));
    data.blnDataBegin = r.flag(QStringLiteral("Флаг начала"));
    data.blnDataEnd = r.flag(QStringLiteral("Флаг конца"));
    r.skip(2); // an empty line, "Элементы каталога продуктов"

    const qint16 n = r.count(r.value(QStringLiteral("Размер каталога")), QStringLiteral("Размер каталога"));
    // A catalog uses a handful of units; each is kept once and shared by its products.
    UnitTexts units;
    NameBlocks names;
    LineStart head(LineStart::numberSign(), '\r');
    for (int i = 1; i <= n; ++i, head.next()) {
        QByteArrayView strNameBytes;
        qint16 intNorma = 0;
        QByteArrayView strEdin;
        // A product read in one pass has its separator line after its unit.
        const bool blnPlain = r.plainProduct(head, strNameBytes, intNorma, strEdin);
        if (!blnPlain) {
            r.skip(); // "№ i"
            strNameBytes = r.lineBytes();
            const QByteArrayView strNorma = r.lineBytes();
            try {
                // Read as any norm text is; a text without a number is norm 0, a negative one is dropped.
                if (!LineReading::plainInt16(strNorma, intNorma))
                    intNorma = Cp1251::withText<64>(strNorma, [](QStringView t) { return Numeric::textToInt16(t); });
            } catch (const ModelError&) {
                r.fail(QStringLiteral("норма «%1» вне пределов −32768…32767").arg(Cp1251::text(strNorma)));
            }
            strEdin = r.lineBytes();
            r.skip(); // the separator
        }
        data.catalog.AddProduct(names.text(strNameBytes), intNorma, units.text(strEdin, blnPlain));
    }

    r.skip(2); // an empty line, "Набор суточных меню"
    const qint16 m = r.count(r.value(QStringLiteral("Размер меню")), QStringLiteral("Размер меню"));
    if (m > data.intPeriod)
        r.fail(QStringLiteral("суточных меню больше, чем периодичность"));
    data.menus.reserve(m);
    // Marks the positions already in the meal being read, so repeats collapse in linear time.
    std::vector<bool> seen(static_cast<size_t>(n) + 1, false);
    for (int d = 1; d <= m; ++d) {
        r.skip(); // "Меню № d"
        TripMenu menu;
        for (auto& positions : menu.meals) {
            r.skip(); // the meal's label
            const qint16 k = r.count(r.value(QStringLiteral("Число продуктов")), QStringLiteral("Число продуктов"));
            for (qint16 i = 0; i < k; ++i) {
                const qint16 intIndex = r.number(r.lineBytes(), QStringLiteral("Продукт в меню"));
                if (intIndex < 1 || intIndex > n)
                    r.fail(QStringLiteral("продукта № %1 нет в каталоге").arg(intIndex));
                if (!seen[static_cast<size_t>(intIndex)]) {
                    seen[static_cast<size_t>(intIndex)] = true;
                    positions.append(intIndex);
                }
            }
            for (qint16 intIndex : positions)
                seen[static_cast<size_t>(intIndex)] = false;
            r.skip(); // separator
        }
        data.menus.append(std::move(menu));
    }
    readTrailingSections(r, data);
    return data;
}

} // namespace

bool read(const QByteArray& bytes, TripData& data, QString& strError)
{
    try {
        if (!Cp1251::fits(bytes)) {
            strError = QStringLiteral("текст файла не в кодировке Windows-1251");
            return false;
        }
        TripData out = parse(bytes);
        if (!checkWithoutFacts(out, strError))
            return false;
        data = std::move(out);
        return true;
    } catch (const LineReading::ReadFault& fault) {
        strError = QStringLiteral("строка %1: %2").arg(fault.intLine).arg(fault.strWhat);
    } catch (const std::exception& e) {
        strError = QString::fromLocal8Bit(e.what());
    }
    return false;
}

bool readFile(const QString& strPath, TripData& data, QString& strError)
{
    QFile file;
    QString strWhy;
    if (!RegularFile::openForReading(file, strPath, strWhy)) {
        strError = QStringLiteral("не удалось открыть файл: %1").arg(strWhy);
        return false;
    }
    if (file.size() > MaxFileSize) {
        strError = QStringLiteral("файл слишком велик для файла раскладки");
        return false;
    }
    // A regular file comes in one piece of the size it gives; one byte of room shows a
    // file that has grown since (or a device without a size), which is read on up to
    // the limit.
    const qint64 intExpected = qBound<qint64>(0, file.size(), MaxFileSize);
    QByteArray bytes(intExpected + 1, Qt::Uninitialized);
    const qint64 intGot = file.read(bytes.data(), bytes.size());
    bytes.truncate(qMax<qint64>(0, intGot));
    if (intGot > intExpected)
        bytes += file.read(MaxFileSize + 1 - bytes.size());
    if (intGot < 0 || file.error() != QFileDevice::NoError || bytes.size() > MaxFileSize) {
        strError = QStringLiteral("не удалось прочитать файл: %1").arg(SystemError::text(file));
        return false;
    }
    return read(bytes, data, strError);
}

} // namespace TripFile
