#pragma once
class AppContext;
class frm_ZELMDIMain;

// Connects the main window's commands to the windows of the other parts.
void wireApplication(AppContext& ctx, frm_ZELMDIMain& main);
