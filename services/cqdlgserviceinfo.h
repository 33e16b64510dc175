#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgServiceInfo;
}
class AppointmentRecorder;

// How to hold a bought live service with its coach: SKYPE (after asking
// whether Skype is installed) or WHAT'S APP opens the conversation with the
// coach's contact through the desktop's URL handler and records the
// appointment on the server. The dialog stays open until CLOSE (accepts).
// Scheduling mode explains how to agree on a time; appointment mode is for
// the day of the appointment.
class CqDlgServiceInfo final : public QDialog
{
    Q_OBJECT

public:
    CqDlgServiceInfo(bool scheduling, const QString& skypeName, const QString& whatsappNumber,
                     const QString& serviceId, QWidget* parent = nullptr);
    ~CqDlgServiceInfo() override;

    // Records the appointments; it may outlive the dialog for a while.
    AppointmentRecorder* recorder() const { return m_recorder; }

private slots:
    void on_btnSkype_clicked();
    void on_btnWhatsapp_clicked();
    void on_btnClose_clicked();

private:
    void sendMakeAppoint();

    std::unique_ptr<Ui::CqDlgServiceInfo> m_ui;
    bool m_scheduling;
    QString m_skypeName;
    QString m_whatsappNumber;
    QString m_serviceId;
    AppointmentRecorder* m_recorder; // not a child: it may outlive the dialog
};
