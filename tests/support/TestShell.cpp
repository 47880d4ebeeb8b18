#include "TestShell.h"

#include "ChildWindow.h"
#include "Fixtures.h"
#include "MakesAndModels.h"
#include "MdiHost.h"

#include <QMdiSubWindow>
#include <QTest>

TestShell::TestShell()
    : store(db.open())
    , settingsStore(db.settings()) {
    mdi = new MdiHost(&frame);
    frame.setCentralWidget(mdi);
    frame.resize(1280, 900);
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame))
        QTest::qFail("the test frame did not appear", __FILE__, __LINE__);
    QObject::connect(mdi, &MdiHost::childClosed, mdi, [this](ChildWindow* w) {
        for (auto it = m_windows.begin(); it != m_windows.end(); ++it)
            if (it.value()->widget() == w) {
                m_windows.erase(it);
                break;
            }
    });
}

TestShell::~TestShell() {
    // Child windows may touch the data store while they go.
    for (QMdiSubWindow* f : mdi->subWindowList())
        delete f;
}

QString TestShell::showsave(const QString& initialPath) {
    return scripted.chooseFile(&frame, QStringLiteral("Choose Picture"),
                               QStringLiteral("Bitmaps (*.BMP *.bmp)"), initialPath);
}

void TestShell::addmakemodel(const QString& make, const QString& model) {
    ignoreError(MakesAndModels::addmakemodel(*store, make, model));
}

qint64 TestShell::checksequence(const QString& partName) {
    appState.holdsequence = store->nextSequenceNumber(partName);
    return appState.holdsequence;
}

void TestShell::setBackgroundPicture(const QString& path) {
    if (mdi->setBackgroundPicture(path))
        background = path;
}

QWidget* TestShell::window(WindowId id) const {
    QMdiSubWindow* f = m_windows.value(id);
    return f ? f->widget() : nullptr;
}

QWidget* TestShell::showWindow(WindowId id) {
    shown << id;
    if (QMdiSubWindow* f = m_windows.value(id)) {
        f->show();
        mdi->setActiveSubWindow(f);
        return f->widget();
    }
    auto factory = factories.value(id);
    if (!factory)
        return nullptr;
    ChildWindow* w = factory(*this);
    addWindow(id, w);
    return w;
}

bool TestShell::closeWindow(WindowId id) {
    QMdiSubWindow* f = m_windows.value(id);
    if (!f)
        return true;
    return f->close();
}

QMdiSubWindow* TestShell::addWindow(WindowId id, QWidget* widget) {
    if (m_windows.contains(id) && !closeWindow(id))
        return nullptr;
    auto* child = qobject_cast<ChildWindow*>(widget);
    if (!child)
        return nullptr;
    QMdiSubWindow* f = mdi->addChild(child);
    m_windows.insert(id, f);
    return f;
}

void TestShell::openProject(int number) {
    RecordSet& vehicles = store->recordSet(Command::RSLVehicles);
    ignoreError(vehicles.setFilter(QString()));
    vehicles.moveFirst();
    bool found = false;
    ignoreError(vehicles.find(QStringLiteral("vehicle_number = %1").arg(number), &found));
    if (!found) {
        QTest::qFail("no such project", __FILE__, __LINE__);
        return;
    }
    appState.vehiclenumber = number;
    appState.vehiclenumbera = appState.openvehiclenumber = QString::number(number);
    appState.vehicledescription = vehicles.text(QStringLiteral("vehicle_description"));
    appState.graphic = vehicles.text(QStringLiteral("graphic_path"));
}

void TestShell::exec(const QString& table, const QString& sql) {
    Fixtures::exec(*store, table, sql);
}
