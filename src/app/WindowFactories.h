#pragma once

class MainWindow;

// Tells the main window how to make each feature's windows and dialogs.
void installWindows(MainWindow& window);

// Settings that must be made before the application object exists.
void prepareApplication();
