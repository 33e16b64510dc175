#pragma once

#include "weight/weightentry.h"

#include <QList>

#include <optional>

// The body weight burned calories are counted with: the weight log's latest
// trend, else the weight the member gave once, else none (the window asks).
namespace BodyWeight {

std::optional<double> latestTrendKg(const QList<WeightEntry>& entries);
std::optional<double> forExercise(const QList<WeightEntry>& entries);

} // namespace BodyWeight
