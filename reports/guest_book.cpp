#include "reports/guest_book.h"

#include "reports/print_pdf.h"

namespace GuestBook {

namespace {

constexpr std::uint8_t kHelveticaBold = 1;
constexpr std::uint8_t kTimesRoman = 8;

} // namespace

void drawFrame(TPrintPDF& pdf)
{
    for (const FrameLine& l : frameLines()) {
        pdf.LineWidth = l.width;
        pdf.DrawLine(l.x1, l.y1, l.x2, l.y2);
    }
}

void drawHeading(TPrintPDF& pdf, int page, const Heading& heading)
{
    pdf.Font.FontNumber = kHelveticaBold;
    pdf.Font.FontSize = 15;
    pdf.TextOut(50, 32, QStringLiteral("Ubytovací kniha"));
    pdf.TextOut(20, 60, QStringLiteral("Ubytovaní hosté:"));
    pdf.TextOut(450, 32, dateHeadingText(heading.chosenDay));
    pdf.TextOut(320, 32, pageNumberText(page));

    pdf.Font.FontNumber = kTimesRoman;
    pdf.Font.FontSize = 10;
    pdf.TextOut(25, 775, heading.footer);
    pdf.TextOut(25, 80, leftColumnHeader());
    pdf.TextOut(290, 80, rightColumnHeader());
}

void writeList(TPrintPDF& pdf, const std::vector<RoomDay>& days, const std::optional<QString>& onlyDay, int& page,
               const Heading& heading)
{
    ListCursor cursor(page);
    for (const RoomDay& d : days) {
        if (cursor.nextDay()) {
            page = cursor.page();
            pdf.NewPage();
            drawFrame(pdf);
            drawHeading(pdf, page, heading);
        }
        if (onlyDay && d.day != *onlyDay)
            continue;
        const LinePlacement at = cursor.placeLine();
        pdf.TextOut(at.nameX(), at.y, d.guestName);
        pdf.TextOut(at.dayX(), at.y, d.day);
        pdf.TextOut(at.roomX(), at.y, d.roomName);
    }
    page = cursor.page();
}

} // namespace GuestBook
