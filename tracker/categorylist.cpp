#include "tracker/categorylist.h"

#include "tracker/trackerlook.h"

#include "widgets/mywidget.h"
#include "widgets/qtmaterialraisedbutton.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>

namespace {

const QString expandIcon = QStringLiteral(":/main/assets/expand.png");
const QString collapseIcon = QStringLiteral(":/main/assets/collpase.png");

// A category-list entry that the keyboard can open as well.
class CategoryEntry final : public MyWidget
{
public:
    explicit CategoryEntry(QWidget* parent = nullptr) : MyWidget(parent)
    {
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            emit clicked();
            return;
        }
        MyWidget::keyPressEvent(event);
    }
};

} // namespace

CategoryList::CategoryList(QWidget* content, QBoxLayout* entries, QBoxLayout* buttonPlace, QObject* parent)
    : QObject(parent)
    , m_content(content)
    , m_entries(entries)
    , m_button(new QtMaterialRaisedButton(tr("Add Category"), buttonPlace->parentWidget()))
{
    m_button->setObjectName(QStringLiteral("btnCategory"));
    m_button->setCheckable(true);
    m_button->setIcon(QIcon(expandIcon));
    m_button->setIconSize(QSize(40, 40));
    m_button->setFixedHeight(70);
    m_button->setFont(TrackerLook::roboto(14));
    m_button->setBackgroundColor(QColor(QStringLiteral("#505067")));
    m_button->setForegroundColor(Qt::white);
    connect(m_button, &QAbstractButton::clicked, this, &CategoryList::toggle);
    buttonPlace->addWidget(m_button);
    m_content->hide();
}

void CategoryList::build(const QList<FoodCatalogue::Entry>& entries)
{
    // One style sheet for the whole list: a style sheet per entry would be
    // parsed and polished 200 times over for a large catalogue.
    m_content->setStyleSheet(
        QStringLiteral("[categoryEntry=\"true\"] { background-color: #505067; }"
                       " QLabel[categoryTitle=\"true\"] { color:white; padding-left:30px; }"));
    const QPixmap checkMark = QPixmap(QStringLiteral(":/main/assets/check.png"))
                                  .scaled(40, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QFont font = TrackerLook::roboto(14);
    m_content->setUpdatesEnabled(false);
    for (const FoodCatalogue::Entry& entry : entries) {
        auto* row = new CategoryEntry(m_content);
        row->setObjectName(QStringLiteral("%1_%2").arg(entry.title).arg(entry.id));
        row->setProperty("categoryEntry", true);
        row->setAccessibleName(entry.title);
        row->setProperty("categoryId", entry.id);
        row->setProperty("categoryTitle", entry.title);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* title = new QLabel(entry.title, row);
        title->setProperty("categoryTitle", true);
        title->setTextFormat(Qt::PlainText);
        title->setFont(font);
        title->setFixedHeight(60);
        auto* check = new QLabel(row);
        check->setObjectName(QStringLiteral("check"));
        check->setPixmap(checkMark);
        check->setFixedHeight(60);
        check->hide();
        row->setLabel(check);
        layout->addWidget(title, 9);
        layout->addWidget(check, 1);
        connect(this, &CategoryList::hidden, check, &QLabel::setHidden);
        connect(row, &MyWidget::clicked, this, [this, row] { open(row); });
        m_entries->addWidget(row);
    }
    m_content->setUpdatesEnabled(true);
}

void CategoryList::toggle()
{
    applyState();
}

void CategoryList::applyState()
{
    const bool open = m_button->isChecked();
    m_button->setIcon(QIcon(open ? collapseIcon : expandIcon));
    m_content->setVisible(open);
}

void CategoryList::open(QWidget* entry)
{
    emit hidden(true);
    if (auto* row = qobject_cast<MyWidget*>(entry); row && row->label())
        row->label()->show();
    // The entry's own title: a repeated id opens the later category under
    // the title that was clicked.
    m_button->setText(entry->property("categoryTitle").toString());
    m_button->setChecked(!m_button->isChecked());
    applyState();
    emit opened(entry->property("categoryId").toInt());
}
