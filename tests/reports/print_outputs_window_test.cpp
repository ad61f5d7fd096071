// TForm17: the page control and its controls, generating report.pdf from the data files, the
// viewer reloading it, the day filter, a failed save, and printing through the printer seam.
#include "tests/reports/pdf_tools.h"
#include "tests/reports/print_check.h"
#include "tests/reports/report_fixture.h"

#include "widgets/color_button.h"
#include "widgets/screw_panel.h"

#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QPdfView>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <unistd.h>

namespace {

using PrintOutputs = ReportTest;

const QString kCzechGuest = QStringLiteral("Dvořák Šťastný Žofie");

TEST_F(PrintOutputs, ShowOpensTheGuestBookWithTodayAndHidesTheOtherTabs)
{
    TForm17& w = window();
    w.PageControl1->setCurrentWidget(w.TabSheet3);
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tiskové výstupy"));
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheet1);
    EXPECT_TRUE(w.PageControl1->isTabVisible(0));
    EXPECT_FALSE(w.PageControl1->isTabVisible(1));
    EXPECT_FALSE(w.PageControl1->isTabVisible(2));
    EXPECT_EQ(w.PageControl1->tabText(0), QStringLiteral("Ubytovací kniha"));
    EXPECT_EQ(w.PageControl1->tabText(1), QStringLiteral("Úklid"));
    EXPECT_EQ(w.PageControl1->tabText(2), QStringLiteral("Správa hotelu"));
    for (const TForm17::ReportPage& p : w.pages)
        EXPECT_EQ(p.day->date(), clock.date()) << p.day->objectName().toStdString();
    EXPECT_EQ(w.kal1->text(), QStringLiteral("5.3.2026"));
    EXPECT_TRUE(w.Vygen1->isEnabled());
    EXPECT_FALSE(w.pages[1].generate->isEnabled());
    EXPECT_FALSE(w.pages[2].generate->isEnabled());

    // A second show of the visible window changes nothing; the next show after hiding does.
    w.PageControl1->setTabVisible(1, true);
    clock = clock.addDays(1);
    w.show();
    EXPECT_TRUE(w.PageControl1->isTabVisible(1));
    w.hide();
    w.show();
    EXPECT_FALSE(w.PageControl1->isTabVisible(1));
    EXPECT_EQ(w.kal1->date(), QDate(2026, 3, 6));
}

TEST_F(PrintOutputs, ControlsCarryTheirNamesAndTheStepsStayHidden)
{
    TForm17& w = window();
    w.show();
    EXPECT_EQ(w.findChild<ColorButton*>(QStringLiteral("Vygen1")), w.Vygen1);
    EXPECT_EQ(w.findChild<ColorButton*>(QStringLiteral("TiskBut")), w.TiskBut);
    EXPECT_EQ(w.findChild<QDateEdit*>(QStringLiteral("kal1")), w.kal1);
    EXPECT_EQ(w.findChild<QRadioButton*>(QStringLiteral("vsechny")), w.vsechny);
    EXPECT_EQ(w.findChild<QRadioButton*>(QStringLiteral("vybrany")), w.vybrany);
    EXPECT_EQ(w.findChild<QPdfView*>(QStringLiteral("AcroPDF1")), w.AcroPDF1);
    EXPECT_EQ(w.AcroPDF1->parentWidget(), w.Panel1);
    EXPECT_EQ(w.Vygen1->caption(), QStringLiteral("Vygenerovat"));
    EXPECT_EQ(w.TiskBut->caption(), QStringLiteral("Tisk"));
    EXPECT_EQ(w.vsechny->text(), QStringLiteral("Všechny dny"));
    EXPECT_EQ(w.vybrany->text(), QStringLiteral("Vybraný den"));
    EXPECT_TRUE(w.vsechny->isChecked());
    const std::pair<QPushButton*, const char16_t*> steps[] = {{w.novy1, u"Nový"},     {w.Ram1, u"Rámečky"},
                                                              {w.Pop1, u"Popisky"},   {w.Ob1, u"Obsah"},
                                                              {w.Ulozit1, u"Uložit"}, {w.Zobr1, u"Zobrazit"}};
    for (const auto& [button, caption] : steps) {
        EXPECT_EQ(button->text(), QString::fromUtf16(caption));
        EXPECT_FALSE(button->isVisible()) << button->objectName().toStdString();
    }
    EXPECT_FALSE(w.kal1->accessibleName().isEmpty());
    EXPECT_FALSE(w.AcroPDF1->accessibleName().isEmpty());
}

// The report is read in the viewer: it fills the guest book page below the controls, at any size.
TEST_F(PrintOutputs, ViewerFillsThePageBelowTheControls)
{
    TForm17& w = window();
    w.show();
    for (const QSize size : {QSize(900, 760), QSize(1200, 1000)}) {
        w.resize(size);
        QCoreApplication::sendPostedEvents();
        const QRect sheet = w.TabSheet1->rect();
        EXPECT_GT(w.Panel1->width(), sheet.width() - 40) << size.width();
        EXPECT_GT(w.Panel1->geometry().bottom(), sheet.bottom() - 40) << size.height();
        EXPECT_GT(w.AcroPDF1->width(), w.Panel1->width() - 40);
        EXPECT_GT(w.AcroPDF1->height(), w.Panel1->height() - 40);
        EXPECT_GT(w.Panel1->y(), w.Vygen1->geometry().bottom());
    }
}

TEST_F(PrintOutputs, WithoutReservationsTheReportIsOnePageWithFrameAndHeading)
{
    window().show();
    generate();
    EXPECT_TRUE(dialogs.record.shown.empty());
    ASSERT_TRUE(QFileInfo::exists(reportPath()));
    PdfTools::expectQpdfAccepts(reportPath());
    EXPECT_EQ(PdfTools::pageCount(reportPath()), 1);
    const QString text = PdfTools::text(reportPath());
    for (const char16_t* part : {u"Ubytovací kniha", u"Ubytovaní hosté:", u"Datum: 5.3.2026", u"Strana: 1.",
                                 u"Výpis byl vytvoren aplikací Lodgera 1.0.0.5 5.3.2026", u"Kontrola:"})
        EXPECT_TRUE(text.contains(QString::fromUtf16(part))) << QString::fromUtf16(part).toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("??")));
    // The viewer shows it.
    EXPECT_EQ(window().report()->status(), QPdfDocument::Status::Ready);
    EXPECT_EQ(window().report()->pageCount(), 1);
    EXPECT_EQ(window().AcroPDF1->document(), window().report());
    EXPECT_EQ(window().PDF, nullptr); // freed by the save step
}

// Each reservation's days in order; cancelled ones and those without days add nothing; missing
// guests, rooms and days read as their missing texts.
TEST_F(PrintOutputs, ListsTheDaysOfActiveReservationsWithMissingTexts)
{
    writeDataFile(QStringLiteral("Clients.dat"),
                  {QStringLiteral("[Client_2]"), QStringLiteral("FirstName=Žofie"),
                   QStringLiteral("MiddleName=Šťastný"), QStringLiteral("SurName=Dvořák"), QStringLiteral("[Client_3]"),
                   QStringLiteral("FirstName=Zrušený"), QStringLiteral("MiddleName=X"),
                   QStringLiteral("SurName=Host")});
    writeDataFile(QStringLiteral("Rooms.dat"),
                  {QStringLiteral("[DefaultsRooms]"), QStringLiteral("Room1Name=Přízemí 1"),
                   QStringLiteral("Room2Name=Cancelled room")});
    writeReservations({
        {QStringLiteral("ClientID=2"), QStringLiteral("Days=2"), QStringLiteral("Room=1"),
         QStringLiteral("Day1=5.3.2026"), QStringLiteral("Day2=6.3.2026")},
        {QStringLiteral("ClientID=3"), QStringLiteral("Days=1"), QStringLiteral("Room=2"),
         QStringLiteral("Day1=7.3.2026"), QStringLiteral("Active=0"), QStringLiteral("Canceled=1")},
        {QStringLiteral("ClientID=2"), QStringLiteral("Days=0"), QStringLiteral("Room=1")},
        {QStringLiteral("ClientID=99"), QStringLiteral("Days=2"), QStringLiteral("Room=7"),
         QStringLiteral("Day1=8.3.2026")},
    });
    window().show();
    generate();
    ASSERT_TRUE(dialogs.record.shown.empty()) << dialogs.record.texts().join(u'\n').toStdString();
    PdfTools::expectQpdfAccepts(reportPath());

    const QString text = PdfTools::text(reportPath(), 1, 0, true);
    const QStringList expectedInOrder{kCzechGuest,
                                      QStringLiteral("5.3.2026"),
                                      QStringLiteral("Přízemí 1"),
                                      kCzechGuest,
                                      QStringLiteral("6.3.2026"),
                                      QStringLiteral("Přízemí 1"),
                                      QStringLiteral("?? ?? ??"),
                                      QStringLiteral("8.3.2026"),
                                      QStringLiteral("? (7)"),
                                      QStringLiteral("?? ?? ??"),
                                      QStringLiteral("??.??.????"),
                                      QStringLiteral("? (7)")};
    qsizetype from = 0;
    for (const QString& part : expectedInOrder) {
        const qsizetype at = text.indexOf(part, from);
        ASSERT_GE(at, 0) << "missing after offset " << from << ": " << part.toStdString() << "\n" << text.toStdString();
        from = at + part.size();
    }
    EXPECT_FALSE(text.contains(QStringLiteral("Zrušený")));
    EXPECT_FALSE(text.contains(QStringLiteral("Cancelled room")));
    EXPECT_FALSE(text.contains(QStringLiteral("7.3.2026")));
    EXPECT_EQ(text.count(kCzechGuest), 2);
    // The viewer has the same text as the file.
    EXPECT_TRUE(viewerText().contains(kCzechGuest));
}

TEST_F(PrintOutputs, ChosenDayListsOnlyThatDaysText)
{
    writeReservations(
        {{QStringLiteral("ClientID=2"), QStringLiteral("Days=3"), QStringLiteral("Room=1"),
          QStringLiteral("Day1=5.3.2026"), QStringLiteral("Day2=6.3.2026"), QStringLiteral("Day3=06.03.2026")},
         {QStringLiteral("ClientID=3"), QStringLiteral("Days=1"), QStringLiteral("Room=2"),
          QStringLiteral("Day1=6.3.2026")}});
    clock = QDateTime(QDate(2026, 4, 20), QTime(9, 0)); // the footer's date is none of the listed days
    window().show();
    window().kal1->setDate(QDate(2026, 3, 6));
    leftClick(window().vybrany);
    ASSERT_TRUE(window().vybrany->isChecked());
    generate();
    const QString text = PdfTools::text(reportPath());
    EXPECT_TRUE(text.contains(QStringLiteral("Datum: 6.3.2026")));
    EXPECT_TRUE(text.contains(QStringLiteral("Strana: 1.")));
    EXPECT_EQ(text.count(QStringLiteral("6.3.2026")), 3); // the heading and two lines
    EXPECT_FALSE(text.contains(QStringLiteral("5.3.2026")));
    EXPECT_FALSE(text.contains(QStringLiteral("06.03.2026")));
    EXPECT_TRUE(text.contains(QStringLiteral("? (2)")));

    // The mode stays between shows.
    window().hide();
    window().show();
    EXPECT_TRUE(window().vybrany->isChecked());
}

// 91 room-days: the 91st opens page 2 in both modes; when the chosen day is not the 91st, page 2
// carries only its frame and heading.
TEST_F(PrintOutputs, PageBreakFallsOnTheNinetyFirstRoomDay)
{
    QStringList days{QStringLiteral("ClientID=2"), QStringLiteral("Days=91"), QStringLiteral("Room=1")};
    for (int d = 1; d <= 90; ++d)
        days << QStringLiteral("Day%1=5.3.2026").arg(d);
    days << QStringLiteral("Day91=6.3.2026");
    writeReservations({days});
    window().show();

    generate();
    EXPECT_EQ(PdfTools::pageCount(reportPath()), 2);
    EXPECT_TRUE(PdfTools::text(reportPath(), 2, 2).contains(QStringLiteral("6.3.2026")));
    EXPECT_EQ(window().report()->pageCount(), 2);

    leftClick(window().vybrany);
    generate();
    EXPECT_EQ(PdfTools::pageCount(reportPath()), 2);
    const QString second = PdfTools::text(reportPath(), 2, 2);
    EXPECT_TRUE(second.contains(QStringLiteral("Strana: 2.")));
    EXPECT_TRUE(second.contains(QStringLiteral("Datum: 5.3.2026")));
    EXPECT_FALSE(second.contains(QStringLiteral("?? ?? ??")));
    EXPECT_EQ(PdfTools::text(reportPath(), 1, 1).count(QStringLiteral("?? ?? ??")), 90);
}

// Names of open files of this process that point at path.
int openHandlesOn(const QString& path)
{
    int count = 0;
    const QString target = QFileInfo(path).canonicalFilePath();
    for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files))
        if (!target.isEmpty() && fd.symLinkTarget() == target)
            ++count;
    return count;
}

TEST_F(PrintOutputs, GeneratingAgainReplacesTheFileAndReloadsTheViewer)
{
    writeDataFile(QStringLiteral("Clients.dat"), {QStringLiteral("[Client_2]"), QStringLiteral("SurName=Prvni"),
                                                  QStringLiteral("[Client_3]"), QStringLiteral("SurName=Druhy")});
    writeReservations({{QStringLiteral("ClientID=2"), QStringLiteral("Days=1"), QStringLiteral("Room=1"),
                        QStringLiteral("Day1=5.3.2026")}});
    window().show();
    generate();
    ASSERT_TRUE(viewerText().contains(QStringLiteral("Prvni")));
    EXPECT_EQ(openHandlesOn(reportPath()), 0);

    QStringList second{QStringLiteral("ClientID=3"), QStringLiteral("Days=91"), QStringLiteral("Room=1")};
    for (int d = 1; d <= 91; ++d)
        second << QStringLiteral("Day%1=6.3.2026").arg(d);
    writeReservations({{QStringLiteral("ClientID=2"), QStringLiteral("Days=1"), QStringLiteral("Room=1"),
                        QStringLiteral("Day1=5.3.2026"), QStringLiteral("Active=0")},
                       second});
    generate();
    ASSERT_TRUE(dialogs.record.shown.empty()) << dialogs.record.texts().join(u'\n').toStdString();
    EXPECT_EQ(PdfTools::pageCount(reportPath()), 2);
    EXPECT_EQ(window().report()->status(), QPdfDocument::Status::Ready);
    EXPECT_EQ(window().report()->pageCount(), 2);
    EXPECT_FALSE(viewerText().contains(QStringLiteral("Prvni")));
    EXPECT_TRUE(window().report()->getAllText(1).text().contains(QStringLiteral("Druhy")));
    EXPECT_EQ(openHandlesOn(reportPath()), 0);
}

// report.pdf cannot be replaced: the save step's file error reaches the error box naming the file,
// the viewer keeps the last report and the next generation that can write works again.
TEST_F(PrintOutputs, UnwritableReportReachesTheErrorBoxAndSkipsTheShowStep)
{
    writeDataFile(QStringLiteral("Clients.dat"), {QStringLiteral("[Client_2]"), QStringLiteral("SurName=Prvni")});
    writeReservations({{QStringLiteral("ClientID=2"), QStringLiteral("Days=1"), QStringLiteral("Room=1"),
                        QStringLiteral("Day1=5.3.2026")}});
    window().show();
    generate();
    ASSERT_TRUE(viewerText().contains(QStringLiteral("Prvni")));

    // A folder in the report's place cannot be replaced by a file, not even by root.
    ASSERT_TRUE(QFile::remove(reportPath()));
    ASSERT_TRUE(QDir().mkdir(reportPath()));
    writeReservations({});
    generate();
    ASSERT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(dialogs.record.shown[0].text.contains(reportPath())) << dialogs.record.shown[0].text.toStdString();
    EXPECT_TRUE(QFileInfo(reportPath()).isDir());
    EXPECT_TRUE(viewerText().contains(QStringLiteral("Prvni"))); // the show step did not run
    EXPECT_TRUE(QDir(dataDirectory()).entryList(QDir::Files).filter(QStringLiteral("report")).isEmpty())
        << "no temporary file left behind";

    ASSERT_TRUE(QDir().rmdir(reportPath()));
    generate();
    EXPECT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_FALSE(viewerText().contains(QStringLiteral("Prvni")));
}

// An old report that cannot be replaced stays as it was. Root may write anything that is only
// read-only, so the file is made immutable; where that is not possible, a read-only folder stops an
// ordinary user.
TEST_F(PrintOutputs, OldReportStaysWhenItCannotBeReplaced)
{
    window().show();
    generate();
    const QByteArray old = [&] {
        QFile f(reportPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_FALSE(old.isEmpty());
    writeReservations({{QStringLiteral("ClientID=2"), QStringLiteral("Days=1"), QStringLiteral("Room=1"),
                        QStringLiteral("Day1=5.3.2026")}});

    struct Unlock
    {
        QString path;
        bool immutable = false;
        ~Unlock()
        {
            if (immutable)
                QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
            QFile::setPermissions(QFileInfo(path).path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    } unlock{reportPath()};
    if (geteuid() == 0) {
        unlock.immutable = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), reportPath()}) == 0;
        if (!unlock.immutable)
            GTEST_SKIP() << "running as root and chattr +i is not supported on this file system; the folder case "
                            "(UnwritableReportReachesTheErrorBoxAndSkipsTheShowStep) covers the failure path";
    } else {
        ASSERT_TRUE(QFile::setPermissions(dataDirectory(), QFile::ReadOwner | QFile::ExeOwner));
    }

    generate();
    ASSERT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(dialogs.record.shown[0].text.contains(reportPath())) << dialogs.record.shown[0].text.toStdString();
    QFile f(reportPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    EXPECT_FALSE(viewerText().contains(QStringLiteral("?? ?? ??")));
}

// --- Printing ------------------------------------------------------------------------------------

class Printing : public ReportTest
{
protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        ASSERT_TRUE(out.isValid());
        // The printer seam: a PDF file in place of a printer, chosen without a dialog.
        window().choosePrinter = [this](QPrinter& printer) {
            ++choices;
            pageSizeOffered = printer.pageLayout().pageSize().sizePoints();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printedPath());
            return answer;
        };
    }
    QString printedPath() const { return out.filePath(QStringLiteral("printed.pdf")); }

    void twoPageReport()
    {
        writeDataFile(QStringLiteral("Clients.dat"),
                      {QStringLiteral("[Client_2]"), QStringLiteral("FirstName=Žofie"),
                       QStringLiteral("MiddleName=Šťastný"), QStringLiteral("SurName=Dvořák")});
        QStringList days{QStringLiteral("ClientID=2"), QStringLiteral("Days=100"), QStringLiteral("Room=1")};
        for (int d = 1; d <= 100; ++d)
            days << QStringLiteral("Day%1=%2.3.2026").arg(d).arg(1 + d % 28);
        writeReservations({days});
        window().show();
        generate();
        ASSERT_EQ(window().report()->pageCount(), 2);
    }

    QTemporaryDir out;
    int choices = 0;
    bool answer = true;
    QSize pageSizeOffered;
};

TEST_F(Printing, NothingLoadedNothingToPrint)
{
    window().show();
    leftClick(window().TiskBut);
    EXPECT_EQ(choices, 0);
    EXPECT_FALSE(QFileInfo::exists(printedPath()));
    EXPECT_TRUE(dialogs.record.shown.empty());
}

TEST_F(Printing, PrintsEveryPageOfTheLoadedReportAt300Dpi)
{
    twoPageReport();
    leftClick(window().TiskBut);
    EXPECT_EQ(choices, 1);
    EXPECT_EQ(pageSizeOffered, QSize(612, 792));
    ASSERT_TRUE(dialogs.record.shown.empty()) << dialogs.record.texts().join(u'\n').toStdString();
    ASSERT_TRUE(QFileInfo::exists(printedPath()));
    PrintCheck::expectPrintedPagesMatch(printedPath(), reportPath());
}

TEST_F(Printing, CancelledChoicePrintsNothing)
{
    twoPageReport();
    answer = false;
    leftClick(window().TiskBut);
    EXPECT_EQ(choices, 1);
    EXPECT_FALSE(QFileInfo::exists(printedPath()));
}

TEST_F(Printing, PrinterThatCannotOpenReachesTheErrorBox)
{
    twoPageReport();
    window().choosePrinter = [this](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out.filePath(QStringLiteral("missing/folder/printed.pdf")));
        return true;
    };
    leftClick(window().TiskBut);
    ASSERT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(dialogs.record.shown[0].text.contains(QStringLiteral("missing/folder/printed.pdf")));
}

} // namespace
