#pragma once

#include "DbResult.h"

#include <QString>

class DataStore;

// The database a command-line run works on. Only "New Database..." and the
// first start on the default path ever create a file, so here a missing
// file is refused rather than made.
class CommandLineDatabase {
public:
    // Opens the existing file at `path` in `store`; the failure's message
    // names the file and says why.
    static DbResult open(DataStore& store, const QString& path);
};
