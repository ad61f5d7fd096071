#include "guests/guest_file.h"

#include "store/ini_file.h"

#include <utility>

GuestFile::GuestFile(QString fileName) : fileName_(std::move(fileName)) {}

QString GuestFile::clientSection(int guestId)
{
    return QStringLiteral("Client_") + QString::number(guestId);
}

GuestName GuestFile::readName(int guestId, const QString& missingText) const
{
    const TIniFile ini(fileName_);
    const QString section = clientSection(guestId);
    GuestName name;
    name.firstName = ini.ReadString(section, QStringLiteral("FirstName"), missingText);
    name.middleName = ini.ReadString(section, QStringLiteral("MiddleName"), missingText);
    name.surName = ini.ReadString(section, QStringLiteral("SurName"), missingText);
    return name;
}
