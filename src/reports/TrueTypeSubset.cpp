#include "TrueTypeSubset.h"

#include <QtEndian>

#include <algorithm>
#include <map>
#include <vector>

namespace {

quint16 u16(const QByteArray& data, qsizetype at) {
    return qFromBigEndian<quint16>(data.constData() + at);
}

quint32 u32(const QByteArray& data, qsizetype at) {
    return qFromBigEndian<quint32>(data.constData() + at);
}

void put16(QByteArray& out, quint16 v) {
    char b[2];
    qToBigEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray& out, quint32 v) {
    char b[4];
    qToBigEndian(v, b);
    out.append(b, 4);
}

void padTo4(QByteArray& data) {
    while (data.size() % 4 != 0)
        data.append('\0');
}

quint32 checksum(QByteArray data) {
    padTo4(data);
    quint32 sum = 0;
    for (qsizetype i = 0; i < data.size(); i += 4)
        sum += u32(data, i);
    return sum;
}

// The glyphs a composite glyph is assembled from; nothing for a simple one
// or a record that runs past its end.
QList<quint32> components(const QByteArray& glyph) {
    QList<quint32> out;
    if (glyph.size() < 10 || qint16(u16(glyph, 0)) >= 0)
        return out;
    constexpr quint16 kWordArgs = 0x1, kScale = 0x8, kMore = 0x20, kXYScale = 0x40,
                      kTwoByTwo = 0x80;
    qsizetype at = 10;
    while (at + 4 <= glyph.size()) {
        const quint16 flags = u16(glyph, at);
        out << u16(glyph, at + 2);
        at += 4 + ((flags & kWordArgs) ? 4 : 2);
        at += (flags & kScale) ? 2 : (flags & kXYScale) ? 4 : (flags & kTwoByTwo) ? 8 : 0;
        if (!(flags & kMore))
            break;
    }
    return out;
}

} // namespace

QByteArray TrueTypeSubset::make(const std::function<QByteArray(const char*)>& table,
                                QList<quint32> glyphs) {
    QByteArray head = table("head");
    const QByteArray maxp = table("maxp");
    const QByteArray loca = table("loca");
    const QByteArray glyf = table("glyf");
    if (head.size() < 54 || maxp.size() < 6 || loca.isEmpty() || glyf.isEmpty())
        return {};
    const quint32 count = u16(maxp, 4);
    const bool longOffsets = u16(head, 50) != 0;
    if (loca.size() < qsizetype(count + 1) * (longOffsets ? 4 : 2))
        return {};
    std::vector<quint32> offsets(count + 1);
    for (quint32 i = 0; i <= count; ++i) {
        offsets[i] = longOffsets ? u32(loca, i * 4) : quint32(u16(loca, i * 2)) * 2;
        if (offsets[i] > quint32(glyf.size()) || (i > 0 && offsets[i] < offsets[i - 1]))
            return {};
    }
    const auto glyphData = [&](quint32 g) {
        return glyf.mid(offsets[g], offsets[g + 1] - offsets[g]);
    };

    std::vector<bool> keep(count, false);
    glyphs << 0; // the glyph shown for a missing character
    while (!glyphs.isEmpty()) {
        const quint32 g = glyphs.takeLast();
        if (g >= count || keep[g])
            continue;
        keep[g] = true;
        glyphs << components(glyphData(g));
    }

    QByteArray newGlyf;
    QByteArray newLoca;
    for (quint32 g = 0; g < count; ++g) {
        put32(newLoca, quint32(newGlyf.size()));
        if (keep[g]) {
            newGlyf += glyphData(g);
            padTo4(newGlyf);
        }
    }
    put32(newLoca, quint32(newGlyf.size()));

    head[50] = 0;
    head[51] = 1; // long offsets in the new loca
    std::fill(head.begin() + 8, head.begin() + 12, '\0');

    std::map<QByteArray, QByteArray> tables{
        {"head", head}, {"maxp", maxp}, {"loca", newLoca}, {"glyf", newGlyf}};
    for (const char* tag : {"hhea", "hmtx", "cvt ", "fpgm", "prep", "OS/2"}) {
        const QByteArray data = table(tag);
        if (!data.isEmpty())
            tables.emplace(tag, data);
    }
    if (!tables.count("hhea") || !tables.count("hmtx"))
        return {};

    const quint16 n = quint16(tables.size());
    quint16 power = 1, log2 = 0;
    while (power * 2 <= n) {
        power *= 2;
        ++log2;
    }
    QByteArray font;
    put32(font, 0x00010000);
    put16(font, n);
    put16(font, quint16(power * 16));
    put16(font, log2);
    put16(font, quint16(n * 16 - power * 16));
    quint32 offset = 12 + 16 * n;
    QByteArray body;
    qsizetype headAt = 0;
    for (const auto& [tag, data] : tables) {
        font += tag;
        put32(font, checksum(data));
        put32(font, offset + quint32(body.size()));
        put32(font, quint32(data.size()));
        if (tag == "head")
            headAt = offset + body.size();
        body += data;
        padTo4(body);
    }
    font += body;
    qToBigEndian(quint32(0xB1B0AFBA - checksum(font)), font.data() + headAt + 8);
    return font;
}
