#pragma once
// Finding a window's controls by their object names, as the tests drive them,
// and reading what they show the keeper.
#include <QLabel>
#include <QObject>
#include <QString>
#include <QTextDocument>
#include <stdexcept>

// The control `name` of type T under `parent`; a missing one fails the test,
// naming what was looked for.
template <typename T>
T* child(const QObject* parent, const QString& name)
{
    T* found = parent->findChild<T*>(name);
    if (!found)
        throw std::runtime_error(QStringLiteral("%1 has no %2 named \"%3\"")
                                     .arg(parent->objectName(), QString::fromLatin1(T::staticMetaObject.className()),
                                          name)
                                     .toStdString());
    return found;
}

template <typename T>
T* child(const QObject& parent, const QString& name)
{
    return child<T>(&parent, name);
}

// The text a label shows: a label that renders its text as rich text does so
// through a document of its own, which holds what is on screen (tags gone,
// entities read, line breaks of the source ignored); a plain one shows its
// text as it stands.
inline QString shownText(const QLabel* label)
{
    (void)label->sizeHint();   // lays the text out, filling the document
    if (const auto* document = label->findChild<QTextDocument*>())
        return document->toPlainText();
    return label->text();
}

// A button's or menu item's caption as it shows: "&&" shows one '&', a lone
// '&' marks the next character as the shortcut and does not show.
inline QString shownCaption(const QString& caption)
{
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && ++i == caption.size())
            break;
        out += caption[i];
    }
    return out;
}
