#include "GraphExport.h"

#include "AppState.h"
#include "Criteria.h"
#include "DataStore.h"
#include "GraphCatalog.h"
#include "GraphChart.h"
#include "GraphData.h"
#include "GraphGeometry.h"
#include "RecordSet.h"
#include "Schema.h"

#include <QDir>
#include <QImageWriter>
#include <QRegularExpression>

namespace {

// Larger pictures than this are a typing error rather than a wish.
constexpr int kLargestSide = 20000;

// Finds the project by description, then by number, through a record set of
// our own; the shared ones stay as they are.
bool openProject(DataStore& store, AppState& state, const QString& project, DbResult* error) {
    RecordSet vehicles(store, QStringLiteral("graph projects"),
                       *Schema::table(QStringLiteral("RSLVehicles")), LockMode::ReadOnly);
    const QString wanted = project.trimmed();
    *error = vehicles.setFilter(Criteria::equals(QStringLiteral("vehicle_description"), wanted));
    if (error->ok())
        *error = vehicles.requery();
    if (!error->ok())
        return false;
    bool isNumber = false;
    const int number = wanted.toInt(&isNumber);
    if (vehicles.isEof() && isNumber) {
        *error = vehicles.setFilter(QStringLiteral("vehicle_number = %1").arg(number));
        if (error->ok())
            *error = vehicles.requery();
        if (!error->ok())
            return false;
    }
    vehicles.moveFirst();
    if (vehicles.isEof())
        return false;
    state.vehiclenumber = int(vehicles.integer(QStringLiteral("vehicle_number")));
    state.vehiclenumbera = QString::number(state.vehiclenumber);
    state.openvehiclenumber = state.vehiclenumbera;
    state.vehicledescription = vehicles.text(QStringLiteral("vehicle_description"));
    state.graphic = vehicles.text(QStringLiteral("graphic_path"));
    return true;
}

QString graphTitles() {
    QStringList titles;
    for (GraphKind kind : GraphCatalog::all())
        titles << u'"' + GraphCatalog::title(kind) + u'"';
    return titles.join(QStringLiteral(", "));
}

} // namespace

QSize GraphExport::defaultSize() {
    // At the usual 96 dots per inch, like the window's graph.
    const int perInch = 96;
    return {(GraphGeometry::kWidth - GraphGeometry::kSpareWidth) * perInch / 1440,
            (GraphGeometry::kHeight - GraphGeometry::kSpareHeight) * perInch / 1440};
}

std::optional<QSize> GraphExport::parseSize(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,6})\\s*[xX]\\s*(\\d{1,6})\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QSize size(m.captured(1).toInt(), m.captured(2).toInt());
    if (size.isEmpty())
        return std::nullopt;
    return size;
}

int GraphExport::run(DataStore& store, AppState& state, const QString& graph,
                     const QString& project, const QString& pngPath, QSize size, QString* error) {
    const auto fail = [&](int code, const QString& why) {
        if (error)
            *error = why;
        return code;
    };
    const std::optional<GraphKind> kind = GraphCatalog::kindOf(graph);
    if (!kind)
        return fail(kUsage, QStringLiteral("There is no graph called \"%1\". The graphs are: %2.")
                                .arg(graph, graphTitles()));
    if (project.trimmed().isEmpty())
        return fail(kUsage,
                    QStringLiteral("A graph is drawn for a project: name it with --project."));
    if (pngPath.trimmed().isEmpty())
        return fail(kUsage, QStringLiteral("Name the PNG file to write with --png."));
    if (size.isEmpty() || size.width() > kLargestSide || size.height() > kLargestSide)
        return fail(kUsage,
                    QStringLiteral("The picture must be between 1 and %1 pixels wide and high.")
                        .arg(kLargestSide));

    DbResult readError;
    if (!openProject(store, state, project, &readError)) {
        if (!readError.ok())
            return fail(kFailed, readError.message());
        return fail(kUsage, QStringLiteral("There is no project called \"%1\".").arg(project));
    }

    GraphData data(*kind);
    if (DbResult r = data.load(store, state.vehiclenumber); !r)
        return fail(kFailed, r.message());

    QImageWriter writer(pngPath, "png");
    if (!writer.write(GraphChart::render(data, size)))
        return fail(kFailed, QStringLiteral("The graph could not be written to %1: %2.")
                                 .arg(QDir::toNativeSeparators(pngPath), writer.errorString()));
    return 0;
}
