#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgRemoveCalory;
}

// Asks before the tracker deletes a food of the member's own, or removes a
// chosen food or a whole category from a meal. Run modally; the caller acts
// only when it is accepted.
class CqDlgRemoveCalory final : public QDialog
{
    Q_OBJECT

public:
    CqDlgRemoveCalory(const QString& name, QWidget* parent = nullptr);
    ~CqDlgRemoveCalory() override;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    std::unique_ptr<Ui::CqDlgRemoveCalory> m_ui;
};
