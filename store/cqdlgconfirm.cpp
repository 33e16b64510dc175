#include "store/cqdlgconfirm.h"

#include "account/accountlook.h"
#include "ui_cqdlgconfirm.h"

CqDlgConfirm::CqDlgConfirm(int mode, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgConfirm>())
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, true);
    if (mode == 1) {
        m_ui->lblTitle->setText(tr("ARE YOU SURE?\nSUBSCRIPTION CANCELLATION"));
        m_ui->lblContent->setText(tr("Are you sure you want to\ncancel this subscription?"));
    } else {
        m_ui->lblTitle->setText(tr("ARE YOU SURE? \n VIDEO DELETE"));
        m_ui->lblContent->setText(tr(
            "Are you sure you want to\ndelete this video and download\na new updated version of this video?"));
    }
}

CqDlgConfirm::CqDlgConfirm(const QString& title, const QString& question, QWidget* parent)
    : CqDlgConfirm(0, parent)
{
    m_ui->lblTitle->setText(title);
    m_ui->lblContent->setText(question);
    setAccessibleName(title);
}

CqDlgConfirm::~CqDlgConfirm() = default;

void CqDlgConfirm::on_btnOk_clicked()
{
    done(1);
}

void CqDlgConfirm::on_btnCancel_clicked()
{
    done(0);
}
