#pragma once
// Room files for the store benchmarks: a defaults section and day sections of 315 rooms with two
// keys a room a day, as the reception window and the reservations fill them.

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QString>

#include <cstdlib>

namespace bench {

inline constexpr int kRooms = 315;

// The date text of day number `day` from 1 January 2020.
inline QString dayText(int day)
{
    const QDate date = QDate(2020, 1, 1).addDays(day);
    return QStringLiteral("%1.%2.%3").arg(date.day()).arg(date.month()).arg(date.year());
}

// Writes a room file of `days` day sections; `variant` changes one value in the last section.
inline void writeRoomFile(const QString& path, int days, int variant = 0)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    QByteArray chunk = "[DefaultsRooms]\r\n";
    for (int r = 1; r <= kRooms; ++r)
        chunk += "Room" + QByteArray::number(r) + "Name=Pokoj " + QByteArray::number(r) + "\r\nRoom" +
                 QByteArray::number(r) + "Status=FREE\r\n";
    for (int d = 0; d < days; ++d) {
        chunk += "[Rooms_" + dayText(d).toLatin1() + "]\r\n";
        for (int r = 1; r <= kRooms; ++r) {
            const bool changed = d == days - 1 && r == kRooms && variant == 1;
            chunk += "Room" + QByteArray::number(r) + "Status=" + (changed ? "FREE" : "FULL") + "\r\nRoom" +
                     QByteArray::number(r) + "ClientID=" + QByteArray::number(1000 + (d * 7 + r) % 9000) + "\r\n";
        }
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
}

} // namespace bench
