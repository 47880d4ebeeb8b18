#pragma once

#include <QIcon>
#include <QImage>
#include <QListWidget>
#include <QStringList>
#include <QTest>

// Reading and choosing list entries as a user sees them.
namespace ListDriver {

inline QStringList texts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// Makes the one entry with this text current; fails the test when there is none.
inline void choose(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    list->setCurrentItem(found.first());
}

// A double-click on the current entry as the user makes it: a click, then the second.
inline void doubleClickCurrent(QListWidget* list) {
    const QPoint at = list->visualItemRect(list->currentItem()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// An icon as pictures compare: a window's icon against the file it should show.
inline QImage iconImage(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage();
}

} // namespace ListDriver
