#pragma once

#include <QDate>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// One tracked day as the service summarises it in the history list. The
// figures stay the texts the server sent; whoever shows or sums them converts.
class HistoryModel final : public QObject
{
    Q_OBJECT

public:
    explicit HistoryModel(QObject* parent = nullptr);

    qint32 id = 0;
    qint64 date = 0; // milliseconds since 1970-01-01 00:00 UTC
    QString total;   // calories eaten that day
    QString remain;  // target minus total; negative when over target
    QString score;
    QString grade;
    QString breakfast;
    QString lunch;
    QString dinner;
    QString firstsnack;
    QString secondsnack;
    QString thirdsnack;
    // Calories the day's exercise burned; empty from a service that does
    // not keep exercise.
    QString exercise;

    // The figure of meal index 0..5 (breakfast, first snack, lunch, ...).
    QString mealFigure(int meal) const;
    // The day as "March 05 2024" (English month names).
    QString dateText() const;

    static QString formatDate(qint64 msecsSinceEpoch);
    // The calendar day a history date names. The service marks a day by an
    // instant within it in UTC (noon); read in local time that instant falls
    // on the next day from UTC+12 eastwards, so it is read in UTC, where it
    // lies on its own date for a member anywhere from UTC-12 to UTC+14.
    static QDate dayOf(qint64 msecsSinceEpoch);
    // A figure text as a number; 0 when it does not read as one.
    static double figure(const QString& text);
};

using HistoryRecords = std::vector<std::unique_ptr<HistoryModel>>;

// Reading the getHistory reply.
namespace HistoryReply {

// The days in the order the server sent them; nothing when the reply is not
// a JSON object, reports a failure, or carries no history_info array.
std::optional<HistoryRecords> parse(const QString& reply);

} // namespace HistoryReply
