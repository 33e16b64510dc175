#pragma once

class QBoxLayout;
class QLabel;
class QLineEdit;

// Keeps texts readable where a style sheet alone would not.
namespace Legibility {

// A white title standing straight on a background picture goes on a dark,
// rounded band just wider than its text, centred in `row`: readable on the
// light parts of any picture, hardly seen on a dark one.
void titleOnScrim(QLabel* title, QBoxLayout* row);

// Dark text and a placeholder of full strength on a light field. The field's
// style sheet must not set `color`: a sheet's colour also draws the
// placeholder, often a field's only caption, at half strength.
void darkFieldText(QLineEdit* field);

} // namespace Legibility
