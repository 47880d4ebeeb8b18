#pragma once

#include <QSize>
#include <QString>

#include <optional>

class AppState;
class DataStore;

// Draws a graph straight into a PNG file, without a window, for the command
// line.
class GraphExport {
public:
    static constexpr int kUsage = 2;  // a graph, project or size that does not exist
    static constexpr int kFailed = 1; // the data or the file could not be read or written

    // The picture's size when none is asked for: the graph as its window shows it.
    static QSize defaultSize();
    // "1200x800" (or with a capital X); empty when the text is not a size.
    static std::optional<QSize> parseSize(const QString& text);

    // `graph` is a graph's title as the chooser lists it, case ignored;
    // `project` a project's description or its number, which is opened in
    // `state` first. Returns 0 on success, otherwise kUsage or kFailed with
    // the reason in *error.
    static int run(DataStore& store, AppState& state, const QString& graph, const QString& project,
                   const QString& pngPath, QSize size, QString* error);
};
