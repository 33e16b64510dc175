#include "store/cqwndproduct.h"

#include "app/accountstate.h"
#include "app/utils.h"
#include "main/mainwindow.h"
#include "store/cqwnditems.h"
#include "store/storelistkind.h"
#include "ui_cqwndproduct.h"
#include "widgets/qtmaterialflatbutton.h"
#include "widgets/qtmaterialiconbutton.h"
#include "widgets/qtmaterialtabs.h"

#include <QMdiSubWindow>

namespace {

struct CategoryTexts
{
    const char* firstTab;
    const char* firstTabSmall;
    const char* bannerTitle;
    const char* bannerSubtitle;
    const char* productTab0;
    const char* productTab1;
    int background;
};

const CategoryTexts categoryTexts[3] = {
    {QT_TRANSLATE_NOOP("CqWndProduct", "MY VIDEO STORE"), QT_TRANSLATE_NOOP("CqWndProduct", "MY VIDEO STORE"),
     QT_TRANSLATE_NOOP("CqWndProduct", "WORKOUT ANYWHERE ANY DEVICE\nOnline - Offline"), nullptr,
     QT_TRANSLATE_NOOP("CqWndProduct", "INDIVIDUAL VIDEOS"), QT_TRANSLATE_NOOP("CqWndProduct", "COMPLETE PROGRAMS"), 1},
    {QT_TRANSLATE_NOOP("CqWndProduct", "NUTRITION PRODUCTS"), QT_TRANSLATE_NOOP("CqWndProduct", "NUTRITION\nPRODUCTS"),
     QT_TRANSLATE_NOOP("CqWndProduct", "DIETTTIAN DESIGNED NUTRITION"),
     QT_TRANSLATE_NOOP("CqWndProduct", "For weight loss, fitness, diabetes, meat eaters, vegetarian, gluten, diary "
                                       "and food sensitivities."),
     QT_TRANSLATE_NOOP("CqWndProduct", "NUTRITION PRODUCTS"), QT_TRANSLATE_NOOP("CqWndProduct", "NUTRITION VIDEOS"), 2},
    {QT_TRANSLATE_NOOP("CqWndProduct", "COACHING SERVICES"), QT_TRANSLATE_NOOP("CqWndProduct", "COACHING SERVICES"),
     QT_TRANSLATE_NOOP("CqWndProduct", "ONE-ON-ONE HEALTH COACHING"),
     QT_TRANSLATE_NOOP("CqWndProduct", "Get one-on-one personalized health coaching, Let us help you maxmize your "
                                       "results."),
     QT_TRANSLATE_NOOP("CqWndProduct", "COACHING PRODUCTS"), QT_TRANSLATE_NOOP("CqWndProduct", "COACHING VIDEOS"), 3},
};

QString unavailableText()
{
    return CqWndProduct::tr("This is not available in Desktop.\n Use mobile version for this function.");
}

} // namespace

CqWndProduct::CqWndProduct(int category, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::CqWndProduct>())
    , m_category(qBound(0, category, 2))
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("CqWndProduct%1").arg(m_category));
    buildHeader();
    buildBanner();
    Utils::instance()->setBackground(m_ui->widBackground, categoryTexts[m_category].background);
    m_ui->mdiArea->setViewMode(QMdiArea::SubWindowView);
    m_ui->mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_ui->mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    connect(m_categoryTabs, &QtMaterialTabs::currentChanged, this, &CqWndProduct::category_changed);
    connect(m_productTabs, &QtMaterialTabs::currentChanged, this, &CqWndProduct::product_changed);
    m_categoryTabs->setCurrentTab(0);
}

CqWndProduct::~CqWndProduct() = default;

void CqWndProduct::buildHeader()
{
    const CategoryTexts& texts = categoryTexts[m_category];
    const QFont headerFont(QStringLiteral("Roboto"), 15, QFont::Medium);

    m_btnHome = new QtMaterialIconButton(QIcon(QStringLiteral(":/main/assets/img_back.png")), m_ui->wdgCategory);
    m_btnHome->setObjectName(QStringLiteral("btnHome"));
    m_btnHome->setAccessibleName(tr("Back"));
    m_btnHome->setIconSize(QSize(80, 80));
    m_btnHome->setColor(QColor(QStringLiteral("#ef2554")));
    m_btnHome->setFocusPolicy(Qt::StrongFocus);
    connect(m_btnHome, &QAbstractButton::clicked, this, &CqWndProduct::btnHome_clicked);

    m_categoryTabs = new QtMaterialTabs(m_ui->wdgCategory);
    m_categoryTabs->setObjectName(QStringLiteral("tabCategory"));
    m_categoryTabs->setMinimumHeight(70);
    m_categoryTabs->setFont(headerFont);
    m_categoryTabs->setBackgroundColor(Qt::transparent);
    m_categoryTabs->setInkColor(QColor(QStringLiteral("#F6710E")));
    m_categoryTabs->setTextColor(Qt::white);
    m_categoryTabs->addTab(tr(isSmallScreen ? texts.firstTabSmall : texts.firstTab));
    m_categoryTabs->addTab(tr("MY LIBRARY"));
    m_categoryTabs->addTab(tr("VIEW CART"));

    m_btnContact = new QtMaterialFlatButton(tr("CONTACT COACH"), m_ui->wdgCategory);
    m_btnContact->setObjectName(QStringLiteral("btnContact"));
    m_btnContact->setFixedHeight(80);
    m_btnContact->setFont(headerFont);
    m_btnContact->setForegroundColor(Qt::white);
    m_btnContact->setBackgroundColor(QColor(QStringLiteral("#3b3a55")));
    m_btnContact->setBackgroundMode(Qt::OpaqueMode);
    connect(m_btnContact, &QAbstractButton::clicked, this, &CqWndProduct::btnContact_clicked);

    m_ui->categoryLayout->addWidget(m_btnHome, 2);
    m_ui->categoryLayout->addWidget(m_categoryTabs, 20);
    m_ui->categoryLayout->addWidget(m_btnContact, 1);

    m_productTabs = new QtMaterialTabs(m_ui->wdgProducts);
    m_productTabs->setObjectName(QStringLiteral("tabProducts"));
    m_productTabs->setMinimumHeight(70);
    m_productTabs->setFont(QFont(QStringLiteral("Roboto"), 14, QFont::Medium));
    m_productTabs->setBackgroundColor(Qt::transparent);
    m_productTabs->setInkColor(QColor(QStringLiteral("#CE396E")));
    m_productTabs->setTextColor(Qt::white);
    m_productTabs->addTab(tr(texts.productTab0));
    m_productTabs->addTab(tr(texts.productTab1));
    m_productTabs->addTab(tr("SEARCH"));
    // Select tab 0 without building a list yet; the category tab does that.
    m_productTabs->setCurrentTab(0);
    m_ui->productsLayout->addWidget(m_productTabs);
}

void CqWndProduct::buildBanner()
{
    const CategoryTexts& texts = categoryTexts[m_category];
    m_ui->lblTitle->setText(tr(texts.bannerTitle));
    if (texts.bannerSubtitle)
        m_ui->lblSubTitle->setText(tr(texts.bannerSubtitle));
    else
        m_ui->lblSubTitle->hide();
}

int CqWndProduct::currentKind() const
{
    return StoreListKind::kindFor(m_category, qMax(0, m_categoryTabs->currentIndex()),
                                  qMax(0, m_productTabs->currentIndex()));
}

CqWndItems* CqWndProduct::currentList() const
{
    return m_listWindow ? qobject_cast<CqWndItems*>(m_listWindow->widget()) : nullptr;
}

void CqWndProduct::showCart()
{
    m_categoryTabs->setCurrentTab(2);
}

void CqWndProduct::showLibrary()
{
    m_categoryTabs->setCurrentTab(1);
}

void CqWndProduct::showStore()
{
    m_categoryTabs->setCurrentTab(0);
}

void CqWndProduct::category_changed(int index)
{
    m_ui->wdgProducts->setVisible(index == 0);
    showNewList();
}

void CqWndProduct::product_changed(int)
{
    // The product tabs are set up before the category tabs are connected to
    // anything; from then on every change shows a new list.
    if (!m_categoryTabs || m_categoryTabs->currentIndex() < 0)
        return;
    showNewList();
}

void CqWndProduct::btnHome_clicked()
{
    MainWindow::instance()->goHome(false);
}

void CqWndProduct::btnContact_clicked()
{
    MainWindow::instance()->showMessage(unavailableText());
}

void CqWndProduct::showNewList()
{
    if (QMdiSubWindow* old = m_listWindow) {
        m_listWindow = nullptr;
        // The list being replaced may be the caller (a cart entry removed, a
        // purchase finished), or have a dialog of its own open.
        m_ui->mdiArea->removeSubWindow(old);
        m_retiredLists->retire(old);
    }
    auto* list = new CqWndItems(currentKind(), 0);
    auto* sub = new QMdiSubWindow;
    // The window's background picture shows through the list, between and
    // behind its see-through cards.
    sub->setAutoFillBackground(false);
    sub->setWidget(list);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    m_ui->mdiArea->addSubWindow(sub);
    sub->setWindowFlags(Qt::FramelessWindowHint);
    sub->showMaximized();
    m_listWindow = sub;
}
