#pragma once

#include "main/retiredwindows.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace Ui {
class CqWndProduct;
}
class CqWndItems;
class QMdiSubWindow;
class QtMaterialFlatButton;
class QtMaterialIconButton;
class QtMaterialTabs;

// The store of one category (0 workout, 1 nutrition, 2 coaching): a header
// with the back button, the category tabs (store, library, cart) and CONTACT
// COACH, a banner, the product tabs, and an area showing the current list.
// Every tab change builds a fresh list window; the one it replaces is closed
// and deleted.
class CqWndProduct final : public QWidget
{
    Q_OBJECT

public:
    explicit CqWndProduct(int category, QWidget* parent = nullptr);
    ~CqWndProduct() override;

    int category() const { return m_category; }
    // The list kind of the current tabs.
    int currentKind() const;
    CqWndItems* currentList() const;

    // Pass-throughs of the list windows: each selects a category tab and so
    // always builds a fresh list, even when the tab was selected already.
    void showCart();    // VIEW CART
    void showLibrary(); // MY LIBRARY
    void showStore();   // the products of the selected product tab

    QtMaterialTabs* categoryTabs() const { return m_categoryTabs; }
    QtMaterialTabs* productTabs() const { return m_productTabs; }

private slots:
    void category_changed(int index);
    void product_changed(int index);
    void btnHome_clicked();
    void btnContact_clicked();

private:
    void buildHeader();
    void buildBanner();
    void showNewList();

    std::unique_ptr<Ui::CqWndProduct> m_ui;
    int m_category;
    QtMaterialIconButton* m_btnHome = nullptr;
    QtMaterialTabs* m_categoryTabs = nullptr;
    QtMaterialFlatButton* m_btnContact = nullptr;
    QtMaterialTabs* m_productTabs = nullptr;
    QPointer<QMdiSubWindow> m_listWindow;
    // Replaced lists go once no dialog they may have opened is running.
    RetiredWindows* m_retiredLists = new RetiredWindows(this);
};
