// libFuzzer target for the trip file reader. Whatever the bytes, the reader must not
// crash, leak or hang; and whatever it accepts must pass the trip checks and survive a
// write and a second read unchanged, to the same bytes. The sections after the ration
// are taken only as the writer writes them, so they come back byte for byte.
#include "tripfile/TripFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TripData trip;
    QString strError;
    if (!TripFile::read(bytes, trip, strError)) {
        if (strError.isEmpty() || !(trip == TripData()))
            std::abort(); // a refusal must say why and hand back nothing
        return 0;
    }
    if (!TripFile::check(trip, strError))
        std::abort();

    QByteArray written;
    if (!TripFile::write(trip, written, strError))
        std::abort(); // everything the reader takes can be saved again
    TripData again;
    if (!TripFile::read(written, again, strError) || !(again == trip))
        std::abort();
    QByteArray rewritten;
    if (!TripFile::write(again, rewritten, strError) || rewritten != written)
        std::abort();

    TripData bare = trip;
    bare.intEnergyAim = 0;
    bare.participants.clear();
    for (int i = 1; i <= bare.catalog.size(); ++i)
        bare.catalog.GetProduct(static_cast<qint16>(i)).facts = ProductFacts();
    QByteArray body;
    if (!TripFile::write(bare, body, strError) || !written.startsWith(body))
        std::abort();
    // A file whose last line ends as written holds its sections exactly so.
    if (bytes.endsWith("\r\n") && !bytes.endsWith(QByteArrayView(written).sliced(body.size())))
        std::abort();
    return 0;
}
