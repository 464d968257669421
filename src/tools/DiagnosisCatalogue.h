#pragma once
// The diagnoses the wizard can reach: each title with the description the
// diagnosis page shows and writes into the history.
#include <QList>
#include <QString>
#include <optional>

namespace diagnosis {

struct CatalogueEntry {
    QString title;
    QString description;
};

// Every diagnosis, in the order the diagnosis page looks titles up.
const QList<CatalogueEntry>& catalogue();

// The description of a title (compared exactly, case and blanks count);
// nothing when the catalogue has no such title.
std::optional<QString> describe(const QString& title);

} // namespace diagnosis
