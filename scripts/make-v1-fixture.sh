#!/usr/bin/env bash
# Makes tests/data/fixtures/rsl-v1.sqlite: a database written by Rastrel 1.0.1
# (layout version 1, before part lines could hold attachments), for the test
# of the update to the current layout.
#
# The file is made by the release's own data store, compiled from the release
# commit, so it is exactly what that release writes; a few lines are then
# added by hand for the cases the update must carry over (quotes, non-ASCII
# text, a gap in the row numbers).
#
#   scripts/make-v1-fixture.sh [release-commit]      (default 107629c)
set -euo pipefail

commit=${1:-107629c}
repo=$(cd "$(dirname "$0")/.." && pwd)
out="$repo/tests/data/fixtures/rsl-v1.sqlite"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

git -C "$repo" archive "$commit" src/data resources/data | tar -x -C "$work"

cat > "$work/make.cpp" <<'CPP'
#include "DataStore.h"
#include <QCoreApplication>
#include <cstdio>
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Q_INIT_RESOURCE(starter_data);
    DataStore store;
    const DbResult r = store.open(QString::fromLocal8Bit(argv[1]));
    if (!r) {
        std::fprintf(stderr, "%s\n", qPrintable(r.message()));
        return 1;
    }
    return 0;
}
CPP
cat > "$work/starter.qrc" <<'QRC'
<RCC><qresource prefix="/data"><file alias="starter.sql">resources/data/starter.sql</file></qresource></RCC>
QRC
rcc=$(command -v rcc || echo /usr/lib/qt6/libexec/rcc)
(cd "$work" && "$rcc" -name starter_data starter.qrc -o starter.cpp)
g++ -std=c++20 -fPIC -O1 -DQT_NO_KEYWORDS -DQT_USE_QSTRINGBUILDER -I"$work/src/data" $(pkg-config --cflags Qt6Core Qt6Sql) \
    "$work"/src/data/*.cpp "$work/make.cpp" "$work/starter.cpp" \
    $(pkg-config --libs Qt6Core Qt6Sql) -o "$work/make"

rm -f "$out"
"$work/make" "$out"
sqlite3 "$out" <<'SQL'
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount,
    Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected,
    Forecast, Purchase_date, Sequence_Number)
VALUES ('O''BRIEN BRACKET', 'OB-1', 'O''HARA PUMPS', 'GEARHEAD DIRECT', 2, 12.5, 1.5, 0, 26.5,
        'Fits the driver''s side', 'BODY', 1, 1, 1, 1, 1, '05/06/2025', 1),
       ('SCHEINWERFER', 'ÄÖÜ-ß', 'MÜLLER', 'GEARHEAD DIRECT', 1, 80, 0, 5, 85, 'Größe 7"', 'ELECTRICAL',
        1, 0, 0, 1, 1, '', 1);
DELETE FROM RSLMaster WHERE rowid = 3;
SQL
sqlite3 "$out" 'PRAGMA integrity_check; PRAGMA user_version;'
echo "wrote $out"
