#pragma once

class QLineEdit;

// A field that holds more than it shows starts showing at its beginning: a text set by the
// program (a browsing step, an import into a slot) puts the cursor at the start, not at the end.
namespace FieldStart {
// Applies to every later change of the field's text made while the field has no focus.
void keep(QLineEdit* field);
} // namespace FieldStart
