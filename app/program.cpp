#include "app/program.h"

#include "app/camera_window.h"
#include "app/main_window.h"
#include "app/message_texts_window.h"
#include "app/web_browser.h"
#include "app/welcome_window.h"
#include "guests/guest_card_window.h"
#include "guests/guest_picker_window.h"
#include "reports/print_outputs_window.h"
#include "reservations/cancel_reservation_window.h"
#include "reservations/create_reservation_window.h"
#include "reservations/reservation_menu_window.h"
#include "reservations/reservation_overview_window.h"
#include "reservations/web_sync_window.h"
#include "rooms/reception_window.h"
#include "rooms/room_window.h"
#include "settings/settings_window.h"

// Owners of the windows, destroyed in reverse order of creation.
struct Program::Windows
{
    std::unique_ptr<TForm6> form6;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm3> form3;
    std::unique_ptr<TForm4> form4;
    std::unique_ptr<TForm5> form5;
    std::unique_ptr<TForm7> form7;
    std::unique_ptr<TForm8> form8;
    std::unique_ptr<TForm9> form9;
    std::unique_ptr<TForm10> form10;
    std::unique_ptr<TForm11> form11;
    std::unique_ptr<TForm13> form13;
    std::unique_ptr<TForm14> form14;
    std::unique_ptr<TForm15> form15;
    std::unique_ptr<TForm17> form17;
};

namespace {

// Creates one window, runs its create handler (the constructor) and registers it at once, so that
// windows created later can reach it.
template <class Window> void create(Forms& forms, std::unique_ptr<Window>& owner, Window*& registered)
{
    owner = std::make_unique<Window>(forms);
    registered = owner.get();
}

} // namespace

Program::Program(Dialogs& dialogs, Shell& shell, TWebBrowserFactory& browsers) : windows_(std::make_unique<Windows>())
{
    forms_.dialogs = &dialogs;
    forms_.shell = &shell;
    forms_.browsers = &browsers;
    Windows& w = *windows_;
    // The welcome screen first; the main window second, so the data directory is known before
    // any other window exists.
    create(forms_, w.form6, forms_.form6);
    create(forms_, w.form1, forms_.form1);
    create(forms_, w.form2, forms_.form2);
    create(forms_, w.form3, forms_.form3);
    create(forms_, w.form4, forms_.form4);
    create(forms_, w.form5, forms_.form5);
    create(forms_, w.form7, forms_.form7);
    create(forms_, w.form8, forms_.form8);
    create(forms_, w.form9, forms_.form9);
    create(forms_, w.form10, forms_.form10);
    create(forms_, w.form11, forms_.form11);
    create(forms_, w.form13, forms_.form13);
    create(forms_, w.form14, forms_.form14);
    create(forms_, w.form15, forms_.form15);
    create(forms_, w.form17, forms_.form17);
}

Program::~Program()
{
    // Reverse order of creation; each pointer in Forms is cleared before its window goes.
    Windows& w = *windows_;
    forms_.form17 = nullptr, w.form17.reset();
    forms_.form15 = nullptr, w.form15.reset();
    forms_.form14 = nullptr, w.form14.reset();
    forms_.form13 = nullptr, w.form13.reset();
    forms_.form11 = nullptr, w.form11.reset();
    forms_.form10 = nullptr, w.form10.reset();
    forms_.form9 = nullptr, w.form9.reset();
    forms_.form8 = nullptr, w.form8.reset();
    forms_.form7 = nullptr, w.form7.reset();
    forms_.form5 = nullptr, w.form5.reset();
    forms_.form4 = nullptr, w.form4.reset();
    forms_.form3 = nullptr, w.form3.reset();
    forms_.form2 = nullptr, w.form2.reset();
    forms_.form1 = nullptr, w.form1.reset();
    forms_.form6 = nullptr, w.form6.reset();
}

void Program::start()
{
    forms_.form6->show();
}
