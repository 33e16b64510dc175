#include "app/accountstate.h"
#include "app/apiconfig.h"
#include "fakeserver.h"
#include "modalhelper.h"
#include "services/cqdlgconfirmcomplete.h"
#include "services/cqdlgserviceinfo.h"
#include "services/cqdlgskype.h"
#include "testenvironment.h"
#include "urlrecorder.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest>

namespace {

const QString makeAppointPath = QStringLiteral("/api/makeAppoint");

QString plainText(const QLabel* label)
{
    QTextDocument document;
    if (Qt::mightBeRichText(label->text()) && label->textFormat() != Qt::PlainText)
        document.setHtml(label->text());
    else
        document.setPlainText(label->text());
    return document.toPlainText();
}

} // namespace

// The appointment dialog and its two small questions: texts by mode, what
// each platform button opens, and when the appointment is recorded.
class TstCqDlgServiceInfo final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void textsByMode_data();
    void textsByMode();
    void skypeNotInstalledOpensDownloadPage();
    void skypeInstalledOpensChatAndRecords();
    void skypeNameCannotReshapeAddress();
    void whatsappTwiceRecordsTwice();
    void closeAcceptsEscapeRejects_data();
    void closeAcceptsEscapeRejects();
    void smallQuestions_data();
    void smallQuestions();
    void makeAppointFailureKeepsDialogUsable();
    void closingRightAfterClickStillRecords();

private:
    FakeServer* m_fake = nullptr;
    std::unique_ptr<UrlRecorder> m_urls;
};

void TstCqDlgServiceInfo::initTestCase()
{
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    m_fake->useAsApiHost();
}

void TstCqDlgServiceInfo::init()
{
    TestEnvironment::resetAccount();
    currentUserId = QStringLiteral("1");
    m_fake->clear();
    m_fake->setDefaultReply(makeAppointPath, FakeServer::Reply::json(R"({"result_code":0})"));
    m_urls = std::make_unique<UrlRecorder>();
}

void TstCqDlgServiceInfo::cleanup()
{
    TestEnvironment::closeModals();
    m_urls.reset();
}

void TstCqDlgServiceInfo::textsByMode_data()
{
    QTest::addColumn<bool>("scheduling");
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("warning");

    QTest::newRow("scheduling")
        << true
        << "Please select one of the two video conference platforms to schedule your appointment.Once you arrive on the "
           "specific platform please send a TEXT message to the instructor to schedule a meeting time that is best for "
           "both of you. "
        << true;
    QTest::newRow("appointment")
        << false
        << "ON THE DAY OF YOUR APPOINTMENT\nplease select one of the two video conference platforms to begin your video "
           "conference appointment."
        << false;
}

void TstCqDlgServiceInfo::textsByMode()
{
    QFETCH(bool, scheduling);
    QFETCH(QString, content);
    QFETCH(bool, warning);
    CqDlgServiceInfo dialog(scheduling, "coach.one", "12025550111", "11");
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Schedule Your Appointment"));
    QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(plainText(dialog.findChild<QLabel*>("lblContent")), content);
    auto* lblWarning = dialog.findChild<QLabel*>("lblWarning");
    QCOMPARE(lblWarning->isVisible(), warning);
    QCOMPARE(lblWarning->text(), QStringLiteral("Please include your name and the name of the service you purchased."));
    QCOMPARE(dialog.findChild<QPushButton*>("btnSkype")->text(), QStringLiteral("SKYPE"));
    QCOMPARE(dialog.findChild<QPushButton*>("btnWhatsapp")->text(), QStringLiteral("WHAT'S APP"));
    QCOMPARE(dialog.findChild<QPushButton*>("btnClose")->text(), QStringLiteral("CLOSE"));
}

void TstCqDlgServiceInfo::skypeNotInstalledOpensDownloadPage()
{
    CqDlgServiceInfo dialog(true, "coach.one", "12025550111", "11");
    dialog.show();
    clickInModal("CqDlgSkype", "btnCancel");
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnSkype"), Qt::LeftButton);
    QCOMPARE(m_urls->opened, QList<QUrl>{QUrl(QString::fromLatin1(ApiConfig::skypeDownloadPage))});
    QTest::qWait(100);
    QCOMPARE(m_fake->requestCount(makeAppointPath), 0);
    QVERIFY(dialog.isVisible());
}

void TstCqDlgServiceInfo::skypeInstalledOpensChatAndRecords()
{
    CqDlgServiceInfo dialog(false, "coach.one", "12025550111", "11");
    dialog.show();
    clickInModal("CqDlgSkype", "btnOk");
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnSkype"), Qt::LeftButton);
    QCOMPARE(m_urls->opened.size(), 1);
    QCOMPARE(m_urls->opened.first().toString(), QStringLiteral("skype:coach.one?chat"));
    QVERIFY(m_fake->waitForRequests(makeAppointPath, 1));
    QCOMPARE(m_fake->lastRequest(makeAppointPath).body, QByteArray("user_id=1&service_id=11"));
    QVERIFY(dialog.isVisible());
}

void TstCqDlgServiceInfo::skypeNameCannotReshapeAddress()
{
    CqDlgServiceInfo dialog(true, "evil?call#x", "1", "11");
    dialog.show();
    clickInModal("CqDlgSkype", "btnOk");
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnSkype"), Qt::LeftButton);
    QCOMPARE(m_urls->opened.size(), 1);
    const QUrl url = m_urls->opened.first();
    QCOMPARE(url.path(), QStringLiteral("evil?call#x"));
    QCOMPARE(url.query(), QStringLiteral("chat"));
    QVERIFY(!url.hasFragment());
    QVERIFY(m_fake->waitForRequests(makeAppointPath, 1));
}

void TstCqDlgServiceInfo::whatsappTwiceRecordsTwice()
{
    CqDlgServiceInfo dialog(true, "coach.one", "+1 202 555 0111", "31");
    dialog.show();
    auto* button = dialog.findChild<QPushButton*>("btnWhatsapp");
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(m_urls->opened.size(), 2);
    const QUrl url = m_urls->opened.first();
    QCOMPARE(url.toString(QUrl::FullyEncoded),
             QString::fromLatin1(ApiConfig::whatsappChatHost) + QStringLiteral("/%2B1%20202%20555%200111?text="));
    QVERIFY(m_fake->waitForRequests(makeAppointPath, 2));
    for (const FakeServer::Request& request : m_fake->requests(makeAppointPath))
        QCOMPARE(request.body, QByteArray("user_id=1&service_id=31"));
    QVERIFY(dialog.isVisible());
}

void TstCqDlgServiceInfo::closeAcceptsEscapeRejects_data()
{
    QTest::addColumn<bool>("escape");
    QTest::addColumn<int>("result");
    QTest::newRow("CLOSE") << false << 1;
    QTest::newRow("Escape") << true << 0;
}

void TstCqDlgServiceInfo::closeAcceptsEscapeRejects()
{
    QFETCH(bool, escape);
    QFETCH(int, result);
    CqDlgServiceInfo dialog(true, "coach.one", "1", "11");
    whenModal("CqDlgServiceInfo", [escape](QDialog* shown) {
        if (escape)
            QTest::keyClick(shown, Qt::Key_Escape);
        else
            shown->findChild<QPushButton*>("btnClose")->click();
    });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(m_fake->requestCount(makeAppointPath), 0);
    QVERIFY(m_urls->opened.isEmpty());
}

void TstCqDlgServiceInfo::smallQuestions_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("skype YES") << false << "btnOk" << 1;
    QTest::newRow("skype NO") << false << "btnCancel" << 0;
    QTest::newRow("complete OK") << true << "btnOk" << 1;
    QTest::newRow("complete CANCEL") << true << "btnCancel" << 0;
}

void TstCqDlgServiceInfo::smallQuestions()
{
    QFETCH(bool, confirm);
    QFETCH(QString, button);
    QFETCH(int, result);
    std::unique_ptr<QDialog> dialog;
    if (confirm)
        dialog = std::make_unique<CqDlgConfirmComplete>();
    else
        dialog = std::make_unique<CqDlgSkype>();
    QCOMPARE(dialog->windowTitle(), confirm ? QStringLiteral("Complete Appointment") : QStringLiteral("Skype"));
    auto* title = dialog->findChild<QLabel*>("lblTitle");
    if (confirm) {
        QCOMPARE(title->text(), QStringLiteral("ARE YOU SURE? \nCOMPLETE"));
        QCOMPARE(dialog->findChild<QLabel*>("lblContent")->text(),
                 QStringLiteral("Once you click the OK button your appointment will be completed. To receive more "
                                "service you will need to purchase this service again."));
        QCOMPARE(dialog->findChild<QPushButton*>("btnOk")->text(), QStringLiteral("OK"));
        QCOMPARE(dialog->findChild<QPushButton*>("btnCancel")->text(), QStringLiteral("CANCEL"));
    } else {
        QCOMPARE(title->text(), QStringLiteral("Did you install skype?"));
        QCOMPARE(dialog->findChild<QPushButton*>("btnOk")->text(), QStringLiteral("YES"));
        QCOMPARE(dialog->findChild<QPushButton*>("btnCancel")->text(), QStringLiteral("NO"));
    }
    clickInModal(dialog->objectName(), button);
    QCOMPARE(dialog->exec(), result);
}

void TstCqDlgServiceInfo::makeAppointFailureKeepsDialogUsable()
{
    m_fake->setDefaultReply(makeAppointPath, FakeServer::Reply::error(500));
    CqDlgServiceInfo dialog(true, "coach.one", "1", "11");
    dialog.show();
    auto* button = dialog.findChild<QPushButton*>("btnWhatsapp");
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests(makeAppointPath, 1));
    QTest::qWait(50);
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests(makeAppointPath, 2));
}

void TstCqDlgServiceInfo::closingRightAfterClickStillRecords()
{
    m_fake->setDefaultReply(makeAppointPath, FakeServer::Reply::json(R"({"result_code":0})", 300));
    {
        CqDlgServiceInfo dialog(true, "coach.one", "1", "11");
        whenModal("CqDlgServiceInfo", [](QDialog* shown) {
            shown->findChild<QPushButton*>("btnWhatsapp")->click();
            shown->findChild<QPushButton*>("btnClose")->click();
        });
        QCOMPARE(dialog.exec(), 1);
    }
    QVERIFY(m_fake->waitForRequests(makeAppointPath, 1));
    QCOMPARE(m_fake->lastRequest(makeAppointPath).body, QByteArray("user_id=1&service_id=11"));
}

QTEST_MAIN(TstCqDlgServiceInfo)
#include "tst_cqdlgserviceinfo.moc"
