#include "store/ini_file.h"

#include "store/ini_store.h"
#include "store/ini_values.h"
#include "store/regional_settings.h"

namespace {

QString errorMessage(const QString& fileName, const QString& reason)
{
    return QStringLiteral("Soubor „%1“ nelze zapsat: %2.").arg(fileName, reason);
}

} // namespace

EIniFileError::EIniFileError(const QString& fileName, const QString& reason)
    : EFileError(fileName, errorMessage(fileName, reason))
{
}

TIniFile::TIniFile(const QString& fileName) : fileName_(fileName) {}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    if (auto value = ini::IniStore::instance().readValue(fileName_, section, key))
        return *value;
    return ini::defaultForm(defaultValue);
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    ini::IniStore::instance().writeValue(fileName_, section, key, value);
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    const auto text = ini::IniStore::instance().readValue(fileName_, section, key);
    if (!text)
        return defaultValue;
    return ini::parseInteger(*text).value_or(defaultValue);
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::WriteDateTime(const QString& section, const QString& key, const QDateTime& value)
{
    WriteString(section, key, RegionalSettings::dateTimeText(value));
}

void TIniFile::ReadSection(const QString& section, QStringList& keys) const
{
    keys = ini::IniStore::instance().keyNames(fileName_, section);
}

void TIniFile::DeleteKey(const QString& section, const QString& key)
{
    ini::IniStore::instance().deleteKey(fileName_, section, key);
}

IniSnapshot::IniSnapshot(const QString& fileName)
    : fileName_(fileName), version_(ini::IniStore::instance().currentVersion(fileName))
{
}

IniSnapshot::~IniSnapshot() = default;

QString IniSnapshot::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    if (auto value = ini::IniStore::instance().readValue(version_, section, key))
        return *value;
    return ini::defaultForm(defaultValue);
}

int IniSnapshot::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    const auto text = ini::IniStore::instance().readValue(version_, section, key);
    if (!text)
        return defaultValue;
    return ini::parseInteger(*text).value_or(defaultValue);
}

bool IniSnapshot::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniSnapshot::ReadSection(const QString& section, QStringList& keys) const
{
    keys = ini::IniStore::instance().keyNames(version_, section);
}
