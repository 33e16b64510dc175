#include "store/cqdlgdetails.h"

#include "account/accountlook.h"
#include "app/labelpicture.h"
#include "store/productitem.h"
#include "ui_cqdlgdetails.h"

CqDlgDetails::CqDlgDetails(const ProductItem& item, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgDetails>())
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, true);
    m_ui->lblTitle->setText(item.title);
    m_ui->lblSubTitle->setText(item.subtitle);
    m_ui->lblMini->setText(item.minidescription);
    m_ui->lblFull->setText(item.fulldescription);
    m_ui->lblImage->setAccessibleName(item.title);
    for (QLabel* label : {m_ui->lblTitle, m_ui->lblSubTitle, m_ui->lblMini, m_ui->lblFull})
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    LabelPicture::fetch(m_ui->lblImage, item.image);
}

CqDlgDetails::~CqDlgDetails() = default;

void CqDlgDetails::on_btnClose_clicked()
{
    reject();
}
