#include "tests/guests/guest_windows_fixture.h"

#include "desktop/file_name_box.h"

#include "reservations/create_reservation_window.h"
#include "widgets/color_button.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTreeWidget>

#include <functional>

namespace {

// Four guests: 2 accommodated, 3 deleted, 4 only registered, 5 accommodated; 6 is beyond the counter.
const QByteArray kRegister = "[Global]\r\nClients=5\r\n"
                             "[Client_2]\r\nLiving=1\r\nFirstName=Petr\r\nMiddleName=Karel\r\nSurName=Nov\xE1k\r\n"
                             "Telephone=222\r\nCellular=777\r\nEmail=petr@example.cz\r\nLast=3.3.2025\r\n"
                             "Photo=/nikde/foto.jpg\r\n"
                             "[Client_3]\r\nLiving=1\r\nFirstName=Smazan\xFD\r\nSurName=Host\r\nDeleted=1\r\n"
                             "[Client_4]\r\nLiving=0\r\nFirstName=Jana\r\nSurName=Mal\xE1\r\n"
                             "[Client_5]\r\nLiving=1\r\nFirstName=Ota\r\nSurName=Vesel\xFD\r\n"
                             "[Client_6]\r\nFirstName=Nad\r\nSurName=Po\xE8tem\r\n";

QStringList ids(const QTreeWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0);
    return out;
}

QStringList rowTexts(const QTreeWidgetItem* item)
{
    QStringList out;
    for (int c = 0; c < item->columnCount(); ++c)
        out << item->text(c);
    return out;
}

void select(QTreeWidget* list, const QString& id)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0) == id)
            return list->setCurrentItem(list->topLevelItem(i));
    FAIL() << "no row " << id.toStdString();
}

// A double click on the row as the mouse gives it: press, release, double click, release.
void doubleClickRow(QTreeWidget* list, const QString& id)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        if (item->text(0) != id)
            continue;
        QWidget* viewport = list->viewport();
        const QPointF at = QRectF(list->visualItemRect(item)).center();
        const QPointF global = viewport->mapToGlobal(at);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &event);
        }
        return;
    }
    FAIL() << "no row " << id.toStdString();
}

QColor fontColour(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}

class GuestPicker : public GuestWindowsTest
{
protected:
    TForm8& reservation() { return *forms().form8; }
    QTreeWidget* list() { return picker().klienti; }
};

TEST_F(GuestPicker, ControlsAndColumns)
{
    EXPECT_EQ(picker().windowTitle(), QStringLiteral("Výběr hosta"));
    EXPECT_TRUE(picker().vsichni->isChecked());
    EXPECT_FALSE(picker().ubytovani->isChecked());
    EXPECT_EQ(picker().vsichni->text(), QStringLiteral("Všichni klienti z databáze"));
    EXPECT_EQ(picker().ubytovani->text(), QStringLiteral("Jen ubytovaní hosté"));
    EXPECT_EQ(picker().UpravitHostaBut->caption(), QStringLiteral("Upravit hosta"));
    EXPECT_EQ(picker().SmazatHostaBut->caption(), QStringLiteral("Smazat hosta"));
    EXPECT_EQ(picker().SmazatHostaBut->color(), clRed);
    EXPECT_EQ(picker().SmazatHostaBut->fontColor(), clWhite);
    EXPECT_EQ(picker().OKBut->caption(), QStringLiteral("OK"));
    EXPECT_EQ(picker().OKBut->color(), clYellow);
    EXPECT_EQ(picker().ZobrazitBut->text(), QStringLiteral("Zobrazit"));
    EXPECT_TRUE(picker().ZobrazitBut->isHidden());
    const Qt::WindowFlags flags = picker().windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));

    QStringList captions;
    for (int c = 0; c < list()->columnCount(); ++c)
        captions << list()->headerItem()->text(c);
    EXPECT_EQ(captions, (QStringList{QStringLiteral("ID"), QStringLiteral("Příjmení"), QStringLiteral("Jmeno"),
                                     QStringLiteral("Jméno 2"), QStringLiteral("Telefon"), QStringLiteral("Mobil"),
                                     QStringLiteral("E-Mail"), QStringLiteral("Naposledy")}));
    EXPECT_EQ(list()->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list()->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list()->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(GuestPicker, EmptyRegisterListsGuestOneOnlyUnderAll)
{
    picker().show();
    ASSERT_EQ(ids(list()), QStringList{QStringLiteral("1")});
    EXPECT_EQ(rowTexts(list()->topLevelItem(0)), (QStringList{QStringLiteral("1"), {}, {}, {}, {}, {}, {}, {}}));
    leftClick(picker().ubytovani);
    EXPECT_TRUE(picker().ubytovani->isChecked());
    EXPECT_EQ(ids(list()), QStringList());
    EXPECT_FALSE(QFile::exists(clientsPath()));
}

TEST_F(GuestPicker, ListsGuestsNotDeletedAllOrAccommodated)
{
    putClients(kRegister);
    picker().show();
    EXPECT_EQ(ids(list()),
              (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("5")}));
    // Email as the card writes it is the picker's "E-Mail"; Last fills "Naposledy".
    EXPECT_EQ(rowTexts(list()->topLevelItem(1)),
              (QStringList{QStringLiteral("2"), QStringLiteral("Novák"), QStringLiteral("Petr"),
                           QStringLiteral("Karel"), QStringLiteral("222"), QStringLiteral("777"),
                           QStringLiteral("petr@example.cz"), QStringLiteral("3.3.2025")}));
    const QTreeWidgetItem* row = list()->topLevelItem(1);
    EXPECT_FALSE(row->textAlignment(0) & Qt::AlignHCenter);
    for (int c = 1; c < 8; ++c)
        EXPECT_TRUE(row->textAlignment(c) & Qt::AlignHCenter) << c;
    EXPECT_EQ(list()->columnWidth(0), 40);
    // Sized to the contents: the e-mail column is wider than its caption needs.
    EXPECT_GE(list()->columnWidth(6), list()->fontMetrics().horizontalAdvance(QStringLiteral("petr@example.cz")));

    leftClick(picker().ubytovani);
    EXPECT_EQ(ids(list()), (QStringList{QStringLiteral("2"), QStringLiteral("5")}));
    leftClick(picker().vsichni);
    EXPECT_EQ(ids(list()).size(), 4);
}

TEST_F(GuestPicker, ShownItIsPlacedOverTheScreenAndKeepsItsRadioButton)
{
    leftClick(main().VyberHostaBut);
    ASSERT_TRUE(picker().isVisible());
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(picker().geometry(), QRect(20, 20, screen.width() - 20, screen.height() - 50));
    EXPECT_TRUE(list()->geometry().bottom() < picker().height());

    leftClick(picker().ubytovani);
    leftClick(picker().OKBut);
    EXPECT_FALSE(picker().isVisible());
    putClients(kRegister);
    leftClick(main().VyberHostaBut);
    EXPECT_TRUE(picker().ubytovani->isChecked());
    EXPECT_EQ(ids(list()), (QStringList{QStringLiteral("2"), QStringLiteral("5")}));
}

TEST_F(GuestPicker, HiddenShowButtonRefillsTheList)
{
    picker().show();
    ASSERT_EQ(ids(list()).size(), 1);
    putClients(kRegister);
    picker().ZobrazitBut->click();
    EXPECT_EQ(ids(list()).size(), 4);
}

// Choosing a guest: by a double click on its row or with "Upravit hosta".
struct ChooseCase
{
    const char* name;
    std::function<void(TForm13&, const QString& id)> choose;
};

void PrintTo(const ChooseCase& row, std::ostream* out)
{
    *out << row.name;
}

class ChooseGuest : public GuestPicker, public ::testing::WithParamInterface<ChooseCase>
{
};

TEST_P(ChooseGuest, OpensTheCardAndMarksReservationStepOne)
{
    putClients(kRegister);
    leftClick(main().VyberHostaBut);
    GetParam().choose(picker(), QStringLiteral("2"));

    EXPECT_FALSE(picker().isVisible());
    EXPECT_TRUE(card().isVisible());
    EXPECT_EQ(card().CisloHosta, 2);
    EXPECT_EQ(card().prijmeni->text(), QStringLiteral("Novák"));
    EXPECT_EQ(card().email->text(), QStringLiteral("petr@example.cz"));
    EXPECT_EQ(card().FotoPath->FileName(), placeholder()); // its stored photo is gone
    // Surname first, one space, first name; no middle name.
    EXPECT_EQ(reservation().stav1->text(), QStringLiteral("Novák Petr"));
    EXPECT_EQ(fontColour(reservation().stav1), TForm8::kStepDone);
    EXPECT_EQ(fontColour(reservation().krok1), TForm8::kStepDone);
    EXPECT_TRUE(dialogs.record.shown.empty()) << dialogs.record.texts().join(u'|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChooseGuest,
    ::testing::Values(ChooseCase{"DoubleClick", [](TForm13& p, const QString& id) { doubleClickRow(p.klienti, id); }},
                      ChooseCase{"UpravitHostaBut",
                                 [](TForm13& p, const QString& id) {
                                     select(p.klienti, id);
                                     leftClick(p.UpravitHostaBut);
                                 }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GuestPicker, ChoosingWithoutASelectedRowDoesNothing)
{
    putClients(kRegister);
    leftClick(main().VyberHostaBut);
    list()->clearSelection();
    leftClick(picker().UpravitHostaBut);
    EXPECT_TRUE(picker().isVisible());
    EXPECT_FALSE(card().isVisible());
    EXPECT_EQ(card().CisloHosta, 0);
    EXPECT_TRUE(reservation().stav1->text().isEmpty());
}

TEST_F(GuestPicker, OpenCardKeepsItsGuestWhenAnotherIsChosen)
{
    putClients(kRegister);
    card().CisloHosta = 4;
    card().show();
    ASSERT_EQ(card().prijmeni->text(), QStringLiteral("Malá"));

    leftClick(main().VyberHostaBut);
    select(list(), QStringLiteral("5"));
    leftClick(picker().UpravitHostaBut);
    EXPECT_EQ(card().CisloHosta, 5);
    EXPECT_EQ(card().prijmeni->text(), QStringLiteral("Malá"));
    EXPECT_EQ(card().jmeno->text(), QStringLiteral("Jana"));
    // The name handed on is taken from the card's fields.
    EXPECT_EQ(reservation().stav1->text(), QStringLiteral("Malá Jana"));
}

TEST_F(GuestPicker, DeletingAsksMarksTheGuestAndRefills)
{
    putClients(kRegister);
    leftClick(main().VyberHostaBut);
    select(list(), QStringLiteral("5"));
    dialogs.record.confirmAnswer = true;
    std::vector<QStringList> listedWhileBoxOpen;
    dialogs.whileOpen = [&] { listedWhileBoxOpen.push_back(ids(list())); };
    leftClick(picker().SmazatHostaBut);

    ASSERT_EQ(dialogs.record.shown.size(), 2u);
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Confirmation);
    EXPECT_EQ(dialogs.record.shown[0].text, QStringLiteral("Opravdu si přejete smazat záznam?"));
    EXPECT_EQ(dialogs.record.shown[1].kind, Dialogs::Kind::Information);
    EXPECT_EQ(dialogs.record.shown[1].text, QStringLiteral("Záznam byl odstraněn."));
    // Refilled before the information box.
    ASSERT_EQ(listedWhileBoxOpen.size(), 2u);
    EXPECT_FALSE(listedWhileBoxOpen[1].contains(QStringLiteral("5")));
    EXPECT_EQ(readKey(5, "Deleted"), QStringLiteral("1"));
    EXPECT_EQ(readKey(5, "SurName"), QStringLiteral("Veselý"));
    EXPECT_EQ(readKey(5, "Living"), QStringLiteral("1"));
    leftClick(picker().ubytovani);
    EXPECT_EQ(ids(list()), QStringList{QStringLiteral("2")});
    EXPECT_TRUE(picker().isVisible());
}

TEST_F(GuestPicker, DeletingAnsweredNoOrWithoutSelectionChangesNothing)
{
    putClients(kRegister);
    leftClick(main().VyberHostaBut);
    list()->clearSelection();
    leftClick(picker().SmazatHostaBut);
    EXPECT_TRUE(dialogs.record.shown.empty());

    select(list(), QStringLiteral("2"));
    dialogs.record.confirmAnswer = false;
    leftClick(picker().SmazatHostaBut);
    ASSERT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Confirmation);
    EXPECT_EQ(clientsBytes(), kRegister);
    EXPECT_EQ(ids(list()).size(), 4);
}

TEST_F(GuestPicker, OkClosesWithoutHandingAnythingOn)
{
    putClients(kRegister);
    leftClick(main().VyberHostaBut);
    select(list(), QStringLiteral("2"));
    leftClick(picker().OKBut);
    EXPECT_FALSE(picker().isVisible());
    EXPECT_FALSE(card().isVisible());
    EXPECT_EQ(card().CisloHosta, 0);
    EXPECT_TRUE(reservation().stav1->text().isEmpty());
    EXPECT_EQ(clientsBytes(), kRegister);
}

// A guest made on the card is found in the picker and chosen back.
TEST_F(GuestPicker, GuestSavedOnTheCardIsListedAndChosen)
{
    leftClick(main().NovyHostBut);
    card().prijmeni->setText(QStringLiteral("Horák"));
    card().jmeno->setText(QStringLiteral("Jiří"));
    card().email->setText(QStringLiteral("jiri@example.cz"));
    leftClick(card().UlozitBut);
    ASSERT_EQ(card().CisloHosta, 2);

    leftClick(main().VyberHostaBut);
    ASSERT_EQ(ids(list()), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(list()->topLevelItem(1)->text(6), QStringLiteral("jiri@example.cz"));
    doubleClickRow(list(), QStringLiteral("2"));
    EXPECT_EQ(reservation().stav1->text(), QStringLiteral("Horák Jiří"));
    EXPECT_TRUE(card().isVisible());
}

} // namespace
