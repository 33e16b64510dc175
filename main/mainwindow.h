#pragma once

#include "main/subwindowfactory.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class HistoryModel;
struct ProductItem;
class CqWndProduct;
class DayRollover;
class DayUpload;
class QMdiSubWindow;
class QtMaterialSnackbar;
class Server;

namespace Ui {
class MainWindow;
}

// The one top-level window of the signed-in member: a left panel with the
// feature buttons and the current special offer, and a multi-document area in
// which every feature window lives as a frameless, maximised sub-window.
// Feature windows navigate through instance() and post short messages to its
// message bar.
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    // The first main window constructed becomes the instance; instance()
    // creates one (hidden, without parent) when none exists yet.
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    static MainWindow* instance();

    // The sub-window of `kind` (SubWindowKind): the kept one, or a new one
    // built by the kind's creator. Null when the kind has no window.
    QMdiSubWindow* subWindow(int kind);
    // Activates `existing` after running its kind's refresher (the member
    // comes back to it), or adds subWindow(kind) to the area, frameless and
    // maximised.
    void showSubWindow(int kind, QMdiSubWindow* existing);

    // true: the meal planner home (refreshed); false: the workout store.
    void goHome(bool plannerHome);
    // Back from `window` (a kept sub-window's widget) to the window the member
    // came from; the planner home goes through goHome, which brings its
    // figures up to date.
    void goBackFrom(QWidget* window);
    void showSettings();
    void showHistory();
    // The weight log, kept for the run and refreshed on every return.
    void showWeight();
    // The exercise window, kept for the run and refreshed on every return.
    void showExercise();
    // The kept window of `kind` (SubWindowKind), without building one; null
    // when the member has not opened it.
    QWidget* keptWindow(int kind) const;
    // A new tracker window for `meal`; the previous one is closed.
    void showTracker(int meal);
    // A new history-details window for `record`; the previous one is closed.
    void showHistoryDetails(HistoryModel* record);
    void showMessage(const QString& text);
    // Runs the product details dialog for `item`.
    void showDetails(const ProductItem& item);

    // The store operations of the active store window (cart, library,
    // store tab). Nothing happens when another feature is active.
    void showCart();
    void showLibrary();
    void showStore();
    // Starts a fresh copy of the program and ends this one.
    void restartApplication();
    // Closes a finished day (the date moved on since the day store's) and
    // sends the finished days still queued; run once the member is signed in.
    void startDay();

    // The arguments the next tracker / history-details window is built with.
    int trackerMeal() const { return m_trackerMeal; }
    HistoryModel* historyDetailsRecord() const { return m_historyRecord; }

    QtMaterialSnackbar* messageBar() const { return m_snackbar; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void on_btnWork_clicked();
    void on_btnFood_clicked();
    void on_btnNutrition_clicked();
    void on_btnCoaching_clicked();
    void on_btnTele_clicked();
    void on_btnMore_clicked();
    void on_btnAbout_clicked();
    void on_btnContact_clicked();
    void on_btnFriend_clicked();
    void on_btnInvite_clicked();
    void on_btnWeight_clicked();
    void on_btnExercise_clicked();
    void on_btnPlus_clicked();
    void on_lblProductPicture_clicked();

    void slt_net_specialoffer(QString reply);
    void slt_net_realfriend(QString reply);

private:
    void styleWidgets();
    void applySizeLayout();
    void runFirstPaint();
    // Asks for the member's joined friends when the check day has come.
    void startFriendsCheck();
    // Replaces the kept sub-window of a kind that gets a new window per request.
    void replaceSubWindow(int kind);
    // Closes the kept window of `kind`, if any: the next show makes a new one.
    void retireSubWindow(int kind);
    CqWndProduct* activeStore() const;

    Ui::MainWindow* m_ui;
    QtMaterialSnackbar* m_snackbar;
    Server* m_server;
    DayRollover* m_dayRollover;
    DayUpload* m_dayUpload;
    std::array<QPointer<QMdiSubWindow>, SubWindowKind::Count> m_subWindows;
    int m_trackerMeal = 0;
    HistoryModel* m_historyRecord = nullptr;
    QString m_offerVideoUrl;
    bool m_firstPaintDone = false;
    bool m_restartRequested = false;
    // A finished day reached the service after the history list was read.
    bool m_historyOutdated = false;
};
