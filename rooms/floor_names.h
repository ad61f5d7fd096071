#pragma once
// The floor names of hotel.ini (section Floors) as the reception plan shows them on each reload.

#include <QStringList>

namespace Rooms {

// Floor0Name … Floor14Name, each defaulting to "Floor " + f + ".:".
QStringList readFloorNames(const QString& settingsFileName);

} // namespace Rooms
