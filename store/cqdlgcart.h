#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgCart;
}

// Asked after something went into the cart: 1 to view the cart and check
// out, 0 to keep shopping.
class CqDlgCart final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgCart(QWidget* parent = nullptr);
    ~CqDlgCart() override;

private slots:
    void on_btnCart_clicked();
    void on_btnContinue_clicked();

private:
    std::unique_ptr<Ui::CqDlgCart> m_ui;
};
