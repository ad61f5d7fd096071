#pragma once
// The guest book drawn with the PDF writer: the page frame, the page heading and the list of
// reserved room-days with its column and page switches.

#include "reports/guest_book_layout.h"

#include <QString>

#include <optional>
#include <vector>

class TPrintPDF;

namespace GuestBook {

// One reserved day of an active reservation, as the list prints it.
struct RoomDay
{
    QString guestName; // surname, middle name and first name
    QString day;       // the stored date text
    QString roomName;
    friend bool operator==(const RoomDay&, const RoomDay&) = default;
};

// What every page heading shows besides the page number.
struct Heading
{
    QString chosenDay; // the chosen day's date text, after "Datum: "
    QString footer;    // footerText(version, today)
};

// Draws the frame on the writer's current page; the line width is left at the last one drawn.
void drawFrame(TPrintPDF& pdf);
// Writes the heading texts; the font is Times-Roman 10 afterwards, the list's font.
void drawHeading(TPrintPDF& pdf, int page, const Heading& heading);

// Writes the list from the current page on. page is the page counter: it is raised at each page
// break, where a new page gets the frame and the heading. With onlyDay, only the room-days whose
// date text equals it exactly are written; the others still count for the page breaks.
void writeList(TPrintPDF& pdf, const std::vector<RoomDay>& days, const std::optional<QString>& onlyDay, int& page,
               const Heading& heading);

} // namespace GuestBook
