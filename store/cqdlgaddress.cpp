#include "store/cqdlgaddress.h"

#include "account/accountlook.h"
#include "main/mainwindow.h"
#include "store/checkoutchecks.h"
#include "store/paymentrecord.h"
#include "ui_cqdlgaddress.h"

CqDlgAddress::CqDlgAddress(int listKind, bool billing, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgAddress>())
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, true);
    // Videos are not shipped: the workout cart has no shipping question.
    if (listKind == 4)
        m_ui->chkShop->hide();
    if (!billing) {
        m_ui->lblTitle->setText(tr("Shipping Address"));
        m_ui->chkShop->hide();
    }
    m_ui->edtCountry->setFocus();
}

CqDlgAddress::~CqDlgAddress() = default;

bool CqDlgAddress::shipsElsewhere() const
{
    return !m_ui->chkShop->isHidden() && m_ui->chkShop->isChecked();
}

void CqDlgAddress::on_btnOk_clicked()
{
    QLineEdit* const fields[CheckoutChecks::AddressFieldCount] = {
        m_ui->edtCountry, m_ui->edtFirstName, m_ui->edtLastName, m_ui->edtAddress, m_ui->edtCity,
        m_ui->edtState,   m_ui->edtCode,      m_ui->edtEmail,    m_ui->edtPhone,
    };
    QStringList texts;
    for (QLineEdit* field : fields)
        texts.append(field->text());
    const CheckoutChecks::Failure failure = CheckoutChecks::checkAddress(texts, PaymentRecord::instance());
    if (failure.passed()) {
        accept();
        return;
    }
    fields[failure.field]->setFocus();
    MainWindow::instance()->showMessage(failure.message);
}

void CqDlgAddress::on_btnCancel_clicked()
{
    reject();
}
