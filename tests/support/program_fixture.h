#pragma once
// Program fixture: the whole program built on recording seams in a temporary data directory (the
// working directory), with a set clock, a still welcome timer and a free meter pause.

#include "app/forms.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/web_browser.h"
#include "app/welcome_window.h"
#include "desktop/dialogs.h"
#include "desktop/shell.h"

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A left click in the middle of a control, as the mouse gives it: press, then release.
inline void leftClick(QWidget* control)
{
    const QPointF centre = QRectF(control->rect()).center();
    const QPointF global = control->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &release);
}

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

class ProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(data.isValid());
        oldCurrent = QDir::currentPath();
        QDir::setCurrent(data.path());
        program = std::make_unique<Program>(dialogs, shell, browserFactory());
        forms().now = [this] { return clock; };
        // Ticks come only from the tests; the timer stays active as in the program.
        forms().form6->Timer1->start(24 * 60 * 60 * 1000);
        forms().form6->pause = [this](int milliseconds) { pauses.push_back(milliseconds); };
    }
    void TearDown() override
    {
        program.reset();
        QDir::setCurrent(oldCurrent);
    }

    // The views the windows get; recording ones unless a test needs others.
    virtual TWebBrowserFactory& browserFactory() { return browsers; }

    Forms& forms() { return program->forms(); }
    TForm1& main() { return *forms().form1; }
    TForm6& welcome() { return *forms().form6; }
    RecordingBrowser& chat() { return *static_cast<RecordingBrowser*>(main().WebChat); }
    QString dataDirectory() const { return data.path() + u'/'; }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            welcome().Timer1Timer();
    }

    QTemporaryDir data;
    QString oldCurrent;
    ObservedDialogs dialogs;
    RecordingShell shell;
    RecordingBrowserFactory browsers;
    std::unique_ptr<Program> program;
    QDateTime clock{QDate(2026, 3, 5), QTime(14, 5, 9)};
    std::vector<int> pauses;
};
