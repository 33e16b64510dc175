#include "main/mainwindow.h"

#include "app/accountstate.h"
#include "app/apiconfig.h"
#include "app/jsonreply.h"
#include "app/labelpicture.h"
#include "app/processlauncher.h"
#include "app/server.h"
#include "app/utils.h"
#include "app/weburl.h"
#include "community/communityrequests.h"
#include "community/friendscheck.h"
#include "exercise/exercisechanges.h"
#include "main/cqwndloading.h"
#include "main/cqwndsetting.h"
#include "main/dialogfactory.h"
#include "main/subwindowfactory.h"
#include "main/windowplacement.h"
#include "store/cqdlgdetails.h"
#include "store/cqwndproduct.h"
#include "tracker/dayclock.h"
#include "tracker/dayrollover.h"
#include "tracker/dayupload.h"
#include "ui_mainwindow.h"
#include "weight/weightlog.h"
#include "widgets/mylabel.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QCoreApplication>
#include <QDate>
#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QUrlQuery>

namespace {

MainWindow* s_instance = nullptr;

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_ui(new Ui::MainWindow)
    , m_snackbar(new QtMaterialSnackbar)
    , m_server(new Server(this))
    , m_dayRollover(new DayRollover(this))
    , m_dayUpload(new DayUpload(this))
{
    if (!s_instance)
        s_instance = this;

    m_ui->setupUi(this);

    m_snackbar->setBoxWidth(500);
    m_snackbar->setBackgroundColor(QColor(QStringLiteral("red")));
    // Opaque: the window's texts behind a message of two lines would show
    // faintly through it and muddle both.
    m_snackbar->setBackgroundOpacity(1);
    m_snackbar->setFont(QFont(QStringLiteral("Roboto"), 20, QFont::Medium));
    m_snackbar->setParent(this);
    m_snackbar->setAutoHideDuration(2000);

    connect(m_server, SIGNAL(sig_net_realfriends(QString)), this, SLOT(slt_net_realfriend(QString)));
    connect(m_server, SIGNAL(sig_net_specialoffer(QString)), this, SLOT(slt_net_specialoffer(QString)));
    // A new day: the finished one goes to the service, and the planner home
    // (figures, score, grade) and the exercise window show the empty day.
    connect(m_dayRollover, &DayRollover::dayStarted, m_dayUpload, &DayUpload::start);
    connect(m_dayUpload, &DayUpload::daySent, this, [this] {
        m_historyOutdated = m_subWindows[SubWindowKind::History] != nullptr;
    });
    connect(m_dayRollover, &DayRollover::dayStarted, this, [this] {
        if (QMdiSubWindow* home = m_subWindows[SubWindowKind::PlannerHome])
            SubWindowFactory::refresh(SubWindowKind::PlannerHome, home->widget());
        // The exercise window shows the new day's (empty) list.
        if (QMdiSubWindow* exercise = m_subWindows[SubWindowKind::Exercise])
            SubWindowFactory::refresh(SubWindowKind::Exercise, exercise->widget());
    });

    // Exercise logged anywhere (the player's offer too): the kept windows
    // that show the day's figures show it, and a changed earlier day goes
    // to the service again.
    connect(ExerciseChanges::instance(), &ExerciseChanges::changed, this,
            [this](const QDate& date, QObject* from) {
                for (const int kind : {int(SubWindowKind::PlannerHome), int(SubWindowKind::Tracker),
                                       int(SubWindowKind::Exercise)}) {
                    QMdiSubWindow* sub = m_subWindows[kind];
                    if (sub && sub->widget() != from)
                        SubWindowFactory::refresh(kind, sub->widget());
                }
                if (date < DayClock::today())
                    m_dayUpload->start();
            });

    m_ui->mdiArea->setViewMode(QMdiArea::SubWindowView);
    m_ui->mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_ui->mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    styleWidgets();
    m_ui->lblTitle->setText(m_ui->lblTitle->text() + QStringLiteral("(")
                            + QLatin1String(ApiConfig::clientVersion) + QStringLiteral(")"));
    applySizeLayout();
}

MainWindow::~MainWindow()
{
    if (s_instance == this)
        s_instance = nullptr;
    delete m_ui;
}

MainWindow* MainWindow::instance()
{
    if (!s_instance)
        new MainWindow; // registers itself; lives until the process ends
    return s_instance;
}

void MainWindow::styleWidgets()
{
    const QColor panelColour(QStringLiteral("#2F2E46"));
    const QFont linkFont(QStringLiteral("Roboto"), 12, QFont::Medium);
    for (QtMaterialFlatButton* link : {m_ui->btnAbout, m_ui->btnContact, m_ui->btnFriend, m_ui->btnInvite}) {
        link->setBackgroundMode(Qt::OpaqueMode);
        link->setBackgroundColor(panelColour);
        link->setForegroundColor(Qt::white);
        link->setFont(linkFont);
    }

    m_ui->btnPlus->setIcon(QIcon(QStringLiteral(":/main/assets/add.png")));
    m_ui->btnPlus->setIconSize(QSize(40, 40));
    m_ui->btnPlus->setBackgroundColor(panelColour);

    m_ui->lblTitle->setFont(QFont(QStringLiteral("Roboto"), 20, QFont::Medium));
    // The panel is as wide as the name takes in English; a longer name in
    // another language wraps onto a second line rather than widen the panel
    // and push the feature window past the screen's edge.
    const QString englishTitle =
        QStringLiteral("OLVA WEIGHT LOSS(%1)").arg(QLatin1String(ApiConfig::clientVersion));
    m_ui->lblTitle->setMinimumWidth(
        QFontMetrics(m_ui->lblTitle->font()).horizontalAdvance(englishTitle) + 1);
    m_ui->lblTitle->setWordWrap(true);
    m_ui->lblName->setFont(QFont(QStringLiteral("Roboto"), 12, QFont::Medium));
}

void MainWindow::applySizeLayout()
{
    const bool small = isSmallScreen;
    for (QWidget* link : {m_ui->btnAbout, m_ui->btnContact, m_ui->btnFriend, m_ui->btnInvite})
        link->setMinimumWidth(small ? 0 : 120);
    m_ui->lblProductPicture->setMinimumSize(small ? QSize(100, 70) : QSize(200, 100));

    const int pointSize = small ? 8 : 12;
    m_ui->lblProductName->setFont(QFont(QStringLiteral("Roboto"), pointSize, QFont::Medium));
    m_ui->lblProductTitle->setFont(QFont(QStringLiteral("Roboto"), pointSize));
    m_ui->lblProductContent->setFont(QFont(QStringLiteral("Roboto"), pointSize));
}

QMdiSubWindow* MainWindow::subWindow(int kind)
{
    if (kind < 0 || kind >= SubWindowKind::Count)
        return nullptr;
    if (m_subWindows[kind])
        return m_subWindows[kind];

    QWidget* window = kind == SubWindowKind::Settings ? new CqWndSetting : SubWindowFactory::create(kind);
    if (!window)
        return nullptr;
    auto* sub = new QMdiSubWindow;
    sub->setWidget(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    m_subWindows[kind] = sub;
    return sub;
}

void MainWindow::showSubWindow(int kind, QMdiSubWindow* existing)
{
    if (existing) {
        // A kept window is brought up to date each time the member comes back.
        SubWindowFactory::refresh(kind, existing->widget());
        m_ui->mdiArea->setActiveSubWindow(existing);
        return;
    }
    QMdiSubWindow* sub = subWindow(kind);
    if (!sub)
        return;
    m_ui->mdiArea->addSubWindow(sub);
    sub->setWindowFlags(Qt::FramelessWindowHint);
    sub->showMaximized();
}

void MainWindow::goHome(bool plannerHome)
{
    if (plannerHome) {
        on_btnFood_clicked();
        return;
    }
    if (!isBusyLoading())
        showSubWindow(SubWindowKind::StoreWorkout, m_subWindows[SubWindowKind::StoreWorkout]);
}

void MainWindow::goBackFrom(QWidget* window)
{
    auto* own = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    QMdiArea* area = own ? own->mdiArea() : nullptr;
    if (area) {
        const QList<QMdiSubWindow*> order = area->subWindowList(QMdiArea::ActivationHistoryOrder);
        for (qsizetype i = order.size() - 1; i >= 0; --i) {
            QMdiSubWindow* previous = order.at(i);
            if (previous == own || !previous->widget())
                continue;
            if (previous->widget()->inherits("CqWndHome"))
                break;
            area->setActiveSubWindow(previous);
            return;
        }
    }
    goHome(true);
}

void MainWindow::showSettings()
{
    showSubWindow(SubWindowKind::Settings, m_subWindows[SubWindowKind::Settings]);
}

void MainWindow::showHistory()
{
    // The kept list was read before a finished day reached the service: read
    // it anew. The details show records the old list owns, so they go too.
    if (m_historyOutdated) {
        m_historyOutdated = false;
        retireSubWindow(SubWindowKind::HistoryDetails);
        retireSubWindow(SubWindowKind::History);
    }
    showSubWindow(SubWindowKind::History, m_subWindows[SubWindowKind::History]);
}

void MainWindow::showWeight()
{
    if (!isBusyLoading())
        showSubWindow(SubWindowKind::Weight, m_subWindows[SubWindowKind::Weight]);
}

void MainWindow::showExercise()
{
    if (!isBusyLoading())
        showSubWindow(SubWindowKind::Exercise, m_subWindows[SubWindowKind::Exercise]);
}

QWidget* MainWindow::keptWindow(int kind) const
{
    if (kind < 0 || kind >= SubWindowKind::Count || !m_subWindows[kind])
        return nullptr;
    return m_subWindows[kind]->widget();
}

void MainWindow::retireSubWindow(int kind)
{
    if (QMdiSubWindow* old = m_subWindows[kind]) {
        m_subWindows[kind] = nullptr;
        m_ui->mdiArea->removeSubWindow(old);
        old->hide();
        old->deleteLater();
    }
}

void MainWindow::replaceSubWindow(int kind)
{
    // The earlier window can no longer be reached; close it so that windows
    // do not pile up behind the active one.
    retireSubWindow(kind);
    showSubWindow(kind, nullptr);
}

void MainWindow::showTracker(int meal)
{
    m_trackerMeal = meal;
    replaceSubWindow(SubWindowKind::Tracker);
}

void MainWindow::showHistoryDetails(HistoryModel* record)
{
    m_historyRecord = record;
    replaceSubWindow(SubWindowKind::HistoryDetails);
}

void MainWindow::showMessage(const QString& text)
{
    Utils::instance()->showMessage(m_snackbar, text);
}

void MainWindow::showDetails(const ProductItem& item)
{
    CqDlgDetails details(item);
    WindowPlacement::keepOver(&details, this);
    details.exec();
}

CqWndProduct* MainWindow::activeStore() const
{
    QMdiSubWindow* current = m_ui->mdiArea->currentSubWindow();
    return current ? qobject_cast<CqWndProduct*>(current->widget()) : nullptr;
}

void MainWindow::showCart()
{
    if (CqWndProduct* store = activeStore())
        store->showCart();
}

void MainWindow::showLibrary()
{
    if (CqWndProduct* store = activeStore())
        store->showLibrary();
}

void MainWindow::showStore()
{
    if (CqWndProduct* store = activeStore())
        store->showStore();
}

void MainWindow::restartApplication()
{
    m_restartRequested = true;
    ProcessLauncher::startDetached(QCoreApplication::applicationFilePath(), {}, QString());
    ProcessLauncher::quit(0);
}

void MainWindow::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (m_firstPaintDone)
        return;
    m_firstPaintDone = true;
    // Opening windows from inside a paint would repaint recursively; run the
    // start work right after it.
    QMetaObject::invokeMethod(this, &MainWindow::runFirstPaint, Qt::QueuedConnection);
}

void MainWindow::runFirstPaint()
{
    m_ui->lblName->setText(tr("Hi, %1").arg(currentUserName));
    startDay();
    if (!isBusyLoading())
        showSubWindow(SubWindowKind::StoreWorkout, m_subWindows[SubWindowKind::StoreWorkout]);
    m_server->request(Server::endpointIndex(QStringLiteral("specialOffer")), CommunityRequests::userIdFields());
    startFriendsCheck();
}

void MainWindow::startDay()
{
    m_dayRollover->checkNow();
    m_dayUpload->start();
    WeightLog::sendQueuedAfterSignIn(currentEmail);
}

void MainWindow::startFriendsCheck()
{
    // The first paint runs once per program run, after the sign-in, so the
    // member is reminded at most once a run; the server moves the day on.
    if (currentUserId.isEmpty() || !FriendsCheck::isDue(currentCheckDay, QDate::currentDate()))
        return;
    m_server->request(Server::endpointIndex(QStringLiteral("getRealFriends")), CommunityRequests::userIdFields());
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // A changed screen needs the layout worked out anew, which only a fresh
    // start does. Nothing to compare with until start-up has recorded a size.
    if (m_restartRequested || screenWidth <= 0 || screenHeight <= 0)
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect geometry = screen->geometry();
    if (geometry.width() != screenWidth || geometry.height() != screenHeight)
        restartApplication();
}

void MainWindow::on_btnWork_clicked()
{
    if (!isBusyLoading())
        showSubWindow(SubWindowKind::StoreWorkout, m_subWindows[SubWindowKind::StoreWorkout]);
}

void MainWindow::on_btnFood_clicked()
{
    if (isBusyLoading())
        return;
    showSubWindow(SubWindowKind::PlannerHome, m_subWindows[SubWindowKind::PlannerHome]);
}

void MainWindow::on_btnNutrition_clicked()
{
    if (!isBusyLoading())
        showSubWindow(SubWindowKind::StoreNutrition, m_subWindows[SubWindowKind::StoreNutrition]);
}

void MainWindow::on_btnCoaching_clicked()
{
    if (!isBusyLoading())
        showSubWindow(SubWindowKind::StoreCoaching, m_subWindows[SubWindowKind::StoreCoaching]);
}

void MainWindow::on_btnTele_clicked()
{
    if (!isBusyLoading())
        showSubWindow(SubWindowKind::Services, m_subWindows[SubWindowKind::Services]);
}

void MainWindow::on_btnMore_clicked()
{
    if (!isBusyLoading())
        DialogFactory::run(DialogFactory::Kind::Faq);
}

void MainWindow::on_btnAbout_clicked()
{
    DialogFactory::run(DialogFactory::Kind::AboutUs);
}

void MainWindow::on_btnContact_clicked()
{
    DialogFactory::run(DialogFactory::Kind::AboutUs);
}

void MainWindow::on_btnFriend_clicked()
{
    DialogFactory::run(DialogFactory::Kind::Invite, 1);
}

void MainWindow::on_btnInvite_clicked()
{
    DialogFactory::run(DialogFactory::Kind::Invite, 0);
}

void MainWindow::on_btnWeight_clicked()
{
    showWeight();
}

void MainWindow::on_btnExercise_clicked()
{
    showExercise();
}

void MainWindow::on_btnPlus_clicked()
{
    if (!isBusyLoading())
        DialogFactory::run(DialogFactory::Kind::Specials);
}

void MainWindow::on_lblProductPicture_clicked()
{
    if (m_offerVideoUrl.isEmpty())
        return;
    DialogFactory::run(DialogFactory::Kind::VideoPlayer, QUrl(m_offerVideoUrl));
}

void MainWindow::slt_net_specialoffer(QString reply)
{
    const QJsonObject object = JsonReply::parseObject(reply);
    if (!JsonReply::succeeded(object))
        return;

    const QJsonObject offer = object.value(QStringLiteral("special_offer")).toObject();
    m_ui->lblProductName->setText(JsonReply::text(offer, QStringLiteral("name")));
    m_ui->lblProductTitle->setText(JsonReply::text(offer, QStringLiteral("title")));
    m_ui->lblProductContent->setText(JsonReply::text(offer, QStringLiteral("content")));
    LabelPicture::fetch(m_ui->lblProductPicture, JsonReply::text(offer, QStringLiteral("image")));
    // Only a web address plays: a reply naming a local file does not get
    // the player to open it.
    const QString video = JsonReply::text(offer, QStringLiteral("url"));
    m_offerVideoUrl = WebUrl::isWebAddress(QUrl(video)) ? video : QString();
    LabelPicture::fetch(m_ui->lblNew, JsonReply::text(offer, QStringLiteral("new")));
}

void MainWindow::slt_net_realfriend(QString reply)
{
    const std::optional<int> joined = FriendsCheck::reminderCount(reply);
    if (!joined)
        return;
    const std::optional<int> answer = DialogFactory::run(DialogFactory::Kind::CheckInvite, *joined);
    // Only a reminder the member has actually seen moves the check day on,
    // whatever the answer.
    if (!answer)
        return;
    m_server->request(Server::endpointIndex(QStringLiteral("setCheckingDay")), CommunityRequests::userIdFields());
    if (*answer == QDialog::Accepted)
        DialogFactory::run(DialogFactory::Kind::ConfirmInvite);
}
