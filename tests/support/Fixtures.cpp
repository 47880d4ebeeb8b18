#include "Fixtures.h"

#include "AppState.h"
#include "AttachmentStore.h"
#include "Criteria.h"
#include "DataStore.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>

#include <QSqlQuery>
#include <QTest>

namespace Fixtures {

void exec(DataStore& store, const QString& table, const QString& sql, const QVariantList& binds) {
    const DbResult r = store.execute(table, sql, binds);
    if (!r)
        QTest::qFail(qPrintable(r.message()), __FILE__, __LINE__);
}

void addProject(DataStore& store, int number, const QString& description) {
    exec(store, "RSLVehicles",
         "INSERT INTO RSLVehicles (vehicle_number, vehicle_description, budget_amount) "
         "VALUES (?, ?, 0)",
         {number, description});
    exec(store, "RSLVehiclesused", "INSERT INTO RSLVehiclesused (used_vehicle_number) VALUES (?)",
         {number});
    exec(store, "RSLCategorybudget",
         "INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) "
         "SELECT Category, ?, 0 FROM RSLCategories",
         {number});
}

void addLine(DataStore& store, int project, const QString& part, const QString& vendor,
             const QString& manufacturer, const QString& category, int sequence) {
    exec(store, "RSLMaster",
         "INSERT INTO RSLMaster (Part_Name, Vendor, Manufacturer, Category, Mas_vehicle_number, "
         "Sequence_Number, Quantity, Price, Total_cost, Taxable, Purchased, Selected, Forecast) "
         "VALUES (?, ?, ?, ?, ?, ?, 1, 10, 10, 0, 0, 1, 0)",
         {part, vendor, manufacturer, category, project, sequence});
}

int count(DataStore& store, const QString& sql) {
    int n = 0;
    const DbResult r = store.query(sql, {}, [&](const QSqlQuery& q) { n = q.value(0).toInt(); });
    if (!r)
        QTest::qFail(qPrintable(r.message()), __FILE__, __LINE__);
    return n;
}

void openSampleProject(AppState& state) {
    state.clearProject();
    state.vehiclenumber = 1;
    state.vehiclenumbera = state.openvehiclenumber = QStringLiteral("1");
    state.vehicledescription = QStringLiteral("1986 FORD MUSTANG");
}

PreparedAttachment attachment(const QString& name, const QString& mimeType,
                              const QByteArray& data) {
    PreparedAttachment a;
    a.fileName = name;
    a.mimeType = mimeType;
    a.data = data;
    a.checksum =
        QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
    return a;
}

QByteArray png(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkRed);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

void addPagesOfLines(DataStore& store, int project, const QString& vendor) {
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines << QStringLiteral("('PART %1', 1, %2, 'BRAKES', %3, 1, 0, %4, 1, '%5')")
                     .arg(i)
                     .arg(project)
                     .arg(Criteria::quoted(vendor))
                     .arg(i % 2)
                     .arg(QString(300, u'x'));
    exec(store, QStringLiteral("RSLMaster"),
         QStringLiteral("INSERT INTO RSLMaster (Part_Name, Sequence_Number, Mas_vehicle_number, "
                        "Category, Vendor, Selected, Forecast, Purchased, Total_cost, Notes) "
                        "VALUES ") +
             lines.join(u','));
}

void failWrites(DataStore& store, const QString& table, const QString& event) {
    exec(store, table,
         QStringLiteral("CREATE TRIGGER fail_%1_%2 BEFORE %2 ON %1 BEGIN "
                        "SELECT RAISE(ABORT, 'disk on fire'); END")
             .arg(table, event));
}

} // namespace Fixtures
