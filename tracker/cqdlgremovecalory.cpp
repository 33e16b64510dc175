#include "tracker/cqdlgremovecalory.h"

#include "ui_cqdlgremovecalory.h"

CqDlgRemoveCalory::CqDlgRemoveCalory(const QString& name, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgRemoveCalory>())
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    // Plain text: a food name typed by a member is never read as markup.
    m_ui->lblTitle->setTextFormat(Qt::PlainText);
    m_ui->lblTitle->setText(name);
}

CqDlgRemoveCalory::~CqDlgRemoveCalory() = default;

void CqDlgRemoveCalory::on_btnOk_clicked()
{
    accept();
}

void CqDlgRemoveCalory::on_btnCancel_clicked()
{
    reject();
}
