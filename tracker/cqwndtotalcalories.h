#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class CqWndTotalCalories;
}

// Asks for the daily calorie target. First use (the planner home, while no
// target is stored) offers only SET; from the settings it offers UPDATE and
// CANCEL. The window cannot be closed any other way, and tells when it has
// closed. The settings window opens it through
// DialogFactory::Kind::TotalCalories; the planner home builds it itself to
// connect sig_updated_totalcalories().
class CqWndTotalCalories final : public QWidget
{
    Q_OBJECT

public:
    explicit CqWndTotalCalories(bool firstUse, QWidget* parent = nullptr);
    ~CqWndTotalCalories() override;

signals:
    void sig_updated_totalcalories();

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<Ui::CqWndTotalCalories> m_ui;
    bool m_firstUse;
    bool m_mayClose = false;
};
