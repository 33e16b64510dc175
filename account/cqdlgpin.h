#pragma once

#include <QDialog>
#include <QPointer>

#include <memory>

namespace Ui {
class CqDlgPin;
}
class QtMaterialSnackbar;

// Asks for the code the service mailed to confirm this computer. With an
// expected code (a service that sends it back) accepted only when the typed
// code is exactly that one; without one, any typed code is accepted and the
// service judges it when it is sent. A wrong code is reported on the lent
// message bar and may be retried any number of times.
class CqDlgPin final : public QDialog
{
    Q_OBJECT

public:
    CqDlgPin(QtMaterialSnackbar* bar, const QString& code, QWidget* parent = nullptr);
    ~CqDlgPin() override;

    // The code as typed.
    QString typedCode() const;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    std::unique_ptr<Ui::CqDlgPin> m_ui;
    QPointer<QtMaterialSnackbar> m_bar; // the login dialog's; it may go first
    QString m_code;
};
