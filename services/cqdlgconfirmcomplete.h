#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgConfirmComplete;
}

// Asks before an appointment is marked as completed, which closes the
// purchase: OK accepts, CANCEL rejects. The caller tells the server.
class CqDlgConfirmComplete final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgConfirmComplete(QWidget* parent = nullptr);
    ~CqDlgConfirmComplete() override;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    std::unique_ptr<Ui::CqDlgConfirmComplete> m_ui;
};
