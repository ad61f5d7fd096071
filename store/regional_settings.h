#pragma once
// The regional short date and long time formats that turn dates and times into the texts stored in
// the data files and shown on the clocks. Defaults are the Czech regional ones; the environment
// variables LODGERA_SHORT_DATE and LODGERA_LONG_TIME override them (Qt date/time format syntax).

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace RegionalSettings {

QString shortDateFormat();
QString longTimeFormat();

// The date text: the date in the short date format. Dates are only ever compared as these texts.
QString dateText(const QDate& date);
// The time text: the time in the long time format.
QString timeText(const QTime& time);
// Date text, a space, time text (the stored form of a date and time).
QString dateTimeText(const QDateTime& moment);

} // namespace RegionalSettings
