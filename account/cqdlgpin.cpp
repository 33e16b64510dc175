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
    if (m_ui->edtPin->text() == m_code) {
        accept();
        return;
    }
    Utils::instance()->showMessage(m_bar, QStringLiteral("Pincode incorrect."));
}

void CqDlgPin::on_btnCancel_clicked()
{
    reject();
}
