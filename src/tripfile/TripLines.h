#pragma once

#include <QByteArrayView>

// The fixed lines of the trip file, as its bytes, for the writer and the reader alike.
namespace TripLines {

// Ends a catalog product, and the section of product facts.
inline constexpr QByteArrayView ShortRule = "_____________________________";
// Ends a meal, and the section of participants.
inline constexpr QByteArrayView LongRule = "___________________________________";
inline constexpr QByteArrayView CrLf = "\r\n";

static_assert(ShortRule.size() == 29 && LongRule.size() == 35);

} // namespace TripLines
