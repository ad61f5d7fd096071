// The guest book's layout: where each listed room-day lands (rows, columns, pages), the page frame
// and heading as the writer draws them, the day filter, and the written file read back by qpdf and
// pdftotext.
#include "reports/guest_book.h"
#include "reports/guest_book_layout.h"
#include "reports/print_pdf.h"
#include "tests/reports/pdf_content.h"
#include "tests/reports/pdf_tools.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace GuestBook;

namespace {

struct PlacementRow
{
    const char* name;
    int line; // from 1, every day listed
    LinePlacement expected;
};

class LinePlacementTest : public ::testing::TestWithParam<PlacementRow>
{
};

TEST_P(LinePlacementTest, LandsAtItsRowColumnAndPage)
{
    const PlacementRow& row = GetParam();
    EXPECT_EQ(placementOfLine(row.line), row.expected);
}

// {page, column, row, x0, y}
INSTANTIATE_TEST_SUITE_P(GuestBook, LinePlacementTest,
                         ::testing::Values(PlacementRow{"first", 1, {1, 0, 1, 0, 96}},
                                           PlacementRow{"second", 2, {1, 0, 2, 0, 111}},
                                           PlacementRow{"lastOfLeftBlockPage1", 45, {1, 0, 45, 0, 756}},
                                           PlacementRow{"firstOfRightBlockPage1", 46, {1, 1, 1, 265, 96}},
                                           PlacementRow{"lastOfPage1", 90, {1, 1, 45, 265, 756}},
                                           PlacementRow{"firstOfPage2", 91, {2, 0, 1, 0, 96}},
                                           PlacementRow{"lastOfLeftBlockPage2", 134, {2, 0, 44, 0, 741}},
                                           PlacementRow{"firstOfRightBlockPage2", 135, {2, 1, 1, 265, 96}},
                                           PlacementRow{"lastOfPage2", 179, {2, 1, 45, 265, 756}},
                                           PlacementRow{"firstOfPage3", 180, {3, 0, 1, 0, 96}},
                                           PlacementRow{"lastOfLeftBlockPage3", 223, {3, 0, 44, 0, 741}},
                                           PlacementRow{"firstOfRightBlockPage3", 224, {3, 1, 1, 265, 96}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GuestBookLayout, TextsOfALineStartAtTheBlockColumns)
{
    const LinePlacement right = placementOfLine(46);
    EXPECT_EQ(right.nameX(), 285);
    EXPECT_EQ(right.dayX(), 421);
    EXPECT_EQ(right.roomX(), 470);
    const LinePlacement left = placementOfLine(91);
    EXPECT_EQ(left.nameX(), 20);
    EXPECT_EQ(left.dayX(), 156);
    EXPECT_EQ(left.roomX(), 205);
}

// A page break or column switch waits for the next reserved day, listed or not.
TEST(GuestBookLayout, SwitchesHappenBeforeTheNextDayEvenWhenItIsNotListed)
{
    ListCursor cursor;
    for (int i = 0; i < 45; ++i) {
        EXPECT_FALSE(cursor.nextDay());
        cursor.placeLine();
    }
    EXPECT_FALSE(cursor.nextDay()); // a day left out: the column switches all the same
    EXPECT_EQ(cursor.placeLine(), (LinePlacement{1, 1, 1, 265, 96}));
    for (int i = 0; i < 44; ++i) {
        cursor.nextDay();
        cursor.placeLine();
    }
    EXPECT_TRUE(cursor.nextDay()); // the 91st day, left out, opens page 2
    EXPECT_EQ(cursor.page(), 2);
    EXPECT_FALSE(cursor.nextDay()); // further days left out change nothing
    EXPECT_EQ(cursor.page(), 2);
    EXPECT_EQ(cursor.placeLine(), (LinePlacement{2, 0, 1, 0, 96}));
}

TEST(GuestBookLayout, HeadingTexts)
{
    EXPECT_EQ(pageNumberText(2), QStringLiteral("Strana: 2. "));
    EXPECT_EQ(dateHeadingText(QStringLiteral("5.3.2026")), QStringLiteral("Datum: 5.3.2026"));
    EXPECT_EQ(footerText(QStringLiteral("1.0.0.5"), QStringLiteral("5.3.2026")),
              QStringLiteral("Výpis byl vytvoren aplikací Lodgera 1.0.0.5 5.3.2026"));
    EXPECT_EQ(leftColumnHeader(), QStringLiteral("Jméno hosta:") + QString(35, u' ') + QStringLiteral("Den:") +
                                      QString(8, u' ') + QStringLiteral("Pokoj:"));
    EXPECT_EQ(rightColumnHeader(), leftColumnHeader() + QString(22, u' ') + QStringLiteral("Kontrola:"));
}

// --- The document as the writer records it ----------------------------------------------------

const Heading kHeading{QStringLiteral("5.3.2026"), footerText(QStringLiteral("1.0.0.5"), QStringLiteral("4.3.2026"))};

// A writer with frame and heading on page 1, as the window's first steps leave it.
class GuestBookDocument : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        pdf.FileName = dir.filePath(QStringLiteral("report.pdf"));
        pdf.BeginDoc();
        drawFrame(pdf);
        drawHeading(pdf, page, kHeading);
    }

    std::vector<PdfContent::Page> finish()
    {
        pdf.EndDoc();
        return PdfContent::pages(pdf.document());
    }

    static std::vector<RoomDay> days(int count, const QString& day = QStringLiteral("5.3.2026"))
    {
        std::vector<RoomDay> all;
        for (int i = 1; i <= count; ++i)
            all.push_back({QStringLiteral("Host%1 X Y").arg(i), day, QStringLiteral("Pokoj %1").arg(i)});
        return all;
    }

    // The list lines of a page: its texts after the heading's seven.
    static std::vector<PdfContent::Text> listTexts(const PdfContent::Page& page)
    {
        return {page.texts.begin() + std::min<std::size_t>(7, page.texts.size()), page.texts.end()};
    }

    QTemporaryDir dir;
    TPrintPDF pdf{nullptr, [] { return QDateTime(QDate(2026, 3, 4), QTime(9, 0)); }};
    int page = 1;
};

TEST_F(GuestBookDocument, FrameIsDrawnLineByLineInItsOrderAndWidths)
{
    using PdfContent::Line;
    std::vector<Line> expected{
        {3, 12, 12, 12, 780},   {3, 12, 780, 600, 780}, {3, 600, 780, 600, 12}, {3, 600, 12, 12, 12}, // border
        {3, 12, 40, 600, 40},   {2, 430, 11, 430, 39},  {2, 300, 41, 300, 69},  {2, 12, 70, 600, 70},
        {2, 12, 760, 600, 760}, {2, 275, 71, 275, 760}, {2, 545, 71, 545, 760}, {2, 12, 85, 600, 85},
        {1, 154, 71, 154, 760}, {1, 198, 71, 198, 760}, {1, 235, 71, 235, 760}, {1, 417, 71, 417, 760},
        {1, 465, 71, 465, 760}, {1, 505, 71, 505, 760}};
    for (int y = 100; y <= 745; y += 15)
        expected.push_back({1, 13, y, 600, y});
    const auto pages = finish();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].lines, expected);
}

TEST_F(GuestBookDocument, HeadingTextsFontsAndPositions)
{
    using PdfContent::Text;
    const std::vector<Text> expected{
        {1, 15, 50, 32, QStringLiteral("Ubytovací kniha")},
        {1, 15, 20, 60, QStringLiteral("Ubytovaní hosté:")},
        {1, 15, 450, 32, QStringLiteral("Datum: 5.3.2026")},
        {1, 15, 320, 32, QStringLiteral("Strana: 1. ")},
        {8, 10, 25, 775, QStringLiteral("Výpis byl vytvoren aplikací Lodgera 1.0.0.5 4.3.2026")},
        {8, 10, 25, 80, leftColumnHeader()},
        {8, 10, 290, 80, rightColumnHeader()},
    };
    const auto pages = finish();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].texts, expected);
}

TEST_F(GuestBookDocument, NothingListedLeavesOnePageWithFrameAndHeading)
{
    writeList(pdf, {}, std::nullopt, page, kHeading);
    const auto pages = finish();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].lines.size(), 62u);
    EXPECT_EQ(pages[0].texts.size(), 7u);
    EXPECT_EQ(page, 1);
}

TEST_F(GuestBookDocument, ListLineWritesNameDayAndRoomInTimes10)
{
    writeList(pdf, {{QStringLiteral("Dvořák Šťastný Žofie"), QStringLiteral("5.3.2026"), QStringLiteral("Přízemí 1")}},
              std::nullopt, page, kHeading);
    const auto pages = finish();
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<PdfContent::Text> expected{{8, 10, 20, 96, QStringLiteral("Dvořák Šťastný Žofie")},
                                                 {8, 10, 156, 96, QStringLiteral("5.3.2026")},
                                                 {8, 10, 205, 96, QStringLiteral("Přízemí 1")}};
    EXPECT_EQ(listTexts(pages[0]), expected);
}

TEST_F(GuestBookDocument, AllDaysBreaksPagesWithFrameAndNumberedHeading)
{
    writeList(pdf, days(180), std::nullopt, page, kHeading);
    EXPECT_EQ(page, 3);
    const auto pages = finish();
    ASSERT_EQ(pages.size(), 3u);

    const auto first = listTexts(pages[0]);
    ASSERT_EQ(first.size(), 3u * 90);
    EXPECT_EQ(first[3 * 45], (PdfContent::Text{8, 10, 285, 96, QStringLiteral("Host46 X Y")}));

    for (std::size_t p = 1; p < 3; ++p) {
        EXPECT_EQ(pages[p].lines, pages[0].lines) << "page " << p + 1;
        ASSERT_GE(pages[p].texts.size(), 7u);
        EXPECT_EQ(pages[p].texts[3], (PdfContent::Text{1, 15, 320, 32, pageNumberText(int(p) + 1)}));
    }
    const auto second = listTexts(pages[1]);
    ASSERT_EQ(second.size(), 3u * 89);
    EXPECT_EQ(second[0], (PdfContent::Text{8, 10, 20, 96, QStringLiteral("Host91 X Y")}));
    EXPECT_EQ(second[3 * 43], (PdfContent::Text{8, 10, 20, 741, QStringLiteral("Host134 X Y")}));
    EXPECT_EQ(second[3 * 44], (PdfContent::Text{8, 10, 285, 96, QStringLiteral("Host135 X Y")}));
    EXPECT_EQ(listTexts(pages[2]), (std::vector<PdfContent::Text>{{8, 10, 20, 96, QStringLiteral("Host180 X Y")},
                                                                  {8, 10, 156, 96, QStringLiteral("5.3.2026")},
                                                                  {8, 10, 205, 96, QStringLiteral("Pokoj 180")}}));
}

TEST_F(GuestBookDocument, ChosenDayListsOnlyItsTextInRowsOfItsOwn)
{
    std::vector<RoomDay> mixed{{QStringLiteral("A"), QStringLiteral("4.3.2026"), QStringLiteral("R1")},
                               {QStringLiteral("B"), QStringLiteral("5.3.2026"), QStringLiteral("R2")},
                               {QStringLiteral("C"), QStringLiteral("05.03.2026"), QStringLiteral("R3")},
                               {QStringLiteral("D"), QStringLiteral("5.3.2026 "), QStringLiteral("R4")},
                               {QStringLiteral("E"), QStringLiteral("5.3.2026"), QStringLiteral("R5")}};
    writeList(pdf, mixed, QStringLiteral("5.3.2026"), page, kHeading);
    const auto pages = finish();
    ASSERT_EQ(pages.size(), 1u);
    const auto list = listTexts(pages[0]);
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0], (PdfContent::Text{8, 10, 20, 96, QStringLiteral("B")}));
    EXPECT_EQ(list[3], (PdfContent::Text{8, 10, 20, 111, QStringLiteral("E")}));
}

// 90 lines fill page 1; the next reserved day is not the chosen one but still opens page 2,
// which then carries only its frame and heading.
TEST_F(GuestBookDocument, ChosenDayCanEndOnAPageWithOnlyFrameAndHeading)
{
    std::vector<RoomDay> list = days(90);
    list.push_back({QStringLiteral("Other"), QStringLiteral("6.3.2026"), QStringLiteral("R")});
    writeList(pdf, list, QStringLiteral("5.3.2026"), page, kHeading);
    EXPECT_EQ(page, 2);
    const auto pages = finish();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1].lines, pages[0].lines);
    ASSERT_EQ(pages[1].texts.size(), 7u);
    EXPECT_EQ(pages[1].texts[3].text, QStringLiteral("Strana: 2. "));
    EXPECT_EQ(pages[1].texts[2].text, QStringLiteral("Datum: 5.3.2026"));
}

TEST_F(GuestBookDocument, CzechNamesReadBackFromTheWrittenFile)
{
    std::vector<RoomDay> list = days(100);
    list[95] = {QStringLiteral("Dvořák Šťastný Žofie"), QStringLiteral("5.3.2026"), QStringLiteral("Přízemí 1")};
    writeList(pdf, list, std::nullopt, page, kHeading);
    pdf.EndDoc();
    PdfTools::expectQpdfAccepts(pdf.FileName);
    EXPECT_EQ(PdfTools::pageCount(pdf.FileName), 2);
    const QString first = PdfTools::text(pdf.FileName, 1, 1);
    EXPECT_TRUE(first.contains(QStringLiteral("Výpis byl vytvoren aplikací Lodgera 1.0.0.5 4.3.2026")))
        << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("Ubytovaní hosté:")));
    EXPECT_TRUE(first.contains(QStringLiteral("Strana: 1.")));
    const QString second = PdfTools::text(pdf.FileName, 2, 2);
    EXPECT_TRUE(second.contains(QStringLiteral("Dvořák Šťastný Žofie"))) << second.toStdString();
    EXPECT_TRUE(second.contains(QStringLiteral("Přízemí 1")));
    EXPECT_TRUE(second.contains(QStringLiteral("Strana: 2.")));
    EXPECT_FALSE(second.contains(QStringLiteral("Host90 X Y")));
}

} // namespace
