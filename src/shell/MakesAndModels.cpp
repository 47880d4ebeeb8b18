#include "MakesAndModels.h"

#include "Criteria.h"
#include "DataStore.h"

namespace MakesAndModels {

DbResult addmakemodel(DataStore& store, const QString& make, const QString& model) {
    RecordSet& makes = store.recordSet(Command::RSLMakes);
    RecordSet& models = store.recordSet(Command::RSLModels);
    if (DbResult r = makes.setFilter(QString()); !r)
        return r;
    if (DbResult r = models.setFilter(QString()); !r)
        return r;

    makes.moveFirst();
    bool found = false;
    if (DbResult r = makes.find(Criteria::equals(QStringLiteral("Make"), make), &found); !r)
        return r;
    if (!found) {
        if (DbResult r = makes.addNew(); !r)
            return r;
        if (DbResult r = makes.setValue(QStringLiteral("make"), make); !r)
            return r;
        if (DbResult r = makes.update(); !r) {
            makes.cancelUpdate();
            return r;
        }
    }

    models.moveFirst();
    if (DbResult r = models.setFilter(Criteria::equals(QStringLiteral("Make"), make)); !r)
        return r;
    if (DbResult r = models.find(Criteria::equals(QStringLiteral("Model"), model), &found); !r)
        return r;
    if (found)
        return DbResult::success(); // the models list stays filtered by the make
    if (DbResult r = models.addNew(); !r)
        return r;
    if (DbResult r = models.setValue(QStringLiteral("Model"), model); !r)
        return r;
    if (DbResult r = models.setValue(QStringLiteral("make"), make); !r)
        return r;
    if (DbResult r = models.update(); !r) {
        models.cancelUpdate();
        return r;
    }
    ignoreError(makes.setFilter(QString()));
    return models.setFilter(QString());
}

} // namespace MakesAndModels
