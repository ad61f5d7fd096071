#include "demo/generator/demo_house.h"

namespace Demo {

namespace {

constexpr int room(int floor, int position)
{
    return floor * 21 + position + 1;
}

} // namespace

const std::vector<QString>& floors()
{
    static const std::vector<QString> names{
        QStringLiteral("Přízemí"),
        QStringLiteral("1. patro"),
        QStringLiteral("2. patro"),
        QStringLiteral("Podkroví"),
    };
    return names;
}

const std::vector<Room>& rooms()
{
    static const std::vector<Room> list = [] {
        const QString free = QStringLiteral("FREE");
        std::vector<Room> r{
            // Ground floor: the garden rooms and the barrier-free room next to the reception.
            {room(0, 0), QStringLiteral("001"), QStringLiteral("1 lůžko, bezbariérový"), free},
            {room(0, 1), QStringLiteral("002"), QStringLiteral("2 lůžka, zahrada"), free},
            {room(0, 2), QStringLiteral("003"), QStringLiteral("2 lůžka, zahrada"), free},
            {room(0, 3), QStringLiteral("004"), QStringLiteral("2 lůžka + přistýlka"), free},
            {room(0, 4), QStringLiteral("005"), QStringLiteral("rodinný, 4 lůžka"), free},
            {room(0, 5), QStringLiteral("Sklad"), QStringLiteral("sklad prádla"), QStringLiteral("OUTOFORDER")},
            // First floor.
            {room(1, 0), QStringLiteral("101"), QStringLiteral("1 lůžko"), free},
            {room(1, 1), QStringLiteral("102"), QStringLiteral("2 lůžka"), free},
            {room(1, 2), QStringLiteral("103"), QStringLiteral("2 lůžka"), free},
            {room(1, 3), QStringLiteral("104"), QStringLiteral("2 lůžka + přistýlka"), free},
            {room(1, 4), QStringLiteral("105"), QStringLiteral("2 lůžka, balkon"), free},
            {room(1, 5), QStringLiteral("106"), QStringLiteral("2 lůžka, balkon"), QStringLiteral("SERVICE")},
            {room(1, 6), QStringLiteral("107"), QStringLiteral("3 lůžka"), free},
            {room(1, 7), QStringLiteral("108"), QStringLiteral("1 lůžko"), free},
            // Second floor.
            {room(2, 0), QStringLiteral("201"), QStringLiteral("1 lůžko"), free},
            {room(2, 1), QStringLiteral("202"), QStringLiteral("2 lůžka"), free},
            {room(2, 2), QStringLiteral("203"), QStringLiteral("2 lůžka"), free},
            {room(2, 3), QStringLiteral("204"), QStringLiteral("2 lůžka + přistýlka"), free},
            {room(2, 4), QStringLiteral("205"), QStringLiteral("2 lůžka, balkon"), free},
            {room(2, 5), QStringLiteral("206"), QStringLiteral("3 lůžka"), free},
            {room(2, 6), QStringLiteral("207"), QStringLiteral("2 lůžka"), free},
            {room(2, 7), QStringLiteral("208"), QStringLiteral("1 lůžko"), free},
            // Attic: two apartments and two small rooms under the roof.
            {room(3, 0), QStringLiteral("Apt1"), QStringLiteral("apartmá, 4 lůžka, kuchyňka"), free},
            {room(3, 1), QStringLiteral("Apt2"), QStringLiteral("apartmá, 2 lůžka, vana"), free},
            {room(3, 2), QStringLiteral("301"), QStringLiteral("2 lůžka, šikmý strop"), free},
            {room(3, 3), QStringLiteral("302"), QStringLiteral("2 lůžka, šikmý strop"), QStringLiteral("SERVICE")},
        };
        return r;
    }();
    return list;
}

const std::vector<DayMark>& dayMarks()
{
    static const std::vector<DayMark> marks{
        {room(0, 2), 0, QStringLiteral("CLEAN"), QStringLiteral("Po odjezdu hostů, generální úklid")},
        {room(2, 1), 0, QStringLiteral("CLEAN"), QString()},
        {room(1, 5), 0, QString(), QStringLiteral("Kape kohoutek v koupelně, instalatér přijde odpoledne")},
        {room(3, 3), 0, QString(), QStringLiteral("Zatéká střešním oknem, čeká se na pokrývače")},
        {room(2, 4), 1, QStringLiteral("CLEAN"), QString()},
        {room(1, 2), 0, QString(), QStringLiteral("Host si přeje pozdní úklid")},
    };
    return marks;
}

const std::vector<Guest>& guests()
{
    static const std::vector<Guest> list{
        {QStringLiteral("Ing."), QStringLiteral("Jan"), QString(), QStringLiteral("Novák"),
         QStringLiteral("+420 466 123 456"), QStringLiteral("+420 602 111 222"), QStringLiteral("jan.novak@example.cz"),
         QStringLiteral("204518733"), QStringLiteral("občanský průkaz"),
         QStringLiteral("Stálý host, pokoj s výhledem do zahrady\nSnídaně do pokoje"),
         Portrait{QStringLiteral("foto_novak.jpg"), 0x7FA7D9, 0xF0C8A0, 0x4A3020, 0x2F4F6F, false, true, false, true}},
        {QString(), QStringLiteral("Marie"), QStringLiteral("Anna"), QStringLiteral("Svobodová"), QString(),
         QStringLiteral("+420 731 555 010"), QStringLiteral("marie.svobodova@example.cz"), QStringLiteral("115903288"),
         QStringLiteral("občanský průkaz"), QStringLiteral("Bezlepková dieta"),
         Portrait{QStringLiteral("foto_svobodova.jpg"), 0xC9A0DC, 0xF3D2B3, 0x8B4513, 0xB22222, true, false, false,
                  false}},
        {QStringLiteral("MUDr."), QStringLiteral("Petr"), QString(), QStringLiteral("Dvořák"),
         QStringLiteral("+420 495 700 800"), QStringLiteral("+420 777 303 404"),
         QStringLiteral("dvorak@ordinace.example.cz"), QStringLiteral("99A123456"), QStringLiteral("cestovní pas"),
         QStringLiteral("Přijede pozdě večer, klíč nechat na recepci"),
         Portrait{QStringLiteral("foto_dvorak.jpg"), 0x9FD5B0, 0xE8B890, 0x6B6B6B, 0x3A3A3A, false, false, true, true}},
        {QString(), QStringLiteral("Eva"), QString(), QStringLiteral("Černá"), QString(),
         QStringLiteral("+420 608 909 101"), QStringLiteral("eva.cerna@example.cz"), QStringLiteral("207744120"),
         QStringLiteral("občanský průkaz"), QStringLiteral("Cestuje s malým psem"), std::nullopt},
        {QString(), QStringLiteral("Tomáš"), QStringLiteral("Karel"), QStringLiteral("Procházka"),
         QStringLiteral("+420 224 000 111"), QStringLiteral("+420 603 212 323"),
         QStringLiteral("t.prochazka@example.cz"), QStringLiteral("118045566"), QStringLiteral("občanský průkaz"),
         QStringLiteral("Služební cesta, fakturovat firmě Stavby Procházka s.r.o."), std::nullopt},
        {QStringLiteral("Mgr."), QStringLiteral("Lucie"), QString(), QStringLiteral("Kučerová"), QString(),
         QStringLiteral("+420 720 454 565"), QStringLiteral("lucie.kucerova@example.cz"), QStringLiteral("203377889"),
         QStringLiteral("občanský průkaz"), QString(), std::nullopt},
        {QString(), QStringLiteral("Martin"), QString(), QStringLiteral("Veselý"), QString(),
         QStringLiteral("+420 775 676 787"), QStringLiteral("martin.vesely@example.cz"), QStringLiteral("109988776"),
         QStringLiteral("občanský průkaz"), QStringLiteral("Zrušil kvůli nemoci, nabídnout náhradní termín"),
         std::nullopt},
        {QString(), QStringLiteral("Jana"), QString(), QStringLiteral("Horáková"), QStringLiteral("+420 466 987 654"),
         QString(), QString(), QStringLiteral("211223344"), QStringLiteral("občanský průkaz"), QString(), std::nullopt},
        {QString(), QStringLiteral("Klaus"), QString(), QStringLiteral("Müller"), QString(),
         QStringLiteral("+49 171 2345678"), QStringLiteral("k.mueller@example.de"), QStringLiteral("C01X00T47"),
         QStringLiteral("cestovní pas"), QStringLiteral("Mluví německy a anglicky"), std::nullopt},
        {QStringLiteral("Bc."), QStringLiteral("Ondřej"), QString(), QStringLiteral("Němec"), QString(),
         QStringLiteral("+420 739 898 909"), QStringLiteral("ondrej.nemec@example.cz"), QStringLiteral("206655443"),
         QStringLiteral("občanský průkaz"), QString(), std::nullopt},
        {QString(), QStringLiteral("Alena"), QString(), QStringLiteral("Pokorná"), QStringLiteral("+420 377 112 233"),
         QStringLiteral("+420 605 121 232"), QStringLiteral("alena.pokorna@example.cz"), QStringLiteral("112233445"),
         QStringLiteral("občanský průkaz"),
         QStringLiteral("Výročí svatby, připravit květiny\nDort objednán v cukrárně"), std::nullopt},
        {QString(), QStringLiteral("Jiří"), QString(), QStringLiteral("Marek"), QString(),
         QStringLiteral("+420 724 343 454"), QString(), QStringLiteral("214455667"), QStringLiteral("občanský průkaz"),
         QString(), std::nullopt},
        {QString(), QStringLiteral("Katarína"), QString(), QStringLiteral("Horváthová"), QString(),
         QStringLiteral("+421 905 123 456"), QStringLiteral("katarina.h@example.sk"), QStringLiteral("EA123456"),
         QStringLiteral("občiansky preukaz"), QString(), std::nullopt},
        {QStringLiteral("prof."), QStringLiteral("Václav"), QString(), QStringLiteral("Beneš"),
         QStringLiteral("+420 585 636 747"), QString(), QStringLiteral("benes@univerzita.example.cz"),
         QStringLiteral("100200300"), QStringLiteral("občanský průkaz"), QStringLiteral("Konference v Pardubicích"),
         std::nullopt},
        {QString(), QStringLiteral("Tereza"), QString(), QStringLiteral("Fialová"), QString(),
         QStringLiteral("+420 776 858 969"), QStringLiteral("tereza.fialova@example.cz"), QString(), QString(),
         QString(), std::nullopt},
    };
    return list;
}

const std::vector<Stay>& stays()
{
    static const std::vector<Stay> list{
        {0, room(1, 0), -2, 4, true},       // Novák in 101, in the house
        {2, room(2, 0), -1, 2, true},       // Dvořák in 201, leaves tomorrow
        {1, room(1, 2), 0, 3, false},       // Svobodová arrives today in 103
        {4, room(2, 2), 0, 7, false},       // Procházka, a week in 203
        {10, room(3, 0), -1, 3, true},      // Pokorná in Apt1
        {5, room(1, 6), -6, 3, false},      // Kučerová, stayed last week in 107
        {3, room(0, 1), 3, 3, false},       // Černá with her dog in 002 from the day after tomorrow
        {8, room(2, 5), 5, 2, false},       // Müller in 206 at the weekend
        {6, room(1, 1), 1, 2, false, true}, // Veselý in 102: cancelled
        {13, room(1, 4), 10, 4, false},     // Beneš, conference in two weeks' time, 105
    };
    return list;
}

} // namespace Demo
