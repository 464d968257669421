#include "core/Printing.h"

#include <algorithm>

// ---- text flow --------------------------------------------------------------------

void PrintFlow::settle() const
{
    if (m_unmeasured.isEmpty())
        return;
    m_x += m_writer.textWidth(m_unmeasured, m_unmeasuredFont);
    m_unmeasured.clear();
}

void PrintFlow::print(const QString& text)
{
    settle();
    m_lineHeight = std::max(m_lineHeight, lineHeight());
    if (!text.isEmpty()) {
        m_writer.drawText(m_x, m_y, text, m_font);
        m_unmeasured = text;
        m_unmeasuredFont = m_font;
    }
}

void PrintFlow::endLine()
{
    m_y += std::max(m_lineHeight, lineHeight());
    setX(0);
    m_lineHeight = 0;
}

void PrintFlow::printLine(const QString& text)
{
    print(text);
    endLine();
}

void PrintFlow::newPage()
{
    m_writer.newPage();
    setX(0);
    m_y = 0;
    m_lineHeight = 0;
}
