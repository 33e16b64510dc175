#include "gallery.h"

#include "account/cqdlglogin.h"
#include "account/cqdlgpin.h"
#include "app/accountstate.h"
#include "app/pictureloader.h"
#include "app/processlauncher.h"
#include "app/startup.h"
#include "app/utils.h"
#include "exercise/activitycatalogue.h"
#include "exercise/cqwndexercise.h"
#include "tracker/dayarchive.h"
#include "exercise/exercisestore.h"
#include "main/cqwndhistory.h"
#include "main/cqwndhistorydetails.h"
#include "main/cqwndloading.h"
#include "main/cqwndsetting.h"
#include "main/dialogfactory.h"
#include "main/mainwindow.h"
#include "planner/cqwndhome.h"
#include "server/engine/filestreamer.h"
#include "services/cqwndservice.h"
#include "services/cqwndserviceitem.h"
#include "store/cqwnditems.h"
#include "store/cqwndproduct.h"
#include "store/storelistkind.h"
#include "store/subscriptionrenewal.h"
#include "testenvironment.h"
#include "tracker/cqwndtotalcalories.h"
#include "tracker/cqwndtracker.h"
#include "tracker/dayclock.h"
#include "tracker/foodtablemodel.h"
#include "video/cqwndvideodownload.h"
#include "video/cqwndvideoplay.h"
#include "weight/cqwndweight.h"
#include "widgets/mylabel.h"
#include "widgets/mywidget.h"
#include "widgets/qtmaterialraisedbutton.h"
#include "widgets/qtmaterialsnackbar.h"
#include "widgets/qtmaterialtabs.h"

#include <QAbstractAnimation>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDesktopServices>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QNetworkReply>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QScrollArea>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

const QString memberEmail = QStringLiteral("demo@olva.local");
// A text as the window shows it, in the language of the gallery: the shots
// find buttons by what they say.
QString shown(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source);
}
const char* const storeButtons[3] = {"btnWork", "btnNutrition", "btnCoaching"};
const char* const storeNames[3] = {"workout", "nutrition", "coaching"};

enum StoreShot
{
    List,
    Programs,
    Search,
    Details,
    Buy,
    CartQuestion,
    Cart,
    Address,
    Card,
    Library,
    StoreShotCount
};
const char* const storeShotNames[StoreShotCount] = {"list", "programs",      "search", "details",
                                                    "buy",  "cart-question", "cart",   "address",
                                                    "card", "library"};

// Swallows the addresses the client hands the desktop (Skype, WhatsApp, the
// e-book viewer): nothing outside this process is started.
class UrlSink final : public QObject
{
    Q_OBJECT

public slots:
    void open(const QUrl&) {}
};

template <typename T> T* child(QObject* parent, const QString& name)
{
    return parent ? parent->findChild<T*>(name) : nullptr;
}

// The visible button under `parent` whose text is `text` (or starts with
// it when `prefix`); the last one when `last`.
QPushButton* buttonWithText(QWidget* parent, const QString& text, bool prefix = false,
                            bool last = false)
{
    QPushButton* found = nullptr;
    if (!parent)
        return nullptr;
    for (QPushButton* button : parent->findChildren<QPushButton*>()) {
        const bool matches = prefix ? button->text().startsWith(text) : button->text() == text;
        if (matches && button->isVisibleTo(parent) && button->isEnabled()) {
            found = button;
            if (!last)
                break;
        }
    }
    return found;
}

// Types `text` key by key. QTest's own typing knows only ASCII, and the
// pseudo-translation's words are accented.
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar character : text) {
        if (character.unicode() < 128) {
            QTest::keyClick(widget, character.toLatin1());
            continue;
        }
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
}

void typeInto(QWidget* parent, const QString& name, const QString& text)
{
    if (auto* edit = child<QLineEdit>(parent, name)) {
        edit->clear();
        typeText(edit, text);
    }
}

// A click that opens a modal dialog is posted, so that the dialog's event
// loop runs after the caller's code has returned.
void clickLater(QAbstractButton* button)
{
    if (button)
        QTimer::singleShot(0, button, &QAbstractButton::click);
}

bool anyReplyRunning()
{
    // Replies live under the manager that sent them, and the managers under
    // the windows, the application, the picture loader, the shared Utils or
    // the renewals.
    QObjectList roots{QCoreApplication::instance(), PictureLoader::instance(), Utils::instance(),
                      SubscriptionRenewal::instance()};
    for (QWidget* window : QApplication::topLevelWidgets())
        roots.append(window);
    for (QObject* root : std::as_const(roots)) {
        for (QNetworkReply* reply : root->findChildren<QNetworkReply*>()) {
            if (reply->isRunning())
                return true;
        }
    }
    return false;
}

template <typename T> T* visibleTopLevel(const std::function<bool(T*)>& accept = {})
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<T*>(widget);
        if (window && window->isVisible() && (!accept || accept(window)))
            return window;
    }
    return nullptr;
}

} // namespace

// When a window last asked to be repainted: a window that has not for a
// while shows what it is going to show.
class RepaintClock final : public QObject
{
public:
    RepaintClock() { m_last.start(); }
    qint64 quietMs() const { return m_last.elapsed(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::UpdateRequest)
            m_last.restart();
        return QObject::eventFilter(watched, event);
    }

private:
    QElapsedTimer m_last;
};

Gallery::Gallery() = default;

Gallery::~Gallery()
{
    if (m_repaints)
        QCoreApplication::instance()->removeEventFilter(m_repaints.get());
    TestEnvironment::closeModals();
    for (const char* scheme : {"http", "https", "skype", "file"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

bool Gallery::start()
{
    TestEnvironment::isolate();
    if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance()))
        Startup::prepareApplication(*application); // Roboto, as the program starts
    QApplication::setQuitOnLastWindowClosed(false);
    // A window that thinks the screen changed would start a fresh copy of
    // this program and end it.
    ProcessLauncher::setLauncher(
        [](const QString&, const QStringList&, const QString&) { return true; });
    ProcessLauncher::setQuitter([](int) {});
    m_repaints = std::make_unique<RepaintClock>();
    QCoreApplication::instance()->installEventFilter(m_repaints.get());
    m_urlSink = std::make_unique<UrlSink>();
    for (const char* scheme : {"http", "https", "skype", "file"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), m_urlSink.get(), "open");
    // Files go out slowly, so that a download is caught under way: the demo
    // videos are small, and the window shows its figures once a second.
    m_demo.server().options().filesBytesPerSecond = 128 * 1024;
    return m_demo.start();
}

const QList<Gallery::Shot>& Gallery::shots()
{
    static const QList<Shot> list = [] {
        QList<Shot> all{
            {"login", &Gallery::login},
            {"login-code", &Gallery::loginCode},
            {"signup", &Gallery::signUp},
            {"signup-terms", &Gallery::terms},
            {"forgot-password", &Gallery::forgotPassword},
            {"new-password", &Gallery::newPassword},
            {"main", &Gallery::mainWithOffer},
            {"message-bar", &Gallery::messageBar},
            {"daily-target", &Gallery::dailyTarget},
            {"tracker", [](Gallery* gallery) { return gallery->tracker(false); }},
            {"tracker-add-food", [](Gallery* gallery) { return gallery->tracker(true); }},
            {"tracker-sample-meals", &Gallery::trackerSample},
            {"tracker-search", &Gallery::trackerSearch},
            {"planner-home", &Gallery::plannerHome},
            {"daily-score", &Gallery::dailyScore},
            {"daily-grade", &Gallery::dailyGrade},
            {"settings", &Gallery::settings},
            {"settings-reminders", &Gallery::settingsReminders},
            {"history", &Gallery::history},
            {"history-details", &Gallery::historyDetails},
            {"weight", &Gallery::weight},
            {"exercise", &Gallery::exercise},
            {"exercise-earlier-day", &Gallery::exerciseEarlierDay},
        };
        for (int category = 0; category < 3; ++category) {
            for (int what = 0; what < StoreShotCount; ++what) {
                if (what == Programs && category != 0)
                    continue; // complete programs are the workout store's
                all.append({QStringLiteral("store-%1-%2")
                                .arg(QLatin1String(storeNames[category]),
                                     QLatin1String(storeShotNames[what])),
                            [category, what](Gallery* gallery) {
                                return gallery->storeShot(category, what);
                            }});
            }
        }
        all.append({
            {"program-videos", &Gallery::programVideos},
            {"library-program-videos", &Gallery::libraryProgramVideos},
            {"download", &Gallery::download},
            {"download-paused", &Gallery::downloadPaused},
            {"player", &Gallery::player},
            {"workout-offer", &Gallery::workoutOffer},
            {"services-telehealth", [](Gallery* gallery) { return gallery->servicesList(0, 0); }},
            {"services-fitness", [](Gallery* gallery) { return gallery->servicesList(0, 1); }},
            {"services-nutrition", [](Gallery* gallery) { return gallery->servicesList(0, 2); }},
            {"services-purchases", [](Gallery* gallery) { return gallery->servicesList(1, 0); }},
            {"services-cart", [](Gallery* gallery) { return gallery->servicesList(2, 0); }},
            {"service-details", &Gallery::serviceDetails},
            {"service-schedule", &Gallery::serviceSchedule},
            {"service-skype", &Gallery::serviceSkype},
            {"service-appoint", &Gallery::serviceAppoint},
            {"service-complete", &Gallery::serviceComplete},
            {"friends",
             [](Gallery* gallery) { return gallery->community("btnFriend", "CqDlgInvite"); }},
            {"invites",
             [](Gallery* gallery) { return gallery->community("btnInvite", "CqDlgInvite"); }},
            {"invite-reminder", &Gallery::inviteReminder},
            {"invite-confirm", &Gallery::inviteConfirm},
            {"special-offers",
             [](Gallery* gallery) { return gallery->community("btnPlus", "CqDlgSpecials"); }},
            {"about-us",
             [](Gallery* gallery) { return gallery->community("btnAbout", "CqDlgAboutUs"); }},
            {"faq", [](Gallery* gallery) { return gallery->community("btnMore", "CqDlgFaq"); }},
        });
        return all;
    }();
    return list;
}

QStringList Gallery::shotNames()
{
    QStringList names;
    for (const Shot& shot : shots())
        names.append(shot.name);
    return names;
}

QString Gallery::take(const QString& name, const Capture& capture)
{
    const auto found = std::find_if(shots().begin(), shots().end(),
                                    [&name](const Shot& shot) { return shot.name == name; });
    if (found == shots().end())
        return QStringLiteral("no shot named %1").arg(name);
    m_capture = capture;
    m_captured = false;
    m_failedStep.clear();
    const bool reached = found->run(this);
    cleanUp();
    m_capture = {};
    if (!reached && m_failedStep.isEmpty())
        m_failedStep = QStringLiteral("the shot's own state");
    if (reached && !m_captured)
        m_failedStep = QStringLiteral("the capture");
    return m_captured ? QString() : m_failedStep;
}

QSet<QString> Gallery::serviceTexts()
{
    QSet<QString> texts;
    QSqlDatabase& db = m_demo.server().context().db;
    for (const QString& table : db.tables()) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT * FROM \"%1\"").arg(table)))
            continue;
        while (query.next()) {
            for (int column = 0; column < query.record().count(); ++column) {
                const QVariant value = query.value(column);
                if (value.typeId() != QMetaType::QString)
                    continue;
                const QString text = value.toString().trimmed();
                if (text.size() > 2 && text.size() < 4000)
                    texts.insert(text);
            }
        }
    }
    return texts;
}

// --- machinery -------------------------------------------------------------

bool Gallery::step(const QString& name, bool ok)
{
    if (!ok && m_failedStep.isEmpty())
        m_failedStep = name;
    return ok;
}

bool Gallery::waitFor(const QString& name, const std::function<bool()>& condition, int timeoutMs)
{
    return step(name, QTest::qWaitFor(condition, timeoutMs));
}

bool Gallery::runModals(const QString& name, const std::function<void()>& trigger,
                        const QList<Modal>& modals)
{
    constexpr int modalTimeoutMs = 15000;
    qsizetype next = 0;
    QString missed;
    QElapsedTimer waited;
    waited.start();
    QTimer poller;
    poller.setInterval(20);
    QObject::connect(&poller, &QTimer::timeout, [&] {
        if (next >= modals.size()) {
            poller.stop();
            return;
        }
        const Modal& modal = modals.at(next);
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->objectName() == modal.dialog && dialog->isVisible()) {
            // Not asked again while it acts: acting may wait for replies.
            poller.stop();
            if (modal.act(dialog)) {
                ++next;
                waited.restart();
            }
            if (next < modals.size() && missed.isEmpty())
                poller.start();
            return;
        }
        if (waited.elapsed() > modalTimeoutMs) {
            poller.stop();
            missed = modal.dialog;
            TestEnvironment::closeModals();
        }
    });
    poller.start();
    trigger();
    static_cast<void>(QTest::qWaitFor([&] { return next >= modals.size() || !missed.isEmpty(); },
                                      modalTimeoutMs * 2));
    poller.stop();
    if (next < modals.size()) {
        step(
            QStringLiteral("%1 (%2)").arg(name, missed.isEmpty() ? modals.at(next).dialog : missed),
            false);
        TestEnvironment::closeModals();
        return false;
    }
    return true;
}

namespace {

// A button still fading from its click (a ripple, a shadow) would be read
// half-way, lighter than it stays. Endless ones (spinners) never end.
bool buttonsAnimating()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        for (const QAbstractAnimation* animation : window->findChildren<QAbstractAnimation*>()) {
            if (!animation->group() && animation->loopCount() != -1
                && animation->state() == QAbstractAnimation::Running)
                return true;
        }
    }
    return false;
}

} // namespace

void Gallery::settle()
{
    // Pictures and lists may still be on their way (the demo server sends
    // its files slowly), a dialog may still be sliding in; a window that
    // never gets quiet is shown as it is.
    const auto idle = [this] {
        return !anyReplyRunning() && !filesOnTheirWay() && !isBusyLoading() && !buttonsAnimating();
    };
    static_cast<void>(QTest::qWaitFor(idle, 10000));
    static_cast<void>(
        QTest::qWaitFor([this, idle] { return m_repaints->quietMs() >= 200 && idle(); }, 5000));
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

bool Gallery::filesOnTheirWay()
{
    return !m_demo.server().server().findChildren<FileStreamer*>().isEmpty();
}

Gallery::Modal Gallery::shotOf(const QString& dialog)
{
    return {dialog, [this](QDialog* shown) {
                shoot(shown);
                shown->reject();
                return true;
            }};
}

bool Gallery::shoot(QWidget* window)
{
    if (!step(QStringLiteral("the window to capture"), window && window->isVisible()))
        return false;
    settle();
    if (m_capture)
        m_capture(window);
    m_captured = true;
    return true;
}

void Gallery::cleanUp()
{
    TestEnvironment::closeModals();
    if (m_main) {
        // Messages of one shot do not run on into the next: each is clicked
        // away as it shows.
        QtMaterialSnackbar* bar = m_main->messageBar();
        const bool clickToDismiss = bar->clickToDismissMode();
        bar->setAutoHideDuration(20);
        bar->setClickToDismissMode(true);
        static_cast<void>(QTest::qWaitFor(
            [bar] {
                QMouseEvent press(
                    QEvent::MouseButtonPress, QPointF(bar->width() / 2.0, bar->height() - 5.0),
                    bar->mapToGlobal(QPointF(bar->width() / 2.0, bar->height() - 5.0)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(bar, &press);
                return bar->messages().isEmpty();
            },
            10000));
        bar->setClickToDismissMode(clickToDismiss);
        bar->setAutoHideDuration(2000);
    }
    static_cast<void>(QTest::qWaitFor([] { return !isBusyLoading(); }, 10000));
}

bool Gallery::signedIn()
{
    if (m_signedIn)
        return true;
    if (!step(QStringLiteral("sign-in of the demo member"), m_demo.signInQuick()))
        return false;
    // The friends reminder has a shot of its own; at start it would cover
    // the main window.
    currentCheckDay = QDate::currentDate().addDays(7).toString(QStringLiteral("yyyy-MM-dd"));
    m_main = m_demo.showMainWindow();
    m_signedIn = step(QStringLiteral("the main window"), m_main && m_main->isVisible());
    if (!m_signedIn)
        return false;
    // The first paint opens the workout store.
    if (!waitFor(QStringLiteral("the workout store after sign-in"), [this] {
            return qobject_cast<CqWndProduct*>(activeFeature()) && !isBusyLoading();
        }))
        return false;
    // The demo member's lapsed programs are renewed or cancelled by the
    // first list that shows them, which then switches its store to the
    // library: done once here, so that no shot is switched away.
    int renewals = 0;
    const auto count = [&renewals](int) { ++renewals; };
    QObject context;
    SubscriptionRenewal* renewal = SubscriptionRenewal::instance();
    QObject::connect(renewal, &SubscriptionRenewal::renewed, &context, count);
    QObject::connect(renewal, &SubscriptionRenewal::cancelled, &context, count);
    QObject::connect(renewal, &SubscriptionRenewal::failed, &context, count);
    auto* store = activeFeatureAs<CqWndProduct>();
    showStoreList(store, 1, 0);
    static_cast<void>(QTest::qWaitFor([&renewals] { return renewals >= 2; }, 5000));
    showStoreList(store, 0, 0);
    return true;
}

MainWindow* Gallery::mainWindow()
{
    return signedIn() ? m_main : nullptr;
}

QWidget* Gallery::activeFeature()
{
    if (!m_main)
        return nullptr;
    auto* area = m_main->findChild<QMdiArea*>(QStringLiteral("mdiArea"));
    QMdiSubWindow* sub = area ? area->currentSubWindow() : nullptr;
    return sub ? sub->widget() : nullptr;
}

bool Gallery::click(const QString& stepName, QWidget* parent, const QString& childName)
{
    auto* widget = child<QWidget>(parent, childName);
    if (!step(stepName, widget && widget->isVisible()))
        return false;
    QTest::mouseClick(widget, Qt::LeftButton);
    return true;
}

// --- account ---------------------------------------------------------------

namespace {

std::unique_ptr<CqDlgLogin> typedLogin()
{
    auto dialog = std::make_unique<CqDlgLogin>(QString(), nullptr);
    dialog->show();
    static_cast<void>(QTest::qWaitForWindowExposed(dialog.get()));
    typeInto(dialog.get(), QStringLiteral("edtEmail"), DemoSession::email());
    typeInto(dialog.get(), QStringLiteral("edtPassword"), DemoSession::password());
    return dialog;
}

} // namespace

bool Gallery::login()
{
    auto dialog = typedLogin();
    return shoot(dialog.get());
}

bool Gallery::loginCode()
{
    // The code dialog the sign-in opens on a computer the service does not
    // know yet, over the login dialog, with the mailed code typed.
    auto login = typedLogin();
    CqDlgPin pin(login->messageBar(), QString(), login.get());
    return runModals(QStringLiteral("the code dialog"), [&pin] { pin.exec(); },
                     {{QStringLiteral("CqDlgPin"), [this](QDialog* dialog) {
                           typeInto(dialog, QStringLiteral("edtPin"), QStringLiteral("40719268"));
                           shoot(dialog);
                           dialog->reject();
                           return true;
                       }}});
}

bool Gallery::signUp()
{
    auto login = typedLogin();
    return runModals(
        QStringLiteral("the sign-up dialog"),
        [&login] { child<QPushButton>(login.get(), QStringLiteral("btnSignUp"))->click(); },
        {{QStringLiteral("CqDlgSignUp"), [this](QDialog* dialog) {
              typeInto(dialog, QStringLiteral("edtName"), QStringLiteral("Jordan Avery"));
              typeInto(dialog, QStringLiteral("edtEmail"),
                       QStringLiteral("jordan.avery@example.com"));
              typeInto(dialog, QStringLiteral("edtPassword"), QStringLiteral("spring-walks-24"));
              typeInto(dialog, QStringLiteral("edtConfirm"), QStringLiteral("spring-walks-24"));
              if (auto* policy = child<QCheckBox>(dialog, QStringLiteral("chkPolicy")))
                  policy->setChecked(true);
              shoot(dialog);
              dialog->reject();
              return true;
          }}});
}

bool Gallery::terms()
{
    auto login = typedLogin();
    return runModals(
        QStringLiteral("the terms from the sign-up dialog"),
        [&login] { child<QPushButton>(login.get(), QStringLiteral("btnSignUp"))->click(); },
        {{QStringLiteral("CqDlgSignUp"),
          [](QDialog* dialog) {
              clickLater(child<QPushButton>(dialog, QStringLiteral("btnTerms")));
              return true;
          }},
         shotOf(QStringLiteral("CqDlgTerms")),
         {QStringLiteral("CqDlgSignUp"), [](QDialog* dialog) {
              dialog->reject();
              return true;
          }}});
}

bool Gallery::forgotPassword()
{
    auto login = typedLogin();
    return runModals(
        QStringLiteral("the forgotten-password dialog"),
        [&login] { child<QPushButton>(login.get(), QStringLiteral("btnForgot"))->click(); },
        {{QStringLiteral("CqDlgForget"), [this](QDialog* dialog) {
              typeInto(dialog, QStringLiteral("edtEmail"), DemoSession::email());
              shoot(dialog);
              dialog->reject();
              return true;
          }}});
}

bool Gallery::newPassword()
{
    auto login = typedLogin();
    return runModals(
        QStringLiteral("the new-password dialog"),
        [&login] { child<QPushButton>(login.get(), QStringLiteral("btnForgot"))->click(); },
        {{QStringLiteral("CqDlgForget"),
          [](QDialog* dialog) {
              typeInto(dialog, QStringLiteral("edtEmail"), DemoSession::email());
              clickLater(child<QPushButton>(dialog, QStringLiteral("btnOk")));
              return true;
          }},
         {QStringLiteral("CqDlgPassword"), [this](QDialog* dialog) {
              // The code as the member reads it in the mail.
              typeInto(dialog, QStringLiteral("edtPin"),
                       m_demo.server().mailedCode(memberEmail, true));
              typeInto(dialog, QStringLiteral("edtPassword"), QStringLiteral("autumn-runs-25"));
              typeInto(dialog, QStringLiteral("edtConfirm"), QStringLiteral("autumn-runs-25"));
              shoot(dialog);
              dialog->reject();
              return true;
          }}});
}

// --- main window -----------------------------------------------------------

bool Gallery::mainWithOffer()
{
    if (!mainWindow())
        return false;
    m_main->goHome(false);
    // The offer panel fills in from its own request.
    waitFor(
        QStringLiteral("the special offer"),
        [this] {
            auto* name = child<QLabel>(m_main, QStringLiteral("lblProductName"));
            return name && !name->text().isEmpty();
        },
        10000);
    m_failedStep.clear(); // a missing offer is part of the picture, not a stop
    return shoot(m_main);
}

bool Gallery::messageBar()
{
    CqWndProduct* store = openStore(0);
    if (!store)
        return false;
    QtMaterialSnackbar* bar = m_main->messageBar();
    bar->setAutoHideDuration(60000);
    // CONTACT COACH is for the mobile version: the bar says so.
    if (!click(QStringLiteral("CONTACT COACH"), store, QStringLiteral("btnContact")))
        return false;
    if (!waitFor(QStringLiteral("the message on show"),
                 [bar] { return !bar->messages().isEmpty() && qFuzzyIsNull(bar->offset()); }))
        return false;
    return shoot(m_main);
}

// --- planner and tracker ---------------------------------------------------

namespace {

CqWndTotalCalories* targetWindow()
{
    return visibleTopLevel<CqWndTotalCalories>();
}

} // namespace

bool Gallery::dailyTarget()
{
    if (!mainWindow())
        return false;
    if (totalCalories == 0)
        QTest::mouseClick(child<QPushButton>(m_main, QStringLiteral("btnFood")), Qt::LeftButton);
    else
        DialogFactory::run(DialogFactory::Kind::TotalCalories, 0);
    if (!waitFor(
            QStringLiteral("the daily-target window"), [] { return targetWindow() != nullptr; },
            5000))
        return false;
    CqWndTotalCalories* target = targetWindow();
    typeInto(target, QStringLiteral("edtTotal"), QStringLiteral("1800"));
    if (!shoot(target))
        return false;
    QTest::mouseClick(child<QPushButton>(target, QStringLiteral("btnOk")), Qt::LeftButton);
    return waitFor(
        QStringLiteral("the daily target set"),
        [] { return totalCalories == 1800 && !targetWindow(); }, 5000);
}

bool Gallery::openPlannerHome()
{
    if (!mainWindow())
        return false;
    if (!waitFor(QStringLiteral("nothing loading"), [] { return !isBusyLoading(); }))
        return false;
    QTest::mouseClick(child<QPushButton>(m_main, QStringLiteral("btnFood")), Qt::LeftButton);
    // The first visit asks for the daily target first.
    if (QTest::qWaitFor([] { return targetWindow() != nullptr; }, totalCalories == 0 ? 3000 : 0)) {
        CqWndTotalCalories* target = targetWindow();
        typeInto(target, QStringLiteral("edtTotal"), QStringLiteral("1800"));
        QTest::mouseClick(child<QPushButton>(target, QStringLiteral("btnOk")), Qt::LeftButton);
    }
    return waitFor(QStringLiteral("the planner home"),
                   [this] { return activeFeatureAs<CqWndHome>() && !targetWindow(); });
}

bool Gallery::openTracker(int meal)
{
    if (!openPlannerHome())
        return false;
    if (!click(QStringLiteral("the meal's row"), activeFeature(),
               QStringLiteral("widget_%1").arg(meal)))
        return false;
    if (!waitFor(QStringLiteral("the tracker"), [this] { return activeFeatureAs<CqWndTracker>(); }))
        return false;
    // The catalogue arrives; its categories are entries of the list.
    return waitFor(QStringLiteral("the food catalogue"), [this] {
        CqWndTracker* tracker = activeFeatureAs<CqWndTracker>();
        return tracker && tracker->findChild<MyWidget*>() && !isBusyLoading();
    });
}

bool Gallery::tracker(bool addFood)
{
    if (!openTracker(0))
        return false;
    auto* window = activeFeatureAs<CqWndTracker>();
    auto* table = child<QTableView>(window, QStringLiteral("tblDetail"));
    if (!step(QStringLiteral("the food table"), table))
        return false;
    const auto mark = [table](int row, int column) {
        if (row < table->model()->rowCount())
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualRect(table->model()->index(row, column)).center());
    };
    const QList<MyWidget*> entries = window->findChildren<MyWidget*>();
    const auto openCategory = [&](int category) {
        if (!step(QStringLiteral("category %1 of the catalogue").arg(category + 1),
                  entries.size() > category))
            return false;
        QTest::mouseClick(child<QtMaterialRaisedButton>(window, QStringLiteral("btnCategory")),
                          Qt::LeftButton);
        QTest::mouseClick(entries.at(category), Qt::LeftButton);
        return waitFor(
            QStringLiteral("category %1 open").arg(category + 1),
            [window] {
                return child<QWidget>(window, QStringLiteral("widgetDetails"))->isVisible();
            },
            5000);
    };
    // Two categories, each with foods chosen and saved into the meal (once:
    // the meal keeps them).
    const QList<QList<QPair<int, int>>> chosen{
        {{0, FoodTableModel::Cup}, {1, FoodTableModel::HalfCup}}, {{0, FoodTableModel::Cup}}};
    const bool chosenAlready =
        window->findChildren<QTableWidget*>(QRegularExpression(QStringLiteral("^tblSelectItem_")))
            .size() >= 2;
    for (int category = 0; category < 2 && !chosenAlready; ++category) {
        if (!openCategory(category))
            return false;
        for (const auto& [row, column] : chosen.at(category))
            mark(row, column);
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("btnSave")), Qt::LeftButton);
        if (!waitFor(QStringLiteral("category %1 saved").arg(category + 1),
                     [] { return !isBusyLoading(); }))
            return false;
    }
    if (!child<QWidget>(window, QStringLiteral("widgetDetails"))->isVisible() && !openCategory(1))
        return false;
    // A food of the member's own, typed but not added yet.
    const QList<QPair<QString, QString>> typed{{"edtName", "Grandma's lentil soup"},
                                               {"edtCal", "180"},
                                               {"edtCarbs", "20"},
                                               {"edtFat", "6"},
                                               {"edtProtein", "9"},
                                               {"edtFiber", "3"}};
    for (const auto& [name, text] : typed)
        typeInto(window, name, text);
    if (addFood) {
        // On a small screen the fields lie below the meal: scrolled to, as
        // the member would, once the window has laid out what was chosen.
        settle();
        for (QWidget* field : {child<QWidget>(window, QStringLiteral("edtName")),
                               child<QWidget>(window, QStringLiteral("btnAdd"))}) {
            for (QWidget* up = field ? field->parentWidget() : nullptr; up;
                 up = up->parentWidget()) {
                if (auto* scroll = qobject_cast<QScrollArea*>(up)) {
                    scroll->ensureWidgetVisible(field);
                    break;
                }
            }
        }
    }
    const bool shot = shoot(m_main);
    for (const auto& [name, text] : typed) {
        if (auto* edit = child<QLineEdit>(window, name))
            edit->clear();
    }
    return shot;
}

bool Gallery::trackerSearch()
{
    if (!openTracker(0))
        return false;
    auto* window = activeFeatureAs<CqWndTracker>();
    auto* search = child<QLineEdit>(window, QStringLiteral("edtSearch"));
    if (!step(QStringLiteral("the search box"), search))
        return false;
    // A half cup of the first result chosen with Enter, a cup of the next
    // with Shift+Enter, not saved yet.
    search->clear();
    typeText(search, QStringLiteral("ch"));
    QTest::keyClick(search, Qt::Key_Return);
    QTest::keyClick(search, Qt::Key_Down);
    QTest::keyClick(search, Qt::Key_Return, Qt::ShiftModifier);
    settle();
    const bool shot = shoot(m_main);
    search->clear();
    return shot;
}

bool Gallery::trackerSample()
{
    if (!openTracker(2))
        return false;
    auto* sample = child<QAbstractButton>(activeFeature(), QStringLiteral("btnSample"));
    if (!step(QStringLiteral("the sample button"), sample))
        return false;
    return runModals(QStringLiteral("the sample meals"), [sample] { sample->click(); },
                     {shotOf(QStringLiteral("CqDlgSample"))});
}

bool Gallery::plannerHome()
{
    return openPlannerHome() && shoot(m_main);
}

bool Gallery::dailyScore()
{
    if (!openPlannerHome())
        return false;
    QWidget* home = activeFeature();
    return runModals(QStringLiteral("the daily score"),
                     [this, home] {
                         click(QStringLiteral("the score row"), home, QStringLiteral("dailyscore"));
                     },
                     {shotOf(QStringLiteral("CqDlgDailyScore"))});
}

bool Gallery::dailyGrade()
{
    if (!openPlannerHome())
        return false;
    QWidget* home = activeFeature();
    return runModals(QStringLiteral("the daily grade"),
                     [this, home] {
                         click(QStringLiteral("the grade row"), home, QStringLiteral("dailygrade"));
                     },
                     {shotOf(QStringLiteral("CqDlgDailyGrade"))});
}

bool Gallery::openSettings()
{
    if (!openPlannerHome())
        return false;
    if (!click(QStringLiteral("the settings button"), activeFeature(),
               QStringLiteral("btnSetting")))
        return false;
    return waitFor(QStringLiteral("the settings window"),
                   [this] { return activeFeatureAs<CqWndSetting>(); });
}

bool Gallery::settings()
{
    return openSettings() && shoot(m_main);
}

// The reminders section with two reminders turned on, their times editable.
bool Gallery::settingsReminders()
{
    if (!openSettings())
        return false;
    for (const char* name : {"chkReminder_lunch", "chkReminder_weighin"}) {
        auto* box = child<QAbstractButton>(activeFeature(), QLatin1String(name));
        if (!box)
            return false;
        box->setChecked(true);
    }
    return shoot(m_main);
}

bool Gallery::openHistory()
{
    if (!openSettings())
        return false;
    if (!click(QStringLiteral("the history row"), activeFeature(), QStringLiteral("wdgetHistory")))
        return false;
    if (!waitFor(QStringLiteral("the history window"),
                 [this] { return activeFeatureAs<CqWndHistory>(); }))
        return false;
    return waitFor(QStringLiteral("the history's days"), [this] {
        auto* list = child<QListView>(activeFeature(), QStringLiteral("lstHistory"));
        return list && list->model() && list->model()->rowCount() > 0 && !isBusyLoading();
    });
}

bool Gallery::history()
{
    return openHistory() && shoot(m_main);
}

bool Gallery::weight()
{
    if (!mainWindow() || !waitFor(QStringLiteral("nothing loading"), [] { return !isBusyLoading(); }))
        return false;
    if (!click(QStringLiteral("the weight button"), m_main, QStringLiteral("btnWeight")))
        return false;
    if (!waitFor(QStringLiteral("the weight window"), [this] { return activeFeatureAs<CqWndWeight>(); }))
        return false;
    auto* window = activeFeatureAs<CqWndWeight>();
    if (!waitFor(QStringLiteral("the weighings"), [window] {
            auto* list = child<QTableView>(window, QStringLiteral("tblWeights"));
            return list && list->model()->rowCount() > 0 && !isBusyLoading();
        }))
        return false;
    // The member is typing this morning's weight, the newest weighing chosen.
    auto* list = child<QTableView>(window, QStringLiteral("tblWeights"));
    list->setCurrentIndex(list->model()->index(0, 0));
    auto* field = child<QLineEdit>(window, QStringLiteral("edtWeight"));
    field->clear();
    // As the member's language writes it ("81,4" in Spanish).
    typeText(field, QLocale().toString(81.4, 'f', 1));
    const bool shot = shoot(m_main);
    field->clear();
    return shot;
}

bool Gallery::exercise()
{
    if (!mainWindow() || !waitFor(QStringLiteral("nothing loading"), [] { return !isBusyLoading(); }))
        return false;
    if (!click(QStringLiteral("the exercise button"), m_main, QStringLiteral("btnExercise")))
        return false;
    if (!waitFor(QStringLiteral("the exercise window"),
                 [this] { return activeFeatureAs<CqWndExercise>(); }))
        return false;
    auto* window = activeFeatureAs<CqWndExercise>();
    // A brisk walk logged this morning; the member is finding a swim.
    auto* weight = child<QLineEdit>(window, QStringLiteral("edtBodyWeight"));
    if (weight->text().isEmpty())
        typeText(weight, QStringLiteral("80"));
    auto* search = child<QLineEdit>(window, QStringLiteral("edtSearch"));
    const QDate today = DayClock::today();
    // Names and the searched word in the gallery's language.
    const ActivityCatalogue& activities = ActivityCatalogue::builtIn();
    if (ExerciseStore::entries(today).isEmpty()) {
        ExerciseStore::add(today, {QStringLiteral("17200"), activities.find(QStringLiteral("17200"))->name, 30, 172});
        window->refresh();
    }
    search->clear();
    typeText(search, activities.find(QStringLiteral("18200"))->name.section(u',', 0, 0).left(4));
    const bool shot = shoot(m_main);
    search->clear();
    return shot;
}

bool Gallery::exerciseEarlierDay()
{
    if (!mainWindow() || !waitFor(QStringLiteral("nothing loading"), [] { return !isBusyLoading(); }))
        return false;
    // Yesterday kept on this computer with a swim; the member adds to it.
    const QDate yesterday = DayClock::today().addDays(-1);
    if (!DayArchive::day(yesterday)) {
        ArchivedDay day;
        day.date = yesterday;
        day.target = 1800;
        day.remaining = 1800;
        day.exercise = {{QStringLiteral("18250"),
                         ActivityCatalogue::builtIn().find(QStringLiteral("18250"))->name, 45, 348}};
        DayArchive::store(day);
    }
    if (!click(QStringLiteral("the exercise button"), m_main, QStringLiteral("btnExercise")) ||
        !waitFor(QStringLiteral("the exercise window"), [this] { return activeFeatureAs<CqWndExercise>(); }))
        return false;
    auto* window = activeFeatureAs<CqWndExercise>();
    window->refresh();
    auto* days = child<QComboBox>(window, QStringLiteral("cmbDay"));
    const int index = days->findData(yesterday);
    if (!step(QStringLiteral("yesterday among the days"), index > 0))
        return false;
    days->setCurrentIndex(index);
    emit days->activated(index);
    const bool shot = shoot(m_main);
    days->setCurrentIndex(0);
    emit days->activated(0);
    return shot;
}

bool Gallery::historyDetails()
{
    if (!openHistory())
        return false;
    auto* list = child<QListView>(activeFeature(), QStringLiteral("lstHistory"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    if (!waitFor(QStringLiteral("the day's details"),
                 [this] { return activeFeatureAs<CqWndHistoryDetails>(); }))
        return false;
    QWidget* details = activeFeature();
    if (!click(QStringLiteral("the meal chooser"), details, QStringLiteral("btnCategory")))
        return false;
    if (!click(QStringLiteral("lunch"), details, QStringLiteral("widgetCategoryLunch")))
        return false;
    QPushButton* group = nullptr;
    const auto findGroup = [details, &group] {
        group = nullptr;
        if (auto* area = child<QWidget>(details, QStringLiteral("widgetDetails"))) {
            for (QPushButton* button : area->findChildren<QPushButton*>()) {
                if (button->isCheckable() && button->isVisible())
                    group = button;
            }
        }
        return group != nullptr && !isBusyLoading();
    };
    if (!waitFor(QStringLiteral("the lunch's food groups"), findGroup, 10000))
        return false;
    group->click();
    // A busy moment greys the window out; the picture is of the window ready.
    if (!waitFor(QStringLiteral("the day's details ready"),
                 [details] { return details->isEnabled() && !isBusyLoading(); }))
        return false;
    return shoot(m_main);
}

// --- stores ----------------------------------------------------------------

CqWndProduct* Gallery::openStore(int category)
{
    if (!mainWindow())
        return nullptr;
    if (!waitFor(QStringLiteral("nothing loading"), [] { return !isBusyLoading(); }))
        return nullptr;
    if (!click(QStringLiteral("the %1 store button").arg(QLatin1String(storeNames[category])),
               m_main, QString::fromLatin1(storeButtons[category])))
        return nullptr;
    CqWndProduct* store = nullptr;
    waitFor(QStringLiteral("the %1 store").arg(QLatin1String(storeNames[category])),
            [this, &store, category] {
                store = activeFeatureAs<CqWndProduct>();
                return store && store->category() == category;
            });
    return store;
}

CqWndItems* Gallery::showStoreList(CqWndProduct* store, int categoryTab, int productTab)
{
    if (!store)
        return nullptr;
    const int kind = StoreListKind::kindFor(store->category(), categoryTab, productTab);
    CqWndItems* list = nullptr;
    // A lapsed subscription the list renews or cancels may switch the store
    // to its library once the list is in: then the list is asked for again.
    for (int attempt = 0; attempt < 2 && (!list || list->kind() != kind); ++attempt) {
        if (categoryTab == 0 && store->productTabs()->currentIndex() != productTab)
            store->productTabs()->setCurrentTab(productTab);
        // Each of these builds a fresh list from the server.
        if (categoryTab == 0)
            store->showStore();
        else if (categoryTab == 1)
            store->showLibrary();
        else
            store->showCart();
        waitFor(QStringLiteral("the store's list"), [store, &list] {
            list = store->currentList();
            return list && list->isFinished() && !isBusyLoading();
        });
        static_cast<void>(
            QTest::qWaitFor([this] { return !anyReplyRunning() && !isBusyLoading(); }, 10000));
        list = store->currentList();
    }
    if (!step(QStringLiteral("the store's list (kind %1)").arg(kind),
              list && list->kind() == kind && list->isFinished()))
        return nullptr;
    return list;
}

bool Gallery::buyTo(int category, bool question)
{
    // A product not in the cart yet: one in it is "carted already".
    CqWndProduct* store = openStore(category);
    CqWndItems* cart = showStoreList(store, 2, 0);
    if (!step(QStringLiteral("the cart's products"), cart))
        return false;
    const QList<int> inCart = cart->items().keys();
    CqWndItems* list = showStoreList(store, 0, 0);
    QPushButton* buy = nullptr;
    if (list) {
        for (QPushButton* button : list->findChildren<QPushButton*>()) {
            const int id = button->objectName().section(QLatin1Char('_'), 1).toInt();
            if (button->text().startsWith(shown("StoreCardRules", "BUY - $%1").section(QLatin1String("%1"), 0, 0)) && button->isVisibleTo(list) &&
                !inCart.contains(id))
                buy = button;
        }
    }
    if (!step(QStringLiteral("a BUY button of a product not in the cart"), buy))
        return false;
    QList<Modal> modals;
    if (!question) {
        modals.append(shotOf(QStringLiteral("CqDlgBuy")));
    } else {
        modals.append({QStringLiteral("CqDlgBuy"), [](QDialog* dialog) {
                           clickLater(child<QPushButton>(dialog, QStringLiteral("btnOk")));
                           return true;
                       }});
        modals.append({QStringLiteral("CqDlgCart"), [this](QDialog* dialog) {
                           shoot(dialog);
                           QTest::mouseClick(
                               child<QPushButton>(dialog, QStringLiteral("btnContinue")),
                               Qt::LeftButton);
                           return true;
                       }});
    }
    return runModals(
        QStringLiteral("buying"), [buy] { QTest::mouseClick(buy, Qt::LeftButton); }, modals);
}

namespace {

void fillAddress(QDialog* dialog)
{
    const QList<QPair<QString, QString>> fields{{"edtCountry", "United States"},
                                                {"edtFirstName", "Jordan"},
                                                {"edtLastName", "Avery"},
                                                {"edtAddress", "41 Willow Lane"},
                                                {"edtCity", "Portland"},
                                                {"edtState", "OR"},
                                                {"edtCode", "97201"},
                                                {"edtEmail", "jordan.avery@example.com"},
                                                {"edtPhone", "503 555 0142"}};
    for (const auto& [name, text] : fields)
        typeInto(dialog, name, text);
}

void typeCard(QDialog* dialog, const QString& number)
{
    for (int part = 0; part < 4; ++part)
        typeInto(dialog, QStringLiteral("edtCard%1").arg(part + 1), number.mid(part * 4, 4));
    typeInto(dialog, QStringLiteral("edtMoth"), QStringLiteral("12"));
    typeInto(dialog, QStringLiteral("edtYear"),
             QString::number((QDate::currentDate().year() + 1) % 100)
                 .rightJustified(2, QLatin1Char('0')));
    typeInto(dialog, QStringLiteral("edtCvv"), QStringLiteral("123"));
}

} // namespace

bool Gallery::checkoutTo(int category, bool card)
{
    CqWndItems* cart = showStoreList(openStore(category), 2, 0);
    auto* checkout = child<QPushButton>(cart, QStringLiteral("btnCheckout"));
    if (!step(QStringLiteral("the cart's CHECKOUT button"), checkout && checkout->isVisible()))
        return false;
    QList<Modal> modals;
    if (!card) {
        modals.append({QStringLiteral("CqDlgAddress"), [this](QDialog* dialog) {
                           fillAddress(dialog);
                           shoot(dialog);
                           dialog->reject();
                           return true;
                       }});
    } else {
        QtMaterialSnackbar* bar = m_main->messageBar();
        bar->setAutoHideDuration(60000);
        modals.append({QStringLiteral("CqDlgAddress"), [](QDialog* dialog) {
                           fillAddress(dialog);
                           clickLater(child<QPushButton>(dialog, QStringLiteral("btnOk")));
                           return true;
                       }});
        modals.append({QStringLiteral("CqDlgCard"), [](QDialog* dialog) {
                           typeCard(dialog, QStringLiteral("4000000000000002"));
                           clickLater(child<QPushButton>(dialog, QStringLiteral("btnOk")));
                           return true;
                       }});
        // Declined: the message is on show and PAY can be pressed again.
        modals.append({QStringLiteral("CqDlgCard"), [this, bar](QDialog* dialog) {
                           auto* pay = child<QPushButton>(dialog, QStringLiteral("btnOk"));
                           if (!bar->messages().contains(shown("CardPaymentDialog", "Payment Error, Something Wrong. Try again.")) ||
                               !qFuzzyIsNull(bar->offset()) || !pay || !pay->isEnabled())
                               return false;
                           shoot(dialog);
                           dialog->reject();
                           return true;
                       }});
    }
    return runModals(
        QStringLiteral("checking out"), [checkout] { QTest::mouseClick(checkout, Qt::LeftButton); },
        modals);
}

bool Gallery::storeShot(int category, int what)
{
    switch (what) {
    case List:
    case Programs:
        return showStoreList(openStore(category), 0, what == List ? 0 : 1) && shoot(m_main);
    case Library:
        return showStoreList(openStore(category), 1, 0) && shoot(m_main);
    case Cart:
        return showStoreList(openStore(category), 2, 0) && shoot(m_main);
    case Search: {
        CqWndProduct* store = openStore(category);
        CqWndItems* list = showStoreList(store, 0, 2);
        auto* search = list ? list->findChild<QLineEdit*>() : nullptr;
        if (!step(QStringLiteral("the search box"), search && !list->items().isEmpty()))
            return false;
        // A word of the first product's title finds it and its kin.
        QString word = list->items().first().title.section(QLatin1Char(' '), 0, 0);
        typeText(search, word);
        QTest::keyClick(search, Qt::Key_Return);
        const bool found = waitFor(
            QStringLiteral("the search results"),
            [list] {
                for (QPushButton* button : list->findChildren<QPushButton*>()) {
                    if (button->isVisibleTo(list) &&
                        button->text() == shown("CqWndItems", "Product Details"))
                        return true;
                }
                return false;
            },
            5000);
        return found && shoot(m_main);
    }
    case Details: {
        CqWndItems* list = showStoreList(openStore(category), 0, 0);
        QPushButton* details = buttonWithText(list, shown("CqWndItems", "Product Details"));
        if (!step(QStringLiteral("a Product Details button"), details))
            return false;
        return runModals(QStringLiteral("the product details"),
                         [details] { QTest::mouseClick(details, Qt::LeftButton); },
                         {shotOf(QStringLiteral("CqDlgDetails"))});
    }
    case Buy:
        return buyTo(category, false);
    case CartQuestion:
        return buyTo(category, true);
    case Address:
        return checkoutTo(category, false);
    case Card:
        return checkoutTo(category, true);
    }
    return false;
}

// --- videos ----------------------------------------------------------------

CqWndItems* Gallery::openProgramList(bool fromLibrary)
{
    CqWndProduct* store = openStore(0);
    CqWndItems* list = showStoreList(store, fromLibrary ? 1 : 0, fromLibrary ? 0 : 1);
    QPushButton* programs = buttonWithText(list, fromLibrary ? shown("LibraryRules", "PROGRAM VIDEOS")
                                                             : shown("StoreCardRules", "PROGRAM VIDEOS!"));
    if (!step(QStringLiteral("a PROGRAM VIDEOS button"), programs))
        return nullptr;
    QTest::mouseClick(programs, Qt::LeftButton);
    const int kind = fromLibrary ? 16 : 15;
    CqWndItems* window = nullptr;
    waitFor(QStringLiteral("the program's videos"), [&window, kind] {
        window = visibleTopLevel<CqWndItems>(
            [kind](CqWndItems* items) { return items->kind() == kind; });
        return window && window->isFinished();
    });
    return window;
}

bool Gallery::programVideos()
{
    CqWndItems* window = openProgramList(false);
    const bool shot = window && shoot(window);
    if (window)
        window->close();
    return shot;
}

bool Gallery::libraryProgramVideos()
{
    CqWndItems* window = openProgramList(true);
    const bool shot = window && shoot(window);
    if (window)
        window->close();
    return shot;
}

bool Gallery::player()
{
    CqWndItems* window = openProgramList(true);
    QPushButton* play = buttonWithText(window, shown("LibraryRules", "PLAY"));
    if (!step(QStringLiteral("a PLAY button"), play)) {
        if (window)
            window->close();
        return false;
    }
    // The picture, not the full screen that follows a few seconds later.
    CqWndVideoPlay::instance()->setFullScreenDelay(600000);
    QTest::mouseClick(play, Qt::LeftButton);
    bool shot = waitFor(
                    QStringLiteral("the player"),
                    [] { return CqWndVideoPlay::instance()->isVisible(); }, 5000) &&
                shoot(CqWndVideoPlay::instance());
    CqWndVideoPlay::instance()->close();
    window->close();
    return shot;
}

bool Gallery::workoutOffer()
{
    CqWndItems* window = openProgramList(true);
    QPushButton* play = buttonWithText(window, QCoreApplication::translate("LibraryRules", "PLAY"));
    if (!step(QStringLiteral("a PLAY button"), play)) {
        if (window)
            window->close();
        return false;
    }
    CqWndVideoPlay* player = CqWndVideoPlay::instance();
    player->setFullScreenDelay(600000);
    QTest::mouseClick(play, Qt::LeftButton);
    // The member finished a program video and says so.
    bool shot = waitFor(QStringLiteral("the player"), [player] { return player->isVisible(); }, 5000) &&
                click(QStringLiteral("I did this workout"), player, QStringLiteral("btnDidWorkout")) &&
                waitFor(QStringLiteral("the offer to log the workout"),
                        [player] { return player->workoutOffer() && player->workoutOffer()->isVisible(); }) &&
                shoot(player->workoutOffer());
    if (player->workoutOffer())
        player->workoutOffer()->reject();
    player->close();
    window->close();
    return shot;
}

CqWndVideoDownLoad* Gallery::openDownload()
{
    CqWndItems* list = showStoreList(openStore(0), 0, 0);
    QPushButton* download = buttonWithText(list, shown("StoreCardRules", "DOWNLOAD NOW!"));
    if (!step(QStringLiteral("a DOWNLOAD NOW! button"), download))
        return nullptr;
    QTest::mouseClick(download, Qt::LeftButton);
    CqWndVideoDownLoad* window = nullptr;
    if (!waitFor(
            QStringLiteral("the download window"),
            [&window] {
                window = visibleTopLevel<CqWndVideoDownLoad>();
                return window != nullptr;
            },
            5000))
        return nullptr;
    // A download paused by an earlier shot goes on.
    if (window->state() == CqWndVideoDownLoad::State::Paused)
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("btnPause")), Qt::LeftButton);
    auto* progress = window->findChild<QProgressBar*>();
    const int from = progress ? progress->value() : 0;
    if (!waitFor(QStringLiteral("the download under way"), [window, progress, from] {
            return window->state() == CqWndVideoDownLoad::State::Downloading && progress &&
                   progress->value() >= from + 3;
        }))
        return nullptr;
    return window;
}

bool Gallery::download()
{
    CqWndVideoDownLoad* window = openDownload();
    if (!window)
        return false;
    // The bytes, speed and time left come once a second.
    auto* bytes = child<QLabel>(window, QStringLiteral("lblBytes"));
    static_cast<void>(QTest::qWaitFor(
        [bytes] {
            return !bytes ||
                   (!bytes->text().isEmpty() && !bytes->text().startsWith(QLatin1String("0 B")));
        },
        3000));
    // Caught in the middle: its own transfer would keep settle() waiting.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    if (m_capture)
        m_capture(window);
    m_captured = true;
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("btnPause")), Qt::LeftButton);
    window->hide();
    return true;
}

bool Gallery::downloadPaused()
{
    CqWndVideoDownLoad* window = openDownload();
    if (!window)
        return false;
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("btnPause")), Qt::LeftButton);
    if (!waitFor(
            QStringLiteral("the download paused"),
            [window] { return window->state() == CqWndVideoDownLoad::State::Paused; }, 5000))
        return false;
    const bool shot = shoot(window);
    window->hide();
    return shot;
}

// --- live services ---------------------------------------------------------

CqWndService* Gallery::openServices()
{
    if (!mainWindow())
        return nullptr;
    if (!waitFor(QStringLiteral("nothing loading"), [] { return !isBusyLoading(); }))
        return nullptr;
    if (!click(QStringLiteral("the live services button"), m_main, QStringLiteral("btnTele")))
        return nullptr;
    CqWndService* services = nullptr;
    waitFor(QStringLiteral("the live services window"), [this, &services] {
        services = activeFeatureAs<CqWndService>();
        return services != nullptr;
    });
    return services;
}

CqWndServiceItem* Gallery::showServiceList(int categoryTab, int serviceTab)
{
    CqWndService* services = openServices();
    if (!services)
        return nullptr;
    auto* categories = child<QtMaterialTabs>(services, QStringLiteral("tabCategory"));
    auto* types = child<QtMaterialTabs>(services, QStringLiteral("tabProducts"));
    if (!step(QStringLiteral("the services' tabs"), categories && types))
        return nullptr;
    categories->tab(categoryTab)->click();
    if (categoryTab == 0)
        types->tab(serviceTab)->click();
    const int kind = categoryTab == 0 ? serviceTab : categoryTab + 2;
    CqWndServiceItem* list = nullptr;
    waitFor(QStringLiteral("the services list"), [services, kind, &list] {
        QMdiSubWindow* sub = services->listWindow(kind);
        list = sub ? qobject_cast<CqWndServiceItem*>(sub->widget()) : nullptr;
        return list && !isBusyLoading();
    });
    return list;
}

bool Gallery::servicesList(int categoryTab, int serviceTab)
{
    return showServiceList(categoryTab, serviceTab) && shoot(m_main);
}

bool Gallery::serviceDetails()
{
    CqWndServiceItem* list = showServiceList(0, 0);
    QPushButton* details = buttonWithText(list, shown("CqWndServiceItem", "Product Details"));
    if (!step(QStringLiteral("a Product Details button"), details))
        return false;
    return runModals(QStringLiteral("the service's details"),
                     [details] { QTest::mouseClick(details, Qt::LeftButton); },
                     {shotOf(QStringLiteral("CqDlgDetails"))});
}

bool Gallery::serviceSchedule()
{
    QPushButton* schedule = buttonWithText(showServiceList(0, 0), shown("CqWndServiceItem", "SCHEDULE"));
    if (!step(QStringLiteral("a SCHEDULE button"), schedule))
        return false;
    return runModals(QStringLiteral("the appointment dialog"),
                     [schedule] { QTest::mouseClick(schedule, Qt::LeftButton); },
                     {shotOf(QStringLiteral("CqDlgServiceInfo"))});
}

bool Gallery::serviceSkype()
{
    QPushButton* schedule = buttonWithText(showServiceList(0, 0), shown("CqWndServiceItem", "SCHEDULE"));
    if (!step(QStringLiteral("a SCHEDULE button"), schedule))
        return false;
    return runModals(QStringLiteral("the Skype question"),
                     [schedule] { QTest::mouseClick(schedule, Qt::LeftButton); },
                     {{QStringLiteral("CqDlgServiceInfo"),
                       [](QDialog* dialog) {
                           clickLater(child<QPushButton>(dialog, QStringLiteral("btnSkype")));
                           return true;
                       }},
                      shotOf(QStringLiteral("CqDlgSkype")),
                      {QStringLiteral("CqDlgServiceInfo"), [](QDialog* dialog) {
                           dialog->reject();
                           return true;
                       }}});
}

bool Gallery::serviceAppoint()
{
    QPushButton* appoint = buttonWithText(showServiceList(1, 0), shown("CqWndServiceItem", "APPOINT"));
    if (!step(QStringLiteral("an APPOINT button"), appoint))
        return false;
    return runModals(QStringLiteral("the appointment dialog"),
                     [appoint] { QTest::mouseClick(appoint, Qt::LeftButton); },
                     {shotOf(QStringLiteral("CqDlgServiceInfo"))});
}

bool Gallery::serviceComplete()
{
    QPushButton* complete = buttonWithText(showServiceList(1, 0), shown("ServiceCardButtons", "COMPLETED"));
    if (!step(QStringLiteral("a COMPLETED button"), complete))
        return false;
    return runModals(QStringLiteral("the completion question"),
                     [complete] { QTest::mouseClick(complete, Qt::LeftButton); },
                     {shotOf(QStringLiteral("CqDlgConfirmComplete"))});
}

// --- community -------------------------------------------------------------

namespace {

// Whether a community dialog has what it fetches: rows, offers, photos.
bool communityReady(QDialog* dialog)
{
    const QString name = dialog->objectName();
    if (name == QLatin1String("CqDlgInvite"))
        return !dialog->findChildren<QWidget*>(QStringLiteral("friendRow")).isEmpty();
    if (name == QLatin1String("CqDlgSpecials"))
        return !dialog->findChildren<QLabel*>(QStringLiteral("lblOfferTitle")).isEmpty();
    if (name == QLatin1String("CqDlgAboutUs")) {
        const QList<MyLabel*> photos =
            dialog->findChildren<MyLabel*>(QStringLiteral("lblAboutPhoto"));
        return !photos.isEmpty() &&
               std::all_of(photos.begin(), photos.end(),
                           [](const MyLabel* photo) { return !photo->pixmap().isNull(); });
    }
    return true;
}

} // namespace

bool Gallery::community(const char* button, const char* dialogName)
{
    if (!mainWindow())
        return false;
    auto* trigger = child<QPushButton>(m_main, QString::fromLatin1(button));
    if (!step(QStringLiteral("the main window's %1").arg(QLatin1String(button)), trigger))
        return false;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    return runModals(QLatin1String(dialogName),
                     [trigger] { QTest::mouseClick(trigger, Qt::LeftButton); },
                     {{QLatin1String(dialogName), [this, started](QDialog* dialog) {
                           // What the dialog fetches shows; after a while it is taken as it is.
                           if (!communityReady(dialog) && started->elapsed() < 10000)
                               return false;
                           shoot(dialog);
                           dialog->reject();
                           return true;
                       }}});
}

bool Gallery::inviteReminder()
{
    if (!mainWindow())
        return false;
    // As the main window opens it for a member with three friends who joined.
    return runModals(QStringLiteral("the friends reminder"),
                     [] { DialogFactory::run(DialogFactory::Kind::CheckInvite, 3); },
                     {shotOf(QStringLiteral("CqDlgCheckInvite"))});
}

bool Gallery::inviteConfirm()
{
    if (!mainWindow())
        return false;
    return runModals(QStringLiteral("the invitation prompt"),
                     [] { DialogFactory::run(DialogFactory::Kind::ConfirmInvite); },
                     {shotOf(QStringLiteral("CqDlgConfirmInvite"))});
}

#include "gallery.moc"
