#include "account/cqdlgpin.h"

#include "account/accountlook.h"
#include "app/utils.h"
#include "widgets/qtmaterialsnackbar.h"
#include "ui_cqdlgpin.h"

CqDlgPin::CqDlgPin(QtMaterialSnackbar* bar, const QString& code, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgPin>())
    , m_bar(bar)
    , m_code(code)
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, true);
}

CqDlgPin::~CqDlgPin() = default;

void CqDlgPin::on_btnOk_clicked()
{
    // Exact comparison: the code is case-sensitive and a stray space is wrong.
    // No expected code: nothing typed is never right, anything else goes to
    // the service.
    const QString typed = m_ui->edtPin->text();
    if (m_code.isEmpty() ? !typed.isEmpty() : typed == m_code) {
        accept();
        return;
    }
    Utils::instance()->showMessage(m_bar, tr("Pincode incorrect."));
}

QString CqDlgPin::typedCode() const
{
    return m_ui->edtPin->text();
}

void CqDlgPin::on_btnCancel_clicked()
{
    reject();
}
