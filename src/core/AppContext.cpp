#include "core/AppContext.h"

#include "core/Database.h"

#include <QAtomicInt>
#include <QDir>

namespace {
QAtomicInt connectionCounter;
}

AppContext::AppContext()
    : connectionName(QStringLiteral("brinestead_%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
}

AppContext::~AppContext()
{
    closeDatabase(*this);
}

QString AppContext::dbPath() const
{
    return QDir(startDir).absoluteFilePath(dbFileName);
}

QSqlDatabase AppContext::db() const
{
    return QSqlDatabase::database(connectionName, false);
}
