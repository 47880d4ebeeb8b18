#include "AppState.h"
#include "Settings.h"
#include "TestDatabase.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void storesUnderApplicationSection();
    void markersAnnounceOnlyChanges();
    void handBackWaitsForItsProject();
};

void TestSettings::storesUnderApplicationSection() {
    TestDatabase dir;
    {
        Settings s(dir.settingsPath());
        s.setValue(Settings::kVehicleLastOpened, "3");
    }
    QSettings raw(dir.settingsPath(), QSettings::IniFormat);
    QCOMPARE(raw.value("1.0.1.0/Vehicle Last Opened").toString(), QStringLiteral("3"));
    Settings again(dir.settingsPath());
    QCOMPARE(again.value(Settings::kVehicleLastOpened, "0"), QStringLiteral("3"));
    // An empty value is kept as it is; start-up reads it as project 0.
    again.setValue(Settings::kVehicleLastOpened, "");
    QCOMPARE(again.value(Settings::kVehicleLastOpened, "0"), QString());
}

void TestSettings::markersAnnounceOnlyChanges() {
    AppState st;
    QSignalSpy markers(&st, &AppState::markerChanged);
    st.setMarker("frmnewmainopen", "Y");
    st.setMarker("frmnewmainopen", "Y");
    QCOMPARE(markers.count(), 1);
    st.setMarker("frmnewmainopen", "");
    QCOMPARE(st.marker("frmnewmainopen"), QString());
}

void TestSettings::handBackWaitsForItsProject() {
    AppState st;
    st.vehiclenumber = 2;
    st.addpartPanel = 0;
    QSignalSpy spy(&st, &AppState::partHandedBack);
    st.handBackPart("BRAKE PADS");
    QCOMPARE(spy.count(), 1);
    QVERIFY(!st.takeHandBack(3).has_value());
    const auto h = st.takeHandBack(2);
    QVERIFY(h.has_value());
    QCOMPARE(h->name, QStringLiteral("BRAKE PADS"));
    QCOMPARE(h->panel, 0);
    QVERIFY(!st.hasHandBack());
}

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
