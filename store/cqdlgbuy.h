#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgBuy;
}
class ReplyDeadline;
class Server;
struct ProductItem;

// Puts a product, or its e-book, into the member's cart on the server. The
// texts say what is bought: a 30-day video subscription, an e-book
// subscription, or a physical product. Accepted once the entry is in the
// cart. Adjusts the item's ebook member to what is really bought.
class CqDlgBuy final : public QDialog
{
    Q_OBJECT

public:
    CqDlgBuy(ProductItem& item, QWidget* parent = nullptr);
    ~CqDlgBuy() override;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();
    void slt_net_checkout(QString reply);
    void slt_net_error(QString message);

private:
    std::unique_ptr<Ui::CqDlgBuy> m_ui;
    Server* m_server;
    ReplyDeadline* m_deadline;
    ProductItem& m_item;
    bool m_sent = false;
};
