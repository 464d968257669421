#pragma once
// A printout laid out on real paper and read back the way a keeper's PDF
// viewer shows it: the layout runs on the program's painter page writer over a
// PDF printer of the given paper and orientation, and pdftotext gives back each
// word with its box. Each paper is tried with two sets of fonts: those this
// machine resolves for the names the printouts ask for, and DejaVu in their
// place, as on a machine without fonts metric-compatible with "Arial" and
// "Times New Roman". The checks name what a keeper would see wrong: a word cut
// by the paper's edge or missing, two words printed over each other.
#include "core/Printing.h"
#include "core/ui/QtPrinting.h"
#include "support/ParamNames.h"
#include "support/PdfWords.h"

#include <QPageSize>
#include <gtest/gtest.h>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

struct Paper {
    const char* name;
    QPageSize::PageSizeId size;
    PageOrientation orientation;
};

// Font families put in place of the ones a printout names; none: as named.
struct FontSet {
    const char* name;
    const char* sans;    // for "Arial"
    const char* serif;   // for "Times New Roman"
};

struct PrintSetting {
    std::string name;
    Paper paper;
    FontSet fonts;
};

// A4 and Letter, portrait and landscape, each with both sets of fonts.
inline std::vector<PrintSetting> printSettings()
{
    const Paper papers[] = {
        {"A4 portrait", QPageSize::A4, PageOrientation::Portrait},
        {"A4 landscape", QPageSize::A4, PageOrientation::Landscape},
        {"Letter portrait", QPageSize::Letter, PageOrientation::Portrait},
        {"Letter landscape", QPageSize::Letter, PageOrientation::Landscape},
    };
    const FontSet fonts[] = {{"named fonts", nullptr, nullptr}, {"DejaVu", "DejaVu Sans", "DejaVu Serif"}};
    std::vector<PrintSetting> out;
    for (const Paper& paper : papers)
        for (const FontSet& set : fonts)
            out.push_back({std::string(paper.name) + " " + set.name, paper, set});
    return out;
}

inline void PrintTo(const PrintSetting& setting, std::ostream* out)
{
    *out << setting.name;
}

struct NameOfSetting {
    std::string operator()(const ::testing::TestParamInfo<PrintSetting>& info) const
    {
        return caseName(info.param.name.c_str());
    }
};

// Passes everything on to another page writer with the font families of a set.
class FontSetWriter : public IPageWriter {
public:
    FontSetWriter(IPageWriter& writer, const FontSet& fonts) : m_writer(writer), m_fonts(fonts) {}
    PageOrientation orientation() const override { return m_writer.orientation(); }
    double pageWidth() const override { return m_writer.pageWidth(); }
    double pageHeight() const override { return m_writer.pageHeight(); }
    double lineHeight(const PrintFont& font) const override { return m_writer.lineHeight(mapped(font)); }
    double textWidth(const QString& text, const PrintFont& font) const override
    {
        return m_writer.textWidth(text, mapped(font));
    }
    void drawText(double x, double y, const QString& text, const PrintFont& font) override
    {
        m_writer.drawText(x, y, text, mapped(font));
    }
    void drawLine(double x1, double y1, double x2, double y2) override { m_writer.drawLine(x1, y1, x2, y2); }
    void drawPicture(const QRectF& rect, const std::function<void(QPainter&, const QRectF&)>& paint) override
    {
        m_writer.drawPicture(rect, paint);
    }
    void newPage() override { m_writer.newPage(); }

private:
    PrintFont mapped(PrintFont font) const
    {
        if (m_fonts.sans && font.family == QLatin1String("Arial"))
            font.family = QString::fromLatin1(m_fonts.sans);
        else if (m_fonts.serif && font.family == QLatin1String("Times New Roman"))
            font.family = QString::fromLatin1(m_fonts.serif);
        return font;
    }

    IPageWriter& m_writer;
    FontSet m_fonts;
};

// Lays one document out on a PDF printer of the setting's paper, as the print
// service does for a PDF file, and reads it back.
inline PdfWords printOnPaper(const QString& path, const PrintSetting& setting,
                             const std::function<void(IPageWriter&)>& layout)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(setting.paper.size));
    printer.setPageOrientation(setting.paper.orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                                       : QPageLayout::Portrait);
    QPainter painter;
    if (painter.begin(&printer)) {
        PainterPageWriter painted(painter, printer, setting.paper.orientation, [&printer] { printer.newPage(); });
        FontSetWriter writer(painted, setting.fonts);
        layout(writer);
        painter.end();
    }
    return PdfWords(path);
}

inline QString wordPlace(const PdfWord& word, int page)
{
    return QStringLiteral("\"%1\" on page %2 at (%3, %4)-(%5, %6)")
        .arg(word.text)
        .arg(page + 1)
        .arg(word.box.left(), 0, 'f', 1)
        .arg(word.box.top(), 0, 'f', 1)
        .arg(word.box.right(), 0, 'f', 1)
        .arg(word.box.bottom(), 0, 'f', 1);
}

// A list of findings as one text a failing check shows, one a line.
inline std::string listed(const QStringList& findings)
{
    return findings.join(QLatin1Char('\n')).toStdString();
}

// Words that reach past the paper's edge.
inline QStringList wordsOffThePaper(const PdfWords& pdf)
{
    QStringList out;
    for (int p = 0; p < pdf.pageCount(); ++p) {
        const PdfPage& page = pdf.page(p);
        for (const PdfWord& word : page.words)
            if (word.box.left() < -0.5 || word.box.top() < -0.5 || word.box.right() > page.width + 0.5
                || word.box.bottom() > page.height + 0.5)
                out << wordPlace(word, p);
    }
    return out;
}

// Pairs of words printed over each other: their boxes share more than a
// sliver across and a third of the lower one's height down.
inline QStringList overprintedWords(const PdfWords& pdf)
{
    QStringList out;
    for (int p = 0; p < pdf.pageCount(); ++p) {
        QList<PdfWord> words = pdf.page(p).words;
        std::sort(words.begin(), words.end(),
                  [](const PdfWord& a, const PdfWord& b) { return a.box.top() < b.box.top(); });
        for (qsizetype i = 0; i < words.size(); ++i) {
            const QRectF& a = words[i].box;
            for (qsizetype j = i + 1; j < words.size() && words[j].box.top() < a.bottom(); ++j) {
                const QRectF& b = words[j].box;
                const double across = std::min(a.right(), b.right()) - std::max(a.left(), b.left());
                const double down = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
                if (across > 0.5 && down > std::min(a.height(), b.height()) / 3)
                    out << wordPlace(words[i], p) + QStringLiteral(" over ") + wordPlace(words[j], p);
            }
        }
    }
    return out;
}

// Every word of the document in reading order: pages in order, lines top to
// bottom, words left to right; ligatures ("\uFB01") read as their letters.
inline QStringList readingOrder(const PdfWords& pdf)
{
    QStringList out;
    for (const PdfPage& page : pdf.pages())
        for (const QString& line : page.lines())
            out += line.normalized(QString::NormalizationForm_KC).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return out;
}

// The texts, one after another, whose words are not all in `words` in their
// order (other words may come between, as the columns of a line interleave).
inline QStringList textsNotPrinted(const QStringList& words, const QStringList& texts)
{
    QStringList missing;
    qsizetype at = 0;
    for (const QString& text : texts) {
        qsizetype next = at;
        bool found = true;
        for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            next = words.indexOf(word, next);
            if (next < 0) {
                found = false;
                break;
            }
            ++next;
        }
        if (found)
            at = next;
        else
            missing << text;
    }
    return missing;
}
