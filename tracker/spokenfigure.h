#pragma once

#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

// A figure on screen (a calorie count, a score, a grade) that a screen reader
// reads out with its value: the accessible name is "<caption>: <value>" and
// follows every value shown through these setters, so a member who cannot see
// the screen hears the number, not only what it stands for.
namespace SpokenFigure {

// "Total assigned calories: 2000"; the caption alone while there is no value.
QString name(const QString& caption, const QString& value);

// The caption the figure is read out with; names it after its current text.
void setCaption(QLabel* figure, const QString& caption);
void setCaption(QAbstractButton* figure, const QString& caption);

// Shows `value` and renames the figure after its caption and the value.
void setText(QLabel* figure, const QString& value);
void setText(QAbstractButton* figure, const QString& value);

} // namespace SpokenFigure
