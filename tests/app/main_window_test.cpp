#include "tests/support/program_fixture.h"

#include "app/camera_window.h"
#include "guests/guest_card_window.h"
#include "guests/guest_picker_window.h"
#include "reports/print_outputs_window.h"
#include "reservations/reservation_menu_window.h"
#include "rooms/reception_window.h"
#include "settings/settings_window.h"

#include "widgets/color_button.h"
#include "widgets/gradient_background.h"
#include "widgets/lcd99.h"

#include <QFile>
#include <QTextBlock>

#include <ostream>

namespace {

const QString kNeniFunkce = QStringLiteral("Danou funkci není možno použít, jelikož nebyl nalezen odpovídající modul.");
const QString kAkceprovedena = QStringLiteral("Akce byla v pořádku provedena.");

ColorButton* buttonNamed(TForm1& window, const char* name)
{
    return window.findChild<ColorButton*>(QString::fromUtf8(name));
}

void createFile(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

using MainWindow = ProgramTest;

TEST_F(MainWindow, CreationCapturesDataDirectoryAndShowsExplanatoryPage)
{
    EXPECT_EQ(forms().dataDirectory, dataDirectory());
    EXPECT_EQ(main().programVersion, QStringLiteral("1.0.0.5"));
    EXPECT_TRUE(main().windowTitle().startsWith(QStringLiteral("Lodgera 1.0")));
    ASSERT_EQ(chat().navigations, QStringList{webChatExplanationPage()});
    EXPECT_TRUE(webChatExplanationPage().startsWith(QStringLiteral("about:<b>")));
    EXPECT_EQ(main().hodinky->value(), QStringLiteral("00:00:00"));
    for (const char* name : {"UcetBut", "UctyBut", "TelefonyBut", "chatposlat"})
        EXPECT_FALSE(buttonNamed(main(), name)->isEnabled()) << name;
    EXPECT_FALSE(main().chattext->isEnabled());
    EXPECT_FALSE(main().chatkomu->isEnabled());
}

TEST_F(MainWindow, ShownItCoversTheScreen)
{
    main().show();
    EXPECT_EQ(main().geometry(), main().screen()->geometry());
    // The background follows the new size.
    EXPECT_EQ(main().findChild<GradientBackground*>()->geometry(), main().rect());
}

TEST_F(MainWindow, BackgroundStaysBehindEveryControl)
{
    // The gradient fills the designed window yet must never take a click meant for a button or a box.
    ASSERT_EQ(main().size(), QSize(1024, 768));
    QList<QWidget*> controls{main().hodinky, main().Kalendar, main().log, main().chattext};
    const QList<ColorButton*> buttons = main().findChildren<ColorButton*>();
    ASSERT_EQ(buttons.size(), 18);
    controls.append(QList<QWidget*>(buttons.begin(), buttons.end()));
    for (QWidget* control : controls) {
        const QPoint centre = control->mapTo(&main(), control->rect().center());
        QWidget* hit = main().childAt(centre);
        EXPECT_TRUE(hit == control || control->isAncestorOf(hit)) << control->objectName().toStdString();
    }
    const auto* background = main().findChild<GradientBackground*>();
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->geometry(), main().rect());
}

TEST_F(MainWindow, RecepceOpensReceptionFromMainWindowAndMovesLeft)
{
    EXPECT_EQ(forms().form5->Rezim, QStringLiteral("SYSTEM"));
    main().move(100, 40);
    leftClick(main().RecepceBut);
    EXPECT_EQ(forms().form5->Rezim, QStringLiteral("FORM1"));
    EXPECT_TRUE(forms().form5->isVisible());
    EXPECT_EQ(main().pos(), QPoint(0, 40));
}

struct ShowsCase
{
    const char* button;
    std::function<QWidget*(Forms&)> window;
};

// Names the row in test output.
void PrintTo(const ShowsCase& row, std::ostream* out)
{
    *out << row.button;
}

class MainWindowShows : public ProgramTest, public ::testing::WithParamInterface<ShowsCase>
{
};

TEST_P(MainWindowShows, ButtonShowsItsWindow)
{
    QWidget* window = GetParam().window(forms());
    ASSERT_FALSE(window->isVisible());
    leftClick(buttonNamed(main(), GetParam().button));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(dialogs.record.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, MainWindowShows,
                         ::testing::Values(ShowsCase{"VyberHostaBut", [](Forms& f) { return f.form13; }},
                                           ShowsCase{"RezervaceBut", [](Forms& f) { return f.form7; }},
                                           ShowsCase{"NastaveniBut", [](Forms& f) { return f.form15; }},
                                           ShowsCase{"TiskBut", [](Forms& f) { return f.form17; }},
                                           ShowsCase{"WebCamPokojeBut", [](Forms& f) { return f.form2; }}),
                         [](const auto& info) { return std::string(info.param.button); });

// Companion programs: where each one's file is looked for, and how it is started.
enum class Place { WorkingDirectory, DataDirectory, BarFolder };

struct CompanionCase
{
    const char* name;
    const char* button;
    Place place;
    const char* file;
    const char* parameters;
    Place folder; // WorkingDirectory: no folder given
};

// Names the row in test output.
void PrintTo(const CompanionCase& row, std::ostream* out)
{
    *out << row.name;
}

class CompanionProgram : public ProgramTest, public ::testing::WithParamInterface<std::tuple<CompanionCase, bool>>
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_TRUE(bar.isValid());
        forms().form15->barcesta->setText(bar.path());
    }
    QString folderOf(Place place) const
    {
        switch (place) {
        case Place::WorkingDirectory:
            return {};
        case Place::DataDirectory:
            return dataDirectory();
        case Place::BarFolder:
            return bar.path();
        }
        return {};
    }
    QTemporaryDir bar;
};

TEST_P(CompanionProgram, StartsWhenPresentOtherwiseReportsMissingModule)
{
    const auto& [c, present] = GetParam();
    const QString file = QString::fromUtf8(c.file);
    if (present)
        createFile(c.place == Place::WorkingDirectory ? QDir::current().filePath(file)
                                                      : QDir(folderOf(c.place)).filePath(file));
    main().show();

    leftClick(buttonNamed(main(), c.button));

    if (present) {
        ASSERT_EQ(shell.started.size(), 1u);
        EXPECT_EQ(shell.started[0].file, file);
        EXPECT_EQ(shell.started[0].parameters, QString::fromUtf8(c.parameters));
        EXPECT_EQ(shell.started[0].folder, folderOf(c.folder));
        EXPECT_TRUE(dialogs.record.shown.empty());
    } else {
        EXPECT_TRUE(shell.started.empty());
        EXPECT_EQ(dialogs.record.texts(), QStringList{kNeniFunkce});
        EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Plain);
    }
    // Only a started bar program sends our windows to the task bar.
    EXPECT_EQ(main().isMinimized(), present && c.place == Place::BarFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CompanionProgram,
    ::testing::Combine(::testing::Values(CompanionCase{"Cleaning", "UklidBut", Place::WorkingDirectory, "vorlen.exe",
                                                       "", Place::WorkingDirectory},
                                         CompanionCase{"Maintenance", "UdrzbaBut", Place::WorkingDirectory,
                                                       "tamsik.exe", "", Place::WorkingDirectory},
                                         CompanionCase{"Update", "AktualizaceBut", Place::DataDirectory, "pelmor.exe",
                                                       "", Place::DataDirectory},
                                         CompanionCase{"Bar", "BarBut", Place::BarFolder, "drusko.exe", "HOTEL",
                                                       Place::BarFolder}),
                       ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Present" : "Missing");
    });

TEST_F(MainWindow, CleaningLooksInTheWorkingDirectoryEvenAfterItMovedAway)
{
    // vorlen.exe and pelmor.exe both lie in the data directory; a file dialog then moved the
    // working directory elsewhere.
    createFile(dataDirectory() + QStringLiteral("vorlen.exe"));
    createFile(dataDirectory() + QStringLiteral("pelmor.exe"));
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    QDir::setCurrent(elsewhere.path());

    leftClick(main().UklidBut);
    EXPECT_EQ(dialogs.record.texts(), QStringList{kNeniFunkce});
    EXPECT_TRUE(shell.started.empty());

    // The update program is looked for in the data directory captured at creation.
    leftClick(main().AktualizaceBut);
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0].folder, dataDirectory());
}

struct WebActionCase
{
    const char* button;
    std::function<QLineEdit*(TForm15&)> field;
};

// Names the row in test output.
void PrintTo(const WebActionCase& row, std::ostream* out)
{
    *out << row.button;
}

class WebAction : public ProgramTest, public ::testing::WithParamInterface<WebActionCase>
{
};

TEST_P(WebAction, NavigatesConfirmsThenReloadsSettings)
{
    const QString address = QStringLiteral("http://127.0.0.1:8080/order.php?service=1&hotel=Lodgera");
    GetParam().field(*forms().form15)->setText(address);
    QStringList seenWhileOpen;
    dialogs.whileOpen = [&] { seenWhileOpen = chat().navigations; };

    leftClick(buttonNamed(main(), GetParam().button));

    EXPECT_EQ(dialogs.record.texts(), QStringList{kAkceprovedena});
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Plain);
    // The answer to the request is on view while the box is open; afterwards the load points the
    // view back at the explanatory page.
    EXPECT_EQ(seenWhileOpen, QStringList({webChatExplanationPage(), address}));
    EXPECT_EQ(chat().navigations, QStringList({webChatExplanationPage(), address, webChatExplanationPage()}));
}

INSTANTIATE_TEST_SUITE_P(Rows, WebAction,
                         ::testing::Values(WebActionCase{"TaxiBut", [](TForm15& s) { return s.taxiurl; }},
                                           WebActionCase{"KuryrBut", [](TForm15& s) { return s.kuryrurl; }}),
                         [](const auto& info) { return std::string(info.param.button); });

class NewGuest : public ProgramTest
{
protected:
    void fillCard()
    {
        TForm3& card = *forms().form3;
        for (QLineEdit* field : {card.titul, card.jmeno, card.jmeno2, card.prijmeni, card.telefon, card.mobil,
                                 card.email, card.dokladcislo, card.dokladtyp})
            field->setText(QStringLiteral("stará hodnota"));
        card.poznamka->setPlainText(QStringLiteral("řádek 1\nřádek 2"));
        card.CisloHosta = 7;
    }
    void expectEmptied()
    {
        TForm3& card = *forms().form3;
        for (QLineEdit* field : {card.titul, card.jmeno, card.jmeno2, card.prijmeni, card.telefon, card.mobil,
                                 card.email, card.dokladcislo, card.dokladtyp})
            EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
        EXPECT_TRUE(card.poznamka->toPlainText().isEmpty());
        EXPECT_EQ(card.CisloHosta, 0);
        EXPECT_EQ(card.FotoPath->FileName(), dataDirectory() + QStringLiteral("nofoto.jpg"));
    }
};

TEST_F(NewGuest, EmptiesTheCardAndShowsItWithThePlaceholderPhoto)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(LODGERA_SOURCE_DIR "/demo/nofoto.jpg"),
                            dataDirectory() + QStringLiteral("nofoto.jpg")));
    fillCard();
    leftClick(main().NovyHostBut);
    expectEmptied();
    EXPECT_FALSE(forms().form3->foto->pixmap().isNull());
    EXPECT_TRUE(forms().form3->isVisible());
    EXPECT_TRUE(dialogs.record.shown.empty());
}

TEST_F(NewGuest, MissingPlaceholderReportsTheFileAndKeepsTheCardClosed)
{
    fillCard();
    leftClick(main().NovyHostBut);
    expectEmptied();
    EXPECT_FALSE(forms().form3->isVisible());
    ASSERT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(dialogs.record.shown[0].text.contains(dataDirectory() + QStringLiteral("nofoto.jpg")));
}

// The state panel drops its first line whenever it would hold 100 lines.
struct LogCase
{
    const char* name;
    std::function<void(QPlainTextEdit&, std::vector<int>& linesAfterEachChange)> fill;
    const char* first;
    const char* last;
};

// Names the row in test output.
void PrintTo(const LogCase& row, std::ostream* out)
{
    *out << row.name;
}

class StatePanel : public ProgramTest, public ::testing::WithParamInterface<LogCase>
{
};

int lines(const QPlainTextEdit& log)
{
    const QString text = log.toPlainText();
    return text.isEmpty() ? 0 : int(text.split(u'\n').size()) - (text.endsWith(u'\n') ? 1 : 0);
}

TEST_P(StatePanel, NeverHoldsAHundredLines)
{
    std::vector<int> counts;
    GetParam().fill(*main().log, counts);
    for (int count : counts)
        EXPECT_LE(count, 99);
    const QPlainTextEdit& log = *main().log;
    EXPECT_EQ(lines(log), 99);
    EXPECT_EQ(log.document()->firstBlock().text(), QString::fromUtf8(GetParam().first));
    EXPECT_EQ(log.toPlainText().trimmed().split(u'\n').last(), QString::fromUtf8(GetParam().last));
}

QStringList numbered(int n)
{
    QStringList all;
    for (int i = 1; i <= n; ++i)
        all << QStringLiteral("řádek %1").arg(i);
    return all;
}

INSTANTIATE_TEST_SUITE_P(Rows, StatePanel,
                         ::testing::Values(LogCase{"OneLineAtATime",
                                                   [](QPlainTextEdit& log, std::vector<int>& counts) {
                                                       for (const QString& line : numbered(150)) {
                                                           log.appendPlainText(line);
                                                           counts.push_back(lines(log));
                                                       }
                                                   },
                                                   "řádek 52", "řádek 150"},
                                           LogCase{"ManyLinesAtOnce",
                                                   [](QPlainTextEdit& log, std::vector<int>& counts) {
                                                       log.setPlainText(numbered(250).join(u'\n'));
                                                       counts.push_back(lines(log));
                                                   },
                                                   "řádek 152", "řádek 250"},
                                           // A final line break starts no further line: 99 lines of text are kept.
                                           LogCase{"FinalLineBreak",
                                                   [](QPlainTextEdit& log, std::vector<int>& counts) {
                                                       log.setPlainText(numbered(120).join(u'\n') + u'\n');
                                                       counts.push_back(lines(log));
                                                   },
                                                   "řádek 22", "řádek 120"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindow, StatePanelKeepsNinetyNineLinesUntouched)
{
    main().log->setPlainText(numbered(99).join(u'\n'));
    EXPECT_EQ(lines(*main().log), 99);
    EXPECT_EQ(main().log->document()->firstBlock().text(), QStringLiteral("řádek 1"));
}

} // namespace
