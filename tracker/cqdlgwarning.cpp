#include "tracker/cqdlgwarning.h"

#include "ui_cqdlgwarning.h"

CqDlgWarning::CqDlgWarning(const QString& text, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgWarning>())
    , m_text(text)
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    m_ui->lblTitle->setTextFormat(Qt::PlainText);
    m_ui->lblTitle->setText(text);
}

CqDlgWarning::~CqDlgWarning() = default;

void CqDlgWarning::on_btnOk_clicked()
{
    accept();
}

void CqDlgWarning::on_btnCancel_clicked()
{
    reject();
}
