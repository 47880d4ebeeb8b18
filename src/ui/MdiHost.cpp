#include "MdiHost.h"

#include "ChildWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPointer>

MdiHost::MdiHost(QWidget* parent)
    : QMdiArea(parent) {
    setObjectName(QStringLiteral("mdiArea"));
    connect(this, &QMdiArea::subWindowActivated, this, &MdiHost::onSubWindowActivated);
}

QMdiSubWindow* MdiHost::addChild(ChildWindow* window) {
    // Only a size the window chose itself counts as the one it asked for.
    const QSize wanted = window->testAttribute(Qt::WA_Resized) ? window->size() : QSize();
    QMdiSubWindow* frame = addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowIcon(window->windowIcon());
    frame->installEventFilter(this);
    connect(window, &QWidget::windowTitleChanged, frame, &QWidget::setWindowTitle);
    connect(window, &QWidget::windowIconChanged, frame, &QWidget::setWindowIcon);
    window->show();
    frame->show();
    keepInside(frame, wanted);
    setActiveSubWindow(frame);
    // The keyboard focus goes along, or a focus coming back to the window
    // left behind would bring that window to the front again.
    if (!window->isAncestorOf(QApplication::focusWidget()))
        window->setFocus(Qt::OtherFocusReason);
    // An inactive frame (no window of ours active) still counts as the user's choice.
    if (m_active != window)
        onSubWindowActivated(frame);
    return frame;
}

void MdiHost::keepInside(QMdiSubWindow* frame, QSize wanted) {
    // The frame's own placement may squeeze a large window into the space
    // left over, or put it partly out of sight; such a window starts at the
    // next cascade step instead, at the size it asked for as far as it fits.
    // (Before the frame is first shown its size means nothing.)
    const QRect area = viewport()->rect();
    if (!isVisible() || area.isEmpty())
        return;
    const QSize inner = frame->widget()->size();
    const QSize outer = frame->size();
    if (area.contains(frame->geometry()) && outer.width() >= wanted.width() &&
        outer.height() >= wanted.height())
        return;
    if (!wanted.isValid())
        wanted = inner;
    const int step = 24 * int((subWindowList().size() - 1) % 8);
    const QSize room = area.size() - QSize(step, step);
    const QSize decorations = frame->size() - inner;
    frame->resize((wanted + decorations).boundedTo(room));
    frame->move(step, step);
}

QList<ChildWindow*> MdiHost::children() const {
    QList<ChildWindow*> out;
    for (QMdiSubWindow* frame : subWindowList())
        if (auto* w = qobject_cast<ChildWindow*>(frame->widget()); w && !w->isUnloaded())
            out << w;
    return out;
}

void MdiHost::onSubWindowActivated(QMdiSubWindow* frame) {
    // Only a move to another child window counts: a message box coming and
    // going, or the frame losing the focus, leaves the active window as it is.
    if (!frame)
        return;
    auto* window = qobject_cast<ChildWindow*>(frame->widget());
    if (!window || window == m_active || window->isUnloaded())
        return;
    QPointer<ChildWindow> previous = m_active;
    m_active = window;
    if (previous && !previous->isUnloaded())
        previous->deactivated();
    window->activated();
    Q_EMIT childActivated(window);
}

bool MdiHost::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close) {
        auto* frame = qobject_cast<QMdiSubWindow*>(watched);
        auto* window = frame ? qobject_cast<ChildWindow*>(frame->widget()) : nullptr;
        if (window) {
            if (!window->tryClose()) {
                event->ignore();
                return true;
            }
            if (m_active == window)
                m_active = nullptr;
            Q_EMIT childClosed(window);
        }
    }
    return QMdiArea::eventFilter(watched, event);
}

bool MdiHost::setBackgroundPicture(const QString& path) {
    if (path.isEmpty()) {
        m_picture = QPixmap();
        viewport()->update();
        return true;
    }
    QPixmap p(path);
    if (p.isNull())
        return false;
    m_picture = p;
    viewport()->update();
    return true;
}

void MdiHost::paintEvent(QPaintEvent* event) {
    QMdiArea::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(viewport());
    const QSize area = viewport()->size();
    const QPixmap scaled =
        m_picture.size().width() > area.width() || m_picture.size().height() > area.height()
            ? m_picture.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : m_picture;
    painter.drawPixmap((area.width() - scaled.width()) / 2, (area.height() - scaled.height()) / 2,
                       scaled);
}

void MdiHost::arrangeIcons() {
    int x = 0;
    const int bottom = viewport()->height();
    for (QMdiSubWindow* frame : subWindowList()) {
        if (!frame->isMinimized())
            continue;
        const QSize s = frame->size();
        if (x + s.width() > viewport()->width() && x > 0)
            x = 0;
        frame->move(x, bottom - s.height());
        x += s.width();
    }
}
