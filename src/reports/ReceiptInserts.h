#pragma once

#include "ReportData.h"
#include "ReportRenderer.h"

#include <QHash>
#include <QList>

class DataStore;

// The receipts printed with the Project Report: after each purchased line's
// block, its pictures, every page of its PDF files, and the names of its
// other attachments. A file that cannot be shown (damaged, or not what its
// type says) is named instead, so one bad receipt never stops the report.
// Pictures are made when their pages are painted (ReceiptReader).
class ReceiptInserts {
public:
    // Keyed by the index of the row in `data` (rows read from RSLMaster).
    static QHash<int, QList<ReportInsert>> build(DataStore& store, const ReportData& data);
};
