// lodgera_demo_generator: fills a data directory with a small guesthouse that looks used, written
// through the program's own data-file classes so the files are exactly what the windows would
// write. Dates are relative to "today" (the day of the run, or --today yyyy-MM-dd), so the plan
// shows occupied rooms, the overview lists reservations and the guest book has lines on any day.
//
// Usage: lodgera_demo_generator [--today yyyy-MM-dd] <data directory>
// The directory must already hold nofoto.jpg (the placeholder photograph of the guest card).

#include "demo/generator/demo_house.h"
#include "guests/guest_file.h"
#include "reservations/reservation_file.h"
#include "rooms/room_state_file.h"
#include "settings/settings_file.h"
#include "store/ini_file.h"
#include "store/ini_transaction.h"
#include "store/regional_settings.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

using Demo::Guest;
using Demo::Portrait;

// A head-and-shoulders drawing in the style of a passport photo, 240 x 300 pixels.
QImage drawPortrait(const Portrait& p)
{
    QImage image(240, 300, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient backdrop(0, 0, 0, 300);
    backdrop.setColorAt(0, QColor::fromRgb(p.backdrop).lighter(130));
    backdrop.setColorAt(1, QColor::fromRgb(p.backdrop));
    painter.fillRect(image.rect(), backdrop);

    // Shoulders and neck.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(p.clothes));
    painter.drawRoundedRect(QRectF(30, 220, 180, 120), 70, 60);
    painter.setBrush(QColor::fromRgb(p.skin).darker(110));
    painter.drawRect(QRectF(102, 180, 36, 50));
    if (p.collar) {
        painter.setBrush(Qt::white);
        QPainterPath collar;
        collar.moveTo(96, 222);
        collar.lineTo(120, 250);
        collar.lineTo(144, 222);
        collar.lineTo(132, 216);
        collar.lineTo(120, 232);
        collar.lineTo(108, 216);
        collar.closeSubpath();
        painter.drawPath(collar);
    }

    // Long hair falls behind the head.
    painter.setBrush(QColor::fromRgb(p.hair));
    if (p.longHair)
        painter.drawRoundedRect(QRectF(62, 60, 116, 170), 50, 50);

    // Head, ears, hair on top.
    painter.setBrush(QColor::fromRgb(p.skin));
    painter.drawEllipse(QRectF(60, 112, 18, 30));
    painter.drawEllipse(QRectF(162, 112, 18, 30));
    painter.drawEllipse(QRectF(72, 62, 96, 128));
    painter.setBrush(QColor::fromRgb(p.hair));
    QPainterPath top;
    top.moveTo(70, 118);
    top.cubicTo(64, 50, 176, 50, 170, 118);
    top.cubicTo(160, 86, 96, 80, 70, 118);
    painter.drawPath(top);

    // Eyes, brows, nose, mouth.
    painter.setBrush(QColor(40, 40, 40));
    painter.drawEllipse(QPointF(102, 124), 5, 4);
    painter.drawEllipse(QPointF(138, 124), 5, 4);
    painter.setPen(QPen(QColor::fromRgb(p.hair).darker(120), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(92, 112), QPointF(111, 110));
    painter.drawLine(QPointF(129, 110), QPointF(148, 112));
    painter.setPen(QPen(QColor::fromRgb(p.skin).darker(135), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(120, 128), QPointF(116, 148));
    painter.drawLine(QPointF(116, 148), QPointF(123, 149));
    painter.setPen(QPen(QColor(150, 60, 60), 3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(104, 148, 32, 18), 200 * 16, 140 * 16);
    if (p.glasses) {
        painter.setPen(QPen(QColor(30, 30, 30), 3));
        painter.drawEllipse(QPointF(102, 124), 15, 12);
        painter.drawEllipse(QPointF(138, 124), 15, 12);
        painter.drawLine(QPointF(117, 123), QPointF(123, 123));
    }
    if (p.beard) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgb(p.hair));
        QPainterPath beard;
        beard.moveTo(76, 140);
        beard.cubicTo(80, 200, 160, 200, 164, 140);
        beard.cubicTo(150, 170, 90, 170, 76, 140);
        painter.drawPath(beard);
    }
    painter.end();
    return image;
}

void fail(const QString& message)
{
    std::fprintf(stderr, "lodgera_demo_generator: %s\n", qPrintable(message));
    std::exit(1);
}

} // namespace

int main(int argc, char** argv)
{
    // Nothing is shown; the painter only needs a platform for its fonts and images.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QStringList args = app.arguments().mid(1);
    QDate today = QDate::currentDate();
    if (args.size() == 3 && args[0] == QStringLiteral("--today")) {
        today = QDate::fromString(args[1], Qt::ISODate);
        if (!today.isValid())
            fail(QStringLiteral("--today needs a date as yyyy-MM-dd"));
        args = args.mid(2);
    }
    if (args.size() != 1)
        fail(QStringLiteral("usage: lodgera_demo_generator [--today yyyy-MM-dd] <data directory>"));

    QString directory = QDir(args[0]).absolutePath();
    if (!directory.endsWith(QLatin1Char('/')))
        directory += QLatin1Char('/');
    const QString placeholder = directory + QStringLiteral("nofoto.jpg");
    if (!QFileInfo::exists(placeholder))
        fail(QStringLiteral("%1 is missing").arg(placeholder));
    if (QFileInfo::exists(directory + GuestFile::kFileName) ||
        QFileInfo::exists(directory + ReservationFile::kFileName) ||
        QFileInfo::exists(directory + Rooms::RoomStateFile::kFileName))
        fail(QStringLiteral("%1 already holds data files; the demo is written only into a fresh copy").arg(directory));

    try {
        // Settings: the floor names of the house; unused floors stay unnamed.
        Settings::SettingsFile settings(directory + Settings::SettingsFile::kFileName);
        Settings::SettingsValues values = Settings::SettingsFile::defaults();
        for (int f = 0; f < Settings::kFloorCount; ++f)
            values.floorNames[static_cast<std::size_t>(f)] =
                f < static_cast<int>(Demo::floors().size()) ? Demo::floors()[static_cast<std::size_t>(f)] : QString();
        settings.write(values);

        // Rooms: names, sizes and default statuses; the day's own statuses and comments.
        Rooms::RoomStateFile rooms(directory + Rooms::RoomStateFile::kFileName);
        for (const Demo::Room& room : Demo::rooms()) {
            rooms.writeDefault(room.number, Rooms::RoomStateFile::Field::Name, room.name);
            rooms.writeDefault(room.number, Rooms::RoomStateFile::Field::Size, room.size);
            rooms.writeDefault(room.number, Rooms::RoomStateFile::Field::Status, room.defaultStatus);
            rooms.writeDefaultBool(room.number, Rooms::RoomStateFile::Field::IsHosted, false);
        }
        for (const Demo::DayMark& mark : Demo::dayMarks()) {
            const QDate day = today.addDays(mark.dayOffset);
            if (!mark.status.isEmpty())
                rooms.writeDay(mark.room, Rooms::RoomStateFile::Field::Status, day, mark.status);
            if (!mark.comment.isEmpty())
                rooms.writeDay(mark.room, Rooms::RoomStateFile::Field::Comment, day, mark.comment);
        }

        // Guests, three of them with a photograph of their own.
        GuestFile guests(directory + GuestFile::kFileName);
        std::vector<int> guestIds;
        for (const Guest& g : Demo::guests()) {
            GuestData data{g.titul, g.firstName, g.middleName, g.surName, g.telephone, g.cellular,
                           g.email, g.idCardNum, g.idCardType, g.comment, placeholder};
            if (g.portrait) {
                const QString photo = directory + g.portrait->fileName;
                if (!drawPortrait(*g.portrait).save(photo, "JPG", 88))
                    fail(QStringLiteral("cannot write %1").arg(photo));
                data.photo = photo;
            }
            guestIds.push_back(guests.saveNewGuest(data));
        }

        // Reservations, each stored as the create-reservation window stores it: days sorted as text,
        // the conflict test and the store in one transaction. Some are cancelled afterwards.
        ReservationFile reservations(directory + ReservationFile::kFileName);
        for (const Demo::Stay& stay : Demo::stays()) {
            QStringList days;
            for (int d = 0; d < stay.nights; ++d)
                days << RegionalSettings::dateText(today.addDays(stay.firstDayOffset + d));
            days.sort(Qt::CaseInsensitive);
            const int guestId = guestIds.at(static_cast<std::size_t>(stay.guest));
            int number = 0;
            {
                IniTransaction tx(directory);
                if (reservations.roomTakenOnAnyDay(tx, stay.room, days))
                    fail(QStringLiteral("demo stays overlap in room %1").arg(stay.room));
                number = reservations.store(tx, guestId, stay.room, days, guests, rooms);
                tx.commit();
            }
            if (stay.cancelled) {
                IniTransaction tx(directory);
                reservations.cancel(tx, number, QDateTime(today.addDays(stay.firstDayOffset - 3), QTime(9, 41, 7)),
                                    guests, rooms);
                tx.commit();
            }
            if (stay.guestInRoom)
                rooms.writeDefaultBool(stay.room, Rooms::RoomStateFile::Field::IsHosted, true);
        }
    } catch (const std::exception& error) {
        fail(QString::fromUtf8(error.what()));
    }
    std::printf("Demo guesthouse written to %s for %s\n", qPrintable(directory),
                qPrintable(RegionalSettings::dateText(today)));
    return 0;
}
