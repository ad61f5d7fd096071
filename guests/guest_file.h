#pragma once
// Clients.dat, the guest register: one section "Client_<id>" per guest and the id counter in
// Global. Every operation opens the file, performs its reads or writes and closes it again.

#include <QString>

struct GuestName
{
    QString firstName;
    QString middleName;
    QString surName;
};

class GuestFile final
{
public:
    // fileName: the data directory followed by "Clients.dat".
    explicit GuestFile(QString fileName);
    static inline const QString kFileName = QStringLiteral("Clients.dat");

    const QString& fileName() const { return fileName_; }

    static QString clientSection(int guestId);

    // The name keys of one guest, each with missingText where the key (or guest, or file) is absent.
    GuestName readName(int guestId, const QString& missingText = QString()) const;

private:
    QString fileName_;
};
