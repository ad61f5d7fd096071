#pragma once
// Program: creates every window once, in the start-up order, and keeps them to the end, held by
// one Forms object together with the seams. main() and the window tests both build one.

#include "app/forms.h"

#include <memory>

class TWebBrowserFactory;

class Program final
{
public:
    // The seams must outlive the program.
    Program(Dialogs& dialogs, Shell& shell, TWebBrowserFactory& browsers);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Forms& forms() { return forms_; }
    // Shows the welcome screen; its timer is already running.
    void start();

private:
    struct Windows;
    Forms forms_;
    std::unique_ptr<Windows> windows_;
};
