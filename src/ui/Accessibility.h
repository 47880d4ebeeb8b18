#pragma once

class QAbstractItemView;
class QLabel;
class QWidget;
class QString;

namespace Accessibility {

// Ties a field to its label: the label's accelerator moves to the field, and
// screen readers and GUI test tools find the field by the label's text. A
// combo box keeps that name whatever it holds.
void label(QLabel* label, QWidget* field);
// For fields without a visible label (or inside a titled frame).
void name(QWidget* field, const QString& text);

// Makes the current item follow the selection, so that an item selected
// without the keyboard or the mouse (through a screen reader, say) is the one
// the window's buttons act on.
void currentFollowsSelection(QAbstractItemView* view);

// Installs the program's own accessible interfaces (done by label() and
// name() as well; calling it again does nothing).
void install();

} // namespace Accessibility
