#include "reservations/reservation_file.h"

#include "reservations/reservation_keys.h"
#include "store/ini_file.h"

#include <algorithm>
#include <utility>

using namespace ReservationKeys;

namespace {

// The keys of one reservation section from any reader (a TIniFile or an IniSnapshot).
template <class Reader> StoredReservation readReservation(const Reader& ini, int number, const QString& missingDay)
{
    StoredReservation r;
    r.number = number;
    const QString section = ReservationFile::reservationSection(number);
    r.clientId = ini.ReadInteger(section, clientId(), 0);
    r.days = ini.ReadInteger(section, days(), 0);
    r.room = ini.ReadInteger(section, room(), 0);
    r.active = ini.ReadBool(section, active(), true);
    if (r.days > 0) {
        QStringList keys;
        ini.ReadSection(section, keys);
        const int readable = std::min<qsizetype>(r.days, keys.size());
        r.dayTexts.reserve(readable);
        for (int j = 1; j <= readable; ++j)
            r.dayTexts << ini.ReadString(section, day(j), missingDay);
    }
    return r;
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
    return readReservation(TIniFile(fileName_), number, missingDay);
}

std::vector<StoredReservation> ReservationFile::readAll(int countDefault, const QString& missingDay) const
{
    // One version of the file for the whole list: looked at once, never half of a write made meanwhile.
    const IniSnapshot ini(fileName_);
    const int count = ini.ReadInteger(global(), counter(), countDefault);
    std::vector<StoredReservation> all;
    if (count <= 0)
        return all;
    all.reserve(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n)
        all.push_back(readReservation(ini, n, missingDay));
    return all;
}
