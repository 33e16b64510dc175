#include "main/cqwndsetting.h"

#include "app/accountstate.h"
#include "app/interfacelanguage.h"
#include "app/sessioncookies.h"
#include "app/utils.h"
#include "main/dialogfactory.h"
#include "main/mainwindow.h"
#include "reminders/cqremindersettings.h"
#include "tracker/legibility.h"
#include "ui_cqwndsetting.h"

CqWndSetting::CqWndSetting(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::CqWndSetting)
{
    m_ui->setupUi(this);
    Utils::instance()->setBackground(m_ui->widget, 0);
    Legibility::titleOnScrim(m_ui->lblTitle, m_ui->titleLayout);
    fillLanguages();
    // Reminders: a section of its own, above the closing spacer.
    m_ui->panelLayout->insertWidget(m_ui->panelLayout->count() - 1, new CqReminderSettings(this));
}

CqWndSetting::~CqWndSetting()
{
    delete m_ui;
}

void CqWndSetting::fillLanguages()
{
    QComboBox* box = m_ui->cmbLanguage;
    box->addItem(tr("System language"), QString());
    // Each language is named in itself, so a member who cannot read the
    // current one still finds their own.
    box->addItem(QStringLiteral("English"), QStringLiteral("en"));
    box->addItem(QStringLiteral("Español"), QStringLiteral("es"));
    const int current = box->findData(InterfaceLanguage::chosen());
    box->setCurrentIndex(current < 0 ? 0 : current);
    connect(box, &QComboBox::activated, this, &CqWndSetting::languageChosen);
}

void CqWndSetting::languageChosen(int index)
{
    InterfaceLanguage::setChosen(m_ui->cmbLanguage->itemData(index).toString());
}

void CqWndSetting::on_btnHome_clicked()
{
    MainWindow::instance()->goHome(true);
}

void CqWndSetting::on_wdgTotal_clicked()
{
    // Argument 0: the target is being changed, not asked for on first use.
    DialogFactory::run(DialogFactory::Kind::TotalCalories, 0);
}

void CqWndSetting::on_wdgetHistory_clicked()
{
    MainWindow::instance()->showHistory();
}

void CqWndSetting::on_wdgContact_clicked()
{
    MainWindow::instance()->showMessage(
        tr("This is not available in Desktop.\n Use mobile version for this function."));
}

void CqWndSetting::on_wdgLogout_clicked()
{
    // The new instance finds no remembered e-mail and asks for a login. The
    // member's own store (password included) is left as it is.
    currentEmail.clear();
    Utils::instance()->saveEmail();
    SessionCookies::forget();
    MainWindow::instance()->restartApplication();
}

void CqWndSetting::on_wdgTerms_clicked()
{
    DialogFactory::run(DialogFactory::Kind::Terms);
}
