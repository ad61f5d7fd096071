#include "tests/support/program_fixture.h"

#include "app/message_texts_window.h"

#include <QLabel>

#include <ostream>

namespace {

using MessageTexts = ProgramTest;

TEST_F(MessageTexts, EveryTextIsALabelOfTheNeverShownWindowNamedByItsKey)
{
    program->start();
    ticks(2);
    const TForm11& texts = *forms().form11;
    EXPECT_FALSE(texts.isVisible());
    EXPECT_EQ(texts.windowTitle(), QStringLiteral("Překlady"));
    EXPECT_EQ(texts.keys().size(), 20);
    for (const QString& key : texts.keys()) {
        const auto* label = texts.findChild<QLabel*>(key);
        ASSERT_NE(label, nullptr) << key.toStdString();
        EXPECT_EQ(texts.text(key), label->text());
        EXPECT_FALSE(label->text().isEmpty());
        EXPECT_FALSE(label->text().contains(u'\n'));
    }
}

TEST_F(MessageTexts, UnknownKeyIsAnErrorNamingTheKey)
{
    try {
        forms().form11->text(QStringLiteral("PokojJeZbourany"));
        FAIL() << "no exception";
    } catch (const EUnknownMessageText& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("PokojJeZbourany")));
    }
}

struct TextCase
{
    const char* key;
    const char* text;
};

// Names the row in test output.
void PrintTo(const TextCase& row, std::ostream* out)
{
    *out << row.key;
}

class MessageText : public ProgramTest, public ::testing::WithParamInterface<TextCase>
{
};

TEST_P(MessageText, ReadsExactly)
{
    EXPECT_EQ(forms().form11->text(QString::fromUtf8(GetParam().key)), QString::fromUtf8(GetParam().text));
}

// The texts whose exact form matters to their readers.
INSTANTIATE_TEST_SUITE_P(
    Rows, MessageText,
    ::testing::Values(TextCase{"PokojJevUklidu", "pokoj je v úklidu"}, // the one status text in lower case
                      TextCase{"PokojJeVolny", "Pokoj je volný"},
                      TextCase{"UzTamJe", "Vybraný pokoj je v některý z dnů již rezervován!"},
                      TextCase{"Hostnevybran", "Host nevybrán!"}, TextCase{"pokojnevybran", "Pokoj nevybrán!"},
                      TextCase{"NeniFunkce",
                               "Danou funkci není možno použít, jelikož nebyl nalezen odpovídající modul."},
                      TextCase{"Akceprovedena", "Akce byla v pořádku provedena."},
                      TextCase{"OpravduSmazat", "Opravdu si přejete smazat záznam?"}),
    [](const auto& info) { return std::string(info.param.key); });

} // namespace
