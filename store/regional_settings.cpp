#include "store/regional_settings.h"

#include <QLocale>

namespace {

QString fromEnvironment(const char* name, const QString& fallback)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? fallback : QString::fromLocal8Bit(value);
}

} // namespace

namespace RegionalSettings {

QString shortDateFormat()
{
    return fromEnvironment("LODGERA_SHORT_DATE", QStringLiteral("d.M.yyyy"));
}

QString longTimeFormat()
{
    return fromEnvironment("LODGERA_LONG_TIME", QStringLiteral("H:mm:ss"));
}

QString dateText(const QDate& date)
{
    // The C locale keeps digits and separators exactly as the format says, whatever the process locale.
    return QLocale::c().toString(date, shortDateFormat());
}

QString timeText(const QTime& time)
{
    return QLocale::c().toString(time, longTimeFormat());
}

QString dateTimeText(const QDateTime& moment)
{
    return dateText(moment.date()) + QLatin1Char(' ') + timeText(moment.time());
}

} // namespace RegionalSettings
