#pragma once
// TForm17 ("Tiskové výstupy"): the print outputs window. Its guest book page writes the reserved
// room-days of all active reservations to report.pdf in the data directory, shows the file in the
// viewer and prints it. The cleaning and hotel management pages are built alike but never shown.

#include "reports/print_pdf.h"

#include <QBuffer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class ColorButton;
class TScrewPanel;
class QDateEdit;
class QImage;
class QPdfDocument;
class QPdfView;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTabWidget;
struct Forms;

class TForm17 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm17(Forms& forms, QWidget* parent = nullptr);
    ~TForm17() override;

    static inline const QString kReportFileName = QStringLiteral("report.pdf");
    // The data directory followed by "report.pdf": written by the save step, loaded by the show step.
    QString reportFileName() const;

    // Show handler: the guest book page, today's date on every page's date picker, the other tabs hidden.
    void FormShow();

    // "Vygenerovat": the six steps below, in this order; a step that fails ends the run.
    void Vygen1Click();
    void novy1Click();   // a new writer and document, page counter 1
    void Ram1Click();    // the page frame
    void Pop1Click();    // the page heading
    void Ob1Click();     // the list, with its page breaks
    void Ulozit1Click(); // writes report.pdf and frees the writer
    void Zobr1Click();   // loads report.pdf into the viewer
    // "Tisk": prints the document the viewer has loaded; with none loaded there is nothing to print.
    void TiskButClick();

    // Asked before each print with the printer set up for the document; may change the printer and
    // its settings, and returns false to cancel. Shows the print dialog unless a test replaces it.
    std::function<bool(QPrinter&)> choosePrinter;

    // The controls of one page; the three pages are built alike.
    struct ReportPage
    {
        QWidget* sheet = nullptr;
        ColorButton* generate = nullptr;
        ColorButton* print = nullptr;
        QDateEdit* day = nullptr;
        QRadioButton* allDays = nullptr;
        QRadioButton* chosenDay = nullptr;
        TScrewPanel* panel = nullptr;
        QPdfView* viewer = nullptr;
        QPdfDocument* document = nullptr;
        // novy, Ram, Pop, Ob, Ulozit, Zobr: never visible.
        std::array<QPushButton*, 6> steps{};
    };
    std::array<ReportPage, 3> pages;

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    ColorButton* Vygen1 = nullptr;
    ColorButton* TiskBut = nullptr;
    QDateEdit* kal1 = nullptr;
    QRadioButton* vsechny = nullptr;
    QRadioButton* vybrany = nullptr;
    TScrewPanel* Panel1 = nullptr;
    QPdfView* AcroPDF1 = nullptr;
    QPushButton* novy1 = nullptr;
    QPushButton* Ram1 = nullptr;
    QPushButton* Pop1 = nullptr;
    QPushButton* Ob1 = nullptr;
    QPushButton* Ulozit1 = nullptr;
    QPushButton* Zobr1 = nullptr;

    // The document being generated, from the new-document step to the save step.
    std::unique_ptr<TPrintPDF> PDF;
    // Printed in the page heading: 1 when a document is begun, raised at each page break.
    int pageCounter = 0;

    // The report loaded into the guest book viewer.
    QPdfDocument* report() const { return pages[0].document; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ReportPage buildPage(int number, const QString& caption);
    QString chosenDayText() const;
    QString footer() const;

    Forms& forms_;
    // The loaded report's bytes: the viewer reads them from memory, so no handle on report.pdf stays
    // open between generations.
    QBuffer reportBytes_;
};

// Prints every page of a loaded document (or the printer's page range) onto the printer, each page
// rendered at the printer's resolution and fitted into its paint area. Throws when the printer
// cannot be opened.
void printPdfDocument(QPdfDocument& document, QPrinter& printer);
// One page as it goes to the printer: rendered at size onto white paper, in grey (the guest book is
// black on white, and grey needs a quarter of the memory of colour).
QImage printedPageImage(QPdfDocument& document, int page, const QSize& size);
