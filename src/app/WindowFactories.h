#pragma once

class MainWindow;

// Tells the main window how to make each feature's windows and dialogs.
void installWindows(MainWindow& window);
