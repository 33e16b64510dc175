#include "services/cqdlgskype.h"

#include "services/servicelook.h"
#include "ui_cqdlgskype.h"

CqDlgSkype::CqDlgSkype(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgSkype>())
{
    m_ui->setupUi(this);
    ServiceLook::makeFrameless(this);
    m_ui->btnOk->setFocus();
}

CqDlgSkype::~CqDlgSkype() = default;

void CqDlgSkype::on_btnOk_clicked()
{
    accept();
}

void CqDlgSkype::on_btnCancel_clicked()
{
    reject();
}
