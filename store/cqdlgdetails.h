#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgDetails;
}
struct ProductItem;

// The full description of a product: title, picture, subtitle, short and
// long description, with a close button.
class CqDlgDetails final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgDetails(const ProductItem& item, QWidget* parent = nullptr);
    ~CqDlgDetails() override;

private slots:
    void on_btnClose_clicked();

private:
    std::unique_ptr<Ui::CqDlgDetails> m_ui;
};
