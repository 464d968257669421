// The reminders box of the main window.
#include "app/frm_ZELMDIMain.h"
#include "core/AppContext.h"

#include <QComboBox>
#include <QSqlQuery>

void frm_ZELMDIMain::Top20List()
{
    // Placeholder until the rule expansion is in: an empty table shows the
    // "no reminders" entry; rules are not expanded yet.
    cbo_Reminders->clear();
    QSqlQuery q(m_ctx.db());
    const bool any = q.exec("SELECT 1 FROM maintsched LIMIT 1") && q.next();
    if (!any) {
        cbo_Reminders->addItem(QStringLiteral("(No Reminders Available)"));
        cbo_Reminders->setCurrentIndex(0);
    }
    setStatusText(QStringLiteral("Ready."));
}

void frm_ZELMDIMain::cbo_Reminders_Click()
{
    if (cbo_Reminders->count() > 0)
        cbo_Reminders->setCurrentIndex(0);
}
