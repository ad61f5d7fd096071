#include "tests/guests/guest_windows_fixture.h"

#include "desktop/file_name_box.h"
#include "store/ini_store.h"
#include "tests/support/scripted_open_file_dialog.h"
#include "widgets/color_button.h"

#include <QFocusEvent>

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <cerrno>

#include <vector>

namespace {

// The average colour of a picture's middle, to tell two shown pictures apart.
QColor middleColour(const QImage& image)
{
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 16 && std::abs(a.green() - b.green()) < 16 &&
           std::abs(a.blue() - b.blue()) < 16;
}

void focusEvent(QWidget* control, QEvent::Type type, Qt::FocusReason reason = Qt::TabFocusReason)
{
    QFocusEvent event(type, reason);
    QCoreApplication::sendEvent(control, &event);
}

using GuestCard = GuestWindowsTest;

TEST_F(GuestCard, FieldsStandInTheirOrderWithCaptionsToTheLeft)
{
    const std::vector<std::pair<QWidget*, QString>> rows = {
        {card().titul, QStringLiteral("Titul:")},           {card().prijmeni, QStringLiteral("Příjmení:")},
        {card().jmeno, QStringLiteral("Jméno:")},           {card().jmeno2, QStringLiteral("Prostřední jméno:")},
        {card().telefon, QStringLiteral("Telefon:")},       {card().mobil, QStringLiteral("Mobil:")},
        {card().email, QStringLiteral("E-Mail:")},          {card().dokladcislo, QStringLiteral("Číslo dokladu:")},
        {card().dokladtyp, QStringLiteral("Typ dokladu:")}, {card().poznamka, QStringLiteral("Poznámka:")},
    };
    int previousTop = -1;
    for (const auto& [field, caption] : rows) {
        SCOPED_TRACE(caption.toStdString());
        const auto* label = card().findChild<QLabel*>(field->objectName() + QStringLiteral("Label"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), caption);
        EXPECT_EQ(label->buddy(), field);
        EXPECT_LE(label->geometry().right(), field->geometry().left());
        EXPECT_EQ(label->geometry().top(), field->geometry().top());
        EXPECT_GT(field->geometry().top(), previousTop);
        EXPECT_FALSE(field->accessibleName().isEmpty());
        previousTop = field->geometry().top();
    }
    EXPECT_EQ(card().windowTitle(), QStringLiteral("Karta hosta"));
    EXPECT_EQ(card().UlozitBut->caption(), QStringLiteral("OK / Uložit"));
    EXPECT_EQ(card().UlozitBut->color(), clYellow);
    EXPECT_EQ(card().ZrusitBut->caption(), QStringLiteral("Zrušit"));
    EXPECT_EQ(card().ZrusitBut->color(), clRed);
    EXPECT_EQ(card().PoslatEmailBut->text(), QStringLiteral("Poslat e-mail"));
    EXPECT_EQ(card().OdeslanaPostaBut->text(), QStringLiteral("Odeslaná pošta"));
    EXPECT_FALSE(card().PoslatEmailBut->isEnabled());
    EXPECT_FALSE(card().OdeslanaPostaBut->isEnabled());
    EXPECT_EQ(card().FotoPath->browseButton()->width(), FileNameBox::kButtonWidth);
    // The note: fixed pitch, both scroll bars, line breaks its own.
    EXPECT_TRUE(QFontInfo(card().poznamka->font()).fixedPitch());
    EXPECT_EQ(card().poznamka->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(card().poznamka->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // Before anything is loaded the card shows its built-in placeholder.
    EXPECT_FALSE(card().foto->pixmap().isNull());
}

TEST_F(GuestCard, TabGoesFromTheNoteToThePhotoBoxAndThroughTheEdits)
{
    const std::vector<QWidget*> expected = {card().poznamka, card().FotoPath->editor(),
                                            card().titul,    card().prijmeni,
                                            card().jmeno,    card().jmeno2,
                                            card().telefon,  card().mobil,
                                            card().email,    card().dokladcislo,
                                            card().dokladtyp};
    std::vector<QWidget*> chain;
    QWidget* w = card().poznamka;
    do {
        if (std::find(expected.begin(), expected.end(), w) != expected.end())
            chain.push_back(w);
        w = w->nextInFocusChain();
    } while (w != card().poznamka && chain.size() < expected.size());
    EXPECT_EQ(chain, expected);
    EXPECT_TRUE(card().poznamka->tabChangesFocus());
}

TEST_F(GuestCard, IsAToolWindowOnTopWithoutCloseBoxCentredOnTheScreen)
{
    const Qt::WindowFlags flags = card().windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    leftClick(main().NovyHostBut);
    ASSERT_TRUE(card().isVisible());
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((card().frameGeometry().center() - screenCentre).manhattanLength(), 1);
}

TEST_F(GuestCard, NewGuestInAnEmptyRegisterBecomesGuestTwo)
{
    leftClick(main().NovyHostBut);
    card().titul->setText(QStringLiteral("Mgr."));
    card().prijmeni->setText(QStringLiteral("Černá"));
    card().jmeno->setText(QStringLiteral("Eva"));
    card().jmeno2->setText(QStringLiteral("Marie"));
    card().telefon->setText(QStringLiteral("222 333 444"));
    card().mobil->setText(QStringLiteral("602 111 222"));
    card().email->setText(QStringLiteral("eva@example.cz"));
    card().dokladcislo->setText(QStringLiteral("AB123"));
    card().dokladtyp->setText(QStringLiteral("pas"));
    card().poznamka->setPlainText(QStringLiteral("první řádek\ndruhý řádek\n\n[Client_7]\nSurName=x"));
    leftClick(card().UlozitBut);

    EXPECT_TRUE(dialogs.record.shown.empty()) << dialogs.record.texts().join(u'|').toStdString();
    EXPECT_FALSE(card().isVisible());
    EXPECT_EQ(card().CisloHosta, 2);
    EXPECT_EQ(TIniFile(clientsPath()).ReadString(QStringLiteral("Global"), QStringLiteral("Clients"), {}),
              QStringLiteral("2"));
    EXPECT_EQ(readKey(2, "Living"), QStringLiteral("0"));
    const GuestData d = guests().readData(2);
    EXPECT_EQ(d.titul, QStringLiteral("Mgr."));
    EXPECT_EQ(d.surName, QStringLiteral("Černá"));
    EXPECT_EQ(d.firstName, QStringLiteral("Eva"));
    EXPECT_EQ(d.middleName, QStringLiteral("Marie"));
    EXPECT_EQ(d.telephone, QStringLiteral("222 333 444"));
    EXPECT_EQ(d.cellular, QStringLiteral("602 111 222"));
    EXPECT_EQ(d.email, QStringLiteral("eva@example.cz"));
    EXPECT_EQ(d.idCardNum, QStringLiteral("AB123"));
    EXPECT_EQ(d.idCardType, QStringLiteral("pas"));
    EXPECT_EQ(d.comment, QStringLiteral("první řádek\ndruhý řádek\n\n[Client_7]\nSurName=x"));
    EXPECT_EQ(d.photo, placeholder());
    EXPECT_EQ(readKey(7, "SurName"), QStringLiteral("<absent>"));

    // Shown again for the same guest, the note comes back whole.
    card().poznamka->clear();
    card().show();
    EXPECT_EQ(card().poznamka->toPlainText(), d.comment);
    EXPECT_EQ(card().prijmeni->text(), QStringLiteral("Černá"));
}

TEST_F(GuestCard, CardWithEveryFieldEmptyIsStoredToo)
{
    putClients("[Global]\r\nClients=5\r\n");
    leftClick(main().NovyHostBut);
    leftClick(card().UlozitBut);
    EXPECT_EQ(card().CisloHosta, 6);
    EXPECT_EQ(guests().readData(6).surName, QString());
    EXPECT_EQ(readKey(6, "Comment"), QString());
}

TEST_F(GuestCard, CancelWritesNothingAndKeepsTheGuestId)
{
    leftClick(main().NovyHostBut);
    card().prijmeni->setText(QStringLiteral("Nikdo"));
    leftClick(card().ZrusitBut);
    EXPECT_FALSE(card().isVisible());
    EXPECT_EQ(card().CisloHosta, 0);
    EXPECT_FALSE(QFile::exists(clientsPath()));

    putClients("[Global]\r\nClients=3\r\n[Client_3]\r\nSurName=Star\xE1\r\n");
    card().CisloHosta = 3;
    card().show();
    card().prijmeni->setText(QStringLiteral("Nová"));
    leftClick(card().ZrusitBut);
    EXPECT_EQ(card().CisloHosta, 3);
    EXPECT_EQ(clientsBytes(), QByteArray("[Global]\r\nClients=3\r\n[Client_3]\r\nSurName=Star\xE1\r\n"));
}

TEST_F(GuestCard, SavingAnExistingGuestLeavesFlagsAndCounterAlone)
{
    const QString photo = writePhoto("petr.jpg", QColor(200, 30, 30));
    putClients("[Global]\r\nClients=9\r\n[Client_4]\r\nLiving=1\r\nTitul=Bc.\r\nFirstName=Petr\r\nSurName=Nov\xE1k\r\n"
               "Email=petr@example.cz\r\nComment=a\\b\r\nPhoto=" +
               photo.toUtf8() + "\r\nDeleted=1\r\nLast=1.1.2025\r\n");
    card().CisloHosta = 4;
    card().show();
    EXPECT_EQ(card().titul->text(), QStringLiteral("Bc."));
    EXPECT_EQ(card().jmeno->text(), QStringLiteral("Petr"));
    EXPECT_EQ(card().prijmeni->text(), QStringLiteral("Novák"));
    EXPECT_EQ(card().email->text(), QStringLiteral("petr@example.cz"));
    EXPECT_EQ(card().poznamka->toPlainText(), QStringLiteral("a\\b"));
    EXPECT_EQ(card().FotoPath->FileName(), photo);
    EXPECT_TRUE(near(middleColour(shownPhoto()), QColor(200, 30, 30)));

    card().mobil->setText(QStringLiteral("777 000 111"));
    leftClick(card().UlozitBut);
    EXPECT_EQ(card().CisloHosta, 4);
    EXPECT_EQ(readKey(4, "Cellular"), QStringLiteral("777 000 111"));
    EXPECT_EQ(readKey(4, "Living"), QStringLiteral("1"));
    EXPECT_EQ(readKey(4, "Deleted"), QStringLiteral("1"));
    EXPECT_EQ(readKey(4, "Last"), QStringLiteral("1.1.2025"));
    EXPECT_EQ(readKey(4, "Comment"), QStringLiteral("a\\b"));
    EXPECT_EQ(TIniFile(clientsPath()).ReadString(QStringLiteral("Global"), QStringLiteral("Clients"), {}),
              QStringLiteral("9"));
}

// A stored photo path without a file behind it shows the placeholder, and saving stores it.
struct StalePhotoCase
{
    const char* name;
    QByteArray photoLine;
};

void PrintTo(const StalePhotoCase& row, std::ostream* out)
{
    *out << row.name;
}

class StalePhoto : public GuestWindowsTest, public ::testing::WithParamInterface<StalePhotoCase>
{
};

TEST_P(StalePhoto, ShowsAndStoresThePlaceholder)
{
    putClients("[Global]\r\nClients=2\r\n[Client_2]\r\nSurName=Mal\xFD\r\n" + GetParam().photoLine);
    card().CisloHosta = 2;
    card().show();
    EXPECT_TRUE(dialogs.record.shown.empty()) << dialogs.record.texts().join(u'|').toStdString();
    EXPECT_EQ(card().FotoPath->FileName(), placeholder());
    EXPECT_EQ(card().prijmeni->text(), QStringLiteral("Malý"));
    leftClick(card().UlozitBut);
    EXPECT_EQ(readKey(2, "Photo"), placeholder());
}

INSTANTIATE_TEST_SUITE_P(Rows, StalePhoto,
                         ::testing::Values(StalePhotoCase{"FileGone", "Photo=/nikde/neni/foto.jpg\r\n"},
                                           StalePhotoCase{"EmptyPath", "Photo=\r\n"}, StalePhotoCase{"NoKey", ""},
                                           StalePhotoCase{"PathIsAFolder", "Photo=/tmp\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GuestCard, DamagedPhotoOfAGuestReportsTheFileAndStillOpensTheCard)
{
    const QString good = writePhoto("dobra.jpg", QColor(30, 200, 30));
    leftClick(main().NovyHostBut);
    card().FotoPath->setFileName(good);
    card().FotoPathExit();
    leftClick(card().ZrusitBut);
    const QColor before = middleColour(shownPhoto());
    ASSERT_TRUE(near(before, QColor(30, 200, 30)));

    const QString damaged = dataDirectory() + QStringLiteral("poskozena.jpg");
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\xFF\xD8\xFF\xE0 not really a picture", 26));
    }
    putClients("[Global]\r\nClients=2\r\n[Client_2]\r\nFirstName=Ota\r\nPhoto=" + damaged.toUtf8() + "\r\n");
    card().CisloHosta = 2;
    card().show();
    EXPECT_TRUE(card().isVisible());
    EXPECT_EQ(card().jmeno->text(), QStringLiteral("Ota"));
    EXPECT_EQ(card().FotoPath->FileName(), damaged);
    ASSERT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(dialogs.record.shown[0].text.contains(damaged));
    EXPECT_TRUE(near(middleColour(shownPhoto()), before));

    // Saving stores the path as it stands.
    leftClick(card().UlozitBut);
    EXPECT_EQ(readKey(2, "Photo"), damaged);
}

TEST_F(GuestCard, PhotoBoxLoadsThePictureWhenEnteredOrLeft)
{
    const QString red = writePhoto("red.bmp", QColor(220, 20, 20), "bmp");
    const QString blue = writePhoto("blue.jpg", QColor(20, 20, 220));
    leftClick(main().NovyHostBut);
    QLineEdit* edit = card().FotoPath->editor();

    // Browsing only changes the path; the picture follows when the box is left.
    auto* dialog = new ScriptedOpenFileDialog;
    dialog->answer = {red};
    card().FotoPath->setOpenFileDialog(std::unique_ptr<OpenFileDialog>(dialog));
    const QColor placeholderColour = middleColour(shownPhoto());
    leftClick(card().FotoPath->browseButton());
    ASSERT_EQ(dialog->requests.size(), 1u);
    EXPECT_FALSE(dialog->requests[0].options.testFlag(OpenFileRequest::AllowMultiSelect));
    EXPECT_EQ(card().FotoPath->FileName(), red);
    EXPECT_TRUE(near(middleColour(shownPhoto()), placeholderColour));
    focusEvent(edit, QEvent::FocusOut);
    EXPECT_TRUE(near(middleColour(shownPhoto()), QColor(220, 20, 20)));

    card().FotoPath->setFileName(blue);
    // Another window taking the focus is no leaving of the box.
    focusEvent(edit, QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    EXPECT_TRUE(near(middleColour(shownPhoto()), QColor(220, 20, 20)));
    focusEvent(edit, QEvent::FocusIn);
    EXPECT_TRUE(near(middleColour(shownPhoto()), QColor(20, 20, 220)));

    // A path that cannot be loaded: the error names it, the picture and the path stay.
    const QString wrong = dataDirectory() + QStringLiteral("foto.gif");
    card().FotoPath->setFileName(wrong);
    focusEvent(edit, QEvent::FocusOut);
    ASSERT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_TRUE(dialogs.record.shown[0].text.contains(wrong));
    EXPECT_EQ(card().FotoPath->FileName(), wrong);
    EXPECT_TRUE(near(middleColour(shownPhoto()), QColor(20, 20, 220)));
    leftClick(card().UlozitBut);
    EXPECT_EQ(readKey(card().CisloHosta, "Photo"), wrong);
}

TEST_F(GuestCard, NewGuestCardEmptiesWhatTheLastGuestLeft)
{
    putClients("[Global]\r\nClients=2\r\n[Client_2]\r\nFirstName=Ota\r\nComment=x\r\n");
    card().CisloHosta = 2;
    card().show();
    leftClick(card().ZrusitBut);
    leftClick(main().NovyHostBut);
    EXPECT_EQ(card().CisloHosta, 0);
    EXPECT_TRUE(card().jmeno->text().isEmpty());
    EXPECT_TRUE(card().poznamka->toPlainText().isEmpty());
    EXPECT_EQ(card().FotoPath->FileName(), placeholder());
}

} // namespace

namespace {

// A save the disk refuses: the error box names the guest file, the card stays open with its
// fields, and neither a raised counter nor half a guest is left behind.
class FailingDisk : public GuestWindowsTest
{
protected:
    void TearDown() override
    {
        ini::testing::setWriteHook({});
        GuestWindowsTest::TearDown();
    }
};

TEST_F(FailingDisk, SaveThatCannotBeWrittenKeepsTheCardOpenAndTheFileAsItWas)
{
    const QByteArray before = "[Global]\r\nClients=4\r\n[Client_4]\r\nSurName=Star\xE1\r\n";
    putClients(before);
    leftClick(main().NovyHostBut);
    card().prijmeni->setText(QStringLiteral("Nová"));
    ini::testing::setWriteHook(
        [](ini::testing::WriteStage at) { return at == ini::testing::WriteStage::PartWritten ? ENOSPC : 0; });
    leftClick(card().UlozitBut);
    ini::testing::setWriteHook({});

    ASSERT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(dialogs.record.shown[0].text.contains(GuestFile::kFileName))
        << dialogs.record.shown[0].text.toStdString();
    EXPECT_TRUE(card().isVisible());
    EXPECT_EQ(card().CisloHosta, 0);
    EXPECT_EQ(card().prijmeni->text(), QStringLiteral("Nová"));
    EXPECT_EQ(clientsBytes(), before);

    // Once the disk takes it again, the same card is saved as guest 5.
    leftClick(card().UlozitBut);
    EXPECT_EQ(card().CisloHosta, 5);
    EXPECT_EQ(readKey(5, "SurName"), QStringLiteral("Nová"));
}

} // namespace
