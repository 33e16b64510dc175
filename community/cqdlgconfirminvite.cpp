#include "community/cqdlgconfirminvite.h"

#include "ui_cqdlgconfirminvite.h"

CqDlgConfirmInvite::CqDlgConfirmInvite(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgConfirmInvite>())
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    m_ui->btnOk->setDefault(true);
}

CqDlgConfirmInvite::~CqDlgConfirmInvite() = default;

void CqDlgConfirmInvite::on_btnOk_clicked()
{
    accept();
}

void CqDlgConfirmInvite::on_btnCancel_clicked()
{
    reject();
}
