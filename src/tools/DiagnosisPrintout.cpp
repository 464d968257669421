#include "tools/DiagnosisPrintout.h"

#include "core/Services.h"

#include <cmath>

namespace diagnosis {

namespace {

PrintFont arial(double size, bool bold = false, bool italic = false)
{
    PrintFont font;
    font.family = QStringLiteral("Arial");
    font.pointSize = size;
    font.bold = bold;
    font.italic = italic;
    return font;
}

// The text cut into pieces no wider than `width`: at the last blank that
// fits, or, in a word wider than the page, at the last character that fits.
QStringList fitToWidth(const IPageWriter& writer, const QString& text, const PrintFont& font, double width)
{
    QStringList pieces;
    QString rest = text;
    while (writer.textWidth(rest, font) > width && rest.size() > 1) {
        qsizetype fit = rest.size() - 1;
        while (fit > 1 && writer.textWidth(rest.left(fit), font) > width)
            --fit;
        const qsizetype blank = rest.left(fit + 1).lastIndexOf(QLatin1Char(' '));
        qsizetype cut = blank > 0 ? blank : fit;
        pieces << rest.left(cut);
        rest = rest.mid(cut);
        if (blank > 0)
            rest = rest.mid(1);   // the blank the line broke at
    }
    pieces << rest;
    return pieces;
}

class AnswersLayout {
public:
    explicit AnswersLayout(IPageWriter& writer)
        : m_writer(writer), m_flow(writer)
    {
        // The footer sits at five sixths of the page, on a multiple of 50 units.
        m_footerTop = std::floor(writer.pageHeight() / 60.0) * 50.0;
    }

    void print(const History& history)
    {
        const PrintFont titleFont = arial(14, true);
        m_flow.setFont(titleFont);
        const QString title = printoutTitle();
        const double titleWidth = m_writer.textWidth(title, titleFont);
        if (titleWidth <= m_writer.pageWidth()) {
            m_flow.setX(m_writer.pageWidth() / 2 - titleWidth / 2);
            printLine(title);
        } else {
            printWrapped(title);
        }

        m_flow.setFont(arial(9, false, true));
        for (const QString& line : printoutReminder())
            printWrapped(line);

        for (int index = 2; index <= history.nextLine(); ++index) {
            const QString text = history.line(index);
            if (text.startsWith(QLatin1String("Q:"))) {
                m_flow.setFont(arial(10));
                printLine(QString());
            }
            const bool answer = text.startsWith(QLatin1String("  A:"));
            m_flow.setFont(arial(10, answer, answer));
            printWrapped(text);
        }
        printFooter();
    }

private:
    void printLine(const QString& text)
    {
        if (!m_flow.fitsAbove(m_footerTop) && m_flow.y() > 0) {
            // An empty line that no longer fits is left out: a page starts
            // only for text.
            if (text.isEmpty())
                return;
            const PrintFont font = m_flow.font();
            const double x = m_flow.x();
            printFooter();
            m_flow.newPage();
            m_flow.setFont(font);
            m_flow.setX(x);
        }
        m_flow.printLine(text);
    }

    void printWrapped(const QString& text)
    {
        for (const QString& piece : fitToWidth(m_writer, text, m_flow.font(), m_writer.pageWidth()))
            printLine(piece);
    }

    void printFooter()
    {
        const PrintFont font = arial(9, false, true);
        m_writer.drawText(0, m_footerTop, copyrightNotice(), font);
    }

    IPageWriter& m_writer;
    PrintFlow m_flow;
    double m_footerTop = 0;
};

} // namespace

QString copyrightNotice()
{
    return QStringLiteral("Copyright (C) 2026 The Brinestead developers");
}

QString printoutTitle()
{
    return QStringLiteral("Brinestead for Windows - Disease Diagnosis Aid");
}

QStringList printoutReminder()
{
    return {
        QStringLiteral("REMINDER: This program is only a tool to help you determine POSSIBLE CAUSES of disease "
                       "in your animals - it is by no means"),
        QStringLiteral("complete or totally comprehensive, and is NOT intended to replace the advice of your "
                       "Venerinarian or experienced dealer."),
        QStringLiteral("ALWAYS consult with an EXPERIENCED DEALER or veterinarian before medicating your aquarium "
                       "or animals."),
    };
}

void layOutAnswers(IPageWriter& writer, const History& history)
{
    AnswersLayout(writer).print(history);
}

int printAnswers(const Services& services, const History& history, PrintDestination destination)
{
    if (!services.printing)
        return 0;
    std::unique_ptr<IPrintSession> session =
        services.printing->choosePrinter(QStringLiteral("Print Questions and Answers"), destination);
    if (!session)
        return 0;   // the keeper cancelled
    const auto report = [&](const QString& why) {
        QString text = QStringLiteral("The questions and answers could not be printed.");
        if (!why.isEmpty())
            text += QStringLiteral("\n\n") + why;
        services.tell(text, QStringLiteral("Note!"), MsgIcon::Exclamation);
    };
    int printed = 0;
    for (int copy = 0; copy < session->copies(); ++copy) {
        // In the orientation the keeper chose for the printer.
        IPageWriter* writer = session->beginJob(std::nullopt);
        if (!writer) {
            report(session->errorText());
            return printed;
        }
        layOutAnswers(*writer, history);
        if (!session->endJob()) {
            report(session->errorText());
            return printed;
        }
        ++printed;
    }
    return printed;
}

} // namespace diagnosis
