#pragma once
// Where the guest book puts things: the page frame, the heading and the list's rows, columns and
// pages. Plain arithmetic without a writer, so every placement can be checked in table rows.

#include <QString>

#include <vector>

namespace GuestBook {

// Rows of a column block; the list restarts its line counter at 1 after a page break, so later
// pages hold one row less in the left block.
inline constexpr int kLinesPerPage = 90;
inline constexpr int kLeftBlockLines = 45;

// One stroked line of the page frame.
struct FrameLine
{
    int width;
    int x1, y1, x2, y2;
    friend bool operator==(const FrameLine&, const FrameLine&) = default;
};

// The page frame in drawing order: the outer border (four lines), the bands, the block edges, the
// header row, the inner columns and the 44 ruled lines.
const std::vector<FrameLine>& frameLines();

// Where one written line of the list lands.
struct LinePlacement
{
    int page = 1;   // from 1
    int column = 0; // 0 = left block, 1 = right block
    int row = 0;    // from 1 within the column
    int x0 = 0;     // left edge of the block: 265 per column
    int y = 0;      // baseline of the line's texts

    int nameX() const { return x0 + 20; }
    int dayX() const { return x0 + 156; }
    int roomX() const { return x0 + 205; }
    friend bool operator==(const LinePlacement&, const LinePlacement&) = default;
};

// The list's counters. Every reserved day of an active reservation first passes nextDay(), which
// switches column or page; a day that is listed then takes its place from placeLine(). A page
// break can thus fall on a day that the day filter leaves out.
class ListCursor final
{
public:
    explicit ListCursor(int page = 1) : page_(page) {}

    // The column and page switches before a reserved day; true when the day opens a new page.
    bool nextDay();
    // The place of the next written line.
    LinePlacement placeLine();

    int page() const { return page_; }

private:
    int lineCounter_ = 0;
    int column_ = 0;
    int row_ = 0;
    int page_;
};

// The n-th line (from 1) of a list in which every day is written.
LinePlacement placementOfLine(int n);

// Heading and column header texts.
QString pageNumberText(int page); // "Strana: 2. "
QString dateHeadingText(const QString& chosenDay);
QString footerText(const QString& version, const QString& today);
QString leftColumnHeader();
QString rightColumnHeader();

} // namespace GuestBook
