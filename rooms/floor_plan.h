#pragma once
// Geometry of the reception floor plan in its 1024 × 768 window: 15 floors of 21 tiles, floor 0 at
// the bottom, room 1 bottom left and room 315 top right, each floor's label left of its row.

#include "rooms/room_state_file.h"

#include <QRect>

namespace Rooms {

inline constexpr int kTileSize = 40;
inline constexpr int kTilePitch = 44;
inline constexpr int kPlanLeft = 70;
inline constexpr int kBottomRowTop = 618;
inline constexpr int kFloorLabelWidth = 70;

// Floor of room 1..315: (room − 1) div 21.
constexpr int floorOfRoom(int room)
{
    return (room - 1) / kRoomsPerFloor;
}

// Position of the room within its floor counted from the left: (room − 1) mod 21.
constexpr int positionOfRoom(int room)
{
    return (room - 1) % kRoomsPerFloor;
}

// Tile pN: 40 × 40 at left 70 + 44·k, top 618 − 44·f.
constexpr QRect tileRect(int room)
{
    return QRect(kPlanLeft + kTilePitch * positionOfRoom(room), kBottomRowTop - kTilePitch * floorOfRoom(room),
                 kTileSize, kTileSize);
}

// Floor label f: the left edge of the window, 70 pixels wide, level with row f.
constexpr QRect floorLabelRect(int floor)
{
    return QRect(0, kBottomRowTop - kTilePitch * floor, kFloorLabelWidth, kTileSize);
}

} // namespace Rooms
