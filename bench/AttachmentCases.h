#pragma once

#include <QCommandLineOption>
#include <QString>

class BenchDatabase;

// Attachments at scale: opening Part Detail on a line with ten photos, and
// listing a line's attachments in a file whose attachments weigh gigabytes.
class AttachmentCases {
public:
    // --attachment-mb: how much attachment data the file holds (2048 by
    // default; small values for a quick check).
    static QCommandLineOption sizeOption();

    // Builds (or reuses) the file from `base`, a file of the benchmark's
    // projects, times the cases and returns their table in Markdown.
    static QString run(BenchDatabase& db, int runs, const QString& base, int megabytes);
};
