#include "rooms/room_state_file.h"

#include "store/ini_file.h"
#include "store/regional_settings.h"

#include <utility>

namespace Rooms {

namespace {

constexpr std::array<StatusWord, kStatusCount> kStatusWords{{
    {RoomStatus::None, "NONE", clSilver, u"neexistuje", "pokojNeexistuje"},
    {RoomStatus::Free, "FREE", clLime, u"volných", "PokojJeVolny"},
    {RoomStatus::Full, "FULL", clRed, u"obsazených", "PokojJeObsazen"},
    {RoomStatus::Clean, "CLEAN", rgbColor(0x9F, 0xCF, 0xFF), u"úklid", "PokojJevUklidu"},
    {RoomStatus::OutOfOrder, "OUTOFORDER", clGray, u"mimo provoz", "PokojJeMimoProvoz"},
    {RoomStatus::Service, "SERVICE", rgbColor(0xFF, 0xCE, 0x9D), u"v opravě", "pokojJeVOprave"},
    {RoomStatus::Reserved, "RESERVED", clBlue, u"rezervace", "PokojJeRezervovan"},
}};

QLatin1String fieldName(RoomStateFile::Field field)
{
    switch (field) {
    case RoomStateFile::Field::Name:
        return QLatin1String("Name");
    case RoomStateFile::Field::Size:
        return QLatin1String("Size");
    case RoomStateFile::Field::Status:
        return QLatin1String("Status");
    case RoomStateFile::Field::Comment:
        return QLatin1String("Comment");
    case RoomStateFile::Field::Price:
        return QLatin1String("Price");
    case RoomStateFile::Field::IsHosted:
        return QLatin1String("IsHosted");
    case RoomStateFile::Field::ClientID:
        return QLatin1String("ClientID");
    }
    return QLatin1String();
}

// The effective-value rule, the one place it is written: the day section's value if the key is
// there (empty included), else the DefaultsRooms value, else the caller's default. read(section,
// fallback) reads one key of one section from any reader (a TIniFile or an IniSnapshot).
template <class T, class Read> T effectiveValue(const Read& read, const QString& daySection, const T& defaultValue)
{
    return read(daySection, read(RoomStateFile::defaultsSection(), defaultValue));
}

} // namespace

const std::array<StatusWord, kStatusCount>& statusWords()
{
    return kStatusWords;
}

const StatusWord& statusWord(RoomStatus status)
{
    return kStatusWords[static_cast<std::size_t>(status)];
}

std::optional<RoomStatus> recognizeStatus(const QString& stored)
{
    for (const StatusWord& w : kStatusWords)
        if (stored == QLatin1String(w.word))
            return w.status;
    return std::nullopt;
}

QString wordText(RoomStatus status)
{
    return QLatin1String(statusWord(status).word).toString();
}

QString legendText(RoomStatus status)
{
    return QString::fromUtf16(statusWord(status).legend);
}

QString messageKey(RoomStatus status)
{
    return QLatin1String(statusWord(status).messageKey).toString();
}

RoomStateFile::RoomStateFile(QString fileName) : fileName_(std::move(fileName)) {}

QString RoomStateFile::defaultsSection()
{
    return QStringLiteral("DefaultsRooms");
}

QString RoomStateFile::daySection(const QDate& day)
{
    return QStringLiteral("Rooms_") + RegionalSettings::dateText(day);
}

QString RoomStateFile::keyName(int room, Field field)
{
    return QStringLiteral("Room") + QString::number(room) + fieldName(field);
}

QString RoomStateFile::readEffective(int room, Field field, const QDate& day, const QString& defaultValue) const
{
    const TIniFile ini(fileName_);
    const QString key = keyName(room, field);
    return effectiveValue(
        [&](const QString& section, const QString& fallback) { return ini.ReadString(section, key, fallback); },
        daySection(day), defaultValue);
}

int RoomStateFile::readEffectiveInteger(int room, Field field, const QDate& day, int defaultValue) const
{
    const TIniFile ini(fileName_);
    const QString key = keyName(room, field);
    return effectiveValue([&](const QString& section, int fallback) { return ini.ReadInteger(section, key, fallback); },
                          daySection(day), defaultValue);
}

QString RoomStateFile::readDefault(int room, Field field, const QString& defaultValue) const
{
    return TIniFile(fileName_).ReadString(defaultsSection(), keyName(room, field), defaultValue);
}

bool RoomStateFile::readDefaultBool(int room, Field field, bool defaultValue) const
{
    return TIniFile(fileName_).ReadBool(defaultsSection(), keyName(room, field), defaultValue);
}

void RoomStateFile::writeDay(int room, Field field, const QDate& day, const QString& value, bool alsoDefault)
{
    TIniFile ini(fileName_);
    const QString key = keyName(room, field);
    ini.WriteString(daySection(day), key, value);
    if (alsoDefault)
        ini.WriteString(defaultsSection(), key, value);
}

void RoomStateFile::writeDefault(int room, Field field, const QString& value)
{
    TIniFile(fileName_).WriteString(defaultsSection(), keyName(room, field), value);
}

void RoomStateFile::writeDefaultBool(int room, Field field, bool value)
{
    TIniFile(fileName_).WriteBool(defaultsSection(), keyName(room, field), value);
}

PlanState RoomStateFile::readPlan(const QDate& day) const
{
    // One version of the file for the whole plan: looked at once, and never half of a write made meanwhile.
    const IniSnapshot ini(fileName_);
    const QString today = daySection(day);
    const auto readAll = [&](Field field, const QString& defaultValue, std::vector<QString>& into) {
        into.reserve(kRoomCount);
        for (int room = 1; room <= kRoomCount; ++room) {
            const QString key = keyName(room, field);
            into.push_back(effectiveValue(
                [&](const QString& section, const QString& fallback) { return ini.ReadString(section, key, fallback); },
                today, defaultValue));
        }
    };
    PlanState plan;
    readAll(Field::Name, QStringLiteral("--"), plan.names);
    readAll(Field::Status, wordText(RoomStatus::None), plan.statuses);
    return plan;
}

} // namespace Rooms
