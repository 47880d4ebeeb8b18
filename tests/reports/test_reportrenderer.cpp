#include "RecordingPaintDevice.h"
#include "ReportRenderer.h"
#include "TestDatabase.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QSet>
#include <QTest>

#include <tuple>

namespace {

using E = ReportElement;
using B = ReportBand;

E text(E::Kind kind, const QString& textOrColumn, int left, int top, int width) {
    E e;
    e.kind = kind;
    (kind == E::Kind::Label ? e.text : e.column) = textOrColumn;
    std::tie(e.left, e.top, e.width, e.height) = std::tuple(left, top, width, 285);
    return e;
}

E money(E::Kind kind, const QString& column, int left, int top, bool overParents = false) {
    E e = text(kind, column, left, top, 1800);
    e.format = E::Format::Currency;
    e.overParents = overParents;
    return e;
}

B band(B::Kind kind, int height, QList<E> elements = {}) {
    return B{.kind = kind, .height = height, .elements = std::move(elements)};
}

B footer() {
    return band(B::Kind::PageFooter, 750,
                {text(E::Kind::Label, "Page", 4176, 432, 600),
                 text(E::Kind::PageNumber, QString(), 4896, 432, 600)});
}

// Name and amount per row, a total at the end.
ReportLayout flatLayout() {
    E title = text(E::Kind::Label, "Test Listing", 2736, 576, 3900);
    ReportLayout l;
    l.name = "listing";
    l.title = "Test Listing";
    l.bands = {band(B::Kind::ReportHeader, 990), band(B::Kind::PageHeader, 1440, {title}),
               band(B::Kind::Detail, 480,
                    {text(E::Kind::Field, "name", 432, 96, 2000),
                     money(E::Kind::Field, "amount", 4000, 96)}),
               footer(),
               band(B::Kind::ReportFooter, 500, {money(E::Kind::Sum, "amount", 4000, 96)})};
    return l;
}

// A block of two rows of labelled values, the first value narrow, under a
// header whose caption is filled in at run time.
ReportLayout blockLayout() {
    E caption = text(E::Kind::Label, QString(), 432, 600, 3000);
    caption.name = "Label4";
    ReportLayout l;
    l.name = "blocks";
    l.title = "Blocks";
    l.bands = {band(B::Kind::PageHeader, 1000, {caption}),
               band(B::Kind::Detail, 700,
                    {text(E::Kind::Label, "Name:", 432, 100, 1200),
                     text(E::Kind::Field, "name", 1728, 100, 1500),
                     text(E::Kind::Label, "Amount:", 4000, 100, 1200),
                     money(E::Kind::Field, "amount", 5400, 100),
                     text(E::Kind::Label, "Notes:", 432, 400, 1200),
                     text(E::Kind::Field, "notes", 1728, 400, 6000)}),
               footer()};
    return l;
}

// Budget rows with their part lines.
ReportLayout groupedLayout() {
    ReportLayout l;
    l.name = "bycategory";
    l.title = "By Category";
    l.width = 9216;
    l.bands = {
        band(B::Kind::ReportHeader, 360),
        band(B::Kind::PageHeader, 1000, {text(E::Kind::Label, "By Category", 2000, 200, 4000)}),
        band(B::Kind::GroupHeader, 360),
        band(B::Kind::Detail, 300,
             {text(E::Kind::Field, "part", 432, 0, 4896), money(E::Kind::Field, "total", 5616, 0)}),
        band(B::Kind::GroupFooter, 480,
             {text(E::Kind::Field, "category", 2880, 96, 2600),
              money(E::Kind::Sum, "total", 5616, 96), money(E::Kind::Field, "budget", 7200, 96)}),
        footer(),
        band(B::Kind::ReportFooter, 576,
             {money(E::Kind::Sum, "total", 5616, 144),
              money(E::Kind::Sum, "budget", 7200, 144, true)})};
    return l;
}

QVariant cash(const char* text) {
    return QVariant::fromValue(*Money::fromText(QString::fromLatin1(text)));
}

ReportData::Row row(const QString& name, const char* amount) {
    return ReportData::Row::of({{"name", name}, {"amount", cash(amount)}});
}

ReportData rows(int n) {
    ReportData d;
    for (int i = 1; i <= n; ++i)
        d.rows << row(QStringLiteral("row %1").arg(i), "1");
    return d;
}

const QDateTime kPrinted(QDate(2025, 3, 7), QTime(14, 5, 9));

qreal widthOf(const RecordingPaintDevice::Text& t) {
    return QFontMetricsF(t.font).horizontalAdvance(t.text);
}

} // namespace

class TestReportRenderer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void totalsAddTheStoredAmounts_data();
    void totalsAddTheStoredAmounts();
    void groupsFrameTheirChildrenAndCarryTotals();
    void pagesBreakBetweenBlocksAndAreNumbered();
    void pagesPaintedAgainInAnyOrderLookTheSame();
    void aGrownValuePushesDownWhatLiesBelowIt();
    void longTextsWrapInTheirBoxAndRunOverThePages();
};

void TestReportRenderer::totalsAddTheStoredAmounts_data() {
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<QString>("total");
    QTest::newRow("thirds") << QStringList{"0.3333", "0.3333", "0.3333"}
                            << QStringList{"$0.33", "$0.33", "$0.33"} << "$1.00";
    QTest::newRow("a half cent, rounded once")
        << QStringList{"0.0025", "0.0025"} << QStringList{"$0.00", "$0.00"} << "$0.01";
    QTest::newRow("credits") << QStringList{"-1.005", "0.3333"} << QStringList{"-$1.01", "$0.33"}
                             << "-$0.67";
    // A wrapped-around total would print as a real (negative) figure. The
    // amounts wrap in their box.
    QTest::newRow("beyond what a total holds")
        << QStringList{"900000000000000", "900000000000000"}
        << QStringList{"$900,000,000,000,000.0\n0", "$900,000,000,000,000.0\n0"}
        << "Too large to add up";
}

void TestReportRenderer::totalsAddTheStoredAmounts() {
    QFETCH(QStringList, amounts);
    QFETCH(QStringList, printed);
    QFETCH(QString, total);
    ReportData d;
    QStringList expected;
    for (int i = 0; i < amounts.size(); ++i) {
        d.rows << row("line", amounts[i].toLatin1().constData());
        expected << "line" << printed[i].split('\n');
    }
    RecordingPaintDevice dev;
    dev.record(ReportRenderer(flatLayout(), d, {}, kPrinted));
    // The lines, then the total before the page footer.
    QCOMPARE(dev.allTexts(),
             (QStringList{"Test Listing"} + expected + QStringList{total, "Page", "1"}));
}

void TestReportRenderer::groupsFrameTheirChildrenAndCarryTotals() {
    ReportData d;
    const auto parent = [](const QString& category, const char* budget) {
        return ReportData::Row::of({{"category", category}, {"budget", cash(budget)}});
    };
    const auto child = [](const QString& part, const char* total) {
        return ReportData::Row::of({{"part", part}, {"total", cash(total)}});
    };
    d.rows << parent("BODY", "100") << parent("EXHAUST", "50") << parent("PAINT", "0.5");
    d.rows[0].children << child("FENDER", "10.005") << child("HINGE", "20");
    d.rows[2].children << child("PRIMER", "1");
    RecordingPaintDevice dev;
    dev.record(ReportRenderer(groupedLayout(), d, {}, kPrinted));
    const QStringList expected = {
        "By Category", "FENDER", "$10.01", "HINGE", "$20.00", "BODY", "$30.01", "$100.00",
        // a category without lines still has its footer
        "EXHAUST", "$0.00", "$50.00", "PRIMER", "$1.00", "PAINT", "$1.00", "$0.50",
        // all lines, and every budget row
        "$31.01", "$150.50", "Page", "1"};
    QCOMPARE(dev.allTexts(), expected);
    // A total never starts a page alone: the group's last line goes with it.
    // Page 1 has room for the group's 34 lines but not for its total as well.
    for (int i = 0; i < 32; ++i)
        d.rows[0].children << child(QStringLiteral("BOLT %1").arg(i), "1");
    RecordingPaintDevice paged;
    paged.record(ReportRenderer(groupedLayout(), d, {}, kPrinted));
    QCOMPARE(paged.find("BOLT 31")->page, 1);
    QCOMPARE(paged.find("BODY")->page, 1);
    QCOMPARE(paged.find("BOLT 30")->page, 0);
}

void TestReportRenderer::pagesBreakBetweenBlocksAndAreNumbered() {
    // Page 1 holds 20 rows below the report and page headers, later pages 22.
    ReportRenderer r(flatLayout(), rows(60), {}, kPrinted);
    QCOMPARE(r.pageCount(), 3);
    RecordingPaintDevice dev;
    dev.record(r);
    const int footerTop = ReportRenderer::kPageHeight - ReportRenderer::kMargin - 750;
    int expected = 1;
    for (const auto& t : dev.texts) {
        if (!t.text.startsWith("row "))
            continue;
        QCOMPARE(t.text, QStringLiteral("row %1").arg(expected));
        QCOMPARE(t.page, expected <= 20 ? 0 : expected <= 42 ? 1 : 2);
        QVERIFY(t.at.y() < footerTop);
        ++expected;
    }
    QCOMPARE(expected, 61);
    for (int p = 0; p < 3; ++p) {
        const QStringList onPage = dev.textsOn(p);
        QCOMPARE(onPage.first(), QStringLiteral("Test Listing"));
        QCOMPARE(onPage.mid(onPage.size() - 2), (QStringList{"Page", QString::number(p + 1)}));
    }
    QCOMPARE(dev.find("$60.00")->page, 2);

    // A 20th row that runs to several lines no longer fits on page 1 and
    // moves to page 2 with all its lines.
    ReportData d = rows(19);
    d.rows << row(QStringLiteral("LONG ").repeated(40).trimmed(), "2");
    RecordingPaintDevice grown;
    grown.record(ReportRenderer(flatLayout(), d, {}, kPrinted));
    QSet<int> pages;
    for (const auto& t : grown.texts)
        if (t.text.startsWith("LONG"))
            pages << t.page;
    QCOMPARE(pages, QSet<int>{1});
    QCOMPARE(grown.find("$2.00")->page, 1);
}

void TestReportRenderer::pagesPaintedAgainInAnyOrderLookTheSame() {
    // More rows than the renderer keeps arranged, painted as a PDF does
    // (in order) and as a preview may (backwards, then a page again): every
    // page shows the same texts in the same places, its own number included.
    ReportData d = rows(700);
    d.rows[350] = row(QStringLiteral("WRAPPED ").repeated(30).trimmed(), "3");
    RecordingPaintDevice first;
    first.record(ReportRenderer(flatLayout(), d, {}, kPrinted));

    ReportRenderer preview(flatLayout(), d, {}, kPrinted);
    const int pages = preview.pageCount();
    RecordingPaintDevice again;
    QList<int> order;
    for (int p = pages - 1; p >= 0; --p)
        order << p;
    order << 0 << pages / 2;
    for (int p : order) {
        again.page = p;
        QPainter painter(&again);
        ReportRenderer::scaleToTwips(painter, again);
        preview.paintPage(painter, p);
    }
    const auto onPage = [](const RecordingPaintDevice& dev, int p) {
        QStringList out;
        for (const auto& t : dev.texts)
            if (t.page == p)
                out << QStringLiteral("%1 %2 %3").arg(t.at.x()).arg(t.at.y()).arg(t.text);
        return out;
    };
    for (int p = 0; p < pages; ++p) {
        QStringList expected = onPage(first, p);
        if (p == 0 || p == pages / 2)
            expected += expected; // painted twice
        QCOMPARE(onPage(again, p), expected);
    }
    QVERIFY(onPage(again, pages - 1).last().endsWith(QStringLiteral(" %1").arg(pages)));
}

void TestReportRenderer::aGrownValuePushesDownWhatLiesBelowIt() {
    const auto block = [](const QString& name) {
        return ReportData::Row::of(
            {{"name", name}, {"amount", cash("5")}, {"notes", QStringLiteral("n")}});
    };
    ReportData d;
    d.rows << block("SHORT") << block("VOLTLINE HARNESS COMPANY OF AMERICA") << block("LAST");
    const QString project = QStringLiteral("A PROJECT DESCRIPTION LONG ENOUGH TO TAKE LINES");
    RecordingPaintDevice dev;
    dev.record(ReportRenderer(blockLayout(), d, {{"Label4", project}}, kPrinted));
    const auto y = [&](const QString& text, int nth) {
        int seen = 0;
        for (const auto& t : dev.texts)
            if (t.text == text && seen++ == nth)
                return t.at.y();
        return -1.0;
    };
    // The caption wraps in its box, and the header grows with it.
    const qsizetype captionLines = dev.textsOn(0).indexOf("Name:");
    QVERIFY(captionLines > 1);
    QCOMPARE(dev.textsOn(0).mid(0, captionLines).join(' '), project);
    QVERIFY(y("Name:", 0) - ReportRenderer::kMargin - 100 > 1000);
    // A block that does not need it keeps its height.
    QCOMPARE(y("Name:", 1) - y("Name:", 0), 700.0);
    // The long name wraps: its neighbours stay beside it; the row below
    // moves down by the extra lines, and so does the next block.
    QCOMPARE(y("Amount:", 1), y("Name:", 1));
    const qreal extra = (y("Notes:", 1) - y("Name:", 1)) - (y("Notes:", 0) - y("Name:", 0));
    QVERIFY(extra > 150);
    QCOMPARE(y("Name:", 2) - y("Name:", 1), 700.0 + extra);
}

void TestReportRenderer::longTextsWrapInTheirBoxAndRunOverThePages() {
    ReportData d = rows(3);
    QStringList words;
    for (int i = 0; i < 3000; ++i)
        words << QStringLiteral("w%1").arg(i);
    d.rows.insert(1, row(words.join(' '), "7"));
    d.rows << row("WWW.AVERYLONGVENDORNAMEWITHOUTANYSPACES.EXAMPLE", "2");
    ReportRenderer r(flatLayout(), d, {}, kPrinted);
    RecordingPaintDevice dev;
    dev.record(r);
    QVERIFY(r.pageCount() > 3);
    const int footerTop = ReportRenderer::kPageHeight - ReportRenderer::kMargin - 750;
    QStringList printed;
    int firstPage = -1;
    int lastPage = 0;
    qreal lastY = 0;
    for (const auto& t : dev.texts) {
        if (t.at.x() == ReportRenderer::kMargin + 432)
            QVERIFY2(widthOf(t) <= 2000.5, qPrintable(t.text));
        if (!t.text.startsWith('w'))
            continue;
        if (firstPage < 0)
            firstPage = t.page;
        // Below the page header, above the page footer, in reading order.
        QVERIFY(t.at.y() < footerTop && t.at.y() > ReportRenderer::kMargin + 1440);
        QVERIFY(t.page > lastPage || t.at.y() > lastY);
        lastPage = t.page;
        lastY = t.at.y();
        printed << t.text;
    }
    // Every word once, in its order, none cut short; the amount beside the first line.
    QCOMPARE(printed.join(' '), words.join(' '));
    QCOMPARE(dev.find("$7.00")->page, firstPage);
    const auto* after = dev.find("row 2");
    QVERIFY(after->page > lastPage || (after->page == lastPage && after->at.y() > lastY));
    // A word wider than its box is broken, not lost.
    const QStringList all = dev.allTexts();
    QCOMPARE(all.mid(all.indexOf("$1.00", all.indexOf("row 3")) + 1, 3).join(QString()),
             d.rows.last().value("name").toString());
}

QTEST_MAIN(TestReportRenderer)
#include "test_reportrenderer.moc"
