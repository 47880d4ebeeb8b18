#pragma once

class QLabel;
class QWidget;
class QString;

namespace Accessibility {

// Ties a field to its label: the label's accelerator moves to the field, and
// screen readers and GUI test tools find the field by the label's text.
void label(QLabel* label, QWidget* field);
// For fields without a visible label (or inside a titled frame).
void name(QWidget* field, const QString& text);

} // namespace Accessibility
