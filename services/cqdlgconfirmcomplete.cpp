#include "services/cqdlgconfirmcomplete.h"

#include "services/servicelook.h"
#include "ui_cqdlgconfirmcomplete.h"

CqDlgConfirmComplete::CqDlgConfirmComplete(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgConfirmComplete>())
{
    m_ui->setupUi(this);
    ServiceLook::makeFrameless(this);
    // Completing cannot be undone: the safe answer has the focus.
    m_ui->btnCancel->setFocus();
}

CqDlgConfirmComplete::~CqDlgConfirmComplete() = default;

void CqDlgConfirmComplete::on_btnOk_clicked()
{
    accept();
}

void CqDlgConfirmComplete::on_btnCancel_clicked()
{
    reject();
}
