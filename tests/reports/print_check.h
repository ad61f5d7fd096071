#pragma once
// Printed output checked against the report it came from: the printed file is a valid PDF with the
// report's page count, each page is one image at the print resolution, and that image is the
// report's page as the viewer renders it (and clearly not another page or blank paper).

#include "reports/print_outputs_window.h"
#include "tests/reports/pdf_tools.h"

#include <QDir>
#include <QImage>
#include <QPdfDocument>
#include <QTemporaryDir>

#include <cmath>

namespace PrintCheck {

// Mean absolute difference of two grey images of one size, 0 (same) to 255; -1 when the sizes differ.
inline double difference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return -1;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* pa = a.constScanLine(y);
        const uchar* pb = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(int(pa[x]) - int(pb[x]));
    }
    return sum / (double(a.width()) * a.height());
}

// The resolution of every image in a PDF file, as pdfimages lists it ("x-ppi").
inline QList<int> imageResolutions(const QString& pdf)
{
    const PdfTools::Result r = PdfTools::run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QList<int> ppi;
    const QList<QByteArray> lines = r.out.split('\n');
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QList<QByteArray> f = lines[i].simplified().split(' ');
        if (f.size() >= 14)
            ppi << f[12].toInt();
    }
    return ppi;
}

// The image of page page (from 1) of a printed file, as pdfimages extracts it.
inline QImage printedImage(const QString& pdf, int page)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("img"));
    const PdfTools::Result r =
        PdfTools::run(QStringLiteral("pdfimages"), {QStringLiteral("-png"), QStringLiteral("-f"), QString::number(page),
                                                    QStringLiteral("-l"), QString::number(page), pdf, prefix});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList files = QDir(dir.path()).entryList({QStringLiteral("img-*.png")}, QDir::Files, QDir::Name);
    EXPECT_EQ(files.size(), 1) << "images on printed page " << page;
    return files.isEmpty() ? QImage() : QImage(dir.filePath(files[0])).convertToFormat(QImage::Format_Grayscale8);
}

// The printed file holds the report's pages in order, each at 300 dpi.
inline void expectPrintedPagesMatch(const QString& printed, const QString& report)
{
    PdfTools::expectQpdfAccepts(printed);
    QPdfDocument source;
    ASSERT_EQ(source.load(report), QPdfDocument::Error::None);
    const int pages = source.pageCount();
    ASSERT_GT(pages, 0);
    ASSERT_EQ(PdfTools::pageCount(printed), pages);
    const QList<int> ppi = imageResolutions(printed);
    EXPECT_EQ(ppi.size(), pages);
    for (int value : ppi)
        EXPECT_NEAR(value, 300, 1);
    for (int p = 0; p < pages; ++p) {
        const QImage got = printedImage(printed, p + 1);
        const QImage own = printedPageImage(source, p, got.size());
        const double same = difference(got, own);
        ASSERT_GE(same, 0) << "page " << p + 1 << " is " << got.width() << "x" << got.height();
        EXPECT_LT(same, 1.0) << "page " << p + 1;
        QImage other = pages > 1 ? printedPageImage(source, p == 0 ? 1 : 0, got.size()) : own;
        if (pages == 1)
            other.fill(255);
        EXPECT_GT(difference(got, other), 4 * same + 1.0) << "page " << p + 1 << " is not told apart";
    }
}

} // namespace PrintCheck
