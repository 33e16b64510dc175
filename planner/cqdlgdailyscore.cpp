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
    //: Grams of each nutrient eaten today
    m_ui->lblContent->setText(tr("Carbs = %1, Fat = %2, Protein = %3, Fiber = %4")
                                  .arg(FoodNumbers::shownShortest(day.carbs), FoodNumbers::shownShortest(day.fat),
                                       FoodNumbers::shownShortest(day.protein),
                                       FoodNumbers::shownShortest(day.fiber)));
}

CqDlgDailyScore::~CqDlgDailyScore()
{
    delete m_ui;
}

void CqDlgDailyScore::on_btnOk_clicked()
{
    accept();
}
