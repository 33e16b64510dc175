#include "services/cqwndservice.h"

#include "main/mainwindow.h"
#include "services/cqwndserviceitem.h"
#include "services/servicelistkind.h"
#include "services/servicelook.h"
#include "ui_cqwndservice.h"
#include "widgets/qtmaterialflatbutton.h"
#include "widgets/qtmaterialiconbutton.h"
#include "widgets/qtmaterialtabs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>

namespace {

void styleTabs(QtMaterialTabs* tabs)
{
    tabs->setMinimumHeight(70);
    tabs->setFont(ServiceLook::roboto(15, 500));
    tabs->setBackgroundColor(Qt::transparent);
    tabs->setTextColor(Qt::white);
    // White text stays white on every tab: dimmed, it would not stand out
    // from the bar; the white ink bar marks the current tab instead.
    tabs->setInactiveTextOpacity(1.0);
    tabs->setInkColor(Qt::white);
    tabs->setAutoFillBackground(false);
    tabs->setStyleSheet(QStringLiteral(
        "QtMaterialTabs { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #CE396E, stop:1 #B8520A); }"));
    tabs->setAttribute(Qt::WA_StyledBackground);
}

} // namespace

CqWndService::CqWndService(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::CqWndService>())
{
    m_ui->setupUi(this);
    buildTopBar();
    buildServiceTabs();

    m_ui->mdiArea->setViewMode(QMdiArea::SubWindowView);
    m_ui->mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_ui->mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    showCurrentList();
}

CqWndService::~CqWndService() = default;

void CqWndService::buildTopBar()
{
    auto* home = new QtMaterialIconButton(QIcon(QStringLiteral(":/main/assets/img_back.png")), m_ui->wdgCategory);
    home->setObjectName(QStringLiteral("btnHome"));
    home->setAccessibleName(tr("Home"));
    home->setIconSize(QSize(80, 80));
    home->setMinimumSize(80, 80);
    home->setColor(QColor(QStringLiteral("#ef2554")));
    connect(home, &QAbstractButton::clicked, this, &CqWndService::btnHome_clicked);

    m_categoryTabs = new QtMaterialTabs(m_ui->wdgCategory);
    m_categoryTabs->setObjectName(QStringLiteral("tabCategory"));
    m_categoryTabs->setAccessibleName(tr("Live services sections"));
    for (const QString& title : {tr("MY LIVE STORE"), tr("MY LIVE PURCHASE"), tr("VIEW CART")})
        m_categoryTabs->addTab(title);
    styleTabs(m_categoryTabs);
    connect(m_categoryTabs, &QtMaterialTabs::currentChanged, this, &CqWndService::category_changed);

    auto* contact = new QtMaterialFlatButton(tr("CONTACT COACH"), m_ui->wdgCategory);
    contact->setObjectName(QStringLiteral("btnContact"));
    contact->setMinimumHeight(80);
    contact->setFont(ServiceLook::roboto(15, 500));
    contact->setBackgroundMode(Qt::OpaqueMode);
    contact->setBackgroundColor(QColor(QStringLiteral("#3B3A55")));
    contact->setForegroundColor(Qt::white);
    connect(contact, &QAbstractButton::clicked, this, &CqWndService::btnContact_clicked);

    auto* bar = new QHBoxLayout(m_ui->wdgCategory);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(home, 2);
    bar->addWidget(m_categoryTabs, 20);
    bar->addWidget(contact, 1);

    auto* title = new QLabel(tr("TELEHEALTH"), m_ui->wdgLabel);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setFont(ServiceLook::roboto(18, 400));
    title->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    title->setAlignment(Qt::AlignCenter);
    auto* titleLayout = new QHBoxLayout(m_ui->wdgLabel);
    titleLayout->addWidget(title);
}

void CqWndService::buildServiceTabs()
{
    m_serviceTabs = new QtMaterialTabs(m_ui->wdgProducts);
    m_serviceTabs->setObjectName(QStringLiteral("tabProducts"));
    m_serviceTabs->setAccessibleName(tr("Service types"));
    for (const QString& title : {tr("TELEHEALTH"), tr("LIVE FITNESS"), tr("LIVE NUTRITION")})
        m_serviceTabs->addTab(title);
    styleTabs(m_serviceTabs);
    connect(m_serviceTabs, &QtMaterialTabs::currentChanged, this, &CqWndService::product_changed);

    auto* layout = new QHBoxLayout(m_ui->wdgProducts);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_serviceTabs);
}

CqWndService* CqWndService::of(QWidget* list)
{
    for (QWidget* widget = list; widget; widget = widget->parentWidget()) {
        if (auto* window = qobject_cast<CqWndService*>(widget))
            return window;
    }
    return nullptr;
}

int CqWndService::currentKind() const
{
    return ServiceListKind::fromTabs(m_categoryTabs->currentIndex(), m_serviceTabs->currentIndex());
}

QMdiSubWindow* CqWndService::listWindow(int kind) const
{
    return kind >= 0 && kind < int(m_lists.size()) ? m_lists[kind].data() : nullptr;
}

void CqWndService::category_changed(int index)
{
    m_ui->wdgProducts->setVisible(index == 0);
    showCurrentList();
}

void CqWndService::product_changed(int)
{
    showCurrentList();
}

void CqWndService::btnHome_clicked()
{
    MainWindow::instance()->goHome(false);
}

void CqWndService::btnContact_clicked()
{
    MainWindow::instance()->showMessage(
        tr("This is not available in Desktop.\n Use mobile version for this function."));
}

void CqWndService::showCurrentList()
{
    const int kind = currentKind();
    if (QMdiSubWindow* kept = m_lists[kind]) {
        auto* list = qobject_cast<CqWndServiceItem*>(kept->widget());
        if (!list || !list->hasFailed()) {
            m_ui->mdiArea->setActiveSubWindow(kept);
            kept->showMaximized();
            return;
        }
        // Coming back to a list that could not be loaded asks again.
        dropList(kind);
    }
    auto* list = new CqWndServiceItem(kind);
    auto* sub = new QMdiSubWindow;
    sub->setWidget(list);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    m_lists[kind] = sub;
    m_ui->mdiArea->addSubWindow(sub);
    sub->setWindowFlags(Qt::FramelessWindowHint);
    sub->showMaximized();
}

void CqWndService::dropList(int kind)
{
    QMdiSubWindow* sub = m_lists[kind];
    m_lists[kind] = nullptr;
    if (!sub)
        return;
    // A removal or completion answered while the list's checkout or
    // scheduling dialog is open must not delete the list under it.
    m_ui->mdiArea->removeSubWindow(sub);
    m_droppedLists->retire(sub);
}

void CqWndService::dropCartList(bool showCart)
{
    dropList(ServiceListKind::Cart);
    if (showCart)
        m_categoryTabs->setCurrentTab(2);
}

void CqWndService::showPurchaseTab()
{
    for (int kind = ServiceListKind::Telehealth; kind <= ServiceListKind::Purchases; ++kind)
        dropList(kind);
    m_categoryTabs->setCurrentTab(1);
}

void CqWndService::resetAllLists()
{
    for (int kind = 0; kind < ServiceListKind::Count; ++kind)
        dropList(kind);
    m_categoryTabs->setCurrentTab(0);
}

void CqWndService::dropCurrentList()
{
    dropList(currentKind());
}

void CqWndService::retryFailedList()
{
    if (QMdiSubWindow* kept = m_lists[currentKind()]) {
        auto* list = qobject_cast<CqWndServiceItem*>(kept->widget());
        if (list && list->hasFailed())
            showCurrentList();
    }
}
