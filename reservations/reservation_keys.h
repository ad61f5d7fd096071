#pragma once
// Section and key names of Reservations.dat and of the keys a reservation leaves in the other files;
// used only by ReservationFile.

#include <QString>

namespace ReservationKeys {

inline QString global()
{
    return QStringLiteral("Global");
}
inline QString counter()
{
    return QStringLiteral("Reservations");
}
inline QString clientId()
{
    return QStringLiteral("ClientID");
}
inline QString days()
{
    return QStringLiteral("Days");
}
inline QString room()
{
    return QStringLiteral("Room");
}
inline QString day(int j)
{
    return QStringLiteral("Day") + QString::number(j);
}
inline QString active()
{
    return QStringLiteral("Active");
}
inline QString canceled()
{
    return QStringLiteral("Canceled");
}
inline QString canceledDate()
{
    return QStringLiteral("Canceled_date");
}
// Clients.dat: the guest's accommodated flag.
inline QString living()
{
    return QStringLiteral("Living");
}
// Rooms.dat: the day section of a date text (the reservation only has the text, never the date).
inline QString roomDaySection(const QString& dayText)
{
    return QStringLiteral("Rooms_") + dayText;
}

} // namespace ReservationKeys
