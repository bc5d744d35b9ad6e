#include "model/Cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Cp1251 {

namespace {

const char* const Codec = "windows-1251";
constexpr int LetterShift = 0x0410 - 0xC0;

struct Tables
{
    bool valid = false;
    std::array<char16_t, 256> toUnicode{};
    std::array<bool, 256> mapped{};
    std::array<quint8, 256> unread{};    // 1 where mapped is false
    std::array<char, 256> unreadBytes{}; // the bytes that are not mapped
    int intUnread = 0;
    // The byte of each character U+0080 and up; 0 where the code page lacks it.
    std::array<quint8, 65536> fromUnicode{};
    // Whether 0xC0..0xFF are U+0410..U+044F, the letters of most names: blocks of them
    // and of ASCII are then widened by arithmetic.
    bool blnLetters = false;

    Tables()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = static_cast<char>(b);
        QStringDecoder decoder(Codec);
        if (!decoder.isValid())
            return;
        const QString text = decoder.decode(all);
        // One character per byte, or the converter is not the plain table assumed here.
        if (text.size() != 256)
            return;
        const bool bSomeUnread = decoder.hasError();
        QString held;
        QByteArray heldBytes;
        for (int b = 0; b < 256; ++b) {
            const char16_t u = text.at(b).unicode();
            // The converter marks a byte it cannot read with the replacement character;
            // the code page itself has none.
            mapped[static_cast<size_t>(b)] = !bSomeUnread || u != 0xFFFD;
            unread[static_cast<size_t>(b)] = mapped[static_cast<size_t>(b)] ? 0 : 1;
            if (!mapped[static_cast<size_t>(b)])
                unreadBytes[static_cast<size_t>(intUnread++)] = static_cast<char>(b);
            toUnicode[static_cast<size_t>(b)] = u;
            if (!mapped[static_cast<size_t>(b)]) {
                if (b < 0x80)
                    return; // every ASCII byte must read as itself for the fast paths below
                continue;
            }
            if ((b < 0x80) != (u < 0x80))
                return; // ASCII must stay ASCII for the fast paths below
            if (b >= 0x80) {
                if (fromUnicode[u] != 0)
                    return; // two bytes for one character: not a table to invert
                fromUnicode[u] = static_cast<quint8>(b);
                held.append(QChar(u));
                heldBytes.append(static_cast<char>(b));
            } else if (u != b) {
                return;
            }
        }
        // Every character must go back to its own byte through the converter too.
        QStringEncoder encoder(Codec);
        if (!encoder.isValid() || QByteArray(encoder.encode(held)) != heldBytes || encoder.hasError())
            return;
        valid = true;
        blnLetters = true;
        for (int b = 0xC0; b < 0x100; ++b)
            blnLetters &= toUnicode[static_cast<size_t>(b)] == b + LetterShift;
    }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

#if defined(__SSE2__)
// Widens sixteen bytes of ASCII and letters at v to dst; false, writing nothing, when
// one of them is neither.
Q_ALWAYS_INLINE bool widenLetters(__m128i v, char16_t* dst)
{
    // Signed, 0xC0..0xFF are -64..-1 and ASCII is 0..127: both above -65.
    if (_mm_movemask_epi8(_mm_cmpgt_epi8(v, _mm_set1_epi8(-65))) != 0xFFFF)
        return false;
    const __m128i zero = _mm_setzero_si128();
    const __m128i ascii = _mm_set1_epi16(0x7F);
    const __m128i shift = _mm_set1_epi16(LetterShift);
    __m128i lo = _mm_unpacklo_epi8(v, zero);
    __m128i hi = _mm_unpackhi_epi8(v, zero);
    lo = _mm_add_epi16(lo, _mm_and_si128(_mm_cmpgt_epi16(lo, ascii), shift));
    hi = _mm_add_epi16(hi, _mm_and_si128(_mm_cmpgt_epi16(hi, ascii), shift));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), lo);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 8), hi);
    return true;
}
#endif

} // namespace

bool fits(QByteArrayView bytes)
{
    const Tables& t = tables();
    if (!t.valid) {
        QString text;
        return decode(bytes, text);
    }
    // The code page lacks few bytes, if any: each is looked for on its own.
    for (int b = 0; b < t.intUnread; ++b) {
        if (std::memchr(bytes.data(), t.unreadBytes[static_cast<size_t>(b)], static_cast<size_t>(bytes.size())))
            return false;
    }
    return true;
}

bool decode(QByteArrayView bytes, QString& out)
{
    out = QString(bytes.size(), Qt::Uninitialized);
    return decodeTo(bytes, reinterpret_cast<char16_t*>(out.data()));
}

QString text(QByteArrayView bytes)
{
    QString out;
    decode(bytes, out);
    return out;
}

QByteArray bytes(QStringView text)
{
    QByteArray out;
    encode(text, out);
    return out;
}

bool decodeTo(QByteArrayView bytes, char16_t* dst)
{
    const Tables& t = tables();
    if (!t.valid) {
        QStringDecoder decoder(Codec);
        const QString text = decoder.decode(bytes);
        // The converter gives one character a byte, or fewer when it fails.
        const qsizetype n = qMin(text.size(), bytes.size());
        std::memcpy(dst, text.utf16(), static_cast<size_t>(n) * sizeof(char16_t));
        std::fill(dst + n, dst + bytes.size(), u'\uFFFD');
        return decoder.isValid() && !decoder.hasError() && text.size() == bytes.size();
    }
    const qsizetype n = bytes.size();
    const auto* src = reinterpret_cast<const quint8*>(bytes.data());
    quint8 bad = 0;
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen bytes of ASCII and letters (most of a description or a long name) at a time.
    if (t.blnLetters) {
        for (; i + 16 <= n; i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
            if (widenLetters(v, dst + i))
                continue;
            for (qsizetype k = i; k < i + 16; ++k) {
                const quint8 b = src[k];
                dst[k] = t.toUnicode[b];
                bad |= t.unread[b];
            }
        }
    }
#endif
    for (; i < n; ++i) {
        const quint8 b = src[i];
        dst[i] = t.toUnicode[b];
        bad |= t.unread[b];
    }
    return bad == 0;
}

bool encode(QStringView text, QByteArray& out)
{
    const Tables& t = tables();
    if (!t.valid) {
        QStringEncoder encoder(Codec);
        out = encoder.encode(text);
        if (!encoder.isValid() || encoder.hasError())
            return false;
        // The converter drops some characters (a lone surrogate) without a word.
        QStringDecoder decoder(Codec);
        return QString(decoder.decode(out)) == text;
    }
    out.resize(text.size());
    return encodeTo(text, out.data());
}

bool encodeTo(QStringView text, char* dst)
{
    const Tables& t = tables();
    if (!t.valid) {
        QByteArray out;
        if (!encode(text, out) || out.size() != text.size())
            return false;
        std::memcpy(dst, out.constData(), static_cast<size_t>(out.size()));
        return true;
    }
    const char16_t* src = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i ascii = _mm_set1_epi16(0x7F);
    const __m128i zero = _mm_setzero_si128();
#endif
    while (i < n) {
#if defined(__SSE2__)
        // Eight ASCII characters (most of the file: digits, labels, separators) at a time.
        if (i + 8 <= n) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_subs_epu16(v, ascii), zero)) == 0xFFFF) {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + i), _mm_packus_epi16(v, v));
                i += 8;
                continue;
            }
        }
#endif
        for (const qsizetype stop = qMin(n, i + 8); i < stop; ++i) {
            const char16_t u = src[i];
            if (u < 0x80) {
                dst[i] = static_cast<char>(u);
                continue;
            }
            const quint8 b = t.fromUnicode[u];
            if (b == 0)
                return false;
            dst[i] = static_cast<char>(b);
        }
    }
    return true;
}

} // namespace Cp1251
