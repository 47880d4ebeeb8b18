#include "BenchDatabase.h"

#include "CostArithmetic.h"
#include "DataStore.h"
#include "PartLine.h"
#include "PartLineStore.h"
#include "ProjectStore.h"
#include "Transaction.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

namespace {

// Raise the number when the lines below change, so that old files are built again.
constexpr int kFormat = 1;

const char* const kSides[] = {"FRONT", "REAR", "LEFT", "RIGHT", "UPPER", "LOWER"};
struct Part {
    const char* noun;
    const char* category;
};
const Part kParts[] = {
    {"BRAKE PAD SET", "BRAKES"},
    {"BRAKE ROTOR", "BRAKES"},
    {"CONTROL ARM", "SUSPENSION"},
    {"SHOCK ABSORBER", "SUSPENSION"},
    {"COIL SPRING", "SUSPENSION"},
    {"FENDER", "BODY"},
    {"DOOR HINGE", "BODY"},
    {"HEADLIGHT HARNESS", "ELECTRICAL"},
    {"MARKER LAMP", "ELECTRICAL"},
    {"MOTOR MOUNT", "ENGINE"},
    {"VALVE COVER GASKET", "ENGINE"},
    {"RADIATOR HOSE", "COOLING"},
    {"AXLE SEAL", "DRIVETRAIN"},
    {"EXHAUST HANGER", "EXHAUST"},
    {"FUEL LINE", "FUEL SYSTEM"},
    {"SEAT TRACK", "INTERIOR"},
    {"DOOR PANEL CLIP", "INTERIOR"},
    {"TOUCH-UP PAINT", "PAINT"},
    {"WHEEL STUD", "WHEELS AND TIRES"},
    {"VALVE STEM", "WHEELS AND TIRES"},
};
const char* const kMakes[] = {"FORD", "CHEVROLET", "DODGE", "PONTIAC", "BUICK", "AMC"};

constexpr int kVendors = 30;
constexpr int kManufacturers = 20;

PartLine lineFor(int project, int i) {
    const int kinds = int(std::size(kParts));
    const Part& part = kParts[(i + project) % kinds];
    PartLine line;
    line.partName =
        QString::fromLatin1(kSides[(i / kinds) % 6]) + u' ' + QString::fromLatin1(part.noun);
    line.category = QString::fromLatin1(part.category);
    line.partNumber = QStringLiteral("PN-%1-%2").arg(project).arg(i);
    // Some names are long enough to wrap in the reports.
    line.manufacturer = i % 11 == 0
                            ? QStringLiteral("VOLTLINE HARNESS AND LAMP WORKS %1").arg(i % 3)
                            : QStringLiteral("MAKER %1").arg(i % kManufacturers);
    line.vendor = i % 13 == 0
                      ? QStringLiteral("COPPER KETTLE AUTO PARTS AND SUPPLY")
                      : QStringLiteral("VENDOR %1 SUPPLY").arg(i % kVendors, 2, 10, QChar(u'0'));
    line.quantity = QString::number(1 + i % 4);
    line.price =
        QStringLiteral("%1.%2").arg(5 + (i * 37) % 495).arg((i * 13) % 100, 2, 10, QChar(u'0'));
    line.shipping = i % 5 == 0 ? QStringLiteral("12.50") : QStringLiteral("0");
    line.taxable = i % 3 != 0;
    const auto cost = CostArithmetic::calcamount(
        {line.quantity, line.price, line.shipping, QStringLiteral("8.25"), line.taxable});
    line.taxAmount = cost.tax;
    line.totalCost = cost.total;
    if (i % 7 == 0)
        line.notes = QStringLiteral("Check the fit before the final assembly.");
    if (i % 50 == 0)
        line.notes = QStringLiteral("Ordered after comparing three catalogues; the first one "
                                    "sent the wrong part twice and the second had no stock until "
                                    "next spring. Keep the receipt with the build binder, and "
                                    "note the torque figures from the service manual on the "
                                    "back of the invoice before it goes into the folder.");
    // Six in ten bought, two forecast, two only selected.
    const int status = i % 10;
    line.selected = true;
    line.forecast = status < 8;
    line.purchased = status < 6;
    line.purchaseDate = line.purchased
                            ? QStringLiteral("04/%1/2025").arg(1 + i % 28, 2, 10, QChar(u'0'))
                            : QString();
    return line;
}

} // namespace

BenchDatabase::BenchDatabase(QString folder)
    : m_folder(std::move(folder)) {
    QDir().mkpath(m_folder);
}

QString BenchDatabase::settingsFile() const {
    return QDir(m_folder).filePath(QStringLiteral("settings.ini"));
}

QString BenchDatabase::lockFile() const {
    return QDir(m_folder).filePath(QStringLiteral("rastrel.lock"));
}

QString BenchDatabase::description(int project) {
    return ProjectStore::describe(QString::number(1950 + project % 50),
                                  QString::fromLatin1(kMakes[project % 6]),
                                  QStringLiteral("MODEL %1").arg(project));
}

QString BenchDatabase::vendor() {
    return QStringLiteral("VENDOR 07 SUPPLY");
}

QString BenchDatabase::ensure(int projects, int lines) {
    const QString path = QDir(m_folder).filePath(
        QStringLiteral("bench-%1x%2-f%3.sqlite").arg(projects).arg(lines).arg(kFormat));
    if (QFile::exists(path))
        return path;
    const QString building = path + QStringLiteral(".building");
    QFile::remove(building);
    QFile::remove(building + QStringLiteral("-journal"));
    QTextStream(stderr) << "Building " << QDir::toNativeSeparators(path) << " (" << projects
                        << " x " << lines << " lines)...\n";
    QElapsedTimer timer;
    timer.start();
    if (!build(building, projects, lines) || !QFile::rename(building, path)) {
        QTextStream(stderr) << "Could not build " << path << "\n";
        return {};
    }
    QTextStream(stderr) << "  built in " << timer.elapsed() / 1000 << " s\n";
    return path;
}

bool BenchDatabase::build(const QString& path, int projects, int lines) {
    DataStore data;
    if (!data.open(path))
        return false;

    ProjectStore projectStore(data);
    for (const QString& d : projectStore.descriptions())
        if (!projectStore.deleteProject(d))
            return false;

    PartLineStore lineStore(data);
    for (int p = 1; p <= projects; ++p) {
        if (!projectStore.refillNewBudget())
            return false;
        ProjectInput input;
        input.year = QString::number(1950 + p % 50);
        input.make = QString::fromLatin1(kMakes[p % 6]);
        input.model = QStringLiteral("MODEL %1").arg(p);
        input.picture = QString();
        input.totalBudget = QStringLiteral("50000");
        const ProjectStore::AddResult added = projectStore.addProject(input);
        if (added.outcome != ProjectStore::AddOutcome::Added)
            return false;
        // One commit per project: the lines are added one by one, each in
        // the store's own transaction, nested in this one.
        Transaction tx(data);
        for (int i = 0; i < lines; ++i)
            if (lineStore.add(lineFor(p, i), added.number).outcome !=
                PartLineStore::Outcome::Stored)
                return false;
        if (!tx.commit())
            return false;
        if (p % 10 == 0)
            QTextStream(stderr) << "  " << p << " projects\n";
    }
    return true;
}
