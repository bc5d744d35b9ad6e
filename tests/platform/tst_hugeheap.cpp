#include "platform/HugeHeap.h"

#include <QFile>
#include <QTest>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool UnderSanitizer = true;
#else
constexpr bool UnderSanitizer = false;
#endif

// The VmFlags of the mapping that holds address, from the kernel's own account.
QByteArray flagsOfMappingAt(const void* address)
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return {};
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    bool inside = false;
    for (const QByteArray& line : smaps.readAll().split('\n')) {
        const qsizetype dash = line.indexOf('-');
        const qsizetype blank = line.indexOf(' ');
        const qsizetype colon = line.indexOf(':');
        if (dash > 0 && blank > dash && (colon < 0 || colon > blank)) {
            bool ok1 = false;
            bool ok2 = false;
            const std::uintptr_t from = line.first(dash).toULongLong(&ok1, 16);
            const std::uintptr_t to = line.sliced(dash + 1, blank - dash - 1).toULongLong(&ok2, 16);
            inside = ok1 && ok2 && from <= at && at < to;
        } else if (inside && line.startsWith("VmFlags:")) {
            return line;
        }
    }
    return {};
}

bool hugePagesOffered()
{
    QFile f(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled"));
    return f.open(QIODevice::ReadOnly) && !f.readAll().contains("[never]");
}

} // namespace

class tst_hugeheap : public QObject
{
    Q_OBJECT

private slots:
    void heapStaysWholeAndTakesHugePages();
};

void tst_hugeheap::heapStaysWholeAndTakesHugePages()
{
    HugeHeap::prefer();
    // A trip's worth of blocks, small and large, written whole, freed and taken again:
    // nothing of the set-up may leave a block that overlaps another or cannot be used.
    std::vector<char*> blocks;
    for (int round = 0; round < 2; ++round) {
        for (std::size_t i = 0; i < 20000; ++i) {
            const std::size_t size = i % 1000 == 0 ? (std::size_t(1) << 20) : 16 + i % 200;
            char* p = static_cast<char*>(std::malloc(size));
            QVERIFY(p);
            std::memset(p, int(i % 251), size);
            blocks.push_back(p);
        }
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const std::size_t size = i % 1000 == 0 ? (std::size_t(1) << 20) : 16 + i % 200;
            QCOMPARE(int(static_cast<unsigned char>(blocks[i][size - 1])), int(i % 251));
            std::free(blocks[i]);
        }
        blocks.clear();
    }

    if (UnderSanitizer)
        QSKIP("the sanitizer's allocator has a heap of its own");
    if (!hugePagesOffered())
        QSKIP("this system offers no huge pages");
    // A large block now lies where the kernel was told huge pages may go.
    void* p = std::malloc(std::size_t(4) << 20);
    const QByteArray flags = flagsOfMappingAt(p);
    std::free(p);
    QVERIFY2(flags.contains(" hg"), flags.constData());
}

QTEST_GUILESS_MAIN(tst_hugeheap)
#include "tst_hugeheap.moc"
