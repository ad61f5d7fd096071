#pragma once
// The room-days the guest book lists, read from the data files of one data directory.

#include "reports/guest_book.h"

#include <QString>

#include <vector>

namespace GuestBook {

inline const QString kMissingName = QStringLiteral("??");
inline const QString kMissingDay = QStringLiteral("??.??.????");
// The room's name where DefaultsRooms has none: "? (N)".
QString missingRoomName(int room);

// Every reserved day of every active reservation, in reservation order and within one in the order
// of its days: the guest's "SurName MiddleName FirstName", the day's text and the room's name, each
// part with its missing text where the file, section or key is absent.
std::vector<RoomDay> readRoomDays(const QString& dataDirectory);

} // namespace GuestBook
