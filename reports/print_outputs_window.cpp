#include "reports/print_outputs_window.h"

#include "app/forms.h"
#include "app/main_window.h"
#include "desktop/guarded_connect.h"
#include "desktop/show_step.h"
#include "reports/guest_book.h"
#include "reports/guest_book_source.h"
#include "store/regional_settings.h"
#include "widgets/color_button.h"
#include "widgets/control_builders.h"
#include "widgets/screw_panel.h"

#include <QDateEdit>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTabWidget>

#include <optional>
#include <stdexcept>

namespace {

constexpr TColor kGenerateFace = rgbColor(0x80, 0xFF, 0x80);
constexpr TColor kPrintFace = rgbColor(0x79, 0xD3, 0xFF);
constexpr int kPrintResolution = 300;

// The panel with the viewer fills the page below the row of controls.
constexpr int kControlsHeight = 60;
constexpr int kMargin = 8;
constexpr int kViewerInset = 14; // keeps the panel's screws visible

} // namespace

TForm17::TForm17(Forms& forms, QWidget* parent) : QWidget(parent), forms_(forms)
{
    setObjectName(QStringLiteral("Form17"));
    setWindowTitle(QStringLiteral("Tiskové výstupy"));

    PageControl1 = Build::pageControl(this, u"PageControl1", {});
    pages[0] = buildPage(1, QStringLiteral("Ubytovací kniha"));
    pages[1] = buildPage(2, QStringLiteral("Úklid"));
    pages[2] = buildPage(3, QStringLiteral("Správa hotelu"));
    // The cleaning and management outputs do not exist: nothing starts them.
    pages[1].generate->setEnabled(false);
    pages[2].generate->setEnabled(false);

    const ReportPage& book = pages[0];
    TabSheet1 = book.sheet, TabSheet2 = pages[1].sheet, TabSheet3 = pages[2].sheet;
    Vygen1 = book.generate, TiskBut = book.print, kal1 = book.day;
    vsechny = book.allDays, vybrany = book.chosenDay;
    Panel1 = book.panel, AcroPDF1 = book.viewer;
    novy1 = book.steps[0], Ram1 = book.steps[1], Pop1 = book.steps[2];
    Ob1 = book.steps[3], Ulozit1 = book.steps[4], Zobr1 = book.steps[5];

    Dialogs* d = forms_.dialogs;
    guardedConnect(d, Vygen1, &ColorButton::clicked, this, &TForm17::Vygen1Click);
    guardedConnect(d, TiskBut, &ColorButton::clicked, this, &TForm17::TiskButClick);
    guardedConnect(d, novy1, &QPushButton::clicked, this, &TForm17::novy1Click);
    guardedConnect(d, Ram1, &QPushButton::clicked, this, &TForm17::Ram1Click);
    guardedConnect(d, Pop1, &QPushButton::clicked, this, &TForm17::Pop1Click);
    guardedConnect(d, Ob1, &QPushButton::clicked, this, &TForm17::Ob1Click);
    guardedConnect(d, Ulozit1, &QPushButton::clicked, this, &TForm17::Ulozit1Click);
    guardedConnect(d, Zobr1, &QPushButton::clicked, this, &TForm17::Zobr1Click);

    choosePrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };

    resize(900, 760);
}

TForm17::~TForm17()
{
    // The viewer reads from the buffer until the document is closed.
    for (ReportPage& p : pages)
        p.document->close();
}

TForm17::ReportPage TForm17::buildPage(int number, const QString& caption)
{
    const QString n = QString::number(number);
    // The guest book's print button and mode buttons carry no number; the other pages' do.
    const auto unnumbered = [&](const char16_t* name) {
        return number == 1 ? QString::fromUtf16(name) : QString::fromUtf16(name) + n;
    };
    ReportPage p;
    p.sheet = Build::page(PageControl1, QString(QStringLiteral("TabSheet") + n), caption);
    p.generate = Build::colorButton(p.sheet, QString(QStringLiteral("Vygen") + n), QStringLiteral("Vygenerovat"),
                                    {kMargin, 10, 140, 40}, kGenerateFace);
    p.print =
        Build::colorButton(p.sheet, unnumbered(u"TiskBut"), QStringLiteral("Tisk"), {156, 10, 110, 40}, kPrintFace);
    p.day = Build::dateEdit(p.sheet, QString(QStringLiteral("kal") + n), {284, 17, 130, 26},
                            RegionalSettings::shortDateFormat());
    p.day->setAccessibleName(QStringLiteral("Den"));
    p.allDays =
        Build::radioButton(p.sheet, unnumbered(u"vsechny"), QStringLiteral("Všechny dny"), {432, 8, 160, 22}, true);
    p.chosenDay =
        Build::radioButton(p.sheet, unnumbered(u"vybrany"), QStringLiteral("Vybraný den"), {432, 32, 160, 22});
    p.panel = Build::panel(p.sheet, QString(QStringLiteral("Panel") + n), {kMargin, kControlsHeight, 400, 300});

    p.document = new QPdfDocument(this);
    p.viewer = new QPdfView(p.panel);
    p.viewer->setObjectName(QStringLiteral("AcroPDF") + n);
    p.viewer->setAccessibleName(caption);
    p.viewer->setPageMode(QPdfView::PageMode::MultiPage);
    p.viewer->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    p.viewer->setDocument(p.document);
    p.sheet->installEventFilter(this);

    const char16_t* const stepNames[] = {u"novy", u"Ram", u"Pop", u"Ob", u"Ulozit", u"Zobr"};
    const char16_t* const stepCaptions[] = {u"Nový", u"Rámečky", u"Popisky", u"Obsah", u"Uložit", u"Zobrazit"};
    for (std::size_t i = 0; i < p.steps.size(); ++i) {
        p.steps[i] = Build::button(p.sheet, QString(QString::fromUtf16(stepNames[i]) + n),
                                   QString::fromUtf16(stepCaptions[i]), {600 + int(i) * 10, 10, 8, 8});
        p.steps[i]->setVisible(false);
    }
    return p;
}

QString TForm17::reportFileName() const
{
    return forms_.dataFile(kReportFileName);
}

void TForm17::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    runShowStep(this, event, forms_.dialogs, [this] { FormShow(); });
}

void TForm17::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PageControl1->setGeometry(rect());
}

bool TForm17::eventFilter(QObject* watched, QEvent* event)
{
    // A page's panel and viewer fill the page below the row of controls, at every size of the page.
    if (event->type() == QEvent::Resize) {
        for (ReportPage& p : pages) {
            if (watched != p.sheet)
                continue;
            const QSize sheet = p.sheet->size();
            p.panel->setGeometry(kMargin, kControlsHeight, qMax(100, sheet.width() - 2 * kMargin),
                                 qMax(100, sheet.height() - kControlsHeight - kMargin));
            p.viewer->setGeometry(p.panel->rect().adjusted(kViewerInset, kViewerInset, -kViewerInset, -kViewerInset));
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm17::FormShow()
{
    PageControl1->setCurrentWidget(TabSheet1);
    const QDateTime now = forms_.now();
    for (ReportPage& p : pages)
        p.day->setDateTime(now);
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet2), false);
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet3), false);
}

void TForm17::Vygen1Click()
{
    novy1Click();
    Ram1Click();
    Pop1Click();
    Ob1Click();
    Ulozit1Click();
    Zobr1Click();
}

QString TForm17::chosenDayText() const
{
    return RegionalSettings::dateText(kal1->date());
}

QString TForm17::footer() const
{
    const QString version = forms_.form1 ? forms_.form1->programVersion : QString();
    return GuestBook::footerText(version, RegionalSettings::dateText(forms_.now().date()));
}

void TForm17::novy1Click()
{
    PDF = std::make_unique<TPrintPDF>(nullptr, [this] { return forms_.now(); });
    PDF->TITLE = QStringLiteral("Titulek");
    PDF->PageWidth = 612;
    PDF->PageHeight = 792;
    PDF->FileName = reportFileName();
    PDF->BeginDoc();
    pageCounter = 1;
}

// The drawing steps need the document of the new-document step; without one they do nothing.
void TForm17::Ram1Click()
{
    if (PDF)
        GuestBook::drawFrame(*PDF);
}

void TForm17::Pop1Click()
{
    if (PDF)
        GuestBook::drawHeading(*PDF, pageCounter, {chosenDayText(), footer()});
}

void TForm17::Ob1Click()
{
    if (!PDF)
        return;
    std::optional<QString> onlyDay;
    if (vybrany->isChecked())
        onlyDay = chosenDayText();
    else if (!vsechny->isChecked())
        onlyDay = QString(); // neither mode: no day is written (radio buttons never get there)
    GuestBook::writeList(*PDF, GuestBook::readRoomDays(forms_.dataDirectory), onlyDay, pageCounter,
                         {chosenDayText(), footer()});
}

void TForm17::Ulozit1Click()
{
    if (!PDF)
        return;
    // A file error leaves the writer: the next generation replaces it.
    PDF->EndDoc();
    PDF.reset();
}

void TForm17::Zobr1Click()
{
    // The whole file is read and closed at once; the viewer keeps no handle on it.
    report()->close();
    QFile file(reportFileName());
    reportBytes_.close();
    reportBytes_.setData(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    reportBytes_.open(QIODevice::ReadOnly);
    report()->load(&reportBytes_);
}

void TForm17::TiskButClick()
{
    QPdfDocument& document = *report();
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() == 0)
        return;

    QPrinter printer;
    printer.setDocName(kReportFileName);
    printer.setPageLayout(QPageLayout(QPageSize(document.pagePointSize(0), QPageSize::Point), QPageLayout::Portrait,
                                      QMarginsF(), QPageLayout::Point));
    printer.setFromTo(1, document.pageCount());
    if (!choosePrinter(printer))
        return;
    // After the choice: choosing a printer resets the resolution to that printer's default.
    printer.setResolution(kPrintResolution);
    printPdfDocument(document, printer);
}

void printPdfDocument(QPdfDocument& document, QPrinter& printer)
{
    int first = 0;
    int last = document.pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = qMin(last, printer.toPage() - 1);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error(
            QStringLiteral("Cannot print on \"%1\".")
                .arg(printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName())
                .toStdString());
    const QRect area = painter.viewport();
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        // The page fitted into the paint area, its proportions kept, at the printer's own resolution.
        const QSize size = (document.pagePointSize(page) * 1000).toSize().scaled(area.size(), Qt::KeepAspectRatio);
        const QRect target(area.topLeft() + QPoint((area.width() - size.width()) / 2, 0), size);
        painter.drawImage(target, printedPageImage(document, page, size));
    }
    painter.end();
}

QImage printedPageImage(QPdfDocument& document, int page, const QSize& size)
{
    // The renderer leaves the paper transparent: put the page on white before dropping the colour.
    QImage paper(size, QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter p(&paper);
    p.drawImage(0, 0, document.render(page, size));
    p.end();
    return paper.convertToFormat(QImage::Format_Grayscale8);
}
