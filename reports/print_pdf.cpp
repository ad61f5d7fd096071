#include "reports/print_pdf.h"

#include <QSaveFile>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <utility>

namespace {

const char* const kCrLf = "\r\n";

struct StandardFont
{
    const char* baseFont;
    bool latin; // text font: gets the Windows-1250 encoding; Symbol and ZapfDingbats keep WinAnsi
};

// Font number k is resource /F(k+1); the order and names are part of the file format.
constexpr std::array<StandardFont, 14> kFonts{{
    {"Helvetica", true},
    {"Helvetica-Bold", true},
    {"Helvetica-Oblique", true},
    {"Helvetica-BoldOblique", true},
    {"Courier", true},
    {"Courier-Bold", true},
    {"Courier-Oblique", true},
    {"Courier-BoldOblique", true},
    {"Times-Roman", true},
    {"Times-Bold", true},
    {"Times-Italic", true},
    {"Times-BoldItalic", true},
    {"Symbol", false},
    {"ZapfDingbats", false},
}};

struct Difference
{
    int code;
    const char* glyph;
};

// Windows-1250 code points whose character differs from WinAnsiEncoding, with the glyph names the
// standard Latin fonts carry for them. Codes left undefined by Windows-1250 (0x81, 0x83, 0x88, 0x90,
// 0x98) never come out of the encoder and are not listed.
constexpr Difference kWindows1250Differences[] = {
    {0x8C, "Sacute"},    {0x8D, "Tcaron"},       {0x8F, "Zacute"},        {0x9C, "sacute"},
    {0x9D, "tcaron"},    {0x9F, "zacute"},       {0xA1, "caron"},         {0xA2, "breve"},
    {0xA3, "Lslash"},    {0xA5, "Aogonek"},      {0xAA, "Scedilla"},      {0xAF, "Zdotaccent"},
    {0xB2, "ogonek"},    {0xB3, "lslash"},       {0xB9, "aogonek"},       {0xBA, "scedilla"},
    {0xBC, "Lcaron"},    {0xBD, "hungarumlaut"}, {0xBE, "lcaron"},        {0xBF, "zdotaccent"},
    {0xC0, "Racute"},    {0xC3, "Abreve"},       {0xC5, "Lacute"},        {0xC6, "Cacute"},
    {0xC8, "Ccaron"},    {0xCA, "Eogonek"},      {0xCC, "Ecaron"},        {0xCF, "Dcaron"},
    {0xD0, "Dcroat"},    {0xD1, "Nacute"},       {0xD2, "Ncaron"},        {0xD5, "Ohungarumlaut"},
    {0xD8, "Rcaron"},    {0xD9, "Uring"},        {0xDB, "Uhungarumlaut"}, {0xDE, "Tcommaaccent"},
    {0xE0, "racute"},    {0xE3, "abreve"},       {0xE5, "lacute"},        {0xE6, "cacute"},
    {0xE8, "ccaron"},    {0xEA, "eogonek"},      {0xEC, "ecaron"},        {0xEF, "dcaron"},
    {0xF0, "dcroat"},    {0xF1, "nacute"},       {0xF2, "ncaron"},        {0xF5, "ohungarumlaut"},
    {0xF8, "rcaron"},    {0xF9, "uring"},        {0xFB, "uhungarumlaut"}, {0xFE, "tcommaaccent"},
    {0xFF, "dotaccent"},
};

// The lines of the inline encoding dictionary of a text font: one /Differences line per row of
// 16 code points, each starting with its first code; within a row a code is written again only
// where the run of consecutive codes breaks.
QList<QByteArray> windows1250EncodingLines()
{
    QList<QByteArray> lines;
    lines.append("/Encoding << /Type /Encoding");
    lines.append("/BaseEncoding /WinAnsiEncoding");
    lines.append("/Differences [");
    QByteArray row;
    int next = -1;
    for (const Difference& d : kWindows1250Differences) {
        const bool newRow = row.isEmpty() || d.code / 16 != (next - 1) / 16;
        if (newRow) {
            if (!row.isEmpty())
                lines.append(row);
            row = QByteArray::number(d.code);
        } else if (d.code != next) {
            row += ' ' + QByteArray::number(d.code);
        }
        row += " /";
        row += d.glyph;
        next = d.code + 1;
    }
    lines.append(row);
    lines.append("] >>");
    return lines;
}

QByteArray num(qint64 n)
{
    return QByteArray::number(n);
}

} // namespace

EPDFFileError::EPDFFileError(const QString& fileName, const QString& reason)
    : EFileError(fileName, QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason))
{
}

TPrintPDF::TPrintPDF(QObject* owner) : TPrintPDF(owner, [] { return QDateTime::currentDateTime(); }) {}

TPrintPDF::TPrintPDF(QObject* owner, Clock clock) : QObject(owner), clock_(std::move(clock)) {}

TPrintPDF::~TPrintPDF() = default;

QString TPrintPDF::defaultSignature()
{
    return QStringLiteral("Lodgera TPrintPDF");
}

void TPrintPDF::setClock(Clock clock)
{
    clock_ = std::move(clock);
}

QByteArray TPrintPDF::stringLiteralBody(const QString& text)
{
    // One encoder per thread: opening the converter costs more than converting a short text.
    thread_local QStringEncoder encoder("windows-1250", QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    // The encoder marks a character Windows-1250 lacks with SUB; show it as "?" as Windows does.
    bytes.replace('\x1A', '?');

    // Pair parentheses: a ")" closes the nearest open "(", and whatever stays unpaired is escaped.
    QList<qsizetype> open;
    QList<qsizetype> unpaired;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '(') {
            open.append(i);
        } else if (bytes[i] == ')') {
            if (open.isEmpty())
                unpaired.append(i);
            else
                open.removeLast();
        }
    }
    unpaired.append(open);
    if (unpaired.isEmpty() && !bytes.contains('\\'))
        return bytes;

    std::sort(unpaired.begin(), unpaired.end());
    QByteArray out;
    out.reserve(bytes.size() + unpaired.size() + 8);
    qsizetype u = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\\' || (u < unpaired.size() && unpaired[u] == i)) {
            out += '\\';
            if (c != '\\')
                ++u;
        }
        out += c;
    }
    return out;
}

void TPrintPDF::line(const QByteArray& text)
{
    object_ += text;
    object_ += kCrLf;
}

void TPrintPDF::beginObject()
{
    ++objectCounter_;
    object_.clear();
    line(num(objectCounter_) + " 0 obj");
}

// Appends the object buffer to the file and records where the next object starts.
void TPrintPDF::finishObject()
{
    runningOffset_ += object_.size();
    offsets_.append(runningOffset_);
    file_ += object_;
}

void TPrintPDF::openContentStream()
{
    beginObject();
    line("<< /Length " + num(objectCounter_ + 1) + " 0 R >>");
    streamMark_ = object_.size();
    line("stream");
    pageOpen_ = true;
}

void TPrintPDF::closeContentStream()
{
    line("endstream");
    line("endobj");
    finishObject();
    // Everything between the CR LF of "stream" and the "endstream" line: 8 + 11 + 8 bytes of the
    // "stream", "endstream" and "endobj" lines are not part of it.
    const qsizetype length = object_.size() - streamMark_ - 27;
    beginObject();
    line(num(length));
    line("endobj");
    finishObject();
    pageOpen_ = false;
}

void TPrintPDF::requireOpenPage(const char* operation) const
{
    // Drawing into a closed document would append to a finished file and corrupt it.
    if (!pageOpen_)
        throw std::logic_error(std::string("TPrintPDF::") + operation + " called without an open page");
}

void TPrintPDF::BeginDoc()
{
    pageNumber_ = 1;
    objectCounter_ = 0;
    runningOffset_ = 0;
    offsets_.clear();
    pageContents_.clear();
    fontObjects_.clear();
    file_.clear();
    object_.clear();

    line("%PDF-1.4");
    finishObject();

    const QByteArray created = clock_().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    beginObject();
    line("<<");
    line("/Producer (" + stringLiteralBody(Producer) + ")");
    line("/Author (" + stringLiteralBody(Author) + ")");
    line("/CreationDate (D:" + created + ")");
    line("/Creator (" + stringLiteralBody(Creator) + ")");
    line("/Keywords (" + stringLiteralBody(Keywords) + ")");
    line("/Subject (" + stringLiteralBody(Subject) + ")");
    line("/Title (" + stringLiteralBody(TITLE) + ")");
    line("/ModDate ()");
    line(">>");
    line("endobj");
    finishObject();

    openContentStream();
}

void TPrintPDF::DrawLine(int X1, int Y1, int X2, int Y2)
{
    requireOpenPage("DrawLine");
    line(num(X1) + ' ' + num(pdfY(Y1)) + " m");
    line(num(X2) + ' ' + num(pdfY(Y2)) + " l");
    line(num(LineWidth) + " w");
    line("S");
}

void TPrintPDF::DrawRectangle(int X1, int Y1, int X2, int Y2)
{
    DrawLine(X1, Y1, X1, Y2);
    DrawLine(X1, Y2, X2, Y2);
    DrawLine(X2, Y2, X2, Y1);
    DrawLine(X2, Y1, X1, Y1);
}

void TPrintPDF::TextOut(int X, int Y, const QString& Text)
{
    requireOpenPage("TextOut");
    line("BT");
    line("/F" + num(qint64(Font.FontNumber) + 1) + ' ' + num(Font.FontSize) + " Tf");
    line(num(X) + ' ' + num(pdfY(Y)) + " Td");
    line('(' + stringLiteralBody(Text) + ") Tj");
    line("ET");
}

void TPrintPDF::NewPage()
{
    requireOpenPage("NewPage");
    ++pageNumber_;
    closeContentStream();
    openContentStream();
}

void TPrintPDF::EndDoc()
{
    requireOpenPage("EndDoc");
    const int pages = pageNumber_;
    closeContentStream();

    beginObject();
    const int outlines = objectCounter_;
    line("<< /Type /Outlines");
    line("/Count 0");
    line(">>");
    line("endobj");
    finishObject();

    static const QList<QByteArray> encodingLines = windows1250EncodingLines();
    for (std::size_t i = 0; i < kFonts.size(); ++i) {
        beginObject();
        fontObjects_.append(objectCounter_);
        line("<< /Type /Font");
        line("/Subtype /Type1");
        line("/Name /F" + num(qint64(i) + 1));
        line(QByteArray("/BaseFont /") + kFonts[i].baseFont);
        if (kFonts[i].latin) {
            for (const QByteArray& l : encodingLines)
                line(l);
        } else {
            line("/Encoding /WinAnsiEncoding");
        }
        line(">>");
        line("endobj");
        finishObject();
    }

    beginObject();
    const int pagesObject = objectCounter_;
    line("<< /Type /Pages");
    line("/Kids [");
    for (int k = 1; k <= pages; ++k) {
        line(num(pagesObject + 1 + k) + " 0 R");
        pageContents_.append(2 * k);
    }
    line("]");
    line("/Count " + num(pages));
    line(">>");
    line("endobj");
    finishObject();

    beginObject();
    const int resources = objectCounter_;
    line("<< /ProcSet [ /PDF /Text /ImageC]");
    line("/XObject << ");
    line(">>");
    line("/Font << ");
    for (qsizetype i = 0; i < fontObjects_.size(); ++i)
        line("/F" + num(i + 1) + ' ' + num(fontObjects_[i]) + " 0 R ");
    line(">>");
    line(">>");
    line("endobj");
    finishObject();

    for (int k = 0; k < pages; ++k) {
        beginObject();
        line("<< /Type /Page");
        line("/Parent " + num(pagesObject) + " 0 R");
        line("/MediaBox [ 0 0 " + num(PageWidth) + ' ' + num(PageHeight) + "]");
        line("/Contents " + num(pageContents_[k]) + " 0 R");
        line("/Resources " + num(resources) + " 0 R");
        line(">>");
        line("endobj");
        finishObject();
    }

    beginObject();
    const int catalog = objectCounter_;
    line("<< /Type /Catalog");
    line("/Pages " + num(pagesObject) + " 0 R");
    line("/Outlines " + num(outlines) + " 0 R");
    line(">>");
    line("endobj");
    finishObject();

    // Cross-reference table and trailer; every entry is 20 bytes with its CR LF.
    const int size = objectCounter_ + 1;
    object_.clear();
    line("xref");
    line("0 " + num(size));
    line("0000000000 65535 f");
    for (int i = 0; i < size - 1; ++i)
        line(num(offsets_[i]).rightJustified(10, '0') + " 00000 n");
    line("trailer");
    line("<< /Size " + num(size));
    line("/Root " + num(catalog) + " 0 R");
    line("/Info 1 0 R");
    line(">>");
    line("startxref");
    line(num(offsets_.last()));
    line("%%EOF");
    file_ += object_;

    QSaveFile out(FileName);
    if (!out.open(QIODevice::WriteOnly))
        throw EPDFFileError(FileName, out.errorString());
    if (out.write(file_) != file_.size()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        throw EPDFFileError(FileName, reason);
    }
    if (!out.commit())
        throw EPDFFileError(FileName, out.errorString());
}
