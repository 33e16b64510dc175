#include "planner/cqdlgsample.h"

#include "planner/samplelists.h"
#include "tracker/meals.h"
#include "ui_cqdlgsample.h"

#include <QPainter>
#include <QStringListModel>
#include <QStyledItemDelegate>

namespace {

constexpr int entryHeight = 50;

// One sample title per entry: centred, elided to the width (the whole title
// in the tool tip), a white line under every entry but the last.
class SampleDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        Q_UNUSED(index)
        return QSize(option.rect.width(), entryHeight + 1);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        QFont font(QStringLiteral("Roboto"), 14, QFont::Medium);
        painter->setFont(font);
        painter->setPen(Qt::white);
        const QRect textRect(option.rect.left(), option.rect.top(), option.rect.width(), entryHeight);
        const QString title = index.data(Qt::DisplayRole).toString();
        const QString shown = QFontMetrics(font).elidedText(title, Qt::ElideRight, textRect.width() - 8);
        painter->drawText(textRect, Qt::AlignCenter, shown);
        if (index.row() + 1 < index.model()->rowCount())
            painter->fillRect(QRect(option.rect.left(), option.rect.top() + entryHeight, option.rect.width(), 1),
                              Qt::white);
        painter->restore();
    }
};

// The titles, with each full title as the entry's tool tip.
class SampleModel final : public QStringListModel
{
public:
    using QStringListModel::QStringListModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
            role = Qt::DisplayRole;
        return QStringListModel::data(index, role);
    }
};

} // namespace

CqDlgSample::CqDlgSample(int meal, QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::CqDlgSample)
{
    m_ui->setupUi(this);
    if (Meals::isValid(meal)) {
        const QString title = Meals::sampleTitle(meal);
        m_ui->lblName->setText(title);
        setWindowTitle(title);
    }
    auto* model = new SampleModel(SampleLists::titles(meal), this);
    m_ui->lstSamples->setModel(model);
    m_ui->lstSamples->setItemDelegate(new SampleDelegate(m_ui->lstSamples));
}

CqDlgSample::~CqDlgSample()
{
    delete m_ui;
}

void CqDlgSample::on_btnClose_clicked()
{
    accept();
}
