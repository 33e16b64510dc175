#include "tracker/cqwndtotalcalories.h"

#include "tracker/daystore.h"
#include "tracker/foodnumbers.h"
#include "tracker/legibility.h"

#include "main/mainwindow.h"

#include "ui_cqwndtotalcalories.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpressionValidator>

CqWndTotalCalories::CqWndTotalCalories(bool firstUse, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::CqWndTotalCalories>())
    , m_firstUse(firstUse)
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    if (firstUse) {
        m_ui->btnCancel->hide();
        m_ui->btnOk->setText(tr("SET"));
    } else {
        m_ui->btnOk->setText(tr("UPDATE"));
    }
    // Digits and the language's grouping mark ("1.850" in Spanish): a target
    // is a positive whole number of calories.
    const QString group = QRegularExpression::escape(QLocale().groupSeparator());
    const QRegularExpression digits(QStringLiteral("[\\d%1]{1,13}").arg(group));
    m_ui->edtTotal->setValidator(new QRegularExpressionValidator(digits, m_ui->edtTotal));
    Legibility::darkFieldText(m_ui->edtTotal);
    connect(m_ui->edtTotal, &QLineEdit::returnPressed, m_ui->btnOk, &QPushButton::click);
}

CqWndTotalCalories::~CqWndTotalCalories() = default;

void CqWndTotalCalories::on_btnOk_clicked()
{
    m_mayClose = true;
    // Kept as a plain whole number, however the member wrote it.
    const int target = FoodNumbers::readTypedWhole(m_ui->edtTotal->text()).value_or(0);
    if (target == 0) {
        if (MainWindow* window = MainWindow::instance())
            window->showMessage(tr("Endter your total calories"));
        return;
    }
    DayStore::setDailyTarget(target);
    close();
}

void CqWndTotalCalories::on_btnCancel_clicked()
{
    m_mayClose = true;
    close();
}

void CqWndTotalCalories::closeEvent(QCloseEvent* event)
{
    if (!m_mayClose) {
        event->ignore();
        return;
    }
    emit sig_updated_totalcalories();
    event->accept();
}

void CqWndTotalCalories::keyPressEvent(QKeyEvent* event)
{
    // Escape cancels where CANCEL is offered; at first use a target is needed.
    if (event->key() == Qt::Key_Escape && !m_firstUse) {
        on_btnCancel_clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}
