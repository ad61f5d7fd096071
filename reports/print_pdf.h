#pragma once
// TPrintPDF: writes a PDF 1.4 file of stroked lines and single-line texts in the 14 standard
// Type 1 fonts. The whole file is built in memory while the caller draws and is saved in one piece
// by EndDoc. The caller gives every position (points, origin top left, y downward); the writer
// never measures, wraps or clips.

#include "store/file_error.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <stdexcept>

// The font of the next TextOut: an index into the standard font table and a size in points.
struct TPDFFont final
{
    std::uint8_t FontNumber = 4; // 0..13: Helvetica, ..., Courier (4), ..., ZapfDingbats (13)
    std::int32_t FontSize = 12;
};

// The PDF file could not be written. The message names the file; no file (and no partial file)
// was left at that path by the failed save.
class EPDFFileError final : public EFileError
{
public:
    EPDFFileError(const QString& fileName, const QString& reason);
};

// The PDF writer component. Metadata is taken at BeginDoc, the page size at EndDoc, LineWidth and
// Font at each drawing call. Texts are written as Windows-1250 bytes; the fonts map those bytes to
// the Latin-2 glyphs the standard fonts carry.
class TPrintPDF final : public QObject
{
public:
    // Source of the creation date written by BeginDoc (local time).
    using Clock = std::function<QDateTime()>;

    explicit TPrintPDF(QObject* owner = nullptr);
    TPrintPDF(QObject* owner, Clock clock);
    ~TPrintPDF() override;

    // The text the constructor puts into Producer, Author and Creator.
    static QString defaultSignature();

    void setClock(Clock clock);

    // Properties, set directly by the caller.
    QString FileName;
    QString TITLE;
    int PageNumber() const { return pageNumber_; }
    int PageWidth = 612;
    int PageHeight = 792;
    int LineWidth = 1;
    QString Author = defaultSignature();
    QString Creator = defaultSignature();
    QString Keywords;
    QString Subject;
    QString Producer = defaultSignature();
    TPDFFont Font;

    // Starts a new document (forgetting any earlier one) and opens page 1.
    void BeginDoc();
    void DrawLine(int X1, int Y1, int X2, int Y2);
    void DrawRectangle(int X1, int Y1, int X2, int Y2);
    // (X, Y) is the start of the text's baseline.
    void TextOut(int X, int Y, const QString& Text);
    void NewPage();
    // Ends the last page, completes the file and saves it to FileName (temporary file + rename).
    // Throws EPDFFileError when it cannot be saved; the document stays complete in memory.
    void EndDoc();

    // Every byte of the document so far (the whole file after EndDoc).
    const QByteArray& document() const { return file_; }

    // Windows-1250 bytes of a text as a PDF string literal body: "\" is escaped, and so is every
    // parenthesis without a partner, so balanced pairs such as "? (12)" stay as they are.
    static QByteArray stringLiteralBody(const QString& text);

private:
    void line(const QByteArray& text);
    void beginObject();
    void finishObject();
    void openContentStream();
    void closeContentStream();
    void requireOpenPage(const char* operation) const;
    qint64 pdfY(int y) const { return qint64(PageHeight) - y; }

    Clock clock_;
    int pageNumber_ = 0;
    bool pageOpen_ = false;

    QByteArray file_;       // the file written so far
    QByteArray object_;     // the object being built
    int objectCounter_ = 0; // number of the last object begun
    qint64 runningOffset_ = 0;
    QList<qint64> offsets_; // entry k: offset of object k + 1; the last entry: offset of "xref"
    qsizetype streamMark_ = 0;
    QList<int> pageContents_; // content stream object numbers, in page order
    QList<int> fontObjects_;  // font object numbers, in font order
};
