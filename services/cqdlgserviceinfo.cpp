#include "services/cqdlgserviceinfo.h"

#include "app/accountstate.h"
#include "main/windowplacement.h"
#include "services/appointmentlinks.h"
#include "services/appointmentrecorder.h"
#include "services/cqdlgskype.h"
#include "services/servicelook.h"
#include "ui_cqdlgserviceinfo.h"

#include <QDesktopServices>

CqDlgServiceInfo::CqDlgServiceInfo(bool scheduling, const QString& skypeName, const QString& whatsappNumber,
                                   const QString& serviceId, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgServiceInfo>())
    , m_scheduling(scheduling)
    , m_skypeName(skypeName)
    , m_whatsappNumber(whatsappNumber)
    , m_serviceId(serviceId)
    , m_recorder(new AppointmentRecorder)
{
    m_ui->setupUi(this);
    ServiceLook::makeFrameless(this);

    if (!m_scheduling) {
        m_ui->lblContent->setText(tr(
            "ON THE DAY OF YOUR APPOINTMENT\nplease select one of the two video conference platforms to begin "
            "your video conference appointment."));
        m_ui->lblContent->setTextFormat(Qt::PlainText);
        m_ui->lblWarning->hide();
        for (QPushButton* button : {m_ui->btnSkype, m_ui->btnWhatsapp, m_ui->btnClose})
            button->setStyleSheet(ServiceLook::pinkOrangeButton(8) + QStringLiteral(" QPushButton { padding: 12px 18px; }"));
    }
    m_ui->btnSkype->setFocus();
}

CqDlgServiceInfo::~CqDlgServiceInfo()
{
    m_recorder->release();
}

void CqDlgServiceInfo::on_btnSkype_clicked()
{
    CqDlgSkype question(nullptr);
    WindowPlacement::keepOver(&question, this);
    if (question.exec() != QDialog::Accepted) {
        QDesktopServices::openUrl(AppointmentLinks::skypeDownload());
        return;
    }
    QDesktopServices::openUrl(AppointmentLinks::skypeChat(m_skypeName));
    sendMakeAppoint();
}

void CqDlgServiceInfo::on_btnWhatsapp_clicked()
{
    QDesktopServices::openUrl(AppointmentLinks::whatsappChat(m_whatsappNumber));
    sendMakeAppoint();
}

void CqDlgServiceInfo::on_btnClose_clicked()
{
    accept();
}

void CqDlgServiceInfo::sendMakeAppoint()
{
    m_recorder->record(currentUserId, m_serviceId);
}
