#include "reports/guest_book_source.h"

#include "guests/guest_file.h"
#include "reservations/reservation_file.h"
#include "rooms/room_state_file.h"

#include <QHash>

namespace GuestBook {

QString missingRoomName(int room)
{
    return QStringLiteral("? (") + QString::number(room) + u')';
}

std::vector<RoomDay> readRoomDays(const QString& dataDirectory)
{
    const ReservationFile reservations(dataDirectory + ReservationFile::kFileName);
    const GuestFile guests(dataDirectory + GuestFile::kFileName);
    const Rooms::RoomStateFile rooms(dataDirectory + Rooms::RoomStateFile::kFileName);

    // A missing counter still scans Reservation_1, as the guest book always has.
    const std::vector<StoredReservation> all = reservations.readAll(1, kMissingDay);

    // A guest or room usually appears in many reservations; each is read once per generation.
    QHash<int, QString> guestNames;
    QHash<int, QString> roomNames;
    std::vector<RoomDay> days;
    for (const StoredReservation& r : all) {
        if (!r.active || r.dayTexts.isEmpty())
            continue;
        auto guest = guestNames.constFind(r.clientId);
        if (guest == guestNames.cend()) {
            const GuestName n = guests.readName(r.clientId, kMissingName);
            guest = guestNames.insert(r.clientId, n.surName + u' ' + n.middleName + u' ' + n.firstName);
        }
        auto room = roomNames.constFind(r.room);
        if (room == roomNames.cend())
            room = roomNames.insert(
                r.room, rooms.readDefault(r.room, Rooms::RoomStateFile::Field::Name, missingRoomName(r.room)));
        for (const QString& day : r.dayTexts)
            days.push_back({*guest, day, *room});
    }
    return days;
}

} // namespace GuestBook
