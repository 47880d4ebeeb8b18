#pragma once

#include <QList>
#include <QString>
#include <Qt>

// A banded page layout described as data: which bands a report prints and
// what each band holds, with positions and sizes in twips relative to the
// band's top and the left margin.
struct ReportFont {
    double points = 8.25;
    bool bold = false;
    bool underline = false;
};

struct ReportElement {
    enum class Kind { Label, Field, Sum, Rectangle, Logo, PageNumber, Date, Time };
    enum class Format { AsStored, Currency, WholeNumber, YesNo };

    Kind kind = Kind::Label;
    QString name;   // run-time captions replace a label's text by this name ("Label4")
    QString text;   // a label's text
    QString column; // a field's or sum's column
    Format format = Format::AsStored;
    // A sum in the report footer of a grouped report adds the parent rows
    // instead of the detail rows.
    bool overParents = false;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    ReportFont font;
    // A text that does not fit the width wraps; the box then grows downwards.
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
};

struct ReportBand {
    enum class Kind {
        ReportHeader,
        PageHeader,
        GroupHeader,
        Detail,
        GroupFooter,
        PageFooter,
        ReportFooter
    };

    Kind kind = Kind::Detail;
    int height = 0;
    QList<ReportElement> elements;
};

class ReportLayout {
public:
    QString name;  // the report's name ("vehicledata")
    QString title; // printed in the banner and used for the PDF's title
    int width = 9360;
    QList<ReportBand> bands;

    // nullptr when the report has no such band.
    const ReportBand* band(ReportBand::Kind kind) const {
        for (const ReportBand& b : bands)
            if (b.kind == kind)
                return &b;
        return nullptr;
    }
    bool grouped() const {
        return band(ReportBand::Kind::GroupHeader) || band(ReportBand::Kind::GroupFooter);
    }
};
