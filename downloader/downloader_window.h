#pragma once
// TForm1 of the downloader: fetches the address given on the command line with one HTTP/1.0 GET
// into the working directory, under the address's last path segment, with a progress bar and
// START, STOP and OK buttons. The transfer runs inside the START click and pumps the event loop,
// so STOP and OK work while it runs.

#include "desktop/directory_locator.h"
#include "downloader/progress_bar.h"
#include "widgets/color_button.h"

#include <QString>
#include <QWidget>

class Dialogs;
class QGroupBox;
class QLabel;
class TNMHTTP;

namespace downloader {

// The window's push buttons: owner-drawn colour buttons.
using Button = ColorButton;

class TForm1 final : public QWidget
{
    Q_OBJECT

public:
    // The caption: the program's name, a credit and the word "Freeware".
    static const QString Caption;

    // argument: the first command-line argument, empty when there is none. Every box goes through
    // dialogs. Throws ESockError when the network client cannot get a socket.
    TForm1(Dialogs& dialogs, QString argument, QWidget* parent = nullptr);
    ~TForm1() override;

    QGroupBox* GroupBox1;
    QLabel* Label1;
    QLabel* DownFile; // the address to fetch
    QLabel* Label2;
    QLabel* Nazev; // the full path of the file to write
    TransferProgressBar* ProgressBar1;
    Button* StartBut;
    Button* StopBut;
    Button* OKBut;
    TNMHTTP* NMHTTP1;
    DirectoryLocator DirectoryLocator1;

    // Takes the address and its destination; runs when the window becomes visible.
    void FormShow();
    // Checks the address and destination, then runs the whole transfer; errors end in the error box.
    void StartButClick();
    void StopButClick();
    // Stops a running transfer and closes the window, which ends the program.
    void OKButClick();
    void NMHTTP1PacketRecvd();
    void NMHTTP1Success();

    // True from the start of a transfer until the START click that runs it has returned.
    bool transferring() const { return transferring_; }

signals:
    // The window has been closed and no transfer is unwinding any more: the program ends.
    void programEnded();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void endProgram();

    Dialogs& dialogs_;
    QString argument_;
    bool transferring_ = false;
    bool closed_ = false; // closed while a transfer was running: end the program after it
    bool ended_ = false;  // programEnded has been emitted
};

} // namespace downloader
