#include "tracker/spokenfigure.h"

#include <QAbstractButton>
#include <QLabel>

namespace SpokenFigure {

namespace {

const char* const captionProperty = "spokenCaption";

void rename(QWidget* figure, const QString& value)
{
    const QVariant caption = figure->property(captionProperty);
    // A figure without a caption keeps whatever name it has.
    if (caption.isValid())
        figure->setAccessibleName(name(caption.toString(), value));
}

} // namespace

QString name(const QString& caption, const QString& value)
{
    const QString shown = value.trimmed();
    return shown.isEmpty() ? caption : caption + QStringLiteral(": ") + shown;
}

void setCaption(QLabel* figure, const QString& caption)
{
    figure->setProperty(captionProperty, caption);
    rename(figure, figure->text());
}

void setCaption(QAbstractButton* figure, const QString& caption)
{
    figure->setProperty(captionProperty, caption);
    rename(figure, figure->text());
}

void setText(QLabel* figure, const QString& value)
{
    figure->setText(value);
    rename(figure, value);
}

void setText(QAbstractButton* figure, const QString& value)
{
    figure->setText(value);
    rename(figure, value);
}

} // namespace SpokenFigure
