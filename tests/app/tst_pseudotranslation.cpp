#include "app/interfacelanguage.h"
#include "pseudotranslation.h"

#include <QTranslator>
#include <QtTest>

// The pseudo-translation lengthens and accents what a member reads and keeps
// what the program fills in or reads (placeholders, tags, mnemonics).
class TestPseudoTranslation final : public QObject
{
    Q_OBJECT

private slots:
    void translates_data();
    void translates();
    void numerusForms();
    void builtInButNotOffered();
};

void TestPseudoTranslation::translates_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "Save the day" << "Šàvë ţĥë ďàý ~~~~";
    QTest::newRow("long, padding in words") << "Remove the food from the meal"
                                            << "Ŕëmövë ţĥë fööď fŕöm ţĥë mëàļ ~~~~ ~~~~ ~";
    QTest::newRow("placeholders") << "%1 of %L2 (%n)" << "%1 öf %L2 (%n) ~~";
    QTest::newRow("placeholder last") << "BUY - $%1" << "BÜÝ - $%1 ~~";
    QTest::newRow("mnemonic") << "&Save" << "&Sàvë ~";
    QTest::newRow("ampersand") << "Terms && more" << "Ţëŕmš && möŕë ~~~~";
    QTest::newRow("each line") << "Daily\nTarget" << "Ďàïļý ~\nŢàŕĝëţ ~~";
    QTest::newRow("html") << "<b>Hi</b> &amp; you" << "<b>Ĥï</b> &amp; ýöü ~~~";
    QTest::newRow("html line breaks") << "<p>One</p><p>Two</p>" << "<p>Öñë ~</p><p>Ţŵö ~</p>";
    QTest::newRow("nothing to read") << "%1" << "%1";
}

void TestPseudoTranslation::translates()
{
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QCOMPARE(PseudoTranslation::of(source), expected);
}

void TestPseudoTranslation::numerusForms()
{
    QCOMPARE(PseudoTranslation::numerusOf(QStringLiteral("%n day(s) left")),
             (QStringList{QStringLiteral("%n ďàý ļëfţ ~~~"), QStringLiteral("%n ďàýš ļëfţ ~~~")}));
}

void TestPseudoTranslation::builtInButNotOffered()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("olva_pseudo"), QStringLiteral(":/i18n/pseudo")));
    QVERIFY(!translator.isEmpty());
    QVERIFY(!InterfaceLanguage::available().contains(QLatin1String(InterfaceLanguage::pseudo)));
}

QTEST_GUILESS_MAIN(TestPseudoTranslation)
#include "tst_pseudotranslation.moc"
