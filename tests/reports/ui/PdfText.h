#pragma once
// Reads a PDF written by the program the way a keeper's viewer shows it: the
// pages in order and the texts on each page, one string per text drawn. It
// understands what Qt's PDF writer produces (Flate-compressed page contents,
// Type0 fonts with a ToUnicode map, text shown glyph by glyph as hex strings),
// which is all the tests need; it is no general PDF reader.
#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

class PdfText {
public:
    explicit PdfText(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        m_pdf = file.readAll();
        readObjects();
        readPages();
    }

    bool isPdf() const { return m_pdf.startsWith("%PDF"); }
    int pageCount() const { return int(m_pages.size()); }
    // The texts drawn on a page (0-based), in drawing order.
    QStringList pageTexts(int page) const { return m_pages.value(page); }
    // Every text of every page.
    QStringList allTexts() const
    {
        QStringList out;
        for (const QStringList& page : m_pages)
            out += page;
        return out;
    }

private:
    void readObjects()
    {
        static const QRegularExpression start(QStringLiteral("(\\d+) 0 obj"));
        const QString latin = QString::fromLatin1(m_pdf);
        auto it = start.globalMatch(latin);
        while (it.hasNext()) {
            const auto m = it.next();
            const qsizetype from = m.capturedEnd();
            const qsizetype streamAt = m_pdf.indexOf("stream", from);
            const qsizetype endAt = m_pdf.indexOf("endobj", from);
            if (endAt < 0)
                break;
            QByteArray body = m_pdf.mid(from, endAt - from);
            QByteArray stream;
            if (streamAt >= 0 && streamAt < endAt) {
                qsizetype dataAt = streamAt + 6;
                if (m_pdf[dataAt] == '\r')
                    ++dataAt;
                if (m_pdf[dataAt] == '\n')
                    ++dataAt;
                const qsizetype endStream = m_pdf.lastIndexOf("endstream", endAt);
                stream = m_pdf.mid(dataAt, endStream - dataAt);
                body = m_pdf.mid(from, streamAt - from);
                if (body.contains("/FlateDecode"))
                    stream = inflate(stream);
            }
            const int number = m.captured(1).toInt();
            m_objects.insert(number, body);
            m_streams.insert(number, stream);
        }
    }

    static QByteArray inflate(const QByteArray& data)
    {
        // qUncompress wants the expected size in front; it grows the buffer as needed.
        QByteArray sized("\x00\x01\x00\x00", 4);
        return qUncompress(sized + data);
    }

    static int reference(const QByteArray& body, const char* key)
    {
        const QRegularExpression re(QString::fromLatin1(key) + QStringLiteral("\\s+(\\d+) 0 R"));
        const auto m = re.match(QString::fromLatin1(body));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }

    QHash<int, QString> toUnicode(int fontObject)
    {
        QHash<int, QString> map;
        const QByteArray cmap = m_streams.value(reference(m_objects.value(fontObject), "/ToUnicode"));
        const QString text = QString::fromLatin1(cmap);
        auto unicode = [](const QString& hex) {
            QString out;
            for (qsizetype i = 0; i + 4 <= hex.size(); i += 4)
                out += QChar(char16_t(hex.mid(i, 4).toUShort(nullptr, 16)));
            return out;
        };
        static const QRegularExpression arrayRange(
            QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>\\s*\\[([^\\]]*)\\]"));
        static const QRegularExpression plainRange(
            QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>"));
        static const QRegularExpression hex(QStringLiteral("<([0-9A-Fa-f]+)>"));
        for (const QString& section : text.split(QStringLiteral("beginbf"))) {
            const QString body = section.section(QStringLiteral("endbf"), 0, 0);
            if (body.startsWith(QLatin1String("range"))) {
                for (const QString& line : body.split(QLatin1Char('\n'))) {
                    if (const auto m = arrayRange.match(line); m.hasMatch()) {
                        int code = m.captured(1).toInt(nullptr, 16);
                        auto values = hex.globalMatch(m.captured(3));
                        while (values.hasNext())
                            map.insert(code++, unicode(values.next().captured(1)));
                    } else if (const auto p = plainRange.match(line); p.hasMatch()) {
                        const int first = p.captured(1).toInt(nullptr, 16);
                        const int last = p.captured(2).toInt(nullptr, 16);
                        const int base = p.captured(3).toInt(nullptr, 16);
                        for (int code = first; code <= last; ++code)
                            map.insert(code, QString(QChar(char16_t(base + code - first))));
                    }
                }
            } else if (body.startsWith(QLatin1String("char"))) {
                static const QRegularExpression pair(QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>"));
                auto pairs = pair.globalMatch(body);
                while (pairs.hasNext()) {
                    const auto m = pairs.next();
                    map.insert(m.captured(1).toInt(nullptr, 16), unicode(m.captured(2)));
                }
            }
        }
        return map;
    }

    void readPages()
    {
        // The page tree's kids, in order.
        int root = -1;
        for (auto it = m_objects.cbegin(); it != m_objects.cend(); ++it)
            if (it.value().contains("/Type /Pages"))
                root = it.key();
        if (root < 0)
            return;
        static const QRegularExpression kids(QStringLiteral("/Kids\\s*\\[([^\\]]*)\\]"));
        static const QRegularExpression ref(QStringLiteral("(\\d+) 0 R"));
        const auto k = kids.match(QString::fromLatin1(m_objects.value(root)));
        auto pages = ref.globalMatch(k.captured(1));
        while (pages.hasNext()) {
            const QByteArray page = m_objects.value(pages.next().captured(1).toInt());
            m_pages.append(readPage(page));
        }
    }

    QStringList readPage(const QByteArray& page)
    {
        // Fonts of the page: resource name -> glyph map.
        QHash<QString, QHash<int, QString>> fonts;
        const QByteArray resources = m_objects.value(reference(page, "/Resources"));
        static const QRegularExpression fontRef(QStringLiteral("/(F\\d+)\\s+(\\d+) 0 R"));
        auto refs = fontRef.globalMatch(QString::fromLatin1(resources));
        while (refs.hasNext()) {
            const auto m = refs.next();
            fonts.insert(m.captured(1), toUnicode(m.captured(2).toInt()));
        }
        const QString content = QString::fromLatin1(m_streams.value(reference(page, "/Contents")));
        QStringList texts;
        QString current;
        QHash<int, QString> font;
        static const QRegularExpression token(QStringLiteral("/(F\\d+) [\\d.]+ Tf|<([0-9A-Fa-f]*)> Tj|\\bBT\\b|\\bET\\b"));
        auto tokens = token.globalMatch(content);
        while (tokens.hasNext()) {
            const auto m = tokens.next();
            const QString t = m.captured(0);
            if (t == QLatin1String("BT")) {
                current.clear();
            } else if (t == QLatin1String("ET")) {
                // The blank shares its glyph with the tab, and the font's map names the
                // tab; viewers show a blank.
                current.replace(QLatin1Char('\t'), QLatin1Char(' '));
                texts << current;
            } else if (t.endsWith(QLatin1String("Tf"))) {
                font = fonts.value(m.captured(1));
            } else {
                const QString hex = m.captured(2);
                for (qsizetype i = 0; i + 4 <= hex.size(); i += 4)
                    current += font.value(hex.mid(i, 4).toInt(nullptr, 16), QStringLiteral("?"));
            }
        }
        return texts;
    }

    QByteArray m_pdf;
    QHash<int, QByteArray> m_objects;
    QHash<int, QByteArray> m_streams;
    QList<QStringList> m_pages;
};
