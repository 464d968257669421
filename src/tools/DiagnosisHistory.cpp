#include "tools/DiagnosisHistory.h"

namespace diagnosis {

QString History::commentsHeading()
{
    return QStringLiteral("Dealer or Vet's Comments ") + QString(59, QLatin1Char('_'));
}

QString History::commentLine()
{
    return QString(84, QLatin1Char('_'));
}

void History::reset()
{
    m_lines = QVector<QString>(kSize);
    write(1, titleLine());
    m_next = kFirstQuestionLine;
}

QString History::line(int index) const
{
    return index >= 0 && index < kSize ? m_lines[index] : QString();
}

void History::write(int index, const QString& text)
{
    if (index < 0 || index >= kSize)
        return;
    m_lines[index] = text;
}

void History::recordAnswer(const QString& question, const QString& answer)
{
    // Questions never reach the diagnosis's end line on any path of the tree;
    // should one, it is not written rather than written past the end.
    if (m_next + 1 > kLastLine)
        return;
    write(m_next++, QStringLiteral("Q: ") + question);
    write(m_next++, QStringLiteral("  A:") + answer);
}

void History::recordDiagnosis(const QString& title, const QString& description)
{
    int at = m_next + 2;
    const auto put = [this](int index, const QString& text) {
        if (index <= kLastLine)
            write(index, text);
    };
    put(at, QStringLiteral("DIAGNOSIS: ") + title);
    ++at;
    for (const QString& text : wrapDescription(description))
        put(++at, text);
    at += 4;
    put(at, commentsHeading());
    for (int i = 0; i < kCommentLines; ++i)
        if (at < kLastLine)
            put(++at, commentLine());
    m_next = kLastLine;
}

QStringList wrapDescription(const QString& text, int width)
{
    QStringList out;
    if (width < 1)
        return out;
    const qsizetype n = text.size();
    const auto blankAt = [&](qsizetype pos) { return text.at(pos - 1) == QLatin1Char(' '); };   // 1-based
    qsizetype i = 1;
    while (i < n) {
        qsizetype w = width;
        while (w > 0 && i + w <= n && !blankAt(i + w))
            --w;
        if (w == 0)
            w = width;   // no blank to break at: cut the run at the full width
        out << text.mid(i - 1, w);
        i += w;
    }
    // Only a cut through a run without blanks can leave one character that is
    // not a blank at the end; it belongs to the description.
    if (i == n && n > 1 && !blankAt(n))
        out << text.mid(n - 1);
    return out;
}

} // namespace diagnosis
