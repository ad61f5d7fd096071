#include "rooms/floor_names.h"

#include "rooms/room_state_file.h"
#include "store/ini_file.h"

namespace Rooms {

QStringList readFloorNames(const QString& settingsFileName)
{
    const IniSnapshot ini(settingsFileName); // the 15 names from one look at the file
    const QString section = QStringLiteral("Floors");
    QStringList names;
    names.reserve(kFloorCount);
    for (int f = 0; f < kFloorCount; ++f) {
        const QString number = QString::number(f);
        names << ini.ReadString(section, QStringLiteral("Floor") + number + QStringLiteral("Name"),
                                QStringLiteral("Floor ") + number + QStringLiteral(".:"));
    }
    return names;
}

} // namespace Rooms
