#include "ReportLayouts.h"

namespace {

using E = ReportElement;
using B = ReportBand;
using F = ReportElement::Format;

const ReportFont kText{8.25, false, false};
const ReportFont kCaption{11.25, true, true};
const ReportFont kBold11{11.25, true, false};
const ReportFont kBold12{12, true, false};
constexpr int kLine = 285;
constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignTop;

E label(const QString& text, int left, int top, int width, int height = kLine,
        ReportFont font = kText, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
    E e;
    e.kind = E::Kind::Label;
    e.text = text;
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = height;
    e.font = font;
    e.align = align;
    return e;
}

// A label whose text is filled in when the report is created.
E named(const QString& name, int left, int top, int width, int height, ReportFont font,
        Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
    E e = label(QString(), left, top, width, height, font, align);
    e.name = name;
    return e;
}

E field(const QString& column, F format, int left, int top, int width, int height = kLine,
        ReportFont font = kText) {
    E e;
    e.kind = E::Kind::Field;
    e.column = column;
    e.format = format;
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = height;
    e.font = font;
    return e;
}

E sum(const QString& column, int left, int top, int width, ReportFont font = kText,
      bool overParents = false) {
    E e = field(column, F::Currency, left, top, width, kLine, font);
    e.kind = E::Kind::Sum;
    e.overParents = overParents;
    return e;
}

E box(E::Kind kind, int left, int top, int width, int height) {
    E e;
    e.kind = kind;
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = height;
    return e;
}

struct Banner {
    QString title;
    bool projectLine = false;
    ReportFont titleFont = kBold11;
    int lower = 0; // the whole banner moved down by this much
};

// The common page header: frame, logo, product line, title, date and time,
// and on the project-bound reports the project line.
QList<E> banner(const Banner& b) {
    const int t = 144 + b.lower;
    QList<E> out;
    out << box(E::Kind::Rectangle, 432, t, 8640, b.projectLine ? 1155 : 720)
        << box(E::Kind::Logo, 432, t, 570, 570)
        << label(QStringLiteral("Rastrel"), 2448, t, 4470, 420, kBold12, kCentred);
    if (b.lower > 0)
        out << label(b.title, 2016, 576 + b.lower, 5325, kLine, kBold12, kCentred);
    else if (b.projectLine)
        out << label(b.title, 2160, 576, 5040, kLine, kBold12, kCentred);
    else
        out << label(b.title, 2736, 576, 3900, kLine, b.titleFont, kCentred);
    out << box(E::Kind::Date, 7344, t, 720, 240) << box(E::Kind::Time, 8064, t, 1005, 240);
    if (b.projectLine)
        out << named(QStringLiteral("Label4"), 576, 1008 + b.lower, 8352, kLine, kBold12, kCentred);
    return out;
}

E caption(const QString& text, int left, int top, int width) {
    return label(text, left, top, width, 300, kCaption);
}

B band(B::Kind kind, int height, QList<E> elements = {}) {
    B b;
    b.kind = kind;
    b.height = height;
    b.elements = std::move(elements);
    return b;
}

B pageFooter(int height = 750, int top = 432, int labelLeft = 4176, int numberLeft = 4896) {
    return band(B::Kind::PageFooter, height,
                {label(QStringLiteral("Page"), labelLeft, top, numberLeft - labelLeft - 72),
                 box(E::Kind::PageNumber, numberLeft, top, 1000, kLine)});
}

ReportLayout make(const QString& name, const QString& title, QList<B> bands, int width = 9360) {
    ReportLayout l;
    l.name = name;
    l.title = title;
    l.width = width;
    l.bands = std::move(bands);
    return l;
}

// One line per row under a row of column captions.
struct Column {
    QString caption;
    QString column;
    F format;
    int left;
    int width;
};

ReportLayout listReport(const QString& name, const QString& title, const QList<Column>& columns,
                        int headerHeight, int detailHeight, ReportFont titleFont = kBold11,
                        bool twoLineCaptions = false) {
    QList<E> header = banner({title, false, titleFont});
    QList<E> detail;
    for (const Column& c : columns) {
        if (twoLineCaptions) // a long caption over a narrow column takes two lines
            header << label(c.caption, c.left, headerHeight - 585, c.width, 540, kCaption,
                            Qt::AlignLeft | Qt::AlignBottom);
        else
            header << caption(c.caption, c.left, headerHeight - 345, c.width);
        detail << field(c.column, c.format, c.left, 96, c.width);
    }
    return make(name, title,
                {band(B::Kind::ReportHeader, 990), band(B::Kind::PageHeader, headerHeight, header),
                 band(B::Kind::Detail, detailHeight, detail), pageFooter()});
}

// A block of labelled values per part line: pairs of (caption, column).
struct Pair {
    QString caption;
    QString column;
    F format = F::AsStored;
};

QList<E> labelledBlock(const QList<QList<Pair>>& rows, const QList<int>& labelLefts,
                       const QList<int>& fieldLefts, const QList<int>& rowTops,
                       const QList<int>& labelWidths, const QList<int>& fieldWidths) {
    QList<E> out;
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            const Pair& p = rows[r][c];
            out << label(p.caption, labelLefts[c], rowTops[r], labelWidths[c])
                << field(p.column, p.format, fieldLefts[c], rowTops[r], fieldWidths[c]);
        }
    return out;
}

ReportLayout vehicleData(const QString& title) {
    const QList<QList<Pair>> rows = {
        {{"Part Name:", "Part_Name"},
         {"Quantity:", "Quantity", F::WholeNumber},
         {"Price:", "Price", F::Currency}},
        {{"Part Number:", "Part_Number"},
         {"Taxable:", "Taxable", F::YesNo},
         {"Tax amount:", "Tax_amount", F::Currency}},
        {{"Manufacturer:", "Manufacturer"},
         {"Selected:", "Selected", F::YesNo},
         {"Forecast:", "Forecast", F::YesNo}},
        {{"Vendor:", "Vendor"},
         {"Purchased:", "Purchased", F::YesNo},
         {"Purchase date:", "Purchase_date"}},
        {{"Category:", "Category"},
         {"Shipping Amount:", "Shipping_amount", F::Currency},
         {"Total cost:", "Total_cost", F::Currency}},
    };
    QList<E> detail =
        labelledBlock(rows, {432, 3312, 6336}, {1728, 4752, 7632}, {144, 432, 720, 1008, 1296},
                      {1224, 1368, 1224}, {1512, 1512, 1728});
    detail << label(QStringLiteral("Notes:"), 432, 1584, 1224)
           << field(QStringLiteral("Notes"), F::AsStored, 1728, 1584, 7350);
    return make(QStringLiteral("vehicledata"), title,
                {band(B::Kind::ReportHeader, 990),
                 band(B::Kind::PageHeader, 1440, banner({title, true})),
                 band(B::Kind::Detail, 1956, detail), pageFooter()});
}

// The shopping list and the part search report print the same block.
QList<E> shortBlock() {
    const QList<QList<Pair>> rows = {
        {{"Part Name:", "Part_Name"}, {"Quantity:", "Quantity", F::WholeNumber}},
        {{"Part Number:", "Part_Number"}, {"Price:", "Price", F::Currency}},
        {{"Manufacturer:", "Manufacturer"}, {"Total Cost:", "Total_cost", F::Currency}},
    };
    QList<E> out =
        labelledBlock(rows, {432, 4320}, {1728, 5760}, {144, 432, 720}, {1224, 1368}, {2520, 3600});
    out << label(QStringLiteral("Notes:"), 432, 1008, 1224)
        << field(QStringLiteral("Notes"), F::AsStored, 1728, 1008, 7347);
    return out;
}

ReportLayout shoppingList(const QString& title) {
    QList<E> header = banner({title, false});
    // The vendor's name, address and phone, filled in when the report is made;
    // room for two lines each, more when they run longer. The phone may use
    // the right margin of the banner.
    header << named(QStringLiteral("Label3"), 432, 1008, 2448, 430, kText)
           << named(QStringLiteral("Label4"), 3168, 1008, 4464, 430, kText)
           << named(QStringLiteral("Label9"), 8064, 1008, 1296, 430, kText);
    return make(QStringLiteral("shoppinglist"), title,
                {band(B::Kind::ReportHeader, 990), band(B::Kind::PageHeader, 1455, header),
                 band(B::Kind::Detail, 1395, shortBlock()), pageFooter()});
}

ReportLayout partSearchList(const QString& title) {
    return make(QStringLiteral("partsearchlist"), title,
                {band(B::Kind::ReportHeader, 990),
                 band(B::Kind::PageHeader, 1455, banner({title, true})),
                 band(B::Kind::Detail, 1395, shortBlock()), pageFooter()});
}

ReportLayout costByCategory(bool forecast, const QString& title) {
    const int lower = forecast ? 144 : 0;
    QList<E> header = banner({title, true, kBold12, lower});
    const int captionTop = 1440 + lower;
    header << caption(QStringLiteral("Part Name"), 432, captionTop, 4896)
           << caption(QStringLiteral("Total Cost"), 5472, captionTop, 1368)
           << caption(QStringLiteral("Budget Amount"), 6912, captionTop, 2304);
    const QList<E> detail = {field(QStringLiteral("Part_Name"), F::AsStored, 432, 0, 4896),
                             field(QStringLiteral("Total_cost"), F::Currency, 5616, 0, 1440)};
    const QList<E> groupFooter = {
        label(QStringLiteral("Total for category:"), 432, 96, 2376, 300, kBold11),
        field(QStringLiteral("Category"), F::AsStored, 2880, 96, 2664, 300, kBold11),
        sum(QStringLiteral("Total_cost"), 5616, 96, 1512, kBold11),
        field(QStringLiteral("Budget_amount"), F::Currency, 7200, 96, 2016, 300, kBold11)};
    const QList<E> reportFooter = {
        label(forecast ? QStringLiteral("Forecasted cost of project:")
                       : QStringLiteral("Actual cost of project:"),
              432, 144, 4896),
        sum(QStringLiteral("Total_cost"), 5616, 144, 1512),
        sum(QStringLiteral("Budget_amount"), 7200, 144, 2016, kText, true)};
    return make(forecast ? QStringLiteral("forecastcost") : QStringLiteral("actualcost"), title,
                {band(B::Kind::ReportHeader, 360),
                 band(B::Kind::PageHeader, forecast ? 2010 : 1875, header),
                 band(B::Kind::GroupHeader, 360), band(B::Kind::Detail, 300, detail),
                 band(B::Kind::GroupFooter, 480, groupFooter),
                 forecast ? pageFooter(780, 432, 4464, 5184) : pageFooter(861, 576, 4320, 5040),
                 band(B::Kind::ReportFooter, 576, reportFooter)},
                9216);
}

ReportLayout categoriesOverBudget(const QString& title) {
    QList<E> header = banner({title, true});
    header << caption(QStringLiteral("Category"), 432, 1440, 2232)
           << caption(QStringLiteral("Budget Amount"), 2736, 1440, 1944)
           << caption(QStringLiteral("Actual Amount"), 4752, 1440, 1800)
           << caption(QStringLiteral("Amount Over Budget"), 6624, 1440, 2736);
    const QList<E> detail = {field(QStringLiteral("Category"), F::AsStored, 432, 144, 2448),
                             field(QStringLiteral("Budget_amount"), F::Currency, 3168, 144, 1800),
                             field(QStringLiteral("Actual_amount"), F::Currency, 5040, 144, 2376),
                             field(QStringLiteral("Difference"), F::Currency, 7488, 144, 1872)};
    const QList<E> footer = {
        label(QStringLiteral("Total Over Budget"), 432, 144, 4320, 300, kBold11),
        sum(QStringLiteral("Difference"), 7488, 144, 1872)};
    return make(QStringLiteral("categoriesoverbudget"), title,
                {band(B::Kind::ReportHeader, 990), band(B::Kind::PageHeader, 1875, header),
                 band(B::Kind::Detail, 585, detail), pageFooter(),
                 band(B::Kind::ReportFooter, 531, footer)});
}

} // namespace

ReportLayout ReportLayouts::build(ReportKind kind) {
    const QString title = ReportCatalog::of(kind).title;
    switch (kind) {
    case ReportKind::PartData:
        return listReport(QStringLiteral("partdata"), title,
                          {{"Part Name", "Part_Name", F::AsStored, 432, 4176},
                           {"Category Of Part", "Category", F::AsStored, 4896, 3750}},
                          1440, 480);
    case ReportKind::VendorData:
        // Phone numbers are a little wider than their column; they may use the
        // gap before the next one.
        return listReport(QStringLiteral("vendordata"), title,
                          {{"Vendor Name", "Vendor_Name", F::AsStored, 432, 2016},
                           {"Address", "Vendor_Address", F::AsStored, 2592, 1872},
                           {"Phone", "Vendor_Phone", F::AsStored, 4752, 1080},
                           {"Web Site", "Vendor_Web_Site", F::AsStored, 5904, 1728},
                           {"Order Catalog?", "Order_Catalog", F::YesNo, 8064, 1296}},
                          1485, 585, kBold12, true);
    case ReportKind::ManufacturerData:
        return listReport(QStringLiteral("manufacturerdata"), title,
                          {{"Manufacturer Name", "Manufacturer", F::AsStored, 432, 2016},
                           {"Address", "Manufacturer_Address", F::AsStored, 2592, 1872},
                           {"Phone", "Manufacturer_Phone", F::AsStored, 4752, 1296},
                           {"Web Site", "Manufacturer_Web_Site", F::AsStored, 6192, 2730}},
                          1485, 480, kBold11, true);
    case ReportKind::CategoryData:
        return listReport(QStringLiteral("categorydata"), title,
                          {{"Category Name", "Category", F::AsStored, 432, 6912}}, 1440, 480);
    case ReportKind::VehicleData:
        return vehicleData(title);
    case ReportKind::ShoppingList:
        return shoppingList(title);
    case ReportKind::PartSearchList:
        return partSearchList(title);
    case ReportKind::ActualCost:
        return costByCategory(false, title);
    case ReportKind::ForecastCost:
        return costByCategory(true, title);
    case ReportKind::CategoriesOverBudget:
        return categoriesOverBudget(title);
    }
    return {};
}
