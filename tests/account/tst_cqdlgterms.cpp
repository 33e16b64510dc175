#include "account/cqdlgterms.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

class TestCqDlgTerms : public QObject
{
    Q_OBJECT

private slots:
    void documentIsShown();
    void documentCoversTheService_data();
    void documentCoversTheService();
};

void TestCqDlgTerms::documentIsShown()
{
    CqDlgTerms dialog;
    QCOMPARE(dialog.windowTitle(), "Terms & Policy");
    auto* browser = dialog.findChild<QTextBrowser*>();
    QVERIFY(browser);
    QVERIFY(browser->isReadOnly());
    const QString text = browser->toPlainText();
    QVERIFY(text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size() > 3000);
}

void TestCqDlgTerms::documentCoversTheService_data()
{
    QTest::addColumn<QString>("needle");
    QTest::newRow("12 point paragraphs") << "font-size:12pt";
    QTest::newRow("14 point paragraphs") << "font-size:14pt";
    QTest::newRow("automatic renewal") << "automatic renewal";
    QTest::newRow("devices") << "device";
    QTest::newRow("downloads") << "download";
    QTest::newRow("appointments") << "appointment";
    QTest::newRow("health") << "medical advice";
    QTest::newRow("data kept") << "data we keep";
}

void TestCqDlgTerms::documentCoversTheService()
{
    QFETCH(QString, needle);
    QFile document(CqDlgTerms::documentPath());
    QVERIFY(document.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(document.readAll());
    QVERIFY2(html.contains(needle, Qt::CaseInsensitive), qPrintable(needle));
}

QTEST_MAIN(TestCqDlgTerms)
#include "tst_cqdlgterms.moc"
