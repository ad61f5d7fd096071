#include "guests/guest_file.h"

#include "store/ini_file.h"
#include "store/ini_transaction.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

namespace {

const QString kGlobal = QStringLiteral("Global");
const QString kClients = QStringLiteral("Clients");
constexpr int kCounterDefault = 1;

const QString kLiving = QStringLiteral("Living");
const QString kTitul = QStringLiteral("Titul");
const QString kFirstName = QStringLiteral("FirstName");
const QString kMiddleName = QStringLiteral("MiddleName");
const QString kSurName = QStringLiteral("SurName");
const QString kTelephone = QStringLiteral("Telephone");
const QString kCellular = QStringLiteral("Cellular");
// The guest card writes and reads "Email", the guest picker reads "EMail": one key, since key
// names match without regard to case.
const QString kEmailCard = QStringLiteral("Email");
const QString kEmailPicker = QStringLiteral("EMail");
const QString kIdCardNum = QStringLiteral("IDCardNum");
const QString kIdCardType = QStringLiteral("IDCardType");
const QString kComment = QStringLiteral("Comment");
const QString kPhoto = QStringLiteral("Photo");
const QString kDeleted = QStringLiteral("Deleted");
const QString kLast = QStringLiteral("Last");

// The data keys in the order they are written, with the field each comes from.
struct DataKey
{
    const QString* key;
    QString GuestData::*field;
};
const DataKey kDataKeys[] = {
    {&kTitul, &GuestData::titul},     {&kFirstName, &GuestData::firstName}, {&kMiddleName, &GuestData::middleName},
    {&kSurName, &GuestData::surName}, {&kTelephone, &GuestData::telephone}, {&kCellular, &GuestData::cellular},
    {&kEmailCard, &GuestData::email}, {&kIdCardNum, &GuestData::idCardNum}, {&kIdCardType, &GuestData::idCardType},
    {&kComment, &GuestData::comment}, {&kPhoto, &GuestData::photo},
};

} // namespace

GuestFile::GuestFile(QString fileName) : fileName_(std::move(fileName)) {}

QString GuestFile::clientSection(int guestId)
{
    return QStringLiteral("Client_") + QString::number(guestId);
}

QString GuestFile::directory() const
{
    return QFileInfo(fileName_).absolutePath();
}

int GuestFile::allocateGuestId(IniTransaction& transaction) const
{
    const int counter = transaction.ReadInteger(fileName_, kGlobal, kClients, kCounterDefault);
    // A negative counter (edited outside the program) would hand out no valid id; it counts as
    // the default, like a counter that is not a number.
    int id = counter < 0 ? kCounterDefault : counter;
    QStringList keys;
    do {
        if (id == std::numeric_limits<int>::max())
            throw std::runtime_error(
                QStringLiteral("%1: no guest id is left to hand out.").arg(fileName_).toStdString());
        ++id;
        transaction.ReadSection(fileName_, clientSection(id), keys);
    } while (!keys.isEmpty());
    transaction.WriteInteger(fileName_, kGlobal, kClients, id);
    transaction.WriteBool(fileName_, clientSection(id), kLiving, false);
    return id;
}

void GuestFile::writeData(IniTransaction& transaction, int guestId, const GuestData& data) const
{
    const QString section = clientSection(guestId);
    for (const DataKey& k : kDataKeys)
        transaction.WriteString(fileName_, section, *k.key, data.*k.field);
}

int GuestFile::saveNewGuest(const GuestData& data) const
{
    IniTransaction transaction(directory());
    const int id = allocateGuestId(transaction);
    writeData(transaction, id, data);
    transaction.commit();
    return id;
}

void GuestFile::saveGuest(int guestId, const GuestData& data) const
{
    IniTransaction transaction(directory());
    writeData(transaction, guestId, data);
    transaction.commit();
}

GuestData GuestFile::readData(int guestId) const
{
    const IniSnapshot ini(fileName_);
    const QString section = clientSection(guestId);
    GuestData data;
    for (const DataKey& k : kDataKeys)
        data.*k.field = ini.ReadString(section, *k.key, QString());
    return data;
}

std::vector<GuestListEntry> GuestFile::enumerate() const
{
    const IniSnapshot ini(fileName_);
    const int count = ini.ReadInteger(kGlobal, kClients, kCounterDefault);
    std::vector<GuestListEntry> guests;
    if (count > 0)
        guests.reserve(std::size_t(std::min(count, 1 << 20)));
    for (int id = 1; id <= count; ++id) {
        const QString section = clientSection(id);
        GuestListEntry g;
        g.id = id;
        g.living = ini.ReadBool(section, kLiving, false);
        g.surName = ini.ReadString(section, kSurName, QString());
        g.firstName = ini.ReadString(section, kFirstName, QString());
        g.middleName = ini.ReadString(section, kMiddleName, QString());
        g.telephone = ini.ReadString(section, kTelephone, QString());
        g.cellular = ini.ReadString(section, kCellular, QString());
        g.email = ini.ReadString(section, kEmailPicker, QString());
        g.last = ini.ReadString(section, kLast, QString());
        g.deleted = ini.ReadBool(section, kDeleted, false);
        guests.push_back(std::move(g));
        if (id == std::numeric_limits<int>::max())
            break;
    }
    return guests;
}

void GuestFile::markDeleted(int guestId) const
{
    TIniFile(fileName_).WriteBool(clientSection(guestId), kDeleted, true);
}

void GuestFile::setAccommodated(int guestId, bool living) const
{
    TIniFile(fileName_).WriteBool(clientSection(guestId), kLiving, living);
}

void GuestFile::setAccommodated(IniTransaction& transaction, int guestId, bool living) const
{
    transaction.WriteBool(fileName_, clientSection(guestId), kLiving, living);
}

GuestName GuestFile::readName(int guestId, const QString& missingText) const
{
    const TIniFile ini(fileName_);
    const QString section = clientSection(guestId);
    GuestName name;
    name.firstName = ini.ReadString(section, kFirstName, missingText);
    name.middleName = ini.ReadString(section, kMiddleName, missingText);
    name.surName = ini.ReadString(section, kSurName, missingText);
    return name;
}
