// A window with every owner-drawn control in the configurations the windows use and a few more,
// for looking at them. With an output path as argument it saves a grab of the window there
// (and an enlarged copy beside it, "-x3" before the extension) and quits.

#include "widgets/color_button.h"
#include "widgets/gradient_background.h"
#include "widgets/lcd99.h"
#include "widgets/led_button.h"
#include "widgets/led_meter.h"
#include "widgets/screw_panel.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QTimer>

namespace {

QFont boldArial(int pixels)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(true);
    return f;
}

QLabel* label(QWidget* parent, const QString& text, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    l->move(x, y);
    l->adjustSize();
    return l;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Lodgera widgets"));
    window.resize(760, 560);

    auto* bg = new GradientBackground(&window);
    bg->setAlign(GradientBackground::TAlign::alClient);
    bg->setStartColor(rgbColor(0, 64, 128));
    bg->setEndColor(clBlack);
    bg->setStyle(TGradientBkStyle::gsCornerBottomRight);

    // Colour buttons: vertical gradient, no gradient (up and down), pyramid, horizontal, disabled.
    label(&window, QStringLiteral("ColorButton"), 10, 8);
    struct ButtonSpec
    {
        const char* caption;
        TColor color;
        TButtonGradientStyle style;
        bool down;
        bool enabled;
    };
    const ButtonSpec buttons[] = {
        {"Recepce", clSilver, TButtonGradientStyle::gsVertical, false, true},
        {"&Konec", clRed, TButtonGradientStyle::gsVertical, true, true},
        {"Uložit", clBtnFace, TButtonGradientStyle::gsNone, false, true},
        {"Uložit", clBtnFace, TButtonGradientStyle::gsNone, true, true},
        {"Pyramid", rgbColor(0, 128, 255), TButtonGradientStyle::gsPyramid, false, true},
        {"Horiz", clGreen, TButtonGradientStyle::gsHorizontal, false, true},
        {"Vypnuto", clSilver, TButtonGradientStyle::gsVertical, false, false},
    };
    int x = 10;
    for (const ButtonSpec& s : buttons) {
        auto* b = new ColorButton(&window);
        b->setGeometry(x, 28, 95, 30);
        b->setFont(boldArial(13));
        b->setCaption(QString::fromUtf8(s.caption));
        b->setColor(s.color);
        b->setGradientStyle(s.style);
        b->setDown(s.down);
        b->setEnabled(s.enabled);
        x += 103;
    }

    // Screw panels: room tiles (silver, "--"), coloured tiles, a frame with inner bevel.
    label(&window, QStringLiteral("TScrewPanel"), 10, 70);
    const TColor tiles[] = {clSilver, clRed, clLime, clYellow, rgbColor(0, 128, 255), clBtnFace};
    x = 10;
    for (TColor c : tiles) {
        auto* p = new TScrewPanel(&window);
        p->setGeometry(x, 90, 40, 40);
        p->setColor(c);
        p->setFont(boldArial(13));
        p->setCaption(QStringLiteral("--"));
        x += 44;
    }
    auto* frame = new TScrewPanel(&window);
    frame->setGeometry(x + 10, 90, 200, 60);
    frame->setColor(clSilver);
    frame->setBevelInner(TBevelStyle::bvLowered);
    frame->setBorderWidth(2);
    frame->setFont(boldArial(13));
    frame->setCaption(QStringLiteral("Rám"));
    auto* big = new TScrewPanel(&window);
    big->setGeometry(x + 220, 90, 90, 60);
    big->setColor(rgbColor(64, 96, 160));
    big->setScrewSize(4);
    big->setMargin(3);
    big->setFontColor(clWhite);
    big->setCaption(QStringLiteral("ScrewSize 4"));

    // LED meters: the temperature bar and the progress bar, plus other directions and a peak.
    label(&window, QStringLiteral("TLEDMeter"), 10, 160);
    auto* temp = new TLEDMeter(&window);
    temp->setGeometry(10, 180, 283, 16);
    temp->setBevelStyle(TBevelStyle::bvNone);
    temp->setMax(55);
    temp->setNumDigits(40);
    temp->setSection3Value(45);
    temp->setSection2Value(45);
    temp->setPosition(10);
    auto* progress = new TLEDMeter(&window);
    progress->setGeometry(10, 204, 143, 16);
    progress->setPosition(95);
    auto* left = new TLEDMeter(&window);
    left->setGeometry(163, 204, 143, 16);
    left->setDirection(TMeterDirection::mdLeft);
    left->setLEDContrast(6);
    left->setPosition(60);
    auto* up = new TLEDMeter(&window);
    up->setGeometry(320, 160, 16, 143);
    up->setDirection(TMeterDirection::mdUp);
    up->setLEDContrast(5);
    up->setPosition(80);
    auto* down = new TLEDMeter(&window);
    down->setGeometry(344, 160, 16, 143);
    down->setDirection(TMeterDirection::mdDown);
    down->setBevelStyle(TBevelStyle::bvRaised);
    down->setSingleLED(true);
    down->setPosition(50);

    // LED buttons: the lock indicator (disabled), on and off, pressed-looking directions.
    label(&window, QStringLiteral("TLEDButton"), 380, 160);
    auto* lock = new TLEDButton(&window);
    lock->setGeometry(380, 180, 60, 45);
    lock->setColor(clRed);
    lock->setColorLED(2960895);
    lock->setLEDContrast(8);
    lock->setTextPosition(TTextPosition::tpOnButton);
    lock->setFont(boldArial(13));
    lock->setFontColor(clYellow);
    lock->setCaption(QStringLiteral("Zámek"));
    lock->setEnabled(false);
    auto* on = new TLEDButton(&window);
    on->setGeometry(450, 180, 45, 45);
    on->setStateOn(true);
    auto* off = new TLEDButton(&window);
    off->setGeometry(505, 180, 45, 45);
    off->setTextPosition(TTextPosition::tpBelow);
    off->setCaption(QStringLiteral("Dole"));
    const TButtonDirection dirs[] = {TButtonDirection::bdTopUp, TButtonDirection::bdLeftUp, TButtonDirection::bdRightUp,
                                     TButtonDirection::bdNone};
    x = 380;
    for (TButtonDirection d : dirs) {
        auto* b = new TLEDButton(&window);
        b->setGeometry(x, 240, 45, 45);
        b->setButtonDirection(d);
        b->setColor(rgbColor(0, 96, 160));
        b->setColorLED(clLime);
        b->setStateOn(d != TButtonDirection::bdNone);
        x += 55;
    }

    // LCD displays: the clock, the amount, the default display with a decimal point, dot mode.
    label(&window, QStringLiteral("TLCD99"), 10, 310);
    auto* clock = new TLCD99(&window);
    clock->setGeometry(10, 330, 180, 40);
    clock->setDigitNum(8);
    clock->setDigitSpacing(1);
    clock->setGapX(1);
    clock->setGapY(1);
    clock->setSegmentSize(3);
    clock->setValue(QStringLiteral("12:30:45"));
    auto* amount = new TLCD99(&window);
    amount->setGeometry(200, 330, 180, 40);
    amount->setDigitNum(8);
    amount->setDigitSpacing(1);
    amount->setGapX(1);
    amount->setGapY(1);
    amount->setSegmentSize(3);
    amount->setValue(QStringLiteral("0"));
    auto* dec = new TLCD99(&window);
    dec->setGeometry(390, 330, 92, 34);
    dec->setValue(QStringLiteral("12.5"));
    dec->setOffColor(rgbColor(0, 48, 0));
    auto* letters = new TLCD99(&window);
    letters->setGeometry(10, 380, 250, 40);
    letters->setDigitNum(8);
    letters->setOffColor(rgbColor(0, 40, 0));
    letters->setValue(QStringLiteral("hotel-ab"));
    auto* dots = new TLCD99(&window);
    dots->setGeometry(270, 380, 212, 50);
    dots->setDigitNum(5);
    dots->setSegmentSize(3);
    dots->setDotSpacing(1);
    dots->setDotDisplay(true);
    dots->setOnColor(clRed);
    dots->setOffColor(rgbColor(48, 0, 0));
    dots->setValue(QStringLiteral("-0.47"));

    // Gradient backgrounds in the other styles.
    label(&window, QStringLiteral("GradientBackground"), 10, 440);
    const TGradientBkStyle styles[] = {TGradientBkStyle::gsDiagonalFalling, TGradientBkStyle::gsVertical,
                                       TGradientBkStyle::gsPyramid,         TGradientBkStyle::gsEllipse,
                                       TGradientBkStyle::gsCornerTopLeft,   TGradientBkStyle::gsDiagonalRising,
                                       TGradientBkStyle::gsHorizontal};
    x = 10;
    for (TGradientBkStyle s : styles) {
        auto* g = new GradientBackground(&window);
        g->setGeometry(x, 460, 95, 80);
        g->setStartColor(clWhite);
        g->setEndColor(rgbColor(0, 0, 160));
        g->setStyle(s);
        if (s == TGradientBkStyle::gsVertical) {
            g->setBevelStyle(TBevelStyle::bvRaised);
            g->setBevelWidth(10);
        }
        x += 105;
    }

    window.show();
    if (argc > 1) {
        const QString out = QString::fromLocal8Bit(argv[1]);
        QTimer::singleShot(200, &window, [&window, out] {
            const QPixmap shot = window.grab();
            shot.save(out);
            const QFileInfo info(out);
            shot.scaled(shot.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                .save(info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("-x3.") +
                      info.suffix());
            QApplication::quit();
        });
    }
    return app.exec();
}
