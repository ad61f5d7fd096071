#pragma once
// The real PDF tools on written files: qpdf checks the structure, pdftotext reads the text back. A
// tool that is missing fails the test (scripts/deps.sh installs them).

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace PdfTools {

struct Result
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline Result run(const QString& program, const QStringList& arguments)
{
    Result r;
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        ADD_FAILURE() << program.toStdString() << " is not installed (scripts/deps.sh installs it)";
        return r;
    }
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(120000)) {
        ADD_FAILURE() << program.toStdString() << " did not finish";
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

inline void expectQpdfAccepts(const QString& path)
{
    const Result r = run(QStringLiteral("qpdf"), {QStringLiteral("--check"), path});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
}

// The text of the pages first to last (all when last is 0), in reading order; with layout, in
// rows as on the page.
inline QString text(const QString& path, int first = 1, int last = 0, bool layout = false)
{
    QStringList args{QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-f"), QString::number(first)};
    if (last > 0)
        args << QStringLiteral("-l") << QString::number(last);
    if (layout)
        args << QStringLiteral("-layout");
    args << path << QStringLiteral("-");
    const Result r = run(QStringLiteral("pdftotext"), args);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QString::fromUtf8(r.out);
}

inline int pageCount(const QString& path)
{
    const Result r = run(QStringLiteral("qpdf"), {QStringLiteral("--show-npages"), path});
    return r.exitCode == 0 ? r.out.trimmed().toInt() : -1;
}

} // namespace PdfTools
