#pragma once

#include <QtGlobal>

#include <optional>

// One product fact in hundredths, or none: std::optional's interface in half its size.
// A full catalog keeps seven of them for each of its 32767 products, and the trip file
// reads them all at every opening. No fact's range reaches the smallest qint64, which
// stands for "none"; it is kept with its sign bit turned, so that zeroed memory holds
// no value and a catalog's new products need no more than zeroing.
class FactValue
{
public:
    constexpr FactValue() = default;
    constexpr FactValue(std::nullopt_t) {}
    constexpr FactValue(qint64 hundredths)
        : m_bits(turned(hundredths))
    {
    }
    constexpr FactValue(const std::optional<qint64>& hundredths)
        : m_bits(hundredths ? turned(*hundredths) : 0)
    {
    }

    constexpr bool has_value() const { return m_bits != 0; }
    constexpr explicit operator bool() const { return has_value(); }
    constexpr qint64 operator*() const { return static_cast<qint64>(m_bits ^ Sign); }
    constexpr qint64 value_or(qint64 fallback) const { return has_value() ? **this : fallback; }
    constexpr void reset() { m_bits = 0; }
    constexpr std::optional<qint64> optional() const
    {
        return has_value() ? std::optional<qint64>(**this) : std::nullopt;
    }
    constexpr operator std::optional<qint64>() const { return optional(); }

    constexpr bool operator==(const FactValue&) const = default;
    constexpr bool operator==(const std::optional<qint64>& other) const { return optional() == other; }
    constexpr bool operator==(std::nullopt_t) const { return !has_value(); }

private:
    static constexpr quint64 Sign = quint64(1) << 63;
    static constexpr quint64 turned(qint64 hundredths) { return static_cast<quint64>(hundredths) ^ Sign; }
    quint64 m_bits = 0;
};

static_assert(sizeof(FactValue) == sizeof(qint64));
