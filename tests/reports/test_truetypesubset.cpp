#include "TrueTypeSubset.h"

#include <QFont>
#include <QPainterPath>
#include <QRawFont>
#include <QTest>

namespace {

QRawFont sans() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(100);
    return QRawFont::fromFont(font);
}

} // namespace

class TestTrueTypeSubset : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keepsTheOutlinesOfTheGlyphsUsedAndOfTheirParts();
    void tablesThatDoNotHoldTogetherGiveNothing_data();
    void tablesThatDoNotHoldTogetherGiveNothing();
};

void TestTrueTypeSubset::keepsTheOutlinesOfTheGlyphsUsedAndOfTheirParts() {
    const QRawFont raw = sans();
    if (!raw.isValid() || raw.fontTable("glyf").isEmpty())
        QSKIP("no TrueType sans font installed");
    // Accented capitals are built from their letter and accent.
    const QList<quint32> used = raw.glyphIndexesForString(QStringLiteral("Rast $1.0 ÉÅÑ"));
    const QByteArray cut =
        TrueTypeSubset::make([&](const char* tag) { return raw.fontTable(tag); }, used);
    QVERIFY(cut.size() < raw.fontTable("glyf").size() / 4);

    const QRawFont subset(cut, 100);
    QVERIFY(subset.isValid());
    for (quint32 glyph : used)
        QCOMPARE(subset.pathForGlyph(glyph), raw.pathForGlyph(glyph));
    const quint32 unused = raw.glyphIndexesForString(QStringLiteral("Z")).value(0);
    QVERIFY(!raw.pathForGlyph(unused).isEmpty());
    QVERIFY(subset.pathForGlyph(unused).isEmpty());
    // Numbers and advances stay as they were.
    QCOMPARE(subset.advancesForGlyphIndexes(used), raw.advancesForGlyphIndexes(used));
}

void TestTrueTypeSubset::tablesThatDoNotHoldTogetherGiveNothing_data() {
    QTest::addColumn<QByteArray>("broken");
    QTest::addColumn<QByteArray>("with");
    QTest::newRow("no TrueType outlines") << QByteArray("glyf") << QByteArray();
    QTest::newRow("short glyph index") << QByteArray("loca") << QByteArray(8, '\0');
    QTest::newRow("glyphs past the outlines") << QByteArray("loca") << QByteArray(40000, '\xff');
    QTest::newRow("short header") << QByteArray("head") << QByteArray(20, '\0');
    QTest::newRow("no metrics") << QByteArray("hmtx") << QByteArray();
}

void TestTrueTypeSubset::tablesThatDoNotHoldTogetherGiveNothing() {
    QFETCH(QByteArray, broken);
    QFETCH(QByteArray, with);
    const QRawFont raw = sans();
    if (!raw.isValid() || raw.fontTable("glyf").isEmpty())
        QSKIP("no TrueType sans font installed");
    const auto table = [&](const char* tag) { return broken == tag ? with : raw.fontTable(tag); };
    QVERIFY(TrueTypeSubset::make(table, {1, 2, 3}).isEmpty());
}

QTEST_MAIN(TestTrueTypeSubset)
#include "test_truetypesubset.moc"
