#pragma once

#include <QDialog>

#include <memory>

class ListStatus;
class Server;
struct AboutEntry;

namespace Ui {
class CqDlgAboutUs;
}

// The coaches and staff of the service, one card each with a photo, phone,
// e-mail and a few words about them.
class CqDlgAboutUs final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgAboutUs(QWidget* parent = nullptr);
    ~CqDlgAboutUs() override;

private slots:
    void slt_net_about(QString reply);
    void slt_net_error(QString message);

private:
    void addCard(const AboutEntry& entry);

    std::unique_ptr<Ui::CqDlgAboutUs> m_ui;
    Server* m_server;
    ListStatus* m_status;
};
