#pragma once

#include <QString>

class QWidget;

namespace CsvSaveDialog {

// Asks where to save a CSV file, starting in the member's documents with
// `suggestedName`. Empty when the member cancels. The dialog is Qt's own
// (named "exportDialog"), the same on every desktop.
QString ask(QWidget* parent, const QString& title, const QString& suggestedName);

} // namespace CsvSaveDialog
