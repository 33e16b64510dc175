#include "planner/cqdlgdailygrade.h"

#include "ui_cqdlgdailygrade.h"

CqDlgDailyGrade::CqDlgDailyGrade(QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::CqDlgDailyGrade)
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
}

CqDlgDailyGrade::~CqDlgDailyGrade()
{
    delete m_ui;
}

void CqDlgDailyGrade::on_btnOk_clicked()
{
    accept();
}
