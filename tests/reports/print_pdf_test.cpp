// TPrintPDF: exact bytes of small documents, the layout rules that make them, the mends for
// Czech letters and string literals, and real PDF tools (qpdf, pdftotext) on real output.
#include "reports/print_pdf.h"

#include "pdf_tools.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <climits>
#include <functional>

namespace {

const QDateTime kFixedNow(QDate(2024, 3, 5), QTime(14, 7, 9));

QByteArray crlfLines(std::initializer_list<const char*> lines)
{
    QByteArray out;
    for (const char* l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString pdfText(const QString& path)
{
    return PdfTools::text(path, 1, 0, true).trimmed();
}

// A writer with a fixed clock that saves into a fresh temporary folder.
class PrintPdfTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    TPrintPDF pdf{nullptr, [] { return kFixedNow; }};
};

// --- golden files -------------------------------------------------------------------------------

struct GoldenCase
{
    const char* name;
    std::function<void(TPrintPDF&)> draw; // everything between the metadata and EndDoc
};

void PrintTo(const GoldenCase& c, std::ostream* os)
{
    *os << c.name;
}

void drawOnePage(TPrintPDF& pdf)
{
    pdf.TITLE = QStringLiteral("Titulek");
    pdf.Subject = QStringLiteral("Zkouška");
    pdf.BeginDoc();
    pdf.LineWidth = 3;
    pdf.DrawRectangle(12, 12, 600, 780);
    pdf.DrawLine(12, 40, 600, 40);
    pdf.LineWidth = 1;
    pdf.DrawLine(13, 100, 600, 100);
    pdf.Font.FontNumber = 1;
    pdf.Font.FontSize = 15;
    pdf.TextOut(50, 32, QStringLiteral("Ubytovací kniha"));
    pdf.Font.FontNumber = 8;
    pdf.Font.FontSize = 10;
    pdf.TextOut(20, 96, QStringLiteral("Dvořák Ťoupalík Ďurďa"));
    pdf.TextOut(225, 96, QStringLiteral("? (12)"));
    pdf.TextOut(20, 111, QStringLiteral("C:\\Hotel\\ :-)"));
}

void drawThreePages(TPrintPDF& pdf)
{
    pdf.BeginDoc();
    for (int page = 1; page <= 3; ++page) {
        if (page > 1)
            pdf.NewPage();
        pdf.DrawLine(12, 40, 600, 40);
        pdf.TextOut(320, 32, QStringLiteral("Strana: %1. ").arg(page));
    }
}

class PrintPdfGoldenTest : public PrintPdfTest, public ::testing::WithParamInterface<GoldenCase>
{
};

// The bytes are the contract. On a mismatch (or a missing golden file) the output is written beside
// the golden file as ".actual" and the difference is printed; review it, then copy it over.
TEST_P(PrintPdfGoldenTest, MatchesGoldenBytesAndPassesQpdf)
{
    const QString goldenPath =
        QStringLiteral(LODGERA_TEST_DATA_DIR "/golden/%1.pdf").arg(QLatin1String(GetParam().name));
    const QString actualPath = goldenPath + QStringLiteral(".actual");
    pdf.FileName = path(QStringLiteral("out.pdf"));
    GetParam().draw(pdf);
    pdf.EndDoc();
    const QByteArray actual = readFile(pdf.FileName);
    ASSERT_EQ(actual, pdf.document());

    const QByteArray expected = readFile(goldenPath);
    if (actual != expected) {
        QFile out(actualPath);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(actual);
        out.close();
        const PdfTools::Result diff =
            PdfTools::run(QStringLiteral("diff"), {QStringLiteral("-a"), QStringLiteral("-u"), goldenPath, actualPath});
        ADD_FAILURE() << "output differs from " << goldenPath.toStdString() << " (see " << actualPath.toStdString()
                      << ")\n"
                      << diff.out.toStdString() << diff.err.toStdString();
    } else {
        QFile::remove(actualPath);
    }
    PdfTools::expectQpdfAccepts(pdf.FileName);
}

INSTANTIATE_TEST_SUITE_P(Documents, PrintPdfGoldenTest,
                         ::testing::Values(GoldenCase{"one_page", drawOnePage},
                                           GoldenCase{"three_pages", drawThreePages}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- texts through real tools ------------------------------------------------------------------

struct RoundTripCase
{
    const char* name;
    std::uint8_t font;
    const char* utf8Text;
};

void PrintTo(const RoundTripCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrintPdfRoundTripTest : public PrintPdfTest, public ::testing::WithParamInterface<RoundTripCase>
{
};

// What the page shows, as a PDF reader extracts it, is the text that was written.
TEST_P(PrintPdfRoundTripTest, PdftotextGivesTheTextBack)
{
    const QString text = QString::fromUtf8(GetParam().utf8Text);
    pdf.FileName = path(QStringLiteral("text.pdf"));
    pdf.BeginDoc();
    pdf.Font.FontNumber = GetParam().font;
    pdf.TextOut(50, 100, text);
    pdf.EndDoc();
    PdfTools::expectQpdfAccepts(pdf.FileName);
    EXPECT_EQ(pdfText(pdf.FileName).toStdString(), text.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PrintPdfRoundTripTest,
    ::testing::Values(RoundTripCase{"CzechSentenceHelvetica", 0, "Příliš žluťoučký kůň úpěl ďábelské ódy"},
                      RoundTripCase{"CzechCapitalsTimesBold", 9, "PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ ÚPĚL ĎÁBELSKÉ ÓDY"},
                      RoundTripCase{"CzechSentenceCourier", 4, "Příliš žluťoučký kůň úpěl ďábelské ódy"},
                      RoundTripCase{"OtherWindows1250Letters", 8, "ŚŤŹśťźŁĄŞŻłąşĽľżŔĂĹĆĘĐŃŐŰŢŕăĺćęđńőűţ Šš Žž ß €"},
                      RoundTripCase{"BackslashAndParentheses", 0, "C:\\Data\\(nový) :-) \\( (( x)"},
                      RoundTripCase{"BalancedRoomName", 8, "? (12)"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- layout rules -------------------------------------------------------------------------------

TEST_F(PrintPdfTest, ConstructionDefaults)
{
    EXPECT_EQ(pdf.FileName, QString());
    EXPECT_EQ(pdf.TITLE, QString());
    EXPECT_EQ(pdf.PageNumber(), 0);
    EXPECT_EQ(pdf.PageWidth, 612);
    EXPECT_EQ(pdf.PageHeight, 792);
    EXPECT_EQ(pdf.LineWidth, 1);
    EXPECT_EQ(pdf.Keywords, QString());
    EXPECT_EQ(pdf.Subject, QString());
    EXPECT_FALSE(TPrintPDF::defaultSignature().isEmpty());
    EXPECT_EQ(pdf.Author, TPrintPDF::defaultSignature());
    EXPECT_EQ(pdf.Creator, TPrintPDF::defaultSignature());
    EXPECT_EQ(pdf.Producer, TPrintPDF::defaultSignature());
    EXPECT_EQ(pdf.Font.FontNumber, 4);
    EXPECT_EQ(pdf.Font.FontSize, 12);
}

TEST_F(PrintPdfTest, OwnerFreesTheWriter)
{
    auto owner = std::make_unique<QObject>();
    QPointer<TPrintPDF> owned = new TPrintPDF(owner.get());
    owner.reset();
    EXPECT_TRUE(owned.isNull());
}

TEST_F(PrintPdfTest, EmptyDocumentHasOnePageWithAnEmptyStream)
{
    pdf.FileName = path(QStringLiteral("empty.pdf"));
    pdf.BeginDoc();
    EXPECT_EQ(pdf.PageNumber(), 1);
    pdf.EndDoc();
    const QByteArray doc = readFile(pdf.FileName);
    EXPECT_TRUE(doc.startsWith("%PDF-1.4\r\n1 0 obj\r\n"));
    EXPECT_TRUE(doc.contains(
        crlfLines({"2 0 obj", "<< /Length 3 0 R >>", "stream", "endstream", "endobj", "3 0 obj", "0", "endobj"})));
    EXPECT_TRUE(doc.contains(crlfLines({"xref", "0 23", "0000000000 65535 f", "0000000010 00000 n"})));
    EXPECT_TRUE(doc.contains(crlfLines({"trailer", "<< /Size 23", "/Root 22 0 R", "/Info 1 0 R", ">>"})));
    EXPECT_TRUE(doc.endsWith("%%EOF\r\n"));
    PdfTools::expectQpdfAccepts(pdf.FileName);
}

struct DrawCase
{
    const char* name;
    std::function<void(TPrintPDF&)> draw;
    QByteArray expected; // consecutive lines of the content stream
};

void PrintTo(const DrawCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrintPdfDrawTest : public PrintPdfTest, public ::testing::WithParamInterface<DrawCase>
{
};

TEST_P(PrintPdfDrawTest, WritesTheOperatorLines)
{
    pdf.BeginDoc();
    const qsizetype before = pdf.document().size();
    GetParam().draw(pdf);
    pdf.FileName = path(QStringLiteral("draw.pdf"));
    pdf.EndDoc();
    const QByteArray& doc = pdf.document();
    // The content stream of page 1 starts right after object 1.
    const qsizetype streamStart = doc.indexOf("stream\r\n", before) + 8;
    const qsizetype streamEnd = doc.indexOf("endstream\r\n", streamStart);
    EXPECT_EQ(doc.mid(streamStart, streamEnd - streamStart), GetParam().expected);
    PdfTools::expectQpdfAccepts(pdf.FileName);
}

INSTANTIATE_TEST_SUITE_P(
    Operators, PrintPdfDrawTest,
    ::testing::Values(DrawCase{"TextBaselineFromTop", [](TPrintPDF& p) { p.TextOut(50, 32, QStringLiteral("x")); },
                               crlfLines({"BT", "/F5 12 Tf", "50 760 Td", "(x) Tj", "ET"})},
                      DrawCase{"LineWithWidth3",
                               [](TPrintPDF& p) {
                                   p.LineWidth = 3;
                                   p.DrawLine(12, 40, 600, 40);
                               },
                               crlfLines({"12 752 m", "600 752 l", "3 w", "S"})},
                      DrawCase{"LineWidthTakenPerCall",
                               [](TPrintPDF& p) {
                                   p.DrawLine(0, 0, 10, 0);
                                   p.LineWidth = 5;
                                   p.DrawLine(0, 10, 10, 10);
                               },
                               crlfLines({"0 792 m", "10 792 l", "1 w", "S", "0 782 m", "10 782 l", "5 w", "S"})},
                      DrawCase{"FontTakenPerCall",
                               [](TPrintPDF& p) {
                                   p.Font.FontNumber = 1;
                                   p.Font.FontSize = 15;
                                   p.TextOut(1, 2, QStringLiteral("a"));
                                   p.Font.FontNumber = 13;
                                   p.Font.FontSize = -4;
                                   p.TextOut(1, 2, QStringLiteral("b"));
                               },
                               crlfLines({"BT", "/F2 15 Tf", "1 790 Td", "(a) Tj", "ET", "BT", "/F14 -4 Tf", "1 790 Td",
                                          "(b) Tj", "ET"})},
                      DrawCase{"PageHeightOfTheMoment",
                               [](TPrintPDF& p) {
                                   p.TextOut(0, 32, QStringLiteral("a"));
                                   p.PageHeight = 842;
                                   p.TextOut(0, 32, QStringLiteral("b"));
                               },
                               crlfLines({"BT", "/F5 12 Tf", "0 760 Td", "(a) Tj", "ET", "BT", "/F5 12 Tf", "0 810 Td",
                                          "(b) Tj", "ET"})},
                      DrawCase{"RectangleAsFourLines", [](TPrintPDF& p) { p.DrawRectangle(12, 12, 600, 780); },
                               crlfLines({"12 780 m", "12 12 l", "1 w", "S", "12 12 m", "600 12 l", "1 w", "S",
                                          "600 12 m", "600 780 l", "1 w", "S", "600 780 m", "12 780 l", "1 w", "S"})},
                      DrawCase{"NegativeAndOffPageCoordinates", [](TPrintPDF& p) { p.DrawLine(-5, 800, 700, -8); },
                               crlfLines({"-5 -8 m", "700 800 l", "1 w", "S"})},
                      DrawCase{"ExtremeCoordinatesDoNotOverflow",
                               [](TPrintPDF& p) { p.TextOut(INT_MIN, INT_MIN, QString()); },
                               crlfLines({"BT", "/F5 12 Tf", "-2147483648 2147484440 Td", "() Tj", "ET"})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintPdfTest, InfoTakesMetadataAndClockAtBeginDoc)
{
    pdf.TITLE = QStringLiteral("Titulek");
    pdf.Author = QStringLiteral("a\\b (c");
    pdf.Creator = QString();
    pdf.BeginDoc();
    pdf.TITLE = QStringLiteral("pozdě");
    pdf.Keywords = QStringLiteral("pozdě");
    pdf.setClock([] { return QDateTime(QDate(1999, 1, 1), QTime(0, 0)); });
    pdf.FileName = path(QStringLiteral("info.pdf"));
    pdf.EndDoc();
    const QByteArray signature = TPrintPDF::defaultSignature().toLatin1();
    EXPECT_TRUE(pdf.document().contains(
        crlfLines({"1 0 obj", "<<"}) + "/Producer (" + signature + ")\r\n" +
        crlfLines({"/Author (a\\\\b \\(c)", "/CreationDate (D:20240305140709)", "/Creator ()", "/Keywords ()",
                   "/Subject ()", "/Title (Titulek)", "/ModDate ()", ">>", "endobj"})));
    PdfTools::expectQpdfAccepts(pdf.FileName);
}

TEST_F(PrintPdfTest, MediaBoxTakesPageSizeAtEndDoc)
{
    pdf.BeginDoc();
    pdf.NewPage();
    pdf.PageWidth = 595;
    pdf.PageHeight = 842;
    pdf.FileName = path(QStringLiteral("a4.pdf"));
    pdf.EndDoc();
    EXPECT_EQ(pdf.document().count("/MediaBox [ 0 0 595 842]\r\n"), 2);
    EXPECT_FALSE(pdf.document().contains("792"));
}

class PrintPdfPagesTest : public PrintPdfTest, public ::testing::WithParamInterface<int>
{
};

// Object numbers follow from the page count alone, and every cross-reference entry points at its
// object.
TEST_P(PrintPdfPagesTest, NumbersObjectsByPageCount)
{
    const int n = GetParam();
    pdf.BeginDoc();
    for (int k = 2; k <= n; ++k)
        pdf.NewPage();
    EXPECT_EQ(pdf.PageNumber(), n);
    pdf.FileName = path(QStringLiteral("pages.pdf"));
    pdf.EndDoc();
    const QByteArray& doc = pdf.document();
    const auto n64 = qint64(n);
    auto ln = [](const QByteArray& s) { return "\r\n" + s + "\r\n"; };
    auto number = [](qint64 v) { return QByteArray::number(v); };

    for (qint64 k = 1; k <= n; ++k) {
        EXPECT_TRUE(doc.contains(ln(number(2 * k) + " 0 obj\r\n<< /Length " + number(2 * k + 1) + " 0 R >>")));
        EXPECT_TRUE(doc.contains(ln(number(2 * k + 1) + " 0 obj\r\n0\r\nendobj")));
    }
    EXPECT_TRUE(doc.contains(ln(number(2 * n64 + 2) + " 0 obj\r\n<< /Type /Outlines")));
    EXPECT_TRUE(doc.contains(ln(number(2 * n64 + 3) + " 0 obj\r\n<< /Type /Font\r\n/Subtype /Type1\r\n/Name /F1")));
    EXPECT_TRUE(doc.contains(ln("/F14 " + number(2 * n64 + 16) + " 0 R ")));
    QByteArray kids = ln(number(2 * n64 + 17) + " 0 obj\r\n<< /Type /Pages\r\n/Kids [");
    for (qint64 k = 1; k <= n; ++k)
        kids += number(2 * n64 + 18 + k) + " 0 R\r\n";
    kids += "]\r\n/Count " + number(n) + "\r\n";
    EXPECT_TRUE(doc.contains(kids));
    EXPECT_TRUE(doc.contains(ln(number(2 * n64 + 18) + " 0 obj\r\n<< /ProcSet [ /PDF /Text /ImageC]")));
    EXPECT_EQ(doc.count("/Parent " + number(2 * n64 + 17) + " 0 R\r\n"), n);
    EXPECT_TRUE(doc.contains(ln(number(3 * n64 + 19) + " 0 obj\r\n<< /Type /Catalog")));
    EXPECT_TRUE(doc.contains("<< /Size " + number(3 * n64 + 20) + "\r\n/Root " + number(3 * n64 + 19) + " 0 R\r\n"));

    const qsizetype xref = doc.lastIndexOf("\r\nxref\r\n") + 2;
    EXPECT_TRUE(doc.endsWith("startxref\r\n" + number(xref) + "\r\n%%EOF\r\n"));
    const QList<QByteArray> table = doc.mid(xref).split('\n');
    ASSERT_GT(table.size(), 3 * n + 22);
    for (int i = 1; i < 3 * n + 20; ++i) {
        const QByteArray entry = table[2 + i] + '\n';
        ASSERT_EQ(entry.size(), 20) << entry.toStdString();
        const qsizetype offset = entry.left(10).toLongLong();
        EXPECT_TRUE(doc.mid(offset).startsWith(number(i) + " 0 obj\r\n")) << "object " << i;
    }
    PdfTools::expectQpdfAccepts(pdf.FileName);
}

INSTANTIATE_TEST_SUITE_P(Pages, PrintPdfPagesTest, ::testing::Values(1, 2, 7));

TEST_F(PrintPdfTest, ReusedWriterStartsAfresh)
{
    pdf.FileName = path(QStringLiteral("first.pdf"));
    pdf.BeginDoc();
    pdf.NewPage();
    pdf.TextOut(1, 1, QStringLiteral("první"));
    pdf.EndDoc();
    const QByteArray first = readFile(pdf.FileName);

    pdf.FileName = path(QStringLiteral("second.pdf"));
    drawThreePages(pdf);
    pdf.EndDoc();

    TPrintPDF fresh(nullptr, [] { return kFixedNow; });
    fresh.FileName = path(QStringLiteral("fresh.pdf"));
    drawThreePages(fresh);
    fresh.EndDoc();

    EXPECT_EQ(readFile(path(QStringLiteral("second.pdf"))), readFile(fresh.FileName));
    EXPECT_EQ(readFile(path(QStringLiteral("first.pdf"))), first);
}

TEST_F(PrintPdfTest, EndDocReplacesAnExistingFile)
{
    pdf.FileName = path(QStringLiteral("report.pdf"));
    QFile old(pdf.FileName);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    pdf.BeginDoc();
    pdf.EndDoc();
    EXPECT_EQ(readFile(pdf.FileName), pdf.document());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("report.pdf")});
}

struct UnwritableCase
{
    const char* name;
    const char* relativePath;
    std::function<void(const QDir&)> prepare;
};

void PrintTo(const UnwritableCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrintPdfUnwritableTest : public PrintPdfTest, public ::testing::WithParamInterface<UnwritableCase>
{
};

TEST_P(PrintPdfUnwritableTest, EndDocNamesTheFileAndLeavesNothingBehind)
{
    const QDir root(dir.path());
    GetParam().prepare(root);
    const QStringList before = root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    pdf.FileName = path(QLatin1String(GetParam().relativePath));
    pdf.BeginDoc();
    pdf.TextOut(10, 10, QStringLiteral("obsah"));
    try {
        pdf.EndDoc();
        FAIL() << "EndDoc reported success";
    } catch (const EPDFFileError& e) {
        EXPECT_EQ(e.fileName(), pdf.FileName);
        EXPECT_TRUE(e.message().contains(pdf.FileName)) << e.what();
    }
    EXPECT_EQ(root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    EXPECT_TRUE(QDir(root.filePath(QStringLiteral("sub"))).isEmpty() || !root.exists(QStringLiteral("sub")));
    // The document is complete in memory all the same.
    EXPECT_TRUE(pdf.document().endsWith("%%EOF\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Paths, PrintPdfUnwritableTest,
                         ::testing::Values(UnwritableCase{"MissingFolder", "missing/report.pdf", [](const QDir&) {}},
                                           UnwritableCase{"ParentIsAFile", "plain/report.pdf",
                                                          [](const QDir& d) {
                                                              QFile f(d.filePath(QStringLiteral("plain")));
                                                              ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                                                          }},
                                           UnwritableCase{"TargetIsAFolder", "sub",
                                                          [](const QDir& d) { d.mkdir(QStringLiteral("sub")); }},
                                           UnwritableCase{"EmptyFileName", "", [](const QDir&) {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintPdfTest, DrawingWithoutAnOpenPageIsRefused)
{
    EXPECT_THROW(pdf.DrawLine(0, 0, 1, 1), std::logic_error);
    EXPECT_THROW(pdf.EndDoc(), std::logic_error);
    pdf.FileName = path(QStringLiteral("done.pdf"));
    pdf.BeginDoc();
    pdf.EndDoc();
    const QByteArray done = pdf.document();
    EXPECT_THROW(pdf.TextOut(0, 0, QStringLiteral("x")), std::logic_error);
    EXPECT_THROW(pdf.NewPage(), std::logic_error);
    EXPECT_THROW(pdf.EndDoc(), std::logic_error);
    EXPECT_EQ(pdf.document(), done);
    EXPECT_EQ(readFile(pdf.FileName), done);
}

// --- string literals ----------------------------------------------------------------------------

struct LiteralCase
{
    const char* name;
    const char* utf8Text;
    QByteArray expected;
};

void PrintTo(const LiteralCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrintPdfLiteralTest : public ::testing::TestWithParam<LiteralCase>
{
};

TEST_P(PrintPdfLiteralTest, EncodesAndEscapes)
{
    EXPECT_EQ(TPrintPDF::stringLiteralBody(QString::fromUtf8(GetParam().utf8Text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, PrintPdfLiteralTest,
                         ::testing::Values(LiteralCase{"Plain", "Pokoj 7", "Pokoj 7"}, LiteralCase{"Empty", "", ""},
                                           LiteralCase{"Windows1250Bytes", "Dvořák ťuk", "Dvo\xF8\xE1k \x9Duk"},
                                           LiteralCase{"Unmappable", "a\xE4\xB8\xAD\xF0\x9F\x98\x80z", "a??z"},
                                           LiteralCase{"Backslash", "C:\\Hotel\\", "C:\\\\Hotel\\\\"},
                                           LiteralCase{"BalancedPairsStay", "? (12) (a(b)c)", "? (12) (a(b)c)"},
                                           LiteralCase{"UnpairedClose", ":-) x", ":-\\) x"},
                                           LiteralCase{"UnpairedOpen", "(a", "\\(a"},
                                           LiteralCase{"ReversedPair", ")(", "\\)\\("},
                                           LiteralCase{"OneOfTwoOpens", "((x)", "\\((x)"},
                                           LiteralCase{"BackslashBeforeParenthesis", "\\)", "\\\\\\)"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
