#pragma once
// Reservations.dat, the reservation file: the counter Global/Reservations, one section
// "Reservation_<n>" per reservation ever made (never removed; cancelling writes Active=0), and per
// reserved day a section named by the bare date text holding "Room_<N>_Client" = guest id for every
// room an active reservation holds that day.
//
// Reads open the file, read and close it again. Storing and cancelling a reservation write into
// three files (this one, the guest's Living flag in Clients.dat and the room's per-day status in
// Rooms.dat) and run inside one IniTransaction that the caller commits, together with the conflict
// test that decides whether the room is free, so two desks never book one room-day twice and a
// crash never leaves half a reservation.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

class GuestFile;
class IniTransaction;
namespace Rooms {
class RoomStateFile;
}

// One reservation section as read, each key with its read default where it is absent.
struct StoredReservation
{
    int number = 0;   // n of "Reservation_<n>"
    int clientId = 0; // ClientID
    int days = 0;     // Days, as stored
    int room = 0;     // Room
    bool active = true;
    // Day1 … Day<Days>, the caller's missing-day text where a key is absent. A Days count larger than
    // the section's number of keys (an edited file) is read only as far as the section has keys.
    QStringList dayTexts;
};

class ReservationFile final
{
public:
    // fileName: the data directory followed by "Reservations.dat".
    explicit ReservationFile(QString fileName);
    static inline const QString kFileName = QStringLiteral("Reservations.dat");

    const QString& fileName() const { return fileName_; }

    static QString reservationSection(int number);
    // "Room_<N>_Client", the key of a reserved-day section.
    static QString roomClientKey(int room);

    // Global/Reservations, the highest number handed out, with the caller's default (the reservation
    // windows read 0, the guest book 1).
    int readCount(int defaultValue = 0) const;

    // Whether room is reserved on the day named by dayText (its Room_<N>_Client reads non-zero).
    bool roomTaken(int room, const QString& dayText) const;

    // One reservation: ClientID, Days, Room, Active and Day1 … Day<Days>.
    StoredReservation read(int number, const QString& missingDay = {}) const;

    // Every reservation from 1 up to and including the counter (read with countDefault), cancelled
    // ones included (active false), in number order, all read from one version of the file.
    std::vector<StoredReservation> readAll(int countDefault = 0, const QString& missingDay = {}) const;

    // The following run inside the caller's transaction; nothing is on disk until it commits.

    // The conflict test: whether room is reserved on any of the days.
    bool roomTakenOnAnyDay(IniTransaction& transaction, int room, const QStringList& dayTexts) const;

    // Stores a new reservation and returns its number: counter + 1 written back; ClientID, Days,
    // Room; per day in list order Day<j> and Room_<N>_Client in that day's section. Then the
    // footprint: the guest's Living = 1, and per day the room's status FULL and ClientID = the guest.
    int store(IniTransaction& transaction, int guestId, int room, const QStringList& dayTexts, const GuestFile& guests,
              const Rooms::RoomStateFile& rooms) const;

    // Cancels reservation number: frees the room on its days where this reservation's guest holds
    // it, puts the room's default status (or "--") on those days in Rooms.dat, writes Active=0,
    // Canceled=1 and Canceled_date=now, and sets the guest's Living to 0 when the guest has only
    // this one reservation (cancelled ones counted), else 1. A reservation that is already cancelled
    // (by another desk since the list was built) is left alone: returns false and writes nothing.
    bool cancel(IniTransaction& transaction, int number, const QDateTime& now, const GuestFile& guests,
                const Rooms::RoomStateFile& rooms) const;

private:
    QString fileName_;
};
