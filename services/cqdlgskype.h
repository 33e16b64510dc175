#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgSkype;
}

// Asks whether Skype is installed before a Skype conversation is opened:
// YES accepts, NO rejects.
class CqDlgSkype final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgSkype(QWidget* parent = nullptr);
    ~CqDlgSkype() override;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    std::unique_ptr<Ui::CqDlgSkype> m_ui;
};
