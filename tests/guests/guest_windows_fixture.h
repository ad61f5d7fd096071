#pragma once
// The whole program in a temporary data directory holding the placeholder picture, with the guest
// card, the guest picker and the guest file at hand.

#include "tests/support/program_fixture.h"

#include "guests/guest_card_window.h"
#include "guests/guest_file.h"
#include "guests/guest_picker_window.h"
#include "store/ini_file.h"

#include <QFile>
#include <QImage>
#include <QLabel>

class GuestWindowsTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_TRUE(QFile::copy(QStringLiteral(LODGERA_SOURCE_DIR "/demo/nofoto.jpg"), placeholder()));
    }

    TForm3& card() { return *forms().form3; }
    TForm13& picker() { return *forms().form13; }
    QString placeholder() const { return dataDirectory() + QStringLiteral("nofoto.jpg"); }
    QString clientsPath() const { return dataDirectory() + GuestFile::kFileName; }
    GuestFile guests() const { return GuestFile(clientsPath()); }

    void putClients(const QByteArray& content) const
    {
        QFile f(clientsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(content), content.size());
    }
    QByteArray clientsBytes() const
    {
        QFile f(clientsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString readKey(int id, const char* key) const
    {
        return TIniFile(clientsPath())
            .ReadString(GuestFile::clientSection(id), QString::fromLatin1(key), QStringLiteral("<absent>"));
    }

    // A picture file of one colour in the data directory.
    QString writePhoto(const char* name, QColor colour, const char* format = "jpeg") const
    {
        QImage image(90, 120, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = dataDirectory() + QString::fromLatin1(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }

    // The card's picture, as shown.
    QImage shownPhoto() { return card().foto->pixmap().toImage(); }
};
