#pragma once

#include "main/retiredwindows.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

namespace Ui {
class CqWndService;
}
class QMdiSubWindow;
class QtMaterialTabs;

// The live-services window: the top tabs choose the store, the member's
// purchases or the service cart; in the store a second row chooses the
// service type. Each of the five lists is a CqWndServiceItem kept in the
// inner area once built; the operations below empty list slots so that the
// next visit builds the list anew from the server. A list that could not be
// loaded is built anew on every return to its tab or to this window.
class CqWndService final : public QWidget
{
    Q_OBJECT

public:
    explicit CqWndService(QWidget* parent = nullptr);
    ~CqWndService() override;

    // The services window that `list` lives in, or null.
    static CqWndService* of(QWidget* list);

    // Empties the cart's slot; `showCart` then selects the cart tab, which
    // builds a new cart list.
    void dropCartList(bool showCart);
    // Empties the slots of the store lists and the purchases; selects the
    // purchases tab.
    void showPurchaseTab();
    // Empties every slot; selects the store tab.
    void resetAllLists();
    // Empties the slot of the list the tabs select now.
    void dropCurrentList();
    // The member is back at this window: the list on show is built anew when
    // it could not be loaded.
    void retryFailedList();

    // The list kind the two tab rows select.
    int currentKind() const;
    // The kept sub-window of `kind`, or null when its slot is empty.
    QMdiSubWindow* listWindow(int kind) const;

public slots:
    void category_changed(int index);
    void product_changed(int index);
    void btnHome_clicked();
    void btnContact_clicked();

private:
    void buildTopBar();
    void buildServiceTabs();
    void showCurrentList();
    // Closes the list of `kind` and deletes it once the current event is
    // done: the lists call these operations from their own slots.
    void dropList(int kind);

    std::unique_ptr<Ui::CqWndService> m_ui;
    QtMaterialTabs* m_categoryTabs = nullptr;
    QtMaterialTabs* m_serviceTabs = nullptr;
    std::array<QPointer<QMdiSubWindow>, 5> m_lists;
    // Dropped lists go once no dialog they may have opened is running.
    RetiredWindows* m_droppedLists = new RetiredWindows(this);
};
