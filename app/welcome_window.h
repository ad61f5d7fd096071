#pragma once
// TForm6: the welcome screen, the program's first window. Its one-second timer drives the start-up
// (empty, "START", "RUN") and then the clocks for the whole run; "KONEC" makes the next tick end
// the program. Closing it ends the program; a click hides it and the timer keeps running.

#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

class TLEDMeter;
struct Forms;

class TForm6 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm6(Forms& forms, QWidget* parent = nullptr);

    // One tick of Timer1 (every 1000 ms); tests call it directly.
    void Timer1Timer();

    // Start-up state: empty, "START", "RUN" or "KONEC".
    static inline const QString kStavStart = QStringLiteral("START");
    static inline const QString kStavRun = QStringLiteral("RUN");
    static inline const QString kStavKonec = QStringLiteral("KONEC");
    QString Stav;
    QTimer* Timer1;
    // LED bar meter 0..100, played from 1 to 100 on the start tick.
    TLEDMeter* LEDMeter;
    QPushButton* XBut;
    // The pause between two meter steps; tests make it free.
    std::function<void(int milliseconds)> pause;

signals:
    // The welcome screen closed: the program ends.
    void programEnded();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void playMeter();

    Forms& forms_;
};
