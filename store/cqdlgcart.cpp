#include "store/cqdlgcart.h"

#include "account/accountlook.h"
#include "ui_cqdlgcart.h"

CqDlgCart::CqDlgCart(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgCart>())
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, true);
}

CqDlgCart::~CqDlgCart() = default;

void CqDlgCart::on_btnCart_clicked()
{
    done(1);
}

void CqDlgCart::on_btnContinue_clicked()
{
    done(0);
}
