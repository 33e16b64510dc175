#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class QCoreApplication;

// The language of the interface: the system's (as Qt reads LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG) unless the member picked one in the settings window.
// The choice is kept per computer and read once at start-up, so a change takes
// effect at the next start.
namespace InterfaceLanguage {

// What the settings store keeps: empty for the system's language, else a
// language code ("en", "es").
QString chosen();
void setChosen(const QString& code);

// The locale that shows dates and numbers for a choice.
QLocale localeFor(const QString& code);

// The first of `uiLanguages` (most preferred first, as "es-ES" or "es") that
// has a translation among `available` codes; empty when English or a language
// without a translation comes first, since the source texts are English.
QString translationFor(const QStringList& uiLanguages, const QStringList& available);

// Language codes of the translations built into the program, but English,
// the language of the source texts (its file holds only their plurals).
QStringList available();

// The hidden choice of the pseudo-translation: every text longer and with
// accented letters, for checking that layouts fit longer words. The gallery
// and the tests choose it; it is never offered to members and is not among
// available().
inline constexpr char pseudo[] = "pseudo";

// Installs the program's and Qt's own translations for the language `code`
// (empty: the system's) on `application`, over the English plurals, and
// makes its locale the default one for display.
void apply(QCoreApplication& application, const QString& code);
// The same for the language chosen on this computer.
void apply(QCoreApplication& application);

} // namespace InterfaceLanguage
