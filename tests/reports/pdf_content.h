#pragma once
// Reads back what the PDF writer drew: the stroked lines and text objects of each page's content
// stream, with y turned back into top-down page coordinates. Only for the writer's own output.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringDecoder>

#include <ostream>
#include <vector>

namespace PdfContent {

struct Line
{
    int width;
    int x1, y1, x2, y2;
    friend bool operator==(const Line&, const Line&) = default;
};

struct Text
{
    int font; // font number (resource /F<font + 1>)
    int size;
    int x, y;
    QString text;
    friend bool operator==(const Text&, const Text&) = default;
};

struct Page
{
    std::vector<Line> lines;
    std::vector<Text> texts;
};

inline std::ostream& operator<<(std::ostream& os, const Line& l)
{
    return os << "{w" << l.width << " (" << l.x1 << "," << l.y1 << ")-(" << l.x2 << "," << l.y2 << ")}";
}

inline std::ostream& operator<<(std::ostream& os, const Text& t)
{
    return os << "{F" << t.font << " " << t.size << " (" << t.x << "," << t.y << ") \"" << t.text.toStdString()
              << "\"}";
}

// A string literal's bytes without its escapes, decoded from Windows-1250.
inline QString literalText(const QByteArray& body)
{
    QByteArray raw;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body[i] == '\\' && i + 1 < body.size())
            ++i;
        raw += body[i];
    }
    QStringDecoder decoder("windows-1250");
    return decoder.decode(raw);
}

// Every page of a document written by TPrintPDF on pages pageHeight points high.
inline std::vector<Page> pages(const QByteArray& pdf, int pageHeight = 792)
{
    std::vector<Page> result;
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = pdf.indexOf("\r\nstream\r\n", from);
        if (start < 0)
            break;
        const qsizetype bodyStart = start + 10;
        const qsizetype end = pdf.indexOf("endstream\r\n", bodyStart);
        if (end < 0)
            break;
        Page page;
        int pending[2] = {0, 0};
        Line line{};
        Text text{};
        const QList<QByteArray> ops = pdf.mid(bodyStart, end - bodyStart).split('\n');
        for (QByteArray op : ops) {
            op = op.trimmed();
            if (op.endsWith(" m")) {
                const QList<QByteArray> f = op.split(' ');
                line.x1 = f[0].toInt(), line.y1 = pageHeight - f[1].toInt();
            } else if (op.endsWith(" l")) {
                const QList<QByteArray> f = op.split(' ');
                line.x2 = f[0].toInt(), line.y2 = pageHeight - f[1].toInt();
            } else if (op.endsWith(" w")) {
                line.width = op.split(' ')[0].toInt();
            } else if (op == "S") {
                page.lines.push_back(line);
            } else if (op.endsWith(" Tf")) {
                const QList<QByteArray> f = op.split(' ');
                text.font = f[0].mid(2).toInt() - 1, text.size = f[1].toInt();
            } else if (op.endsWith(" Td")) {
                const QList<QByteArray> f = op.split(' ');
                pending[0] = f[0].toInt(), pending[1] = pageHeight - f[1].toInt();
            } else if (op.endsWith(") Tj") && op.startsWith('(')) {
                text.x = pending[0], text.y = pending[1];
                text.text = literalText(op.mid(1, op.size() - 5));
                page.texts.push_back(text);
            }
        }
        result.push_back(std::move(page));
        from = end;
    }
    return result;
}

} // namespace PdfContent
