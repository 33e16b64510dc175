#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgWarning;
}

// A warning with OK and CANCEL; run modally, the caller goes on only when it
// is accepted.
class CqDlgWarning final : public QDialog
{
    Q_OBJECT

public:
    CqDlgWarning(const QString& text, QWidget* parent = nullptr);
    ~CqDlgWarning() override;

    QString text() const { return m_text; }

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    std::unique_ptr<Ui::CqDlgWarning> m_ui;
    QString m_text;
};
