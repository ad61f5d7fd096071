#pragma once
// Clients.dat, the guest register: one section "Client_<id>" per guest and the id counter in
// Global. Every operation opens the file, performs its reads or writes in a fixed order and closes
// it again; saving a guest is one transaction over the data directory, so two desks never get the
// same id and a failure never leaves a raised counter without its guest.

#include <QString>

#include <vector>

class IniTransaction;

struct GuestName
{
    QString firstName;
    QString middleName;
    QString surName;
};

// The eleven keys the guest card shows and saves. The note may hold line breaks; the store keeps
// such a value on one line and reads it back whole.
struct GuestData
{
    QString titul;
    QString firstName;
    QString middleName;
    QString surName;
    QString telephone;
    QString cellular;
    QString email;
    QString idCardNum;
    QString idCardType;
    QString comment;
    QString photo;

    bool operator==(const GuestData&) const = default;
};

// One guest as the guest picker lists it.
struct GuestListEntry
{
    int id = 0;
    bool living = false;
    QString surName;
    QString firstName;
    QString middleName;
    QString telephone;
    QString cellular;
    QString email;
    QString last;
    bool deleted = false;
};

class GuestFile final
{
public:
    // fileName: the data directory followed by kFileName.
    explicit GuestFile(QString fileName);
    static inline const QString kFileName = QStringLiteral("Clients.dat");

    const QString& fileName() const { return fileName_; }

    static QString clientSection(int guestId);

    // Hands out a new guest id inside `transaction`: the counter (default 1) plus one, written
    // back as the counter, and the guest's Living = "0", before any data of the guest. An id whose
    // section already holds keys (the counter was changed outside the program) is skipped: the
    // first id above it without keys is taken and stored as the counter, so no guest is
    // overwritten. Raises std::runtime_error when the counter cannot be raised any more.
    int allocateGuestId(IniTransaction& transaction) const;
    // Writes the eleven data keys in their fixed order; Living and Deleted are not touched.
    void writeData(IniTransaction& transaction, int guestId, const GuestData& data) const;

    // A new guest: allocation and data in one transaction. Returns the new id.
    int saveNewGuest(const GuestData& data) const;
    // An existing guest's data rewritten in one transaction.
    void saveGuest(int guestId, const GuestData& data) const;

    // The eleven data keys, each with an empty default.
    GuestData readData(int guestId) const;

    // Every id from 1 up to and including the counter (default 1), in increasing order; ids
    // without a section give empty texts and false flags.
    std::vector<GuestListEntry> enumerate() const;

    void markDeleted(int guestId) const;
    void setAccommodated(int guestId, bool living) const;
    void setAccommodated(IniTransaction& transaction, int guestId, bool living) const;

    // The name keys of one guest, each with missingText where the key (or guest, or file) is absent.
    GuestName readName(int guestId, const QString& missingText = QString()) const;

private:
    QString directory() const;

    QString fileName_;
};
