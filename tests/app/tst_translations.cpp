#include "app/interfacelanguage.h"
#include "fakeserver.h"
#include "main/cqwndsetting.h"
#include "main/featurewindows.h"
#include "planner/cqwndhome.h"
#include "store/cqwndproduct.h"
#include "tracker/cqwndtotalcalories.h"
#include "tracker/cqwndtracker.h"
#include "tracker/daystore.h"
#include "testenvironment.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Every text a member sees in `window`: labels, buttons, list entries and the
// accessible names.
QStringList shownTexts(const QWidget* window)
{
    QStringList texts{window->windowTitle()};
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        texts << widget->accessibleName() << widget->toolTip();
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            texts << label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts << button->text();
        else if (const auto* box = qobject_cast<const QComboBox*>(widget))
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
    }
    return texts;
}

using WindowMaker = std::function<QWidget*()>;

} // namespace

Q_DECLARE_METATYPE(WindowMaker)

class TestTranslations final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyEntryIsTranslated();
    void translationFollowsTheFirstKnownLanguage_data();
    void translationFollowsTheFirstKnownLanguage();
    void windowsSpeakSpanish_data();
    void windowsSpeakSpanish();

private:
    FakeServer* m_fake = nullptr;
};

void TestTranslations::initTestCase()
{
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    m_fake->useAsApiHost();
    for (const char* path : {"/api/getVideos", "/api/getCheckout", "/api/getLocalVideo"})
        m_fake->setDefaultReply(QString::fromLatin1(path), FakeServer::Reply::json(R"({"result_code":0})"));
    registerStoreWindows();
}

void TestTranslations::everyEntryIsTranslated()
{
    QFile file(QStringLiteral(OLVA_TS_FILE));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    QStringList untranslated;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            ++messages;
            const bool unfinished = !xml.attributes().value(QLatin1String("type")).isEmpty();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (unfinished || text.trimmed().isEmpty())
                untranslated << context + QStringLiteral(": ") + source;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(messages > 100);
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
}

void TestTranslations::translationFollowsTheFirstKnownLanguage_data()
{
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<QString>("translation");
    QTest::newRow("Spain") << QStringList{"es-ES", "es"} << "es";
    QTest::newRow("Mexico, underscore") << QStringList{"es_MX"} << "es";
    QTest::newRow("English first") << QStringList{"en-GB", "es-ES"} << "";
    // LANGUAGE=de:es — no German, so Spanish before falling back to English.
    QTest::newRow("unknown first") << QStringList{"de-DE", "es"} << "es";
    QTest::newRow("nothing known") << QStringList{"fr-FR", "de"} << "";
    QTest::newRow("none") << QStringList{} << "";
}

void TestTranslations::translationFollowsTheFirstKnownLanguage()
{
    QFETCH(QStringList, uiLanguages);
    QFETCH(QString, translation);
    QCOMPARE(InterfaceLanguage::translationFor(uiLanguages, InterfaceLanguage::available()), translation);
}

void TestTranslations::windowsSpeakSpanish_data()
{
    QTest::addColumn<WindowMaker>("make");
    QTest::addColumn<QStringList>("spanish");
    QTest::newRow("settings") << WindowMaker([] { return new CqWndSetting; })
                              << QStringList{"Configuración", "Historial de comidas registradas", "Cerrar sesión",
                                             "Idioma", "Idioma del sistema"};
    QTest::newRow("store") << WindowMaker([] { return new CqWndProduct(0); })
                           << QStringList{"Tienda", "MI TIENDA DE VIDEOS", "MI BIBLIOTECA", "VER CARRITO",
                                          "VIDEOS INDIVIDUALES", "PROGRAMAS COMPLETOS", "BUSCAR", "Atrás"};
    QTest::newRow("tracker") << WindowMaker([] { return new CqWndTracker(4); })
                             << QStringList{"Crear y registrar la cena", "CALORÍAS TOTALES DE LA CENA",
                                            "Agregar categoría", "Copiar una comida", "Comidas de ejemplo"};
    QTest::newRow("daily target") << WindowMaker([] { return new CqWndTotalCalories(false); })
                                  << QStringList{"ACTUALIZAR", "CANCELAR", "Calorías diarias totales"};
    QTest::newRow("planner home") << WindowMaker([] {
        DayStore::setDailyTarget(1800);
        return new CqWndHome;
    }) << QStringList{"Calorías totales del primer refrigerio", "Puntuación diaria", "Registrar: Calorías totales de la cena"};
}

void TestTranslations::windowsSpeakSpanish()
{
    QFETCH(WindowMaker, make);
    QFETCH(QStringList, spanish);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/i18n/olva_es.qm")));
    QCoreApplication::installTranslator(&translator);
    const std::unique_ptr<QWidget> window(make());
    QCoreApplication::removeTranslator(&translator);
    const QStringList shown = shownTexts(window.get());
    for (const QString& text : spanish)
        QVERIFY2(shown.contains(text), qPrintable(text + QStringLiteral(" not in ") + shown.join(QLatin1Char('|'))));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
