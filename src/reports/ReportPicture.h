#pragma once

#include <QImage>
#include <QSize>

// A picture printed in a report whose pixels are made only when a page
// showing it is painted: a report with many large pictures then holds a
// few of them at a time, not all.
class ReportPicture {
public:
    virtual ~ReportPicture() = default;
    // The picture's size in pixels, known without making it: pages are laid
    // out from it.
    virtual QSize size() const = 0;
    // The pixels; null when they can no longer be made (the page then says
    // so in the picture's place).
    virtual QImage image() const = 0;
};
