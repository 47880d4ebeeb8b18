#pragma once

#include <QMdiArea>
#include <QPixmap>

class ChildWindow;
class QMdiSubWindow;

// The frame's client area: holds the child windows, tells them when the user
// moves between them, lets them refuse a close, and draws the open project's
// picture as the background.
class MdiHost : public QMdiArea {
    Q_OBJECT
public:
    explicit MdiHost(QWidget* parent = nullptr);

    // Wraps the window in a frame that is destroyed when it closes, shows it
    // and makes it the active window.
    QMdiSubWindow* addChild(ChildWindow* window);
    ChildWindow* activeChild() const { return m_active; }
    QList<ChildWindow*> children() const;

    // "" clears the picture; a file that cannot be loaded leaves it as it was.
    bool setBackgroundPicture(const QString& path);
    bool hasBackgroundPicture() const { return !m_picture.isNull(); }
    // Lines the frames of minimised windows up along the bottom.
    void arrangeIcons();

Q_SIGNALS:
    void childActivated(ChildWindow* window);
    void childClosed(ChildWindow* window);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onSubWindowActivated(QMdiSubWindow* frame);
    void keepInside(QMdiSubWindow* frame, QSize wanted);

    ChildWindow* m_active = nullptr;
    QPixmap m_picture;
};
