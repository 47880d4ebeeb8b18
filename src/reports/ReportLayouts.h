#pragma once

#include "ReportCatalog.h"
#include "ReportLayout.h"

// The page layouts of the ten reports.
class ReportLayouts {
public:
    static ReportLayout build(ReportKind kind);
};
