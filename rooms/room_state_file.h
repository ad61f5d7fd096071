#pragma once
// Rooms.dat, the room state file: per room a name, size and guest presence in DefaultsRooms, and per
// calendar day ("Rooms_" + date text) the status, comment, price and booked guest. Also the one
// table of status words that the reception plan and the room window colour and count by.
//
// Every operation opens the file, reads or writes the keys of one room (or of the whole plan) and
// closes it again; nothing is kept between calls, so every read sees every earlier write, also
// those of other programs.

#include "widgets/colors.h"

#include <QDate>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

namespace Rooms {

inline constexpr int kFloorCount = 15;
inline constexpr int kRoomsPerFloor = 21;
inline constexpr int kRoomCount = kFloorCount * kRoomsPerFloor; // 315

// The seven status words, in the order in which a stored status is compared with them.
enum class RoomStatus { None, Free, Full, Clean, OutOfOrder, Service, Reserved };
inline constexpr int kStatusCount = 7;

struct StatusWord
{
    RoomStatus status;
    const char* word;       // stored keyword, compared exactly (letter case included)
    TColor color;           // shown for the status on the plan and in the room window
    const char16_t* legend; // counter legend on the reception plan
    const char* messageKey; // key of the message text the room window shows on loading
};

// NONE, FREE, FULL, CLEAN, OUTOFORDER, SERVICE, RESERVED.
const std::array<StatusWord, kStatusCount>& statusWords();
const StatusWord& statusWord(RoomStatus status);
// The status a stored text names, or nothing for any other text ("--", "free", "").
std::optional<RoomStatus> recognizeStatus(const QString& stored);
QString wordText(RoomStatus status);
QString legendText(RoomStatus status);
QString messageKey(RoomStatus status);

// What one reload of the reception plan reads: the effective name and status of every room.
struct PlanState
{
    std::vector<QString> names;    // index room − 1
    std::vector<QString> statuses; // stored texts, unrecognised ones included
};

class RoomStateFile final
{
public:
    // The fields of a room; each is stored under "Room" + number + field name.
    enum class Field { Name, Size, Status, Comment, Price, IsHosted, ClientID };

    // fileName: the data directory followed by "Rooms.dat" (any letter case reaches the same file).
    explicit RoomStateFile(QString fileName);
    static inline const QString kFileName = QStringLiteral("Rooms.dat");

    const QString& fileName() const { return fileName_; }

    static QString defaultsSection();
    static QString daySection(const QDate& day);
    static QString keyName(int room, Field field);

    // Effective value: the day section's value if the key is present there (empty included), else
    // the DefaultsRooms value, else defaultValue. Read as DefaultsRooms with defaultValue, then the
    // day section with that result as its default.
    QString readEffective(int room, Field field, const QDate& day, const QString& defaultValue) const;
    int readEffectiveInteger(int room, Field field, const QDate& day, int defaultValue) const;
    // DefaultsRooms only.
    QString readDefault(int room, Field field, const QString& defaultValue) const;
    bool readDefaultBool(int room, Field field, bool defaultValue) const;

    // Writes the value into the day section, and then into DefaultsRooms as well when asked.
    // Throws EIniFileError naming the file when it cannot be written; a failed first write skips the second.
    void writeDay(int room, Field field, const QDate& day, const QString& value, bool alsoDefault = false);
    void writeDefault(int room, Field field, const QString& value);
    void writeDefaultBool(int room, Field field, bool value);

    // The reception plan's reload: the effective names (default "--") and statuses (default "NONE")
    // of all rooms, all read from one version of the file taken at the call.
    PlanState readPlan(const QDate& day) const;

private:
    QString fileName_;
};

} // namespace Rooms
