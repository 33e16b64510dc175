#pragma once

#include <QWidget>

namespace Ui {
class CqWndLoading;
}

// The busy overlay: a frameless, translucent, always-on-top window with a
// spinning indicator, shown while a list window waits for its reply. It is
// "loading" from the moment it is shown until stopLoading(); meanwhile the
// member cannot close it and the navigation buttons are ignored.
class CqWndLoading final : public QWidget
{
    Q_OBJECT

public:
    explicit CqWndLoading(QWidget* parent = nullptr);
    ~CqWndLoading() override;

public slots:
    void stopLoading();
    bool isLoading() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Ui::CqWndLoading* m_ui;
    bool m_stopped = true;
};

// The one busy overlay of the program, created by start-up.
inline CqWndLoading* loadingWindow = nullptr;

// True while the busy overlay exists and is loading.
inline bool isBusyLoading()
{
    return loadingWindow && loadingWindow->isLoading();
}
