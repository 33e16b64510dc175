#pragma once

#include <QDialog>

namespace Ui {
class CqDlgVersion;
}

// Offers the update when the server reports another client version.
// "Update" accepts; closing the dialog any other way declines.
class CqDlgVersion final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgVersion(QWidget* parent = nullptr);
    ~CqDlgVersion() override;

private slots:
    void on_btnOk_clicked();

private:
    Ui::CqDlgVersion* m_ui;
};
