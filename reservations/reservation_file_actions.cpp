// The reservation file's operations inside a transaction: the conflict test, storing and cancelling
// a reservation with their footprint in Clients.dat and Rooms.dat. Each write is the one the same
// single write would make, in the same order.

#include "guests/guest_file.h"
#include "reservations/reservation_file.h"
#include "reservations/reservation_keys.h"
#include "rooms/room_state_file.h"
#include "store/ini_transaction.h"

#include <algorithm>

using namespace ReservationKeys;
using Field = Rooms::RoomStateFile::Field;

bool ReservationFile::roomTakenOnAnyDay(IniTransaction& tx, int room, const QStringList& dayTexts) const
{
    const QString key = roomClientKey(room);
    bool taken = false;
    for (const QString& dayText : dayTexts)
        if (tx.ReadInteger(fileName_, dayText, key, 0) != 0)
            taken = true;
    return taken;
}

int ReservationFile::store(IniTransaction& tx, int guestId, int room, const QStringList& dayTexts,
                           const GuestFile& guests, const Rooms::RoomStateFile& rooms) const
{
    const int number = tx.ReadInteger(fileName_, global(), counter(), 0) + 1;
    tx.WriteInteger(fileName_, global(), counter(), number);

    const QString section = reservationSection(number);
    tx.WriteInteger(fileName_, section, clientId(), guestId);
    tx.WriteInteger(fileName_, section, days(), int(dayTexts.size()));
    tx.WriteInteger(fileName_, section, ReservationKeys::room(), room);
    const QString roomKey = roomClientKey(room);
    for (int j = 1; j <= dayTexts.size(); ++j) {
        tx.WriteString(fileName_, section, day(j), dayTexts[j - 1]);
        tx.WriteInteger(fileName_, dayTexts[j - 1], roomKey, guestId);
    }

    tx.WriteString(guests.fileName(), GuestFile::clientSection(guestId), living(), QStringLiteral("1"));

    const QString statusKey = Rooms::RoomStateFile::keyName(room, Field::Status);
    const QString clientKey = Rooms::RoomStateFile::keyName(room, Field::ClientID);
    const QString full = Rooms::wordText(Rooms::RoomStatus::Full);
    for (const QString& dayText : dayTexts) {
        tx.WriteString(rooms.fileName(), roomDaySection(dayText), statusKey, full);
        tx.WriteInteger(rooms.fileName(), roomDaySection(dayText), clientKey, guestId);
    }
    return number;
}

bool ReservationFile::cancel(IniTransaction& tx, int number, const QDateTime& now, const GuestFile& guests,
                             const Rooms::RoomStateFile& rooms) const
{
    const QString section = reservationSection(number);
    if (!tx.ReadBool(fileName_, section, active(), true))
        return false;

    const int count = tx.ReadInteger(fileName_, global(), counter(), 0);
    const int guestId = tx.ReadInteger(fileName_, section, clientId(), 0);
    const int dayCount = tx.ReadInteger(fileName_, section, days(), 0);
    const int room = tx.ReadInteger(fileName_, section, ReservationKeys::room(), 0);

    // Every reservation of the guest counts, cancelled ones and this one included.
    int reservationsOfGuest = 0;
    for (int r = 1; r <= count; ++r)
        if (tx.ReadInteger(fileName_, reservationSection(r), clientId(), 0) == guestId)
            ++reservationsOfGuest;

    const QString statusKey = Rooms::RoomStateFile::keyName(room, Field::Status);
    const QString defaultStatus =
        tx.ReadString(rooms.fileName(), Rooms::RoomStateFile::defaultsSection(), statusKey, QStringLiteral("--"));

    // A Days count beyond the section's keys (an edited file) names no more days than it has keys.
    QStringList keys;
    tx.ReadSection(fileName_, section, keys);
    const qsizetype dayKeys = std::min<qsizetype>(dayCount, keys.size());

    const QString roomKey = roomClientKey(room);
    for (int j = 1; j <= dayKeys; ++j) {
        const QString dayText = tx.ReadString(fileName_, section, day(j), QString());
        // A missing day key names no day: there is no reserved-day or day section to change.
        if (dayText.isEmpty())
            continue;
        // Only this reservation's own hold is removed, never another guest's reservation of the room.
        if (tx.ReadInteger(fileName_, dayText, roomKey, 0) == guestId)
            tx.DeleteKey(fileName_, dayText, roomKey);
        tx.WriteString(rooms.fileName(), roomDaySection(dayText), statusKey, defaultStatus);
    }

    tx.WriteString(fileName_, section, active(), QStringLiteral("0"));
    tx.WriteString(fileName_, section, canceled(), QStringLiteral("1"));
    tx.WriteDateTime(fileName_, section, canceledDate(), now);

    tx.WriteString(guests.fileName(), GuestFile::clientSection(guestId), living(),
                   reservationsOfGuest < 2 ? QStringLiteral("0") : QStringLiteral("1"));
    return true;
}
