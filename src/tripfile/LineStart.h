#pragma once

#include "model/Cp1251.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <cstring>

// "№ i" and the byte after it, the start of the i-th numbered line of a list the trip
// file holds by the thousand, counted up as the lines come: each line's start is
// compared with it rather than read as a number.
class LineStart
{
public:
    LineStart(QByteArrayView sign, char chAfter)
        : m_intDigitsAt(sign.size())
    {
        Q_ASSERT(sign.size() + 7 <= qsizetype(sizeof m_text));
        std::memcpy(m_text, sign.data(), static_cast<size_t>(sign.size()));
        m_text[m_intDigitsAt] = '1';
        m_text[m_intDigitsAt + 1] = chAfter;
        m_intSize = m_intDigitsAt + 2;
        refreshHead();
    }

    // "№ ", as the file holds it before a position in every numbered list.
    static const QByteArray& numberSign()
    {
        static const QByteArray bytes = [] {
            QByteArray b;
            Cp1251::encode(QStringLiteral("№ "), b);
            return b;
        }();
        return bytes;
    }

    QByteArrayView text() const { return {m_text, m_intSize}; }

    // Whether line begins with text(): eight bytes at once where both allow it (the
    // text is "№ 32767;" at most, for a sign of two bytes).
    bool begins(QByteArrayView line) const
    {
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
        if (line.size() < 8 || m_intSize > 8)
            return line.startsWith(text());
        quint64 a = 0;
        std::memcpy(&a, line.data(), 8);
        return ((a ^ m_head) & m_mask) == 0;
#else
        return line.startsWith(text());
#endif
    }

    // To the next line's number. The word begins() compares is counted along with the
    // text rather than read back from it: a word read just after bytes were written
    // waits until the writes are done.
    void next()
    {
        qsizetype k = m_intSize - 2; // the last digit
        while (k >= m_intDigitsAt && m_text[k] == '9') {
            m_text[k] = '0';
            addToHead(k, -9);
            --k;
        }
        if (k >= m_intDigitsAt) {
            ++m_text[k];
            addToHead(k, 1);
            return;
        }
        // 9…9 to 10…0: one digit more.
        const char chAfter = m_text[m_intSize - 1];
        m_text[m_intDigitsAt] = '1';
        m_text[m_intSize - 1] = '0';
        m_text[m_intSize++] = chAfter;
        refreshHead();
    }

private:
    void addToHead(qsizetype k, int delta)
    {
        if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN && k < 8)
            m_head += quint64(qint64(delta)) << (8 * k);
    }

    void refreshHead()
    {
        std::memcpy(&m_head, m_text, 8);
        m_mask = m_intSize >= 8 ? ~quint64(0) : (quint64(1) << (8 * m_intSize)) - 1;
    }

    char m_text[24] = {};
    quint64 m_head = 0; // the first eight bytes of m_text, as begins() compares them
    quint64 m_mask = 0; // those of them that are text()
    qsizetype m_intSize;
    qsizetype m_intDigitsAt;
};
