#pragma once
// Reads back a PDF the program wrote, word by word with the box each word
// takes on its page, through poppler's `pdftotext -bbox` (package poppler-utils).
// Boxes are in PDF points from the top left corner of the page, so a test can
// tell whether a text fits on the paper and whether two texts overlap.
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <algorithm>

struct PdfWord {
    QString text;
    QRectF box;
};

struct PdfPage {
    double width = 0;
    double height = 0;
    QList<PdfWord> words;

    // The words of the page grouped into lines, top to bottom, each line's words
    // left to right. Words share a line when their boxes overlap vertically.
    QList<QList<PdfWord>> lineWords() const
    {
        QList<PdfWord> sorted = words;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const PdfWord& a, const PdfWord& b) { return a.box.center().y() < b.box.center().y(); });
        QList<QList<PdfWord>> lines;
        double lineBottom = -1;
        for (const PdfWord& word : sorted) {
            if (lines.isEmpty() || word.box.center().y() > lineBottom) {
                lines.append(QList<PdfWord>());
                lineBottom = word.box.bottom();
            }
            lines.last().append(word);
        }
        for (QList<PdfWord>& line : lines)
            std::stable_sort(line.begin(), line.end(),
                             [](const PdfWord& a, const PdfWord& b) { return a.box.left() < b.box.left(); });
        return lines;
    }
    // Each line's words joined by one blank.
    QStringList lines() const
    {
        QStringList out;
        for (const QList<PdfWord>& line : lineWords()) {
            QStringList texts;
            for (const PdfWord& word : line)
                texts << word.text;
            out << texts.join(QLatin1Char(' '));
        }
        return out;
    }
    // The words whose text is `text`, in reading order.
    QList<PdfWord> find(const QString& text) const
    {
        QList<PdfWord> out;
        for (const QList<PdfWord>& line : lineWords())
            for (const PdfWord& word : line)
                if (word.text == text)
                    out << word;
        return out;
    }
};

class PdfWords {
public:
    explicit PdfWords(const QString& path)
    {
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
        if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
            m_error = QStringLiteral("pdftotext -bbox %1 failed: %2 %3")
                          .arg(path, tool.errorString(), QString::fromLocal8Bit(tool.readAllStandardError()));
            return;
        }
        read(tool.readAllStandardOutput());
    }

    // The text read within `area` (PDF points from the top left corner) of
    // the page numbered `index` from 0; a character half in it counts.
    // Read in two halves, an upright word tells which way it reads.
    static QString textWithin(const QString& path, int index, const QRectF& area)
    {
        const QRect points = area.toAlignedRect();
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QString::number(index + 1), QStringLiteral("-l"), QString::number(index + 1),
                    QStringLiteral("-x"), QString::number(points.x()), QStringLiteral("-y"), QString::number(points.y()),
                    QStringLiteral("-W"), QString::number(points.width()), QStringLiteral("-H"),
                    QString::number(points.height()), path, QStringLiteral("-")});
        if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
            return QString();
        return QString::fromUtf8(tool.readAllStandardOutput()).simplified();
    }

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    int pageCount() const { return int(m_pages.size()); }
    const PdfPage& page(int index) const { return m_pages.at(index); }
    const QList<PdfPage>& pages() const { return m_pages; }

private:
    void read(const QByteArray& xhtml)
    {
        QXmlStreamReader xml(xhtml);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const auto attributes = xml.attributes();
            if (xml.name() == QLatin1String("page")) {
                PdfPage page;
                page.width = attributes.value(QLatin1String("width")).toDouble();
                page.height = attributes.value(QLatin1String("height")).toDouble();
                m_pages.append(page);
            } else if (xml.name() == QLatin1String("word") && !m_pages.isEmpty()) {
                const QPointF topLeft(attributes.value(QLatin1String("xMin")).toDouble(),
                                      attributes.value(QLatin1String("yMin")).toDouble());
                const QPointF bottomRight(attributes.value(QLatin1String("xMax")).toDouble(),
                                          attributes.value(QLatin1String("yMax")).toDouble());
                m_pages.last().words.append({xml.readElementText(), QRectF(topLeft, bottomRight)});
            }
        }
        if (xml.hasError())
            m_error = QStringLiteral("pdftotext output unreadable: %1").arg(xml.errorString());
    }

    QList<PdfPage> m_pages;
    QString m_error;
};
