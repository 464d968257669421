#pragma once
// The wizard's record of a run: every question asked and answer given, then
// the diagnosis with its description and the lines left for a dealer's or
// vet's comments. It is kept as numbered lines, the way the printout reads
// them, and outlives the wizard's window until the next run starts.
#include <QString>
#include <QStringList>
#include <QVector>

namespace diagnosis {

class History {
public:
    // Lines 0 to 100 exist; a diagnosis ends the history at line 60, and
    // nothing is ever written past it.
    static constexpr int kSize = 101;
    static constexpr int kLastLine = 60;
    static constexpr int kFirstQuestionLine = 3;
    static constexpr int kWrapWidth = 80;
    static constexpr int kCommentLines = 10;

    static QString titleLine() { return QStringLiteral(" Brinestead for Windows - Marine Disease Diagnosis Aid"); }
    static QString commentsHeading();   // "Dealer or Vet's Comments " and 59 underscores
    static QString commentLine();       // 84 underscores

    History() { reset(); }

    // A new run: every line empty but the title line; the next line is the first question's.
    void reset();

    // The next line to be written. After a diagnosis it is the last line (60).
    int nextLine() const { return m_next; }
    // A line's text; empty when it was never written (or is out of range).
    QString line(int index) const;

    // "Q: " and the question, then "  A:" and the answer, on the next two lines.
    void recordAnswer(const QString& question, const QString& answer);
    // Two empty lines, "DIAGNOSIS: " and the title, an empty line, the
    // description wrapped at 80 columns, three empty lines, the comments heading
    // and up to ten comment lines; the history then ends at line 60.
    void recordDiagnosis(const QString& title, const QString& description);

private:
    void write(int index, const QString& text);

    QVector<QString> m_lines;
    int m_next = kFirstQuestionLine;
};

// A description cut into lines of at most `width` characters. A line ends just
// before a blank, which starts the next line; a run of more than `width`
// characters without a blank is cut at `width`. The piece left at the end is
// written unless it is a lone blank, and a text of one character or none gives
// no line. Carriage returns are ordinary characters.
QStringList wrapDescription(const QString& text, int width = History::kWrapWidth);

} // namespace diagnosis
