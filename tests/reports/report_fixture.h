#pragma once
// The whole program with the print outputs window at hand, and data files written as another copy
// of the program (or an editor) leaves them: Windows-1250 text with CR LF line ends.

#include "tests/support/program_fixture.h"

#include "reports/print_outputs_window.h"

#include <QFile>
#include <QPdfDocument>
#include <QStringEncoder>

class ReportTest : public ProgramTest
{
protected:
    TForm17& window() { return *forms().form17; }

    void writeDataFile(const QString& name, const QStringList& lines)
    {
        QStringEncoder encoder("windows-1250");
        QFile file(dataDirectory() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name.toStdString();
        file.write(encoder.encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    }

    // Reservations.dat with the given reservation sections (each a list of "Key=Value" lines).
    void writeReservations(const std::vector<QStringList>& reservations)
    {
        QStringList lines{QStringLiteral("[Global]"), QStringLiteral("Reservations=%1").arg(reservations.size())};
        for (std::size_t i = 0; i < reservations.size(); ++i) {
            lines << QStringLiteral("[Reservation_%1]").arg(i + 1);
            lines << reservations[i];
        }
        writeDataFile(QStringLiteral("Reservations.dat"), lines);
    }

    // Generates through the button, as the receptionist does.
    void generate() { leftClick(window().Vygen1); }

    QString reportPath() { return dataDirectory() + QStringLiteral("report.pdf"); }

    // The text of every page the viewer has loaded.
    QString viewerText()
    {
        QString all;
        QPdfDocument& d = *window().report();
        for (int i = 0; i < d.pageCount(); ++i)
            all += d.getAllText(i).text() + u'\n';
        return all;
    }
};
