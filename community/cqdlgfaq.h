#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgFaq;
}

// The help page: how to get started, what is free and what can be bought,
// and how to reach a coach or a nutritionist. "OK" accepts.
class CqDlgFaq final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgFaq(QWidget* parent = nullptr);
    ~CqDlgFaq() override;

    static QString helpText();

private slots:
    void on_btnOk_clicked();

private:
    std::unique_ptr<Ui::CqDlgFaq> m_ui;
};
