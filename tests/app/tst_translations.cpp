#include "account/cqdlglogin.h"
#include "app/interfacelanguage.h"
#include "app/jsonreply.h"
#include "app/servicemessages.h"
#include "exercise/cqdlglogworkout.h"
#include "exercise/cqwndexercise.h"
#include "fakeserver.h"
#include "main/cqwndhistorydetails.h"
#include "main/cqwndsetting.h"
#include "main/featurewindows.h"
#include "main/historymodel.h"
#include "planner/cqwndhome.h"
#include "store/cqwndproduct.h"
#include "tracker/cqwndtotalcalories.h"
#include "tracker/cqwndtracker.h"
#include "tracker/daystore.h"
#include "testenvironment.h"
#include "weight/cqwndweight.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTimeZone>
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
    void serviceMessages_data();
    void serviceMessages();

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
    QTest::newRow("sign-in") << WindowMaker([] { return new CqDlgLogin(QString()); })
                             << QStringList{"INICIAR SESIÓN", "Olvidé mi contraseña",
                                            "¿No tiene una cuenta?", "Correo electrónico",
                                            "Contraseña"};
    QTest::newRow("weight") << WindowMaker([] { return new CqWndWeight; })
                            << QStringList{"Mi peso",
                                           "Guardar peso",
                                           "Peso de hoy",
                                           "Aún no hay pesajes",
                                           "IMC: ingrese su estatura",
                                           "Meta: sin definir"};
    // The day in the language's own words: "8 dic 2026", figures grouped its way.
    QTest::newRow("history details") << WindowMaker([] {
        static HistoryModel day;
        day.date =
            QDateTime(QDate(2026, 12, 8), QTime(12, 0), QTimeZone::utc()).toMSecsSinceEpoch();
        day.total = QStringLiteral("12345");
        return new CqWndHistoryDetails(&day);
    }) << QStringList{"8 dic 2026", "12.345", "Desayuno", "Restante", "Ver cada comida"};
    QTest::newRow("exercise") << WindowMaker([] { return new CqWndExercise; })
                              << QStringList{"Mi ejercicio", "Registrar una actividad de hoy", "Ejercicio de hoy",
                                             "Hoy", "La mitad", "Día para el que registra ejercicio"};
    // The built-in activities in the member's language too.
    QTest::newRow("workout offer") << WindowMaker([] {
        return new CqDlgLogWorkout({QStringLiteral("Kettlebell"), QStringLiteral("02054"), 25}, 25);
    }) << QStringList{"Registrar este entrenamiento", "Registrarlo", "Ahora no",
                      "Levantamiento de pesas, esfuerzo ligero o moderado"};
}

void TestTranslations::windowsSpeakSpanish()
{
    QFETCH(WindowMaker, make);
    QFETCH(QStringList, spanish);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/i18n/olva_es.qm")));
    QCoreApplication::installTranslator(&translator);
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const std::unique_ptr<QWidget> window(make());
    QCoreApplication::removeTranslator(&translator);
    QLocale::setDefault(before);
    const QStringList shown = shownTexts(window.get());
    for (const QString& text : spanish)
        QVERIFY2(shown.contains(text), qPrintable(text + QStringLiteral(" not in ") + shown.join(QLatin1Char('|'))));
}

void TestTranslations::serviceMessages_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("spanish");
    QTest::addColumn<QString>("told");

    const QByteArray limit =
        R"({"result_code":5,"message":"Too many attempts. Try again in 15 minutes.","retry_after":)";
    QTest::newRow("sign-in limit")
        << "signin" << limit + "900}" << false << "Too many attempts. Try again in 15 minutes.";
    QTest::newRow("one minute") << "setPassword" << limit + "60}" << false
                                << "Too many attempts. Try again in 1 minute.";
    QTest::newRow("limit, Spanish") << "verifyDevice" << limit + "900}" << true
                                    << "Demasiados intentos. Vuelva a intentarlo en 15 minutos.";
    QTest::newRow("one minute, Spanish") << "registerToken" << limit + "30}" << true
                                         << "Demasiados intentos. Vuelva a intentarlo en 1 minuto.";
    QTest::newRow("unknown e-mail") << "signin" << QByteArray(R"({"result_code":1})") << true
                                    << "No existe una cuenta con ese correo electrónico";
    // Code 5 of the weight profile is no limit.
    QTest::newRow("goal out of range")
        << "setWeightProfile"
        << QByteArray(R"({"result_code":5,"message":"A goal must be between 20 and 500 kg."})")
        << true << "La meta debe estar entre 20 y 500 kg.";
    QTest::newRow("weight refused")
        << "setWeight"
        << QByteArray(R"({"result_code":"2","message":"A weight must be between 20 and 500 kg."})")
        << false << "A weight must be between 20 and 500 kg.";
    QTest::newRow("weights kept") << "setWeight"
                                  << QByteArray(R"({"result_code":4,"message":"At most 20,000."})")
                                  << true << "Un miembro puede guardar como máximo 20.000 pesos.";
    QTest::newRow("forgot, other code")
        << "forgot" << QByteArray(R"({"result_code":7,"message":"Mail is down"})") << true
        << "No se pudo enviar";
    // Codes the client has no words for are told as the service sent them.
    QTest::newRow("session") << "setWeight"
                             << QByteArray(R"({"result_code":401,"message":"Sign in again."})")
                             << true << "Sign in again.";
    QTest::newRow("other endpoint")
        << "getHistory" << QByteArray(R"({"result_code":3,"message":"No such day"})") << true
        << "No such day";
    QTest::newRow("unreadable code")
        << "signin" << QByteArray(R"({"result_code":"five","message":"Busy"})") << false << "Busy";
    QTest::newRow("nothing to tell")
        << "setWeight" << QByteArray(R"({"result_code":99})") << false << "";
}

void TestTranslations::serviceMessages()
{
    QFETCH(QString, endpoint);
    QFETCH(QByteArray, reply);
    QFETCH(bool, spanish);
    QFETCH(QString, told);
    // English too: its plurals come from a file of their own.
    QTranslator translator;
    QVERIFY(translator.load(spanish ? QStringLiteral(":/i18n/olva_es.qm")
                                    : QStringLiteral(":/i18n/olva_en.qm")));
    QCoreApplication::installTranslator(&translator);
    const QLocale before;
    if (spanish)
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const QString shown =
        ServiceMessages::of(endpoint, JsonReply::parseObject(QString::fromUtf8(reply)));
    QCoreApplication::removeTranslator(&translator);
    QLocale::setDefault(before);
    QCOMPARE(shown, told);
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
