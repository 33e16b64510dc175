#pragma once

#include <QWidget>

namespace Ui {
class CqWndSetting;
}

// The settings page of the main window: daily target, food history, coach
// contact, terms, the interface language, and logging out.
class CqWndSetting final : public QWidget
{
    Q_OBJECT

public:
    explicit CqWndSetting(QWidget* parent = nullptr);
    ~CqWndSetting() override;

private slots:
    void on_btnHome_clicked();
    void on_wdgTotal_clicked();
    void on_wdgetHistory_clicked();
    void on_wdgContact_clicked();
    void on_wdgLogout_clicked();
    void on_wdgTerms_clicked();

private:
    void fillLanguages();
    void languageChosen(int index);

    Ui::CqWndSetting* m_ui;
};
