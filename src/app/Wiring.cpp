#include "app/Wiring.h"

#include "app/frm_ZELMDIMain.h"
#include "core/AppContext.h"

void wireApplication(AppContext& ctx, frm_ZELMDIMain& main)
{
    (void)ctx;
    (void)main;
    // ---- tanks, options, backup ----

    // ---- logbook ----

    // ---- scheduler ----

    // ---- reports and tools ----
}
