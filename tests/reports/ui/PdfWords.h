#pragma once
// The words of a PDF with their boxes, as poppler's `pdftotext -bbox` reads
// them: what a keeper's viewer shows, and where. Each page's words in
// pdftotext's reading order; an empty list when the file cannot be read.
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QVector>

struct PdfWord {
    int page = 0;   // from 0
    QString text;
    QRectF box;     // in points, from the page's top left corner
};

inline QVector<PdfWord> readPdfWords(const QString& path, QString* error = nullptr)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitStatus() != QProcess::NormalExit
        || pdftotext.exitCode() != 0) {
        if (error)
            *error = QStringLiteral("pdftotext -bbox could not read %1 (%2): is poppler-utils installed?")
                         .arg(path, pdftotext.errorString() + QString::fromLocal8Bit(pdftotext.readAllStandardError()));
        return {};
    }
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression token(
        QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QVector<PdfWord> words;
    int page = -1;
    auto it = token.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        if (m.captured(0) == QLatin1String("<page ")) {
            ++page;
            continue;
        }
        QString text = m.captured(5);
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        words.append({page, text,
                      QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}
