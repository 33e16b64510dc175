#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgTerms;
}

// Shows the service's terms and privacy policy, a document compiled into the
// program, in a read-only browser.
class CqDlgTerms final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgTerms(QWidget* parent = nullptr);
    ~CqDlgTerms() override;

    // The resource holding the document.
    static QString documentPath();

private:
    std::unique_ptr<Ui::CqDlgTerms> m_ui;
};
