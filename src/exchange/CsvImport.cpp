#include "CsvImport.h"

#include "CategoryList.h"
#include "CellValues.h"
#include "ContactBook.h"
#include "CostArithmetic.h"
#include "CsvWriter.h"
#include "DataStore.h"
#include "MakesAndModels.h"
#include "Money.h"
#include "PartCatalogue.h"
#include "PartLineStore.h"
#include "StatusLadder.h"
#include "Transaction.h"

#include <QSqlQuery>

namespace {

// Field positions of the part-line kinds, as ExchangeTables lists them.
enum LineField {
    LName,
    LSequence,
    LCategory,
    LNumber,
    LManufacturer,
    LVendor,
    LQuantity,
    LPrice,
    LTax,
    LShipping,
    LTotal,
    LTaxable,
    LSelected,
    LForecast,
    LPurchased,
    LDate,
    LNotes,
};

// Half a cent: a total the file rounded to cents still matches.
constexpr qint64 kTotalTolerance = 50;

QString yesNoText(bool b) {
    return b ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString listKey(const QString& a, const QString& b = QString()) {
    return a + QChar(0x1F) + b;
}

} // namespace

CsvImport::CsvImport(DataStore& store, ExchangeKind kind)
    : m_store(store)
    , m_kind(kind)
    , m_fields(ExchangeTables::fields(kind)) {}

void CsvImport::setTable(CsvReader::Table table) {
    m_table = std::move(table);
    m_mapping = QList<int>(m_fields.size(), kNotMapped);
    m_mappingProblems.clear();
    QList<QString> headers;
    for (const QString& h : std::as_const(m_table.header))
        headers << ExchangeTables::normalised(h);
    for (int f = 0; f < m_fields.size(); ++f) {
        QSet<QString> names{ExchangeTables::normalised(m_fields[f].header)};
        for (const QString& a : std::as_const(m_fields[f].aliases))
            names.insert(ExchangeTables::normalised(a));
        QList<int> columns;
        for (int c = 0; c < headers.size(); ++c)
            if (names.contains(headers[c]))
                columns << c;
        if (columns.size() == 1) {
            m_mapping[f] = columns.front();
        } else if (columns.size() > 1) {
            QStringList numbers;
            for (int c : columns)
                numbers << QString::number(c + 1);
            m_mappingProblems.append(
                {1, m_fields[f].header,
                 QStringLiteral("more than one column of the file could be \"%1\" (columns %2); "
                                "choose one in the mapping.")
                     .arg(m_fields[f].header, numbers.join(QStringLiteral(", ")))});
        }
    }
}

void CsvImport::setColumn(int field, int column) {
    if (field < 0 || field >= m_mapping.size())
        return;
    m_mapping[field] = column;
    // A choice made by the user settles an ambiguous header.
    const QString header = m_fields[field].header;
    m_mappingProblems.removeIf([&](const CsvProblem& p) { return p.column == header; });
}

QString CsvImport::cell(const CsvReader::Record& record, int field) const {
    // An empty field is stored as the worksheet stores an empty entry field:
    // as empty text, not as no value.
    const int column = m_mapping.value(field, kNotMapped);
    if (column == kNotMapped || column >= record.fields.size() || record.fields[column].isEmpty())
        return QStringLiteral("");
    return CsvWriter::restore(record.fields[column]);
}

void CsvImport::problem(int row, int field, const QString& message) {
    m_problems.append({row, field >= 0 ? m_fields[field].header : QString(), message});
}

void CsvImport::loadLists() {
    m_partCategory.clear();
    m_categories.clear();
    m_existing.clear();
    ignoreError(m_store.query(
        QStringLiteral("SELECT Part_Name, Category FROM RSLParts"), {}, [&](const QSqlQuery& q) {
            m_partCategory.insert(q.value(0).toString().toUpper(), q.value(1).toString().toUpper());
        }));
    ignoreError(m_store.query(
        QStringLiteral("SELECT Category FROM RSLCategories"), {},
        [&](const QSqlQuery& q) { m_categories.insert(q.value(0).toString().toUpper()); }));
    QString sql;
    switch (m_kind) {
    case ExchangeKind::Parts:
        for (auto it = m_partCategory.cbegin(); it != m_partCategory.cend(); ++it)
            m_existing.insert(listKey(it.key()));
        return;
    case ExchangeKind::Categories:
        for (const QString& c : std::as_const(m_categories))
            m_existing.insert(listKey(c));
        return;
    case ExchangeKind::Vendors:
        sql = QStringLiteral("SELECT vendor_name, NULL FROM RSLVendor");
        break;
    case ExchangeKind::Manufacturers:
        sql = QStringLiteral("SELECT manufacturer, NULL FROM RSLManufacturer");
        break;
    case ExchangeKind::MakesModels:
        sql = QStringLiteral("SELECT k.make, m.Model FROM RSLMakes k LEFT JOIN RSLModels m ON "
                             "m.make = k.make");
        break;
    default:
        return;
    }
    ignoreError(m_store.query(sql, {}, [&](const QSqlQuery& q) {
        const QString a = q.value(0).toString().toUpper();
        m_existing.insert(listKey(a));
        if (!q.value(1).isNull())
            m_existing.insert(listKey(a, q.value(1).toString().toUpper()));
    }));
}

void CsvImport::check() {
    m_problems = m_table.problems;
    m_problems += m_mappingProblems;
    m_prepared.clear();
    if (!m_table.problems.isEmpty() && m_table.header.isEmpty())
        return;
    if (!ExchangeTables::importable(m_kind)) {
        m_problems.append(
            {0, {}, QStringLiteral("%1 cannot be imported.").arg(ExchangeTables::caption(m_kind))});
        return;
    }
    if (ExchangeTables::needsProject(m_kind) && m_project <= 0)
        m_problems.append(
            {0, {}, QStringLiteral("No project is open to import the part lines into.")});
    for (int f = 0; f < m_fields.size(); ++f)
        if (m_fields[f].required && !mapped(f) &&
            !std::any_of(m_mappingProblems.cbegin(), m_mappingProblems.cend(),
                         [&](const CsvProblem& p) { return p.column == m_fields[f].header; }))
            problem(1, f,
                    QStringLiteral("no column of the file is matched to \"%1\".")
                        .arg(m_fields[f].header));
    if (m_table.records.isEmpty()) {
        m_problems.append({0, {}, QStringLiteral("The file has a header but no rows to import.")});
        return;
    }

    loadLists();
    const int width = int(m_table.header.size());
    for (const CsvReader::Record& record : std::as_const(m_table.records)) {
        if (record.fields.size() != width) {
            m_problems.append({record.row,
                               {},
                               QStringLiteral("the row has %1 fields where the header has %2.")
                                   .arg(record.fields.size())
                                   .arg(width)});
            continue;
        }
        if (m_kind == ExchangeKind::ProjectLines)
            checkLine(record);
        else
            checkListRow(record);
    }
}

void CsvImport::checkLine(const CsvReader::Record& record) {
    const int row = record.row;
    const int before = int(m_problems.size());
    PartLine line;
    line.partName = cell(record, LName).trimmed().toUpper();
    if (line.partName.isEmpty())
        problem(row, LName, QStringLiteral("the part name is missing."));

    const QString given = cell(record, LCategory).trimmed().toUpper();
    if (!line.partName.isEmpty()) {
        if (auto it = m_partCategory.constFind(line.partName); it != m_partCategory.cend()) {
            // The catalogue decides a known part's category, as in the worksheet.
            line.category = it.value();
        } else if (given.isEmpty()) {
            problem(row, LCategory,
                    QStringLiteral("the part \"%1\" is not in the parts catalogue and no "
                                   "category is given for it.")
                        .arg(line.partName));
        } else if (!m_categories.contains(given)) {
            problem(row, LCategory,
                    QStringLiteral("unknown category \"%1\"; add it to the categories first.")
                        .arg(given));
        } else {
            line.category = given;
            m_partCategory.insert(line.partName, given);
        }
    }
    line.partNumber = cell(record, LNumber);
    line.manufacturer = cell(record, LManufacturer).trimmed().toUpper();
    line.vendor = cell(record, LVendor).trimmed().toUpper();
    line.notes = cell(record, LNotes);

    // Spreadsheets that separate by semicolons write a decimal comma.
    const CellValues::DecimalMark mark =
        m_table.separator == u';' ? CellValues::DecimalMark::Comma : CellValues::DecimalMark::Point;
    auto readNumber = [&](int field, bool money) -> QString {
        const QString text = cell(record, field);
        const std::optional<QString> n = CellValues::number(text, mark);
        if (!n) {
            problem(row, field,
                    CellValues::ambiguous(text, mark)
                        ? QStringLiteral("\"%1\" could be a number with a decimal point or one "
                                         "with thousands grouped by a point; write it with a "
                                         "decimal comma (\"1234,00\" or \"1,234\").")
                              .arg(text.trimmed())
                        : QStringLiteral("the number \"%1\" cannot be read.").arg(text));
            return QStringLiteral("0");
        }
        if (money && !Money::fromText(*n)) {
            problem(row, field,
                    QStringLiteral("the amount %1 is beyond the range of money amounts.").arg(*n));
            return QStringLiteral("0");
        }
        return *n;
    };
    line.quantity = readNumber(LQuantity, false);
    if (!CostArithmetic::wholeQuantity(line.quantity)) {
        problem(row, LQuantity, QStringLiteral("the quantity %1 is too large.").arg(line.quantity));
        line.quantity = QStringLiteral("0");
    }
    line.price = readNumber(LPrice, true);
    line.shipping = readNumber(LShipping, true);
    const bool taxGiven = !cell(record, LTax).trimmed().isEmpty();
    const QString tax = readNumber(LTax, true);
    const bool totalGiven = !cell(record, LTotal).trimmed().isEmpty();
    const QString total = readNumber(LTotal, true);

    auto readFlag = [&](int field, bool absent) {
        if (!mapped(field))
            return absent;
        const QString text = cell(record, field);
        const std::optional<bool> b = CellValues::yesNo(text);
        if (!b)
            problem(row, field, QStringLiteral("Yes or No is expected, not \"%1\".").arg(text));
        return b.value_or(false);
    };
    // A new line in the worksheet starts taxable.
    line.taxable = readFlag(LTaxable, true);
    StatusLadder::State ladder;
    ladder.selected = readFlag(LSelected, false);
    ladder.forecast = readFlag(LForecast, false);
    ladder.purchased = readFlag(LPurchased, false);
    ladder = StatusLadder::checkboxes(ladder);
    line.selected = ladder.selected;
    line.forecast = ladder.forecast;
    line.purchased = ladder.purchased;

    const QString dateText = cell(record, LDate);
    if (const std::optional<QString> d = CellValues::date(dateText)) {
        line.purchaseDate = *d;
    } else {
        problem(row, LDate,
                QStringLiteral("\"%1\" is not a date; write dates as MM/DD/YYYY.").arg(dateText));
    }
    if (line.purchased && line.purchaseDate.isEmpty() && CellValues::date(dateText))
        problem(row, LDate,
                QStringLiteral("the line is marked purchased but has no purchase date."));

    if (int(m_problems.size()) == before) {
        // The worksheet's cost arithmetic. A tax amount the file gives was
        // fixed at the rate of its day and is kept; the total always follows.
        CostArithmetic::Result cost = CostArithmetic::calcamount(
            {line.quantity, line.price, line.shipping, m_taxPercentage, line.taxable && !taxGiven});
        std::optional<Money> sum;
        if (cost.ok) {
            sum = Money::fromText(cost.total);
            if (taxGiven && sum)
                sum = Money::checkedAdd(*sum, *Money::fromText(tax));
        }
        if (!sum) {
            problem(row, -1, CostArithmetic::kTooLargeMessage);
        } else {
            line.taxAmount = taxGiven ? tax : cost.tax;
            line.totalCost = sum->toPlainText();
            if (totalGiven &&
                std::abs(Money::fromText(total)->units() - sum->units()) >= kTotalTolerance)
                problem(row, LTotal,
                        QStringLiteral("the total cost %1 does not match quantity x price + tax + "
                                       "shipping, which is %2.")
                            .arg(total, line.totalCost));
            else if (!PartLineStore::amountsFit(line, m_taxPercentage))
                problem(row, -1, CostArithmetic::kTooLargeMessage);
        }
    }
    if (int(m_problems.size()) == before)
        m_prepared.append({row, line, {}, false});
}

void CsvImport::checkListRow(const CsvReader::Record& record) {
    const int row = record.row;
    const int before = int(m_problems.size());
    QStringList values;
    for (int f = 0; f < m_fields.size(); ++f) {
        QString v = cell(record, f);
        if (m_fields[f].type == ExchangeField::Type::Name)
            v = v.trimmed().toUpper();
        else if (m_fields[f].type == ExchangeField::Type::YesNo) {
            const std::optional<bool> b = CellValues::yesNo(v);
            if (!b)
                problem(row, f, QStringLiteral("Yes or No is expected, not \"%1\".").arg(v));
            v = yesNoText(b.value_or(false));
        }
        if (m_fields[f].required && v.isEmpty())
            problem(row, f, QStringLiteral("the %1 is missing.").arg(m_fields[f].header.toLower()));
        values << v;
    }
    if (m_kind == ExchangeKind::Parts && !values[1].isEmpty() && !m_categories.contains(values[1]))
        problem(row, 1,
                QStringLiteral("unknown category \"%1\"; add it to the categories first.")
                    .arg(values[1]));
    if (int(m_problems.size()) != before)
        return;

    QString key = listKey(values[0]);
    if (m_kind == ExchangeKind::MakesModels && !values[1].isEmpty())
        key = listKey(values[0], values[1]);
    const bool skip = m_existing.contains(key);
    m_existing.insert(key);
    if (m_kind == ExchangeKind::MakesModels)
        m_existing.insert(listKey(values[0]));
    if (m_kind == ExchangeKind::Categories)
        m_categories.insert(values[0]);
    m_prepared.append({row, {}, values, skip});
}

QList<QStringList> CsvImport::preview(int rows) const {
    QList<QStringList> out;
    for (const Prepared& p : m_prepared) {
        if (out.size() >= rows)
            break;
        if (m_kind != ExchangeKind::ProjectLines) {
            out << p.values;
            continue;
        }
        const PartLine& l = p.line;
        out << QStringList{l.partName,
                           QStringLiteral("(next)"),
                           l.category,
                           l.partNumber,
                           l.manufacturer,
                           l.vendor,
                           l.quantity,
                           Money::fromText(l.price)->toPlainText(),
                           Money::fromText(l.taxAmount)->toPlainText(),
                           Money::fromText(l.shipping)->toPlainText(),
                           l.totalCost,
                           yesNoText(l.taxable),
                           yesNoText(l.selected),
                           yesNoText(l.forecast),
                           yesNoText(l.purchased),
                           l.purchaseDate,
                           l.notes};
    }
    return out;
}

CsvImport::Outcome CsvImport::store() {
    Outcome out;
    if (!m_problems.isEmpty()) {
        out.message = QStringLiteral("Nothing was imported: the file has %1 problem(s) to put "
                                     "right first.")
                          .arg(m_problems.size());
        return out;
    }
    if (m_prepared.isEmpty()) {
        out.message = QStringLiteral("Nothing was imported: the file has no rows.");
        return out;
    }
    Transaction tx(m_store);
    if (!tx.status()) {
        out.message = tx.status().message();
        return out;
    }
    auto refuse = [&](int row, const QString& why) {
        out = Outcome();
        out.message = QStringLiteral("Nothing was imported: row %1 could not be stored. %2")
                          .arg(row)
                          .arg(why);
        return out;
    };
    auto commit = [&] {
        if (DbResult r = tx.commit(); !r) {
            out = Outcome();
            out.message = QStringLiteral("Nothing was imported: %1").arg(r.message());
            return out;
        }
        out.stored = true;
        out.message = out.rows == 1 ? QStringLiteral("1 row was imported.")
                                    : QStringLiteral("%1 rows were imported.").arg(out.rows);
        if (out.skipped > 0)
            out.message +=
                QStringLiteral(" %1 already in the list were left as they were.").arg(out.skipped);
        return out;
    };
    if (m_kind == ExchangeKind::ProjectLines) {
        // The worksheet's own storing path, with the lookups made once for
        // the whole file.
        QList<PartLine> lines;
        lines.reserve(m_prepared.size());
        for (const Prepared& p : std::as_const(m_prepared))
            lines << p.line;
        int failedAt = -1;
        const PartLineStore::Result r = PartLineStore(m_store).addAll(lines, m_project, &failedAt);
        if (r.outcome != PartLineStore::Outcome::Stored)
            return refuse(failedAt >= 0 ? m_prepared[failedAt].row : m_prepared.front().row,
                          r.message);
        out.rows = int(lines.size());
        return commit();
    }
    PartCatalogue parts(m_store);
    CategoryList categories(m_store);
    ContactBook vendors(m_store, ContactBook::Kind::Vendors);
    ContactBook manufacturers(m_store, ContactBook::Kind::Manufacturers);
    for (const Prepared& p : std::as_const(m_prepared)) {
        if (p.skip) {
            ++out.skipped;
            continue;
        }
        const QStringList& v = p.values;
        switch (m_kind) {
        case ExchangeKind::Parts:
        case ExchangeKind::Categories:
        case ExchangeKind::Vendors:
        case ExchangeKind::Manufacturers: {
            MaintenanceResult r = MaintenanceResult::refused(QString());
            if (m_kind == ExchangeKind::Parts)
                r = parts.add(v[0], v[1]);
            else if (m_kind == ExchangeKind::Categories)
                r = categories.add(v[0]);
            else
                r = (m_kind == ExchangeKind::Vendors ? vendors : manufacturers)
                        .add({v[0], v[1], v[2], v[3], v.value(4) == u"Yes"});
            if (!r.isDone())
                return refuse(p.row, r.message());
            break;
        }
        case ExchangeKind::MakesModels: {
            DbResult r;
            if (v[1].isEmpty()) {
                bool found = false;
                r = m_store.query(QStringLiteral("SELECT 1 FROM RSLMakes WHERE make = ?"), {v[0]},
                                  [&](const QSqlQuery&) { found = true; });
                if (r && !found)
                    r = m_store.execute(QStringLiteral("RSLMakes"),
                                        QStringLiteral("INSERT INTO RSLMakes (make) VALUES (?)"),
                                        {v[0]});
            } else {
                r = MakesAndModels::addmakemodel(m_store, v[0], v[1]);
            }
            if (!r)
                return refuse(p.row, r.message());
            break;
        }
        case ExchangeKind::ProjectLines:
        case ExchangeKind::AllLines:
        case ExchangeKind::Budgets:
            return refuse(p.row, QString());
        }
        ++out.rows;
    }
    return commit();
}
