#pragma once
class AppContext;
class MainWindow;

// Connects the main window's commands to the windows of the other parts.
void wireApplication(AppContext& ctx, MainWindow& main);
