#pragma once

#include "WindowId.h"

#include <QString>

class AppState;
class DataStore;
class QMdiSubWindow;
class QWidget;
class Settings;
class Toolkit;

// What the child windows ask of the main window: the shared state and
// services, the main window's procedures, and opening and closing the other
// windows (so that no feature window depends on another feature's classes).
class Shell {
public:
    virtual ~Shell() = default;

    virtual AppState& state() = 0;
    virtual DataStore& data() = 0;
    virtual Settings& settings() = 0;
    virtual Toolkit& toolkit() = 0;

    // Procedures of the main window.
    virtual void toolenabled() = 0;
    virtual void disablemenu() = 0;
    virtual void enablemenu() = 0;
    // The picture chooser ("Choose Picture"); "" when nothing was chosen.
    virtual QString showsave(const QString& initialPath = QString()) = 0;
    virtual void addmakemodel(const QString& make, const QString& model) = 0;
    // Sets holdsequence to the next sequence number of the part name and returns it.
    virtual qint64 checksequence(const QString& partName) = 0;
    virtual void setCaption(const QString& title) = 0;
    // "" clears the background; a picture that cannot be loaded leaves it as it was.
    virtual void setBackgroundPicture(const QString& path) = 0;

    // Child windows. showWindow creates the window when it does not exist,
    // shows it and gives it the focus.
    virtual QWidget* showWindow(WindowId id) = 0;
    virtual QWidget* window(WindowId id) const = 0;
    // Asks the window to close; false when it refused (its own question).
    virtual bool closeWindow(WindowId id) = 0;
    // Puts a window made by a feature into the frame under `id`, replacing
    // (closing) the window that had that id.
    virtual QMdiSubWindow* addWindow(WindowId id, QWidget* widget) = 0;

    // Opens a web page by the "Browser" setting: the desktop's browser for
    // "I", otherwise the built-in browser window.
    virtual void openWebPage(const QString& address) = 0;
    // Opens the help book at a page ("" for the contents); `search` focuses
    // its search box.
    virtual void showHelp(const QString& page = QString(), bool search = false) = 0;
};
