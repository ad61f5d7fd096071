#include "reservations/reservation_file.h"

#include "guests/guest_file.h"
#include "reservations/reservation_keys.h"
#include "rooms/room_state_file.h"
#include "store/ini_file.h"

#include <algorithm>
#include <utility>

using namespace ReservationKeys;

namespace {

// The keys of one reservation section from any reader (a TIniFile or an IniSnapshot); the day
// texts only when asked for.
template <class Reader>
StoredReservation readReservation(const Reader& ini, int number, bool withDays, const QString& missingDay)
{
    StoredReservation r;
    r.number = number;
    const QString section = ReservationFile::reservationSection(number);
    r.clientId = ini.ReadInteger(section, clientId(), 0);
    r.days = ini.ReadInteger(section, days(), 0);
    r.room = ini.ReadInteger(section, room(), 0);
    r.active = ini.ReadBool(section, active(), true);
    if (withDays && r.days > 0) {
        QStringList keys;
        ini.ReadSection(section, keys);
        const int readable = std::min<qsizetype>(r.days, keys.size());
        r.dayTexts.reserve(readable);
        for (int j = 1; j <= readable; ++j)
            r.dayTexts << ini.ReadString(section, day(j), missingDay);
    }
    return r;
}

template <class Reader>
std::vector<StoredReservation> readReservations(const Reader& ini, int countDefault, bool withDays,
                                                const QString& missingDay)
{
    const int count = ini.ReadInteger(global(), counter(), countDefault);
    std::vector<StoredReservation> all;
    if (count <= 0)
        return all;
    all.reserve(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n)
        all.push_back(readReservation(ini, n, withDays, missingDay));
    return all;
}

} // namespace

ReservationFile::ReservationFile(QString fileName) : fileName_(std::move(fileName)) {}

QString ReservationFile::reservationSection(int number)
{
    return QStringLiteral("Reservation_") + QString::number(number);
}

QString ReservationFile::roomClientKey(int room)
{
    return QStringLiteral("Room_") + QString::number(room) + QStringLiteral("_Client");
}

int ReservationFile::readCount(int defaultValue) const
{
    return TIniFile(fileName_).ReadInteger(global(), counter(), defaultValue);
}

bool ReservationFile::roomTaken(int room, const QString& dayText) const
{
    return TIniFile(fileName_).ReadInteger(dayText, roomClientKey(room), 0) != 0;
}

StoredReservation ReservationFile::read(int number, const QString& missingDay) const
{
    return readReservation(TIniFile(fileName_), number, true, missingDay);
}

std::vector<StoredReservation> ReservationFile::readAll(int countDefault, const QString& missingDay) const
{
    // One version of the file for the whole list: looked at once, never half of a write made meanwhile.
    return readReservations(IniSnapshot(fileName_), countDefault, true, missingDay);
}

std::vector<ListedReservation> ReservationFile::readListed(const GuestFile& guests,
                                                           const Rooms::RoomStateFile& rooms) const
{
    // The list shows no days: only the keys of each section's head are read.
    const std::vector<StoredReservation> all = readReservations(IniSnapshot(fileName_), 0, false, {});
    const IniSnapshot guestIni(guests.fileName());
    const IniSnapshot roomIni(rooms.fileName());
    const QString space(QLatin1Char(' '));
    std::vector<ListedReservation> listed;
    for (const StoredReservation& r : all) {
        if (!r.active)
            continue;
        const QString guest = GuestFile::clientSection(r.clientId);
        ListedReservation row;
        row.number = r.number;
        row.roomName = roomIni.ReadString(Rooms::RoomStateFile::defaultsSection(),
                                          Rooms::RoomStateFile::keyName(r.room, Rooms::RoomStateFile::Field::Name),
                                          QStringLiteral("--"));
        row.guestName = guestIni.ReadString(guest, surName(), {}) + space +
                        guestIni.ReadString(guest, middleName(), {}) + space +
                        guestIni.ReadString(guest, firstName(), {});
        row.days = r.days;
        row.guestComment = guestIni.ReadString(guest, comment(), {});
        listed.push_back(std::move(row));
    }
    return listed;
}
