#include "desktop/folder_picker.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

namespace {

// Answers as told and remembers how it was asked.
class AnsweringFolderDialog final : public FolderDialog
{
public:
    std::optional<QString> chooseFolder(QWidget* owner, const QString& title, const QString& start) override
    {
        ++asked;
        askedOwner = owner;
        askedTitle = title;
        askedStart = start;
        return answer;
    }

    std::optional<QString> answer;
    int asked = 0;
    QWidget* askedOwner = nullptr;
    QString askedTitle, askedStart;
};

TEST(FolderPicker, OwnerMustBeAWindow)
{
    QObject plain;
    QWidget window;
    auto* child = new QWidget(&window);
    for (QObject* owner :
         {static_cast<QObject*>(&plain), static_cast<QObject*>(child), static_cast<QObject*>(nullptr)}) {
        try {
            FolderPicker picker(owner);
            ADD_FAILURE() << "accepted a non-window owner";
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), "Owner must be of type TForm");
        }
    }
    auto* picker = new FolderPicker(&window);
    EXPECT_EQ(picker->parent(), &window);
    EXPECT_TRUE(picker->Title.isEmpty());
}

struct ChoiceCase
{
    const char* name;
    std::optional<QString> answer;
    bool confirmed;
    QString directory; // after the call; "/before" was there
};

class FolderChoice : public ::testing::TestWithParam<ChoiceCase>
{
};

TEST_P(FolderChoice, ConfirmedFolderBecomesDirectoryCancelKeepsIt)
{
    QWidget window;
    AnsweringFolderDialog dialog;
    dialog.answer = GetParam().answer;
    FolderPicker picker(&window, &dialog);
    picker.Title = QStringLiteral("Složka systému Bar & Restaurace");
    picker.Directory = QStringLiteral("/before");

    EXPECT_EQ(picker.execute(), GetParam().confirmed);
    EXPECT_EQ(picker.Directory, GetParam().directory);
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_EQ(dialog.askedOwner, &window);
    EXPECT_EQ(dialog.askedTitle, picker.Title);
    EXPECT_EQ(dialog.askedStart, QStringLiteral("/"));
}

INSTANTIATE_TEST_SUITE_P(Rows, FolderChoice,
                         ::testing::Values(ChoiceCase{"Folder", QStringLiteral("/opt/drusko"), true,
                                                      QStringLiteral("/opt/drusko")},
                                           ChoiceCase{"TrailingSeparatorDropped", QStringLiteral("/opt/drusko//"), true,
                                                      QStringLiteral("/opt/drusko")},
                                           ChoiceCase{"RootStaysRoot", QStringLiteral("/"), true, QStringLiteral("/")},
                                           ChoiceCase{"Cancel", std::nullopt, false, QStringLiteral("/before")},
                                           ChoiceCase{"NoPath", QString(), false, QStringLiteral("/before")}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
