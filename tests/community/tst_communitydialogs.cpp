#include "app/accountstate.h"
#include "app/pictureloader.h"
#include "app/screenbackground.h"
#include "community/cqdlgaboutus.h"
#include "community/cqdlgcheckinvite.h"
#include "community/cqdlgconfirminvite.h"
#include "community/cqdlgfaq.h"
#include "community/cqdlginvite.h"
#include "community/cqdlgspecials.h"
#include "community/liststatus.h"
#include "fakeserver.h"
#include "main/dialogfactory.h"
#include "testenvironment.h"
#include "testimages.h"
#include "widgets/mylabel.h"

#include <QAccessible>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

enum class Which { FriendsList, InviteList, Specials, About };

std::unique_ptr<QDialog> open(Which which)
{
    switch (which) {
    case Which::FriendsList: return std::make_unique<CqDlgInvite>(1);
    case Which::InviteList: return std::make_unique<CqDlgInvite>(0);
    case Which::Specials: return std::make_unique<CqDlgSpecials>();
    case Which::About: return std::make_unique<CqDlgAboutUs>();
    }
    return nullptr;
}

QString endpointOf(Which which)
{
    switch (which) {
    case Which::FriendsList:
    case Which::InviteList: return QStringLiteral("getFriends");
    case Which::Specials: return QStringLiteral("specialOffers");
    case Which::About: return QStringLiteral("aboutUs");
    }
    return {};
}

// The rows a dialog built into its list.
int rowCount(const QDialog& dialog)
{
    const QWidget* contents = dialog.findChild<QWidget*>(QStringLiteral("scrollAreaWidgetContents"));
    int rows = 0;
    for (const QObject* child : contents->children()) {
        if (child->isWidgetType())
            ++rows;
    }
    return rows;
}

QString statusText(const QDialog& dialog)
{
    const auto* status = dialog.findChild<QLabel*>(QStringLiteral("lblStatus"));
    return status->isVisibleTo(&dialog) ? status->text() : QString();
}

QByteArray json(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonObject friendEntry(const QString& first, const QString& last, const QString& state)
{
    return {{QStringLiteral("first_name"), first},
            {QStringLiteral("last_name"), last},
            {QStringLiteral("phone"), QStringLiteral("+1 555 0100")},
            {QStringLiteral("email"), QString(first.toLower() + QStringLiteral("@example.net"))},
            {QStringLiteral("state"), state}};
}

QByteArray friendsReply(int joined, int invited)
{
    QJsonArray list;
    for (int index = 0; index < joined; ++index)
        list.append(friendEntry(QStringLiteral("Joined%1").arg(index), QStringLiteral("Friend"), QStringLiteral("1")));
    for (int index = 0; index < invited; ++index)
        list.append(friendEntry(QStringLiteral("Invited%1").arg(index), QStringLiteral("Person"), QStringLiteral("0")));
    return json({{QStringLiteral("result_code"), 0}, {QStringLiteral("friend_lst"), list}});
}

} // namespace

// The community dialogs against the fake server: what the member sees for
// good replies, broken replies and failed requests.
class TstCommunityDialogs final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void inviteListsRowsOfTheirMode_data();
    void inviteListsRowsOfTheirMode();
    void inviteTexts_data();
    void inviteTexts();
    void requestsCarryTheRightFields_data();
    void requestsCarryTheRightFields();
    void backgroundsByScreenKey_data();
    void backgroundsByScreenKey();
    void failuresAreToldAndLeaveTheListEmpty_data();
    void failuresAreToldAndLeaveTheListEmpty();
    void thousandFriends();
    void longTextsKeepTheDialogOnScreen();
    void offersPlayOnlyRealVideos();
    void playLabelPlaysAndCloses_data();
    void playLabelPlaysAndCloses();
    void picturesShareOneManager();
    void emptyAboutListShowsEmptyArea();
    void reminderTexts_data();
    void reminderTexts();
    void promptsAnswer_data();
    void promptsAnswer();
    void faqPage();

private:
    FakeServer m_server;
};

void TstCommunityDialogs::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_server.isListening());
    m_server.useAsApiHost();
    ListStatus::setStallTimeoutMs(400);
}

void TstCommunityDialogs::init()
{
    TestEnvironment::resetAccount();
    currentUserId = QStringLiteral("41");
    m_server.clear();
}

void TstCommunityDialogs::cleanup()
{
    TestEnvironment::closeModals();
    DialogFactory::unregisterRunner(DialogFactory::Kind::VideoPlayer);
    backgroundTable.clear();
}

void TstCommunityDialogs::inviteListsRowsOfTheirMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("friends") << 1 << QStringList{QStringLiteral("Joined0 Friend"), QStringLiteral("Joined1 Friend"),
                                                 QStringLiteral("Joined2 Friend")};
    QTest::newRow("invitations") << 0 << QStringList{QStringLiteral("Invited0 Person"), QStringLiteral("Invited1 Person")};
}

void TstCommunityDialogs::inviteListsRowsOfTheirMode()
{
    QFETCH(int, mode);
    QFETCH(QStringList, names);
    m_server.enqueueJson(QStringLiteral("getFriends"), friendsReply(3, 2));
    CqDlgInvite dialog(mode);
    dialog.show();

    QTRY_COMPARE(rowCount(dialog), names.size());
    QStringList shown;
    for (const QLabel* name : dialog.findChildren<QLabel*>(QStringLiteral("lblName")))
        shown.append(name->text());
    QCOMPARE(shown, names);
    const QWidget* row = dialog.findChildren<QWidget*>(QStringLiteral("friendRow")).first();
    QCOMPARE(row->height(), 100);
    QVERIFY(!row->findChild<QLabel*>(QStringLiteral("lblEmail"))->text().isEmpty());
    QCOMPARE(statusText(dialog), QString());
    // The rows stay packed at the top.
    auto* layout = qobject_cast<QVBoxLayout*>(dialog.findChild<QWidget*>(QStringLiteral("scrollAreaWidgetContents"))->layout());
    QVERIFY(layout->itemAt(layout->count() - 1)->spacerItem());

    dialog.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TstCommunityDialogs::inviteTexts_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("content");
    QTest::newRow("friends") << 1 << "MY FRIENDS LIST"
                             << "This is a list of my friends that have already download OLVA Weight Loss App. These are "
                                "my workout friends. ";
    QTest::newRow("invitations") << 0 << "MY INVITE LIST"
                                 << QString::fromUtf8("This is a list of people you have invited to download OLVA Weight "
                                                      "Loss App and to become your workout friends. To see if they signed "
                                                      "up, please check My Friends list. If you don’t see them under My "
                                                      "Friends please reinvite them again.");
}

void TstCommunityDialogs::inviteTexts()
{
    QFETCH(int, mode);
    QFETCH(QString, title);
    QFETCH(QString, content);
    CqDlgInvite dialog(mode);
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), title);
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblContent"))->text(), content);
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblTitle"))->font().pointSize(), 14);
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QCOMPARE(statusText(dialog), ListStatus::loadingText());
}

void TstCommunityDialogs::requestsCarryTheRightFields_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("body");
    QTest::newRow("friends list") << int(Which::FriendsList) << "user_id=41";
    QTest::newRow("invite list") << int(Which::InviteList) << "user_id=41";
    QTest::newRow("special offers") << int(Which::Specials) << "user_id=41";
    QTest::newRow("about: an empty form") << int(Which::About) << "";
}

void TstCommunityDialogs::requestsCarryTheRightFields()
{
    QFETCH(int, which);
    QFETCH(QString, body);
    const auto dialog = open(Which(which));
    const QString path = QStringLiteral("/api/") + endpointOf(Which(which));
    QVERIFY(m_server.waitForRequests(path, 1));
    QCOMPARE(QString::fromUtf8(m_server.lastRequest(path).body), body);
    QCOMPARE(m_server.lastRequest(path).method, QByteArray("POST"));
}

void TstCommunityDialogs::backgroundsByScreenKey_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("key");
    QTest::newRow("friends list") << int(Which::FriendsList) << 1;
    QTest::newRow("invite list") << int(Which::InviteList) << 1;
    QTest::newRow("special offers") << int(Which::Specials) << 0;
    QTest::newRow("about") << int(Which::About) << 1;
}

void TstCommunityDialogs::backgroundsByScreenKey()
{
    QFETCH(int, which);
    QFETCH(int, key);
    for (int screen : {0, 1}) {
        const QString path = TestEnvironment::root() + QStringLiteral("/olva-screen-%1.png").arg(screen);
        QImage(8, 8, QImage::Format_RGB32).save(path);
        backgroundTable.insert(screen, {QString(), path, true});
    }
    const auto dialog = open(Which(which));
    const QString source = ScreenBackground::sourceOf(dialog->findChild<QWidget*>(QStringLiteral("widget")));
    QVERIFY2(source.endsWith(QStringLiteral("olva-screen-%1.png").arg(key)), qPrintable(source));
}

void TstCommunityDialogs::failuresAreToldAndLeaveTheListEmpty_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("fault");
    const struct {
        Which which;
        const char* name;
    } dialogs[] = {{Which::FriendsList, "friends"}, {Which::InviteList, "invites"},
                   {Which::Specials, "offers"}, {Which::About, "about"}};
    for (const auto& dialog : dialogs) {
        for (const char* fault : {"refused", "HTTP 500", "not JSON", "truncated", "stall", "result_code 7",
                                  "no list", "list of numbers"})
            QTest::addRow("%s, %s", dialog.name, fault) << int(dialog.which) << QString::fromLatin1(fault);
    }
}

void TstCommunityDialogs::failuresAreToldAndLeaveTheListEmpty()
{
    QFETCH(int, which);
    QFETCH(QString, fault);
    const QString endpoint = endpointOf(Which(which));
    const QString path = QStringLiteral("/api/") + endpoint;
    const QByteArray previousHost = qgetenv("OLVA_API_HOST");
    auto restoreHost = qScopeGuard([&previousHost] { qputenv("OLVA_API_HOST", previousHost); });
    bool listEmpty = true;

    if (fault == QLatin1String("refused")) {
        qputenv("OLVA_API_HOST", "127.0.0.1:1");
    } else if (fault == QLatin1String("HTTP 500")) {
        m_server.enqueue(path, FakeServer::Reply::error(500));
    } else if (fault == QLatin1String("not JSON")) {
        m_server.enqueueJson(endpoint, "<html><body>Bad Gateway</body></html>");
    } else if (fault == QLatin1String("truncated")) {
        m_server.enqueue(path, FakeServer::Reply::dropMidBody(friendsReply(4, 4)));
    } else if (fault == QLatin1String("stall")) {
        m_server.enqueue(path, FakeServer::Reply::hang());
    } else if (fault == QLatin1String("result_code 7")) {
        m_server.enqueueJson(endpoint, R"({"result_code":7,"friend_lst":[],"special_offers":[],"about_list":[]})");
    } else if (fault == QLatin1String("no list")) {
        m_server.enqueueJson(endpoint, R"({"result_code":0})");
    } else if (fault == QLatin1String("list of numbers")) {
        // Readable, but no element is an entry: an empty list, not a failure.
        m_server.enqueueJson(endpoint, R"({"result_code":0,"friend_lst":[1,2],"special_offers":[3],"about_list":[4]})");
        listEmpty = false;
    }

    const auto dialog = open(Which(which));
    dialog->show();
    QTRY_VERIFY_WITH_TIMEOUT(statusText(*dialog) != ListStatus::loadingText(), 5000);
    if (listEmpty)
        QVERIFY2(statusText(*dialog).contains(QStringLiteral("could not be loaded")), qPrintable(statusText(*dialog)));
    else
        QCOMPARE(statusText(*dialog), QString());
    QCOMPARE(rowCount(*dialog), 0);

    // The dialog still answers: it closes.
    QVERIFY(dialog->close());
    QVERIFY(!dialog->isVisible());
}

void TstCommunityDialogs::thousandFriends()
{
    m_server.enqueueJson(QStringLiteral("getFriends"), friendsReply(1000, 0));
    CqDlgInvite dialog(1);
    dialog.show();
    QTRY_COMPARE_WITH_TIMEOUT(rowCount(dialog), 1000, 20000);
    QCOMPARE(statusText(dialog), QString());
}

void TstCommunityDialogs::longTextsKeepTheDialogOnScreen()
{
    const QString longText(5000, QLatin1Char('W'));
    QJsonArray list{friendEntry(longText, longText, QStringLiteral("1"))};
    m_server.enqueueJson(QStringLiteral("getFriends"),
                         json({{QStringLiteral("result_code"), 0}, {QStringLiteral("friend_lst"), list}}));
    m_server.enqueueJson(QStringLiteral("aboutUs"),
                         json({{QStringLiteral("result_code"), 0},
                               {QStringLiteral("about_list"),
                                QJsonArray{QJsonObject{{QStringLiteral("name"), longText},
                                                       {QStringLiteral("description"), longText}}}}}));
    CqDlgInvite invite(1);
    invite.show();
    QTRY_COMPARE(rowCount(invite), 1);
    CqDlgAboutUs about;
    about.show();
    QTRY_COMPARE(rowCount(about), 1);
    for (const QDialog* dialog : {static_cast<QDialog*>(&invite), static_cast<QDialog*>(&about)}) {
        QVERIFY2(dialog->minimumSizeHint().width() < 1200, qPrintable(QString::number(dialog->minimumSizeHint().width())));
        QVERIFY(dialog->width() < 1200);
    }
}

void TstCommunityDialogs::offersPlayOnlyRealVideos()
{
    const QJsonArray offers{
        QJsonObject{{QStringLiteral("title"), QStringLiteral("With video")}, {QStringLiteral("url"), QStringLiteral("http://127.0.0.1:9/a.mp4")}},
        QJsonObject{{QStringLiteral("title"), QStringLiteral("No video")}, {QStringLiteral("url"), QString()}},
        QJsonObject{{QStringLiteral("title"), QStringLiteral("Local file")}, {QStringLiteral("url"), QStringLiteral("file:///etc/passwd")}},
        QJsonObject{{QStringLiteral("title"), QStringLiteral("Number")}, {QStringLiteral("url"), 12}},
        QJsonObject{{QStringLiteral("title"), QStringLiteral("Missing url")}},
    };
    m_server.enqueueJson(QStringLiteral("specialOffers"),
                         json({{QStringLiteral("result_code"), 0}, {QStringLiteral("special_offers"), offers}}));
    CqDlgSpecials dialog;
    dialog.show();
    QTRY_COMPARE(rowCount(dialog), 5);

    QStringList playable;
    for (const MyLabel* label : dialog.findChildren<MyLabel*>()) {
        if (label->property("playLabel").toBool()) {
            playable.append(label->objectName());
            QVERIFY(!label->pixmap().isNull());
            QCOMPARE(label->size(), QSize(60, 60));
            QVERIFY(label->accessibleName().contains(QStringLiteral("With video")));
            QCOMPARE(label->focusPolicy(), Qt::StrongFocus);
        }
    }
    QCOMPARE(playable, QStringList{QStringLiteral("http://127.0.0.1:9/a.mp4")});
    QStringList titles;
    for (const QLabel* title : dialog.findChildren<QLabel*>(QStringLiteral("lblOfferTitle")))
        titles.append(title->text());
    QCOMPARE(titles, (QStringList{QStringLiteral("With video"), QStringLiteral("No video"), QStringLiteral("Local file"),
                                  QStringLiteral("Number"), QStringLiteral("Missing url")}));
}

void TstCommunityDialogs::playLabelPlaysAndCloses_data()
{
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("click") << false;
    QTest::newRow("Space key") << true;
}

void TstCommunityDialogs::playLabelPlaysAndCloses()
{
    QFETCH(bool, byKeyboard);
    const QJsonArray offers{
        QJsonObject{{QStringLiteral("title"), QStringLiteral("First")}, {QStringLiteral("url"), QStringLiteral("http://127.0.0.1:9/first.mp4")}},
        QJsonObject{{QStringLiteral("title"), QStringLiteral("Second")}, {QStringLiteral("url"), QStringLiteral("https://127.0.0.1:9/second.mp4")}},
    };
    m_server.enqueueJson(QStringLiteral("specialOffers"),
                         json({{QStringLiteral("result_code"), 0}, {QStringLiteral("special_offers"), offers}}));
    QList<QUrl> played;
    DialogFactory::registerRunner(DialogFactory::Kind::VideoPlayer, [&played](const QVariant& url) {
        played.append(url.toUrl());
        return 0;
    });

    // The dialog runs modally as the main window runs it; a poller plays
    // like a person once the second offer's play label is there.
    const QString second = QStringLiteral("https://127.0.0.1:9/second.mp4");
    QTimer poller;
    poller.setInterval(10);
    connect(&poller, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<CqDlgSpecials*>(QApplication::activeModalWidget());
        MyLabel* play = dialog ? dialog->findChild<MyLabel*>(second) : nullptr;
        if (!play)
            return;
        poller.stop();
        if (byKeyboard) {
            play->setFocus();
            QTest::keyClick(play, Qt::Key_Space);
        } else {
            QTest::mouseClick(play, Qt::LeftButton);
        }
    });
    poller.start();
    CqDlgSpecials dialog;
    QTimer::singleShot(8000, &dialog, &QDialog::reject); // fail rather than hang
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(played, QList<QUrl>{QUrl(second)});
}

void TstCommunityDialogs::picturesShareOneManager()
{
    const QByteArray png = TestImages::png(QSize(16, 12), Qt::red);
    m_server.serveFile(QStringLiteral("/pictures/a.png"), png);
    m_server.serveFile(QStringLiteral("/pictures/b.png"), png);
    QJsonArray entries;
    for (const QString& photo : {m_server.url(QStringLiteral("/pictures/a.png")).toString(),
                                 m_server.url(QStringLiteral("/pictures/b.png")).toString(),
                                 m_server.url(QStringLiteral("/pictures/missing.png")).toString(),
                                 QStringLiteral("file:///etc/hostname"), QString()})
        entries.append(QJsonObject{{QStringLiteral("name"), photo.right(12)}, {QStringLiteral("photo"), photo}});
    m_server.enqueueJson(QStringLiteral("aboutUs"),
                         json({{QStringLiteral("result_code"), 0}, {QStringLiteral("about_list"), entries}}));
    const int requestsBefore = PictureLoader::instance()->requestCount();
    CqDlgAboutUs dialog;
    dialog.show();
    QTRY_COMPARE(rowCount(dialog), 5);

    const QList<MyLabel*> photos = dialog.findChildren<MyLabel*>(QStringLiteral("lblAboutPhoto"));
    QCOMPARE(photos.size(), 5);
    QTRY_VERIFY(!photos.at(0)->pixmap().isNull());
    QTRY_VERIFY(!photos.at(1)->pixmap().isNull());
    QCOMPARE(photos.at(0)->pixmap().size(), QSize(200, 150));
    QVERIFY(m_server.waitForRequests(QStringLiteral("/pictures/missing.png"), 1));
    QTest::qWait(50);
    // A picture that fails, or that is no web address, leaves its label empty.
    for (int index : {2, 3, 4})
        QVERIFY(photos.at(index)->pixmap().isNull());
    QCOMPARE(PictureLoader::instance()->requestCount() - requestsBefore, 3);
}

void TstCommunityDialogs::emptyAboutListShowsEmptyArea()
{
    m_server.enqueueJson(QStringLiteral("aboutUs"), R"({"result_code":0,"about_list":[]})");
    CqDlgAboutUs dialog;
    dialog.show();
    QTRY_COMPARE(statusText(dialog), QString());
    QCOMPARE(rowCount(dialog), 0);
    QVERIFY(dialog.findChild<QScrollArea*>(QStringLiteral("scrollArea"))->isVisible());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About Us"));
}

void TstCommunityDialogs::reminderTexts_data()
{
    QTest::addColumn<int>("joined");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("content");
    const QString none = QStringLiteral("YOU HAVE NO WORKOUT FRIENDS  ");
    const QString more = QStringLiteral("YOU NEED MORE WORKOUT FRIENDS");
    const QString noneText = QStringLiteral("Would you like to invite a workout friend now?");
    const QString moreText = QStringLiteral(
        "Having more workout friends will help you stay motivated. Plus, you could really help motivate others to "
        "become and stay healthy.WOULD YOU LIKE TO INVITE SOME WORKOUT FRIENDS NOW?");
    QTest::newRow("0") << 0 << none << noneText;
    QTest::newRow("1") << 1 << more << moreText;
    QTest::newRow("9") << 9 << more << moreText;
}

void TstCommunityDialogs::reminderTexts()
{
    QFETCH(int, joined);
    QFETCH(QString, title);
    QFETCH(QString, content);
    CqDlgCheckInvite dialog(joined);
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), title);
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblContent"))->text(), content);
    QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
}

void TstCommunityDialogs::promptsAnswer_data()
{
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("reminder YES") << "CqDlgCheckInvite" << "btnYes" << int(QDialog::Accepted);
    QTest::newRow("reminder NO") << "CqDlgCheckInvite" << "btnNo" << int(QDialog::Rejected);
    QTest::newRow("invite OK") << "CqDlgConfirmInvite" << "btnOk" << int(QDialog::Accepted);
    QTest::newRow("invite CANCEL") << "CqDlgConfirmInvite" << "btnCancel" << int(QDialog::Rejected);
    QTest::newRow("FAQ OK") << "CqDlgFaq" << "btnOk" << int(QDialog::Accepted);
}

void TstCommunityDialogs::promptsAnswer()
{
    QFETCH(QString, dialogName);
    QFETCH(QString, button);
    QFETCH(int, result);
    std::unique_ptr<QDialog> dialog;
    if (dialogName == QLatin1String("CqDlgCheckInvite"))
        dialog = std::make_unique<CqDlgCheckInvite>(3);
    else if (dialogName == QLatin1String("CqDlgConfirmInvite"))
        dialog = std::make_unique<CqDlgConfirmInvite>();
    else
        dialog = std::make_unique<CqDlgFaq>();
    QCOMPARE(dialog->objectName(), dialogName);
    if (dialogName == QLatin1String("CqDlgConfirmInvite"))
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("lblContent"))->text(),
                 QStringLiteral("To invite a friend to OLVA please click the INVITE button."));
    TestEnvironment::answerNextModal(button);
    QCOMPARE(dialog->exec(), result);
}

void TstCommunityDialogs::faqPage()
{
    CqDlgFaq dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("FAQ"));
    QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    auto* box = dialog.findChild<QTextBrowser*>(QStringLiteral("txtFaq"));
    const QString text = box->toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("HOW TO GET STARTED")));
    // What a screen reader announces for the help text.
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(box);
    QCOMPARE(heard->text(QAccessible::Name), QStringLiteral("FAQ"));
    QCOMPARE(heard->text(QAccessible::Description), text);
    for (const char* topic : {"free", "workout", "nutrition", "live fitness", "telehealth", "FREE COACHING",
                              "FREE NUTRITIONIST", "24 hours"})
        QVERIFY2(text.contains(QString::fromLatin1(topic), Qt::CaseInsensitive), topic);
    const QPixmap picture = dialog.findChild<QLabel*>(QStringLiteral("lblPicture"))->pixmap();
    QVERIFY(!picture.isNull());
}

QTEST_MAIN(TstCommunityDialogs)
#include "tst_communitydialogs.moc"
