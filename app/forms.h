#pragma once
// Forms: every window of the program, created once in the start-up order and kept to the end, and
// the seams they share. Windows cooperate by setting each other's public members through it.
// Pointers of windows not created (in tests) are null.

#include <QDateTime>
#include <QString>
#include <functional>

class Dialogs;
class Shell;
class TWebBrowserFactory;

class TForm1;  // main window
class TForm2;  // cameras
class TForm3;  // guest card
class TForm4;  // room window
class TForm5;  // reception floor plan
class TForm6;  // welcome screen
class TForm7;  // reservation menu
class TForm8;  // create reservation
class TForm9;  // cancel reservation
class TForm10; // reservation overview
class TForm11; // message texts
class TForm13; // guest picker
class TForm14; // web synchronisation
class TForm15; // settings
class TForm17; // print outputs

struct Forms
{
    // Seams.
    Dialogs* dialogs = nullptr;
    Shell* shell = nullptr;
    TWebBrowserFactory* browsers = nullptr;
    // "Now" for clocks, date pickers and time stamps; tests replace it.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    // The working directory when the main window was created, ending in "/"; every data file is this
    // followed directly by its name.
    QString dataDirectory;
    QString dataFile(const QString& name) const { return dataDirectory + name; }

    TForm6* form6 = nullptr;
    TForm1* form1 = nullptr;
    TForm2* form2 = nullptr;
    TForm3* form3 = nullptr;
    TForm4* form4 = nullptr;
    TForm5* form5 = nullptr;
    TForm7* form7 = nullptr;
    TForm8* form8 = nullptr;
    TForm9* form9 = nullptr;
    TForm10* form10 = nullptr;
    TForm11* form11 = nullptr;
    TForm13* form13 = nullptr;
    TForm14* form14 = nullptr;
    TForm15* form15 = nullptr;
    TForm17* form17 = nullptr;
};
