#pragma once

#include <QByteArray>
#include <QList>

#include <functional>

// A TrueType font cut down to the glyphs a document uses, for embedding in
// a PDF. Glyphs keep their numbers (a glyph left out is simply empty), so
// the text that refers to them needs no translation; the outlines a kept
// composite glyph is built from are kept too.
class TrueTypeSubset {
public:
    // `table` gives a table of the font by its tag ("glyf"), empty when the
    // font has none. The result is empty when the font has no TrueType
    // outlines (a CFF font) or its tables do not hold together.
    static QByteArray make(const std::function<QByteArray(const char* tag)>& table,
                           QList<quint32> glyphs);
};
