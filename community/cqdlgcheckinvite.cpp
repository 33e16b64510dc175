#include "community/cqdlgcheckinvite.h"

#include "ui_cqdlgcheckinvite.h"

CqDlgCheckInvite::CqDlgCheckInvite(int joinedFriends, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgCheckInvite>())
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    // With no friends at all the form's own wording stays.
    if (joinedFriends >= 1) {
        m_ui->lblTitle->setText(tr("YOU NEED MORE WORKOUT FRIENDS"));
        m_ui->lblContent->setText(tr(
            "Having more workout friends will help you stay motivated. Plus, you could really help motivate "
            "others to become and stay healthy.WOULD YOU LIKE TO INVITE SOME WORKOUT FRIENDS NOW?"));
    }
    m_ui->btnYes->setDefault(true);
    // Tall enough for the whole message in a longer language: a dialog does
    // not grow on its own for a text that wraps onto more lines.
    ensurePolished();
    const int needed = heightForWidth(width());
    if (needed > height())
        resize(width(), needed);
}

CqDlgCheckInvite::~CqDlgCheckInvite() = default;

void CqDlgCheckInvite::on_btnYes_clicked()
{
    accept();
}

void CqDlgCheckInvite::on_btnNo_clicked()
{
    reject();
}
