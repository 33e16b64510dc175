#include "app/cqdlgversion.h"

#include "ui_cqdlgversion.h"

CqDlgVersion::CqDlgVersion(QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::CqDlgVersion)
{
    m_ui->setupUi(this);
}

CqDlgVersion::~CqDlgVersion()
{
    delete m_ui;
}

void CqDlgVersion::on_btnOk_clicked()
{
    accept();
}
