#pragma once
// Recording doubles of the Dialogs and Shell seams: they remember every box and every started
// program or opened address, and answer confirmations as told.

#include "desktop/dialogs.h"
#include "desktop/shell.h"

#include <QString>
#include <QStringList>

#include <vector>

// Records every box and answers confirmations as told.
class RecordingDialogs final : public Dialogs
{
public:
    struct Shown
    {
        Kind kind;
        QString text;
    };

    void message(const QString& text) override { shown.push_back({Kind::Plain, text}); }
    bool confirm(const QString& text) override
    {
        shown.push_back({Kind::Confirmation, text});
        return confirmAnswer;
    }
    void information(const QString& text) override { shown.push_back({Kind::Information, text}); }
    void error(const QString& text) override { shown.push_back({Kind::Error, text}); }

    QStringList texts() const
    {
        QStringList all;
        for (const Shown& s : shown)
            all << s.text;
        return all;
    }

    std::vector<Shown> shown;
    bool confirmAnswer = true;
};

// Records every program start and every opened address.
class RecordingShell final : public Shell
{
public:
    struct Started
    {
        QString file, parameters, folder;
    };
    void startProgram(const QString& file, const QString& parameters, const QString& folder) override
    {
        started.push_back({file, parameters, folder});
    }
    void openUrl(const QString& address) override { opened.push_back(address); }

    std::vector<Started> started;
    std::vector<QString> opened;
};
