#pragma once

#include "model/Cp1251.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <cstring>

// "№ i" and the byte after it, the start of the i-th numbered line of a list the trip
// file holds by the thousand, counted up as text as the lines come: each line's start
// is compared with it rather than read as a number (writing each number anew cost the
// large trip's load 15 % more instructions).
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

    bool begins(QByteArrayView line) const
    {
        return line.size() >= m_intSize && std::memcmp(line.data(), m_text, static_cast<size_t>(m_intSize)) == 0;
    }

    // To the next line's number.
    void next()
    {
        qsizetype k = m_intSize - 2; // the last digit
        while (k >= m_intDigitsAt && m_text[k] == '9')
            m_text[k--] = '0';
        if (k >= m_intDigitsAt) {
            ++m_text[k];
            return;
        }
        // 9…9 to 10…0: one digit more.
        m_text[m_intSize] = m_text[m_intSize - 1];
        m_text[m_intSize - 1] = '0';
        m_text[m_intDigitsAt] = '1';
        ++m_intSize;
    }

private:
    char m_text[24] = {};
    qsizetype m_intSize;
    qsizetype m_intDigitsAt;
};
