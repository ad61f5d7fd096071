#include "reports/guest_book_layout.h"

namespace GuestBook {

const std::vector<FrameLine>& frameLines()
{
    static const std::vector<FrameLine> lines = [] {
        std::vector<FrameLine> l;
        // The outer border, drawn as the writer draws a rectangle.
        l.push_back({3, 12, 12, 12, 780});
        l.push_back({3, 12, 780, 600, 780});
        l.push_back({3, 600, 780, 600, 12});
        l.push_back({3, 600, 12, 12, 12});
        l.push_back({3, 12, 40, 600, 40});   // bottom of the title band
        l.push_back({2, 430, 11, 430, 39});  // divider in the title band
        l.push_back({2, 300, 41, 300, 69});  // divider in the second band
        l.push_back({2, 12, 70, 600, 70});   // bottom of the second band
        l.push_back({2, 12, 760, 600, 760}); // top of the footer band
        l.push_back({2, 275, 71, 275, 760}); // right edges of the two column blocks
        l.push_back({2, 545, 71, 545, 760});
        l.push_back({2, 12, 85, 600, 85}); // bottom of the column header row
        for (int x : {154, 198, 235, 417, 465, 505})
            l.push_back({1, x, 71, x, 760});
        for (int i = 0; i < 44; ++i)
            l.push_back({1, 13, 100 + 15 * i, 600, 100 + 15 * i});
        return l;
    }();
    return lines;
}

bool ListCursor::nextDay()
{
    if (lineCounter_ == kLeftBlockLines && column_ == 0) {
        column_ = 1;
        row_ = 0;
    }
    if (lineCounter_ == kLinesPerPage) {
        column_ = 0;
        row_ = 0;
        ++page_;
        lineCounter_ = 1;
        return true;
    }
    return false;
}

LinePlacement ListCursor::placeLine()
{
    ++row_;
    ++lineCounter_;
    LinePlacement p;
    p.page = page_;
    p.column = column_;
    p.row = row_;
    p.x0 = 265 * column_;
    p.y = 81 + 15 * row_;
    return p;
}

LinePlacement placementOfLine(int n)
{
    ListCursor cursor;
    LinePlacement p;
    for (int i = 0; i < n; ++i) {
        cursor.nextDay();
        p = cursor.placeLine();
    }
    return p;
}

QString pageNumberText(int page)
{
    return QStringLiteral("Strana: ") + QString::number(page) + QStringLiteral(". ");
}

QString dateHeadingText(const QString& chosenDay)
{
    return QStringLiteral("Datum: ") + chosenDay;
}

QString footerText(const QString& version, const QString& today)
{
    return QStringLiteral("Výpis byl vytvoren aplikací Lodgera ") + version + u' ' + today;
}

QString leftColumnHeader()
{
    return QStringLiteral("Jméno hosta:") + QString(35, u' ') + QStringLiteral("Den:") + QString(8, u' ') +
           QStringLiteral("Pokoj:");
}

QString rightColumnHeader()
{
    return leftColumnHeader() + QString(22, u' ') + QStringLiteral("Kontrola:");
}

} // namespace GuestBook
