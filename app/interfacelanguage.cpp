#include "app/interfacelanguage.h"

#include "app/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace InterfaceLanguage {

namespace {

constexpr char translationsDir[] = ":/i18n";
constexpr char pseudoDir[] = ":/i18n/pseudo";
constexpr char english[] = "en";

QString languageOf(const QString& uiLanguage)
{
    return uiLanguage.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
}

void install(QCoreApplication& application, const QString& fileName, const QString& dir)
{
    auto* translator = new QTranslator(&application);
    if (translator->load(fileName, dir))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

QString chosen()
{
    return SettingsStore::interfaceLanguage();
}

void setChosen(const QString& code)
{
    SettingsStore::setInterfaceLanguage(code);
}

QLocale localeFor(const QString& code)
{
    const QLocale system = QLocale::system();
    if (code.isEmpty())
        return system;
    // The pseudo-translation lengthens English texts: English dates and numbers.
    if (code == QLatin1String(pseudo))
        return QLocale(QLocale::English, system.territory());
    // Keep the member's country where the language is written there, so an
    // English speaker in Britain still reads day-first dates.
    return QLocale(QLocale::codeToLanguage(code), system.territory());
}

QString translationFor(const QStringList& uiLanguages, const QStringList& available)
{
    for (const QString& uiLanguage : uiLanguages) {
        const QString language = languageOf(uiLanguage);
        if (language == QLatin1String(english))
            return {};
        if (available.contains(language))
            return language;
    }
    return {};
}

QStringList available()
{
    QStringList codes;
    const QStringList files = QDir(QString::fromLatin1(translationsDir))
                                  .entryList({QStringLiteral("olva_*.qm")}, QDir::Files);
    for (const QString& file : files)
        codes << file.mid(5, file.size() - 8);
    // The source texts are English; its file only gives their plurals.
    codes.removeAll(QLatin1String(english));
    return codes;
}

void apply(QCoreApplication& application)
{
    apply(application, chosen());
}

void apply(QCoreApplication& application, const QString& code)
{
    const QLocale locale = localeFor(code);
    QLocale::setDefault(locale);
    if (code == QLatin1String(pseudo)) {
        install(application, QStringLiteral("olva_pseudo"), QString::fromLatin1(pseudoDir));
        return;
    }
    const QStringList wanted = code.isEmpty() ? locale.uiLanguages() : QStringList{code};
    const QString language = translationFor(wanted, available());
    // Under every language, so that a text its translation lacks still
    // reads "1 minute", not "1 minutes".
    install(application, QStringLiteral("olva_") + QLatin1String(english),
            QString::fromLatin1(translationsDir));
    if (language.isEmpty())
        return;
    install(application, QStringLiteral("qtbase_") + language,
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(application, QStringLiteral("olva_") + language, QString::fromLatin1(translationsDir));
}

} // namespace InterfaceLanguage
