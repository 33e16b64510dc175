#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgAddress;
}

// The billing address of a checkout, or (without the billing flag) the
// shipping address. Either one fills the address of the payment record, so
// the last address entered is the one sent. Accepted when all nine fields
// are filled.
class CqDlgAddress final : public QDialog
{
    Q_OBJECT

public:
    CqDlgAddress(int listKind, bool billing, QWidget* parent = nullptr);
    ~CqDlgAddress() override;

    // The member asked to ship somewhere else ("Ship to a different address?").
    bool shipsElsewhere() const;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    std::unique_ptr<Ui::CqDlgAddress> m_ui;
};
