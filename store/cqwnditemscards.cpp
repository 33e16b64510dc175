// The cards of the store and cart lists, the cart footer and the search box.
#include "store/cqwnditems.h"

#include "app/accountstate.h"
#include "app/labelpicture.h"
#include "store/money.h"
#include "store/storecardrules.h"
#include "store/storelistkind.h"
#include "ui_cqwnditems.h"
#include "widgets/mylabel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QFont roboto(int pointSize, int weight = QFont::Normal)
{
    return QFont(QStringLiteral("Roboto"), pointSize, weight);
}

// A label whose text may be long: it wraps and never widens the card.
QLabel* textLabel(QWidget* parent, const QString& text, int pointSize, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setFont(roboto(pointSize));
    label->setWordWrap(true);
    label->setAlignment(alignment);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

QWidget* CqWndItems::buildCardFrame(const ProductItem& item, QVBoxLayout** body)
{
    auto* card = new QFrame(m_ui->scrollAreaWidgetContents);
    card->setProperty("look", QStringLiteral("card"));
    card->setObjectName(QStringLiteral("card_%1").arg(item.id));
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* title = new MyLabel(card);
    title->setObjectName(QStringLiteral("title_%1").arg(item.id));
    title->setTextFormat(Qt::PlainText);
    title->setWrappedText(item.title);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(roboto(20, QFont::Medium));
    title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(title);
    *body = layout;
    return card;
}

MyLabel* CqWndItems::buildImage(const ProductItem& item, QWidget* parent)
{
    auto* image = new MyLabel(parent);
    image->setObjectName(QStringLiteral("item_%1").arg(item.id));
    image->setAccessibleName(item.title);
    QSize size = StoreListKind::isCartKind(m_kind) ? QSize(450, 300) : QSize(500, 350);
    if (isSmallScreen)
        size = QSize(300, 200);
    image->setFixedSize(size);
    image->setScaledContents(true);
    if (!StoreListKind::isCartKind(m_kind)) {
        image->setCursor(Qt::PointingHandCursor);
        connect(image, &MyLabel::clicked, this, &CqWndItems::on_btnMore_clicked);
    }
    // A card that goes away takes its picture request along.
    LabelPicture::fetch(image, item.image);
    return image;
}

QPushButton* CqWndItems::makeButton(QWidget* parent, const ProductItem& item, const QString& text, int width,
                                    const char* look)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QStringLiteral("item_%1").arg(item.id));
    button->setProperty("look", QString::fromLatin1(look));
    button->setFont(roboto(15, QFont::Medium));
    // At least `width` wide, wider where the language needs it.
    button->setMinimumSize(width, 50);
    button->setMaximumHeight(50);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void CqWndItems::buildStoreCard(const ProductItem& item, QWidget* card, QVBoxLayout* body)
{
    const StoreCardRules::Card rules = StoreCardRules::decide(item, m_kind);

    auto* row = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    MyLabel* image = buildImage(item, card);
    left->addWidget(image);
    QLabel* subtitle = textLabel(card, item.subtitle, 14, Qt::AlignHCenter | Qt::AlignBottom);
    subtitle->setFixedWidth(image->width());
    subtitle->setContentsMargins(0, 10, 0, 0);
    left->addWidget(subtitle);
    row->addLayout(left);

    auto* right = new QVBoxLayout;
    right->addWidget(textLabel(card, item.minidescription, 16, Qt::AlignCenter));
    auto* details = new QPushButton(tr("Product Details"), card);
    details->setObjectName(QStringLiteral("item_%1").arg(item.id));
    details->setProperty("look", QStringLiteral("link"));
    details->setFont(roboto(18));
    details->setFixedSize(250, 30);
    details->setCursor(Qt::PointingHandCursor);
    connect(details, &QPushButton::clicked, this, &CqWndItems::on_btnMore_clicked);
    right->addWidget(details, 0, Qt::AlignHCenter);

    const auto place = [&](const StoreCardRules::Button& rule, void (CqWndItems::*action)()) {
        QPushButton* button = makeButton(card, item, rule.text, rule.width, rule.purchasedLook ? "owned" : "buy");
        button->setVisible(rule.visible);
        if (action)
            connect(button, &QPushButton::clicked, this, action);
        right->addWidget(button, 0, Qt::AlignHCenter);
        return button;
    };
    QPushButton* download = place(rules.download, &CqWndItems::on_btnDown_clicked);
    download->setAccessibleName(rules.download.text);
    place(rules.buy, &CqWndItems::on_btnBuy_clicked)->setAccessibleName(rules.buy.text);
    QPushButton* ebook = place(rules.buyEbook, nullptr);
    ebook->setAccessibleName(rules.buyEbook.text);
    if (rules.ebookOpensViewer) {
        const int id = item.id;
        connect(ebook, &QPushButton::clicked, this, [this, id] { on_btnViewEbook_clicked(id); });
    } else {
        connect(ebook, &QPushButton::clicked, this, &CqWndItems::on_btnBuyEbook_clicked);
    }
    place(rules.program, &CqWndItems::on_btnProgram_clicked)->setAccessibleName(rules.program.text);

    if (StoreListKind::isLibraryKind(m_kind))
        buildLibraryRow(item, card, right);
    right->addStretch();
    row->addLayout(right, 1);
    body->addLayout(row);

    if (StoreListKind::isSearchKind(m_kind))
        m_searchCards.insert(item.id, card);
}

void CqWndItems::buildCartCard(const ProductItem& item, QWidget* card, QVBoxLayout* body)
{
    auto* row = new QHBoxLayout;
    row->addWidget(buildImage(item, card));

    auto* right = new QVBoxLayout;
    QLabel* price = textLabel(card, tr("PRICE - $%1").arg(Money::priceText(item.price)), 18, Qt::AlignLeft);
    price->setObjectName(QStringLiteral("price_%1").arg(item.id));
    right->addWidget(price);
    right->addWidget(textLabel(card, tr("30 DAYS SUBSCRIPTION"), 18, Qt::AlignLeft));
    right->addWidget(textLabel(card, tr("QUANTITY"), 16, Qt::AlignLeft));
    auto* line = new QFrame(card);
    line->setFixedHeight(1);
    line->setStyleSheet(QStringLiteral("background: white;"));
    right->addWidget(line);

    auto* quantityRow = new QHBoxLayout;
    auto* quantity = new QLineEdit(QStringLiteral("1"), card);
    quantity->setObjectName(QStringLiteral("quantity_%1").arg(item.id));
    quantity->setAccessibleName(tr("Quantity"));
    quantity->setProperty("look", QStringLiteral("quantity"));
    quantity->setReadOnly(true);
    quantity->setFont(roboto(18));
    quantity->setFixedWidth(80);
    quantityRow->addWidget(quantity);
    auto* remove = new QPushButton(QStringLiteral("X"), card);
    remove->setObjectName(QStringLiteral("item_%1").arg(item.id));
    remove->setAccessibleName(tr("Remove %1 from the cart").arg(item.title.left(80)));
    remove->setProperty("look", QStringLiteral("remove"));
    remove->setFont(roboto(20));
    remove->setFixedSize(40, 50);
    connect(remove, &QPushButton::clicked, this, &CqWndItems::on_btnCancelCart_clicked);
    quantityRow->addWidget(remove);
    quantityRow->addStretch();
    right->addLayout(quantityRow);
    right->addStretch();
    row->addLayout(right, 1);
    body->addLayout(row);

    m_cartTotalCents += Money::toCents(item.price);
}

void CqWndItems::buildFooter()
{
    m_footerBuilt = true;
    if (!StoreListKind::isCartKind(m_kind))
        return;
    QWidget* contents = m_ui->scrollAreaWidgetContents;
    m_lblSubtotal = new QLabel(tr("SUBTOTAL $%1").arg(Money::amountText(m_cartTotalCents)), contents);
    m_lblSubtotal->setObjectName(QStringLiteral("lblSubtotal"));
    m_lblSubtotal->setFont(roboto(16, QFont::Medium));
    m_lblSubtotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_ui->listLayout->addWidget(m_lblSubtotal);

    m_btnCheckout = new QPushButton(tr("CHECKOUT NOW"), contents);
    m_btnCheckout->setObjectName(QStringLiteral("btnCheckout"));
    m_btnCheckout->setProperty("look", QStringLiteral("buy"));
    m_btnCheckout->setFont(roboto(14, QFont::Medium));
    m_btnCheckout->setFixedSize(300, 50);
    m_btnCheckout->setStyleSheet(QStringLiteral("border-radius: 25px;"));
    connect(m_btnCheckout, &QPushButton::clicked, this, &CqWndItems::on_btnCheckout_clicked);
    m_ui->listLayout->addWidget(m_btnCheckout, 0, Qt::AlignHCenter);
    m_ui->listLayout->addStretch();
    m_lblSubtotal->show();
    m_btnCheckout->show();
}

void CqWndItems::buildSearchBox()
{
    m_search = new QLineEdit(m_ui->scrollAreaWidgetContents);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setAccessibleName(tr("Search"));
    m_search->setPlaceholderText(tr("Search"));
    m_search->setFixedHeight(50);
    m_search->setFont(roboto(16, QFont::Medium));
    connect(m_search, &QLineEdit::editingFinished, this, &CqWndItems::on_search_changed);
    m_ui->listLayout->addWidget(m_search);
}

void CqWndItems::on_search_changed()
{
    if (!m_search)
        return;
    buildPendingCards(m_pendingCards.size()); // a search looks at every card
    const QString text = m_search->text().toLower();
    for (QWidget* card : std::as_const(m_searchCards))
        card->hide();
    if (text.isEmpty())
        return;
    for (const ProductItem& item : std::as_const(m_searchList)) {
        if (item.matches(text)) {
            if (QWidget* card = m_searchCards.value(item.id))
                card->show();
        }
    }
}
