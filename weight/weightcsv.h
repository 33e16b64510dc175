#pragma once

#include "weight/weightentry.h"
#include "weight/weightunits.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// What an import read from a file.
struct WeightImport
{
    QList<WeightEntry> entries; // ascending by date, one per day
    int taken = 0;              // rows that became entries
    QStringList skipped;        // one reason per skipped row, e.g. "row 7: no date"
    QString refusal;            // non-empty: the whole file was refused, and why
};

// Weights to and from CSV files. Export writes "date,weight,unit" with ISO
// dates and one decimal in the member's unit. Import reads what common
// trackers write: ISO dates, day/month/year or month/day/year when some day
// after the 12th tells which, month names; kg or lb from the weight column's
// name, a unit column, or the weight itself ("81.4 kg"); comma, semicolon or
// tab separated, quoted fields, with or without a byte order mark.
namespace WeightCsv {

inline constexpr int maxRows = 100000;
inline constexpr qsizetype maxBytes = 32 * 1024 * 1024;

QByteArray exportCsv(const QList<WeightEntry>& entries, WeightUnit unit);

// `assumed` is the unit of a file that names none; `today` bounds the dates
// (no later than tomorrow).
WeightImport parse(const QByteArray& text, WeightUnit assumed = WeightUnit::Kilograms,
                   const QDate& today = QDate::currentDate());

} // namespace WeightCsv
