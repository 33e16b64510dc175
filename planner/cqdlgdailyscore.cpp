#include "planner/cqdlgdailyscore.h"

#include "tracker/daystore.h"
#include "tracker/foodnumbers.h"
#include "tracker/meals.h"
#include "ui_cqdlgdailyscore.h"

CqDlgDailyScore::CqDlgDailyScore(QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::CqDlgDailyScore)
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);

    Nutrients day;
    for (int meal = 0; meal < Meals::count; ++meal)
        day += DayStore::mealNutrients(meal);
    m_ui->lblContent->setText(QStringLiteral("Carbs = %1, Fat = %2, Protein = %3, Fiber = %4")
                                  .arg(FoodNumbers::shortest(day.carbs), FoodNumbers::shortest(day.fat),
                                       FoodNumbers::shortest(day.protein), FoodNumbers::shortest(day.fiber)));
}

CqDlgDailyScore::~CqDlgDailyScore()
{
    delete m_ui;
}

void CqDlgDailyScore::on_btnOk_clicked()
{
    accept();
}
