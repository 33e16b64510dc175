#pragma once

#include "main/historymodel.h"

#include <QByteArray>

// The history as a CSV table (RFC 4180: comma-separated, CRLF line ends,
// fields quoted where they hold a comma, quote or line break), one row per
// day in list order under a header row.
namespace HistoryCsv {

QByteArray toCsv(const HistoryRecords& records);
// The day's target, eaten plus remaining; empty when either is not a number.
QString target(const QString& total, const QString& remain);
// One field, quoted when it needs to be. A text that a spreadsheet would run
// as a formula (=, +, -, @ and not a number) gets a leading apostrophe.
QString field(const QString& text);

} // namespace HistoryCsv
