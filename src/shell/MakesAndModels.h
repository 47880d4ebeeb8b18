#pragma once

#include "DbResult.h"

#include <QString>

class DataStore;

namespace MakesAndModels {

// addmakemodel: a make or model typed for the first time joins the reference
// lists (the model under its make). Texts are stored as given; the project
// windows upper-case them first.
DbResult addmakemodel(DataStore& store, const QString& make, const QString& model);

} // namespace MakesAndModels
