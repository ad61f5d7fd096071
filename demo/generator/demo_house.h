#pragma once
// The demo guesthouse "Penzion U Lípy": its floors, rooms, guests and stays, as plain tables. Days
// are offsets from the day the demo is written, so the house looks lived-in on any date.

#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

namespace Demo {

struct Room
{
    int number; // tile number on the plan: floor * 21 + position + 1
    QString name;
    QString size;
    QString defaultStatus;
};

// A status or comment of one room on one day.
struct DayMark
{
    int room;
    int dayOffset;
    QString status; // empty: none written
    QString comment;
};

// How a guest's own photograph is drawn.
struct Portrait
{
    QString fileName; // in the data directory
    quint32 backdrop, skin, hair, clothes;
    bool longHair = false;
    bool glasses = false;
    bool beard = false;
    bool collar = false;
};

struct Guest
{
    QString titul, firstName, middleName, surName, telephone, cellular, email, idCardNum, idCardType, comment;
    std::optional<Portrait> portrait;
};

// One reservation: guest index into guests(), room number, first day and number of days.
struct Stay
{
    int guest;
    int room;
    int firstDayOffset;
    int nights;
    bool guestInRoom = false; // arrival recorded in the room window
    bool cancelled = false;
};

const std::vector<QString>& floors();
const std::vector<Room>& rooms();
const std::vector<DayMark>& dayMarks();
const std::vector<Guest>& guests();
const std::vector<Stay>& stays();

} // namespace Demo
