// lodgera_screenshots: the pictures of the guide. Builds the whole program on the data directory
// that is the working directory (the demo guesthouse), walks the road of one reservation through
// the windows' own handlers at a fixed moment, and saves each window as QWidget::grab() draws it.
//
// Usage: lodgera_screenshots <output folder> <yyyy-MM-ddTHH:mm:ss>
// The moment must be the day the demo data was generated for (lodgera_demo_generator --today).

#include "app/forms.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/web_browser.h"
#include "app/welcome_window.h"
#include "desktop/dialogs.h"
#include "desktop/shell.h"
#include "guests/guest_card_window.h"
#include "guests/guest_picker_window.h"
#include "reports/print_outputs_window.h"
#include "reservations/create_reservation_window.h"
#include "reservations/reservation_menu_window.h"
#include "rooms/reception_window.h"
#include "rooms/room_window.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPixmap>
#include <QTreeWidget>

#include <cstdio>
#include <functional>

namespace {

// Message boxes are written to the terminal and answered No: nothing may wait for a person.
class LoggedDialogs final : public Dialogs
{
public:
    void message(const QString& text) override { log(QStringLiteral("message"), text); }
    bool confirm(const QString& text) override
    {
        log(QStringLiteral("confirm"), text);
        return false;
    }
    void information(const QString& text) override { log(QStringLiteral("information"), text); }
    void error(const QString& text) override
    {
        log(QStringLiteral("error"), text);
        errors = true;
    }
    bool errors = false;

private:
    static void log(const QString& kind, const QString& text)
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(kind), qPrintable(text));
    }
};

// Companion programs and addresses are not opened.
class QuietShell final : public Shell
{
public:
    void startProgram(const QString&, const QString&, const QString&) override {}
    void openUrl(const QString&) override {}
};

void settle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool waitFor(const std::function<bool()>& condition, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A left click in the middle of a control: press, then release.
void leftClick(QWidget* control)
{
    const QPointF centre = QRectF(control->rect()).center();
    const QPointF global = control->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &release);
}

QTreeWidgetItem* rowOf(QTreeWidget* list, int column, const QString& text)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(column) == text)
            return list->topLevelItem(i);
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lodgera"));
    app.setQuitOnLastWindowClosed(false);

    const QStringList args = app.arguments();
    const QDateTime moment = args.size() == 3 ? QDateTime::fromString(args[2], Qt::ISODate) : QDateTime();
    if (!moment.isValid()) {
        std::fprintf(stderr, "usage: lodgera_screenshots <output folder> <yyyy-MM-ddTHH:mm:ss>\n");
        return 2;
    }
    const QDir out(args[1]);
    int failures = 0;
    auto save = [&](QWidget* window, const char* name) {
        settle(400);
        const QString file = out.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        if (!window->isVisible() || !window->grab().save(file)) {
            std::fprintf(stderr, "cannot grab %s\n", name);
            ++failures;
            return;
        }
        std::printf("%s\n", qPrintable(file));
    };

    LoggedDialogs dialogs;
    QuietShell shell;
    WebEngineBrowserFactory browsers;
    Program program(dialogs, shell, browsers);
    Forms& f = program.forms();
    f.now = [moment] { return moment; };
    program.start();
    if (!waitFor([&] { return f.form1->isVisible(); }, 10000)) {
        std::fprintf(stderr, "the main window did not open\n");
        return 1;
    }
    f.form6->hide();
    // The display calendar follows the system clock; show the pictures' day on it as well.
    f.form1->Kalendar->setSelectedDate(moment.date());
    save(f.form1, "main_window");

    // The floor plan of the day.
    f.form1->RecepceButClick();
    save(f.form5, "floor_plan");

    // A room of a guest who is in the house.
    f.form5->pClick(22);
    save(f.form4, "room_window");
    f.form4->hide();
    f.form5->OKButClick();

    // The guest card of a guest with a photograph.
    f.form3->CisloHosta = 2;
    f.form3->show();
    save(f.form3, "guest_card");
    f.form3->hide();

    // A new reservation: the guest from the picker, three days, a room from the plan.
    f.form1->RezervaceButClick();
    f.form7->VytvoritRezervaciButClick();
    f.form8->VyberHostaButClick();
    if (QTreeWidgetItem* row = rowOf(f.form13->klienti, 1, QStringLiteral("Horáková"))) {
        f.form13->klienti->setCurrentItem(row);
        f.form13->UpravitHostaButClick();
    }
    f.form3->hide();
    for (int d = 2; d <= 4; ++d) {
        f.form8->kalendar->setSelectedDate(moment.date().addDays(d));
        f.form8->kalendarDblClick();
    }
    f.form8->VyberPokojeButClick();
    f.form5->pClick(25); // room 104
    f.form8->raise();
    save(f.form8, "create_reservation");
    f.form8->hide();
    f.form7->hide();

    // The guest book of every reserved day.
    f.form1->TiskButClick();
    if (auto* generate = f.form17->findChild<QWidget*>(QStringLiteral("Vygen1")))
        leftClick(generate);
    settle(800);
    save(f.form17, "guest_book");

    return failures == 0 && !dialogs.errors ? 0 : 1;
}
