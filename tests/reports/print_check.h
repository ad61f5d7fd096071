#pragma once
// Printed output checked against the report it came from: the printed file is a valid PDF with the
// report's page count, its pages are images at the print resolution, and each printed page looks
// like its report page (both rasterised by pdftoppm and compared pixel by pixel).

#include "tests/reports/pdf_tools.h"

#include <QImage>
#include <QTemporaryDir>

#include <cmath>

namespace PrintCheck {

// Page page (from 1) of a PDF file as a grey image at dpi.
inline QImage rasterise(const QString& pdf, int page, int dpi = 40)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const PdfTools::Result r =
        PdfTools::run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                                                   QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                                   QString::number(page), QStringLiteral("-singlefile"), pdf, prefix});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QImage(prefix + QStringLiteral(".pgm")).convertToFormat(QImage::Format_Grayscale8);
}

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

// The printed file holds the report's pages, each printed page closest to its own report page.
inline void expectPrintedPagesMatch(const QString& printed, const QString& report)
{
    PdfTools::expectQpdfAccepts(printed);
    const int pages = PdfTools::pageCount(report);
    ASSERT_GT(pages, 0);
    ASSERT_EQ(PdfTools::pageCount(printed), pages);
    for (int ppi : imageResolutions(printed))
        EXPECT_NEAR(ppi, 300, 2);
    for (int p = 1; p <= pages; ++p) {
        const QImage got = rasterise(printed, p);
        const double same = difference(got, rasterise(report, p));
        EXPECT_GE(same, 0) << "page " << p << " has another size than the report's";
        EXPECT_LT(same, 4.0) << "page " << p;
        // Another page of the report, or a blank page where there is only one, differs clearly more.
        QImage other = pages > 1 ? rasterise(report, p == 1 ? 2 : 1) : QImage(got.size(), QImage::Format_Grayscale8);
        if (pages == 1)
            other.fill(255);
        EXPECT_GT(difference(got, other), 2 * same + 0.5) << "page " << p;
    }
}

} // namespace PrintCheck
