#include "community/cqdlgfaq.h"

#include "ui_cqdlgfaq.h"

CqDlgFaq::CqDlgFaq(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgFaq>())
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(tr("FAQ"));
    m_ui->txtFaq->setPlainText(helpText());
    // Read out as a whole: the box alone would be an unnamed, empty-sounding text field.
    m_ui->txtFaq->setAccessibleName(windowTitle());
    m_ui->txtFaq->setAccessibleDescription(helpText());
    m_ui->lblPicture->setAccessibleName(tr("Pinning OLVA Weight Loss to the taskbar"));
    m_ui->btnOk->setDefault(true);
}

CqDlgFaq::~CqDlgFaq() = default;

QString CqDlgFaq::helpText()
{
    return tr(
        "HOW TO GET STARTED\n\n"
        "1. Track your food. The FOOD TRACKER is free for every member: record what you eat at each of the six "
        "meals of the day, and the planner counts your calories, carbohydrates, fat, protein and fibre against "
        "your daily target and scores your day.\n\n"
        "2. Work out and eat well. Workout videos, complete programs and nutrition products can be bought in the "
        "store (WORKOUT VIDEOS, and the store's nutrition and coaching pages). Bought videos are kept in your "
        "library and can be downloaded to watch offline.\n\n"
        "3. Talk to people. Live fitness calls and telehealth services (TELE HEALTH) are bought like products and "
        "then held as video calls at the time you book.\n\n"
        "4. Ask a question. The FREE COACHING and FREE NUTRITIONIST buttons send a quick text to a coach or a "
        "nutritionist. You will get an answer within 24 hours.\n\n"
        "TIP: pin OLVA Weight Loss to your taskbar so it is one click away every day.");
}

void CqDlgFaq::on_btnOk_clicked()
{
    accept();
}
