#pragma once
// Finding a window's controls by their object names, as the tests drive them.
#include <QObject>
#include <QString>
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
