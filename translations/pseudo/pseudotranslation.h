#pragma once

#include <QString>
#include <QStringList>

// A made-up translation for checking layouts: every text about 40 % longer and
// written with accented letters ("Save the day" becomes "Šàvë ţĥë ďàý ~~~~"),
// so that a text cut off, a text that skipped tr() and a sentence glued from
// pieces show at a glance. What the program fills in or reads stays as it is:
// placeholders (%1, %n, %L1), HTML tags and entities, `&` mnemonics ("&&" is a
// plain ampersand) and line breaks. Each line grows on its own, so a text of
// several lines does not put all its length on the last one.
namespace PseudoTranslation {

QString of(const QString& source);

// The forms of a plural text for a language with one and many ("%n day(s)":
// "%n ďàý ~~", "%n ďàýš ~~"): a letter group in brackets is left out of the
// first form and kept in the second.
QStringList numerusOf(const QString& source);

} // namespace PseudoTranslation
