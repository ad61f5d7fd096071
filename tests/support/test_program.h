#pragma once
// The whole program on recording seams, for window tests and benchmarks: a temporary data directory
// that is the working directory while the program lives, pinned regional settings, a set clock, a
// still welcome timer and a free meter pause.

#include "app/forms.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/web_browser.h"
#include "app/welcome_window.h"
#include "desktop/dialogs.h"
#include "desktop/shell.h"
#include "tests/support/current_dir.h"
#include "tests/support/recording_browser.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/regional_settings_guard.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

// The text a clock shows, whether it is a seven-segment display or a plain label.
template <typename Clock> QString clockText(const Clock* clock)
{
    if constexpr (requires { clock->value(); })
        return clock->value();
    else
        return clock->text();
}

// Records every box like RecordingDialogs and lets a test look at the program while one is open.
class ObservedDialogs final : public Dialogs
{
public:
    void message(const QString& text) override { record.message(text), opened(); }
    bool confirm(const QString& text) override
    {
        const bool answer = record.confirm(text);
        opened();
        return answer;
    }
    void information(const QString& text) override { record.information(text), opened(); }
    void error(const QString& text) override { record.error(text), opened(); }

    RecordingDialogs record;
    std::function<void()> whileOpen;

private:
    void opened()
    {
        if (whileOpen)
            whileOpen();
    }
};

class TestProgram
{
public:
    TestProgram() = default;
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;
    virtual ~TestProgram() = default;

    // Creates every window with the given views, the data directory being the working directory.
    // False when the temporary directory could not be made.
    bool build(TWebBrowserFactory& views)
    {
        if (!data.isValid() || !QDir::setCurrent(data.path()))
            return false;
        program = std::make_unique<Program>(dialogs, shell, views);
        forms().now = [this] { return clock; };
        // Ticks come only from the caller; the timer stays active as in the program.
        forms().form6->Timer1->start(24 * 60 * 60 * 1000);
        forms().form6->pause = [this](int milliseconds) { pauses.push_back(milliseconds); };
        return true;
    }

    Forms& forms() { return program->forms(); }
    TForm1& main() { return *forms().form1; }
    TForm6& welcome() { return *forms().form6; }
    RecordingBrowser& chat() { return *static_cast<RecordingBrowser*>(main().WebChat); }
    // The data directory as the program captured it, ending in "/".
    QString dataDirectory() const { return data.path() + u'/'; }
    QString dataFile(const QString& name) const { return dataDirectory() + name; }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            welcome().Timer1Timer();
    }

    // Declared in the order of construction: the working directory and the environment come back
    // after the program has gone.
    QTemporaryDir data;
    ScopedCurrentDir restoreCurrentDir;
    ScopedRegionalSettings regionalSettings;
    ObservedDialogs dialogs;
    RecordingShell shell;
    RecordingBrowserFactory browsers;
    QDateTime clock{QDate(2026, 3, 5), QTime(14, 5, 9)};
    std::vector<int> pauses;
    std::unique_ptr<Program> program;
};
