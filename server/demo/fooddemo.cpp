#include "server/demo/fooddemo.h"

#include <cmath>
#include <initializer_list>

namespace FoodDemo {

namespace {

// Per cup: calories, carbohydrate, fat, protein, fibre (grams).
struct Base
{
    const char* name;
    double cal, carbs, fat, protein, fiber;
};

// A way of preparing or serving a base food: scales it, then adds extras.
struct Variant
{
    const char* label;
    double scale;
    double cal, carbs, fat, protein, fiber;
};

struct Group
{
    const char* title;
    const char* advice;
    std::initializer_list<Base> bases;
    std::initializer_list<Variant> variants;
};

double roundTo(double value, double step)
{
    return std::round(value / step) * step;
}

const Group groups[] = {
    {"Fruits", "Aim for 2 cups of whole fruit a day; fresh or frozen without added sugar is best.",
     {{"Apple slices", 57, 15, 0.2, 0.3, 2.6}, {"Banana", 134, 34, 0.5, 1.6, 3.9},
      {"Blueberries", 84, 21, 0.5, 1.1, 3.6}, {"Strawberries", 49, 12, 0.5, 1.0, 3.0},
      {"Mango chunks", 99, 25, 0.6, 1.4, 2.6}, {"Pineapple chunks", 82, 22, 0.2, 0.9, 2.3},
      {"Grapes", 104, 27, 0.2, 1.1, 1.4}, {"Orange sections", 85, 21, 0.2, 1.7, 4.3},
      {"Watermelon", 46, 12, 0.2, 0.9, 0.6}, {"Pear slices", 81, 22, 0.2, 0.5, 4.4},
      {"Raspberries", 64, 15, 0.8, 1.5, 8.0}, {"Kiwi", 110, 26, 0.9, 2.1, 5.4}},
     {{"fresh", 1.0, 0, 0, 0, 0, 0}, {"frozen", 0.95, 0, 0, 0, 0, 0},
      {"canned in juice", 1.0, 30, 8, 0, 0, -0.8}}},
    {"Vegetables", "Fill half your plate with vegetables; steaming keeps the most nutrients.",
     {{"Broccoli", 31, 6, 0.3, 2.6, 2.4}, {"Carrots", 52, 12, 0.3, 1.2, 3.6},
      {"Cauliflower", 27, 5, 0.3, 2.1, 2.1}, {"Green beans", 31, 7, 0.2, 1.8, 2.7},
      {"Bell pepper", 30, 7, 0.3, 1.0, 2.5}, {"Zucchini", 19, 3.5, 0.4, 1.4, 1.1},
      {"Sweet potato", 114, 27, 0.1, 2.1, 4.0}, {"Corn kernels", 132, 29, 1.8, 5.0, 3.6},
      {"Green peas", 117, 21, 0.6, 7.9, 7.4}, {"Mushrooms", 15, 2.3, 0.2, 2.2, 0.7},
      {"Tomato", 32, 7, 0.4, 1.6, 2.2}, {"Brussels sprouts", 38, 8, 0.3, 3.0, 3.3}},
     {{"raw", 1.0, 0, 0, 0, 0, 0}, {"steamed", 1.05, 0, 0, 0, 0, 0},
      {"roasted with olive oil", 1.0, 60, 0, 7, 0, 0}}},
    {"Leafy Greens", "Greens are nearly free in calories: have as much as you like, go easy on dressing.",
     {{"Spinach", 7, 1.1, 0.1, 0.9, 0.7}, {"Kale", 33, 6, 0.5, 2.9, 1.3},
      {"Romaine lettuce", 8, 1.5, 0.1, 0.6, 1.0}, {"Arugula", 5, 0.7, 0.1, 0.5, 0.3},
      {"Swiss chard", 7, 1.3, 0.1, 0.6, 0.6}, {"Collard greens", 12, 2, 0.2, 1.1, 1.4},
      {"Mixed salad greens", 9, 1.6, 0.1, 0.8, 1.0}, {"Bok choy", 9, 1.5, 0.1, 1.1, 0.7}},
     {{"raw", 1.0, 0, 0, 0, 0, 0}, {"sauteed in olive oil", 1.0, 60, 0.5, 7, 0, 0},
      {"with vinaigrette", 1.0, 70, 2, 7, 0, 0}}},
    {"Grains & Pasta", "Choose whole grains for at least half of your grains; one cup cooked is a generous serving.",
     {{"White rice, cooked", 205, 45, 0.4, 4.3, 0.6}, {"Brown rice, cooked", 216, 45, 1.8, 5.0, 3.5},
      {"Quinoa, cooked", 222, 39, 3.6, 8.1, 5.2}, {"Spaghetti, cooked", 221, 43, 1.3, 8.1, 2.5},
      {"Whole wheat pasta, cooked", 174, 37, 0.8, 7.5, 6.3}, {"Couscous, cooked", 176, 36, 0.3, 6.0, 2.2},
      {"Bulgur, cooked", 151, 34, 0.4, 5.6, 8.2}, {"Pearl barley, cooked", 193, 44, 0.7, 3.5, 6.0},
      {"Egg noodles, cooked", 221, 40, 3.3, 7.3, 1.9}, {"Wild rice, cooked", 166, 35, 0.6, 6.5, 3.0}},
     {{"plain", 1.0, 0, 0, 0, 0, 0}, {"with butter", 1.0, 100, 0, 11.5, 0.1, 0},
      {"with tomato sauce", 1.0, 60, 10, 2, 2, 2}}},
    {"Breakfast Cereals", "Look for cereals with at least 3 g of fibre and little added sugar.",
     {{"Oatmeal, cooked", 166, 28, 3.6, 5.9, 4.0}, {"Corn flakes", 100, 24, 0.1, 2.0, 0.8},
      {"Granola", 597, 65, 29, 18, 11}, {"Bran flakes", 128, 32, 0.9, 3.6, 7.0},
      {"Puffed rice", 56, 13, 0.1, 0.9, 0.2}, {"Muesli", 289, 66, 4.2, 8.2, 6.2},
      {"Shredded wheat", 172, 40, 1.1, 5.8, 6.2}, {"Toasted oat rings", 104, 21, 1.8, 3.4, 2.8}},
     {{"dry", 1.0, 0, 0, 0, 0, 0}, {"with skim milk", 1.0, 45, 6, 0.1, 4, 0},
      {"with whole milk", 1.0, 75, 6, 4, 4, 0}}},
    {"Breads & Wraps", "Whole-grain breads keep you full longer; watch spreads and fillings.",
     {{"White bread cubes", 120, 22, 1.5, 3.5, 1.0}, {"Whole wheat bread cubes", 138, 23, 2.0, 6.0, 3.0},
      {"Rye bread cubes", 133, 25, 1.7, 4.3, 3.0}, {"Pita pieces", 165, 33, 0.7, 5.5, 1.3},
      {"Tortilla strips", 146, 25, 3.2, 3.9, 1.6}, {"Bagel pieces", 196, 38, 1.2, 7.6, 1.6},
      {"Sourdough cubes", 129, 25, 0.9, 5.2, 1.1}, {"Cornbread cubes", 260, 40, 8.5, 5.4, 2.0}},
     {{"plain", 1.0, 0, 0, 0, 0, 0}, {"toasted", 1.0, 5, 1, 0, 0, 0},
      {"with peanut butter", 1.0, 95, 3, 8, 4, 1}}},
    {"Beans & Legumes", "Beans count as both protein and vegetables and are rich in fibre.",
     {{"Black beans", 227, 41, 0.9, 15, 15}, {"Chickpeas", 269, 45, 4.2, 14.5, 12.5},
      {"Lentils", 230, 40, 0.8, 18, 15.6}, {"Kidney beans", 225, 40, 0.9, 15, 11},
      {"Pinto beans", 245, 45, 1.1, 15.4, 15.4}, {"Edamame", 188, 14, 8, 18, 8},
      {"Split peas", 231, 41, 0.8, 16, 16}, {"Navy beans", 255, 47, 1.1, 15, 19}},
     {{"boiled", 1.0, 0, 0, 0, 0, 0}, {"canned, drained", 0.95, 0, 0, 0, 0, 0},
      {"refried", 1.0, 40, 1, 4, 0, 0}}},
    {"Nuts & Seeds", "Nuts are healthy but dense: a quarter cup is a serving, a full cup is a meal.",
     {{"Almonds", 828, 31, 71, 30, 17.9}, {"Walnut halves", 654, 14, 65, 15, 6.7},
      {"Peanuts", 828, 24, 72, 38, 12}, {"Cashews", 786, 45, 63, 21, 4.3},
      {"Sunflower seeds", 818, 28, 72, 29, 12}, {"Pumpkin seeds", 721, 14, 63, 39, 8},
      {"Pistachios", 689, 34, 56, 25, 12.6}, {"Mixed nuts", 813, 35, 70, 24, 9}},
     {{"raw", 1.0, 0, 0, 0, 0, 0}, {"roasted and salted", 1.03, 0, 0, 0, 0, 0},
      {"honey roasted", 1.0, 80, 20, 0, 0, 0}}},
    {"Dairy", "Two to three cups of low-fat dairy a day cover most of your calcium.",
     {{"Skim milk", 83, 12, 0.2, 8.3, 0}, {"Whole milk", 149, 12, 8, 7.7, 0},
      {"Greek yogurt, nonfat", 130, 9, 0.7, 23, 0}, {"Low-fat yogurt", 154, 17, 3.8, 13, 0},
      {"Cottage cheese, low-fat", 163, 6, 2.3, 28, 0}, {"Cheddar, shredded", 455, 1.4, 37, 28, 0},
      {"Mozzarella, shredded", 336, 2.4, 25, 25, 0}, {"Ricotta, part-skim", 339, 13, 19, 28, 0}},
     {{"plain", 1.0, 0, 0, 0, 0, 0}, {"with honey", 1.0, 64, 17, 0, 0, 0},
      {"with berries", 1.0, 40, 10, 0.2, 0.5, 2}}},
    {"Eggs", "Eggs are an inexpensive protein; egg whites carry almost none of the fat.",
     {{"Scrambled eggs", 365, 4.9, 27, 24, 0}, {"Hard-boiled egg, chopped", 211, 1.5, 14, 17, 0},
      {"Egg whites, cooked", 126, 1.8, 0.4, 26, 0}, {"Omelette", 340, 2.5, 26, 23, 0},
      {"Poached eggs", 286, 1.5, 19, 25, 0}, {"Egg salad", 583, 3, 54, 20, 0}},
     {{"plain", 1.0, 0, 0, 0, 0, 0}, {"with cheese", 1.0, 110, 0.4, 9, 7, 0},
      {"with vegetables", 1.0, 25, 5, 0.2, 1, 1.5}}},
    {"Poultry", "Skinless poultry is among the leanest proteins; grilled beats breaded.",
     {{"Chicken breast, diced", 231, 0, 5, 43, 0}, {"Chicken thigh, diced", 293, 0, 15, 37, 0},
      {"Turkey breast, diced", 189, 0, 1.0, 42, 0}, {"Ground turkey", 320, 0, 18, 38, 0},
      {"Shredded roast chicken", 266, 0, 11, 38, 0}, {"Duck breast, sliced", 281, 0, 16, 33, 0}},
     {{"grilled", 1.0, 0, 0, 0, 0, 0}, {"breaded and fried", 1.0, 150, 12, 9, 2, 0.5},
      {"in curry sauce", 1.0, 120, 8, 8, 1, 2}}},
    {"Meat", "Pick lean cuts and keep red meat to a few servings a week.",
     {{"Lean beef, diced", 300, 0, 16, 37, 0}, {"Ground beef 90% lean", 320, 0, 17, 39, 0},
      {"Pork tenderloin, diced", 220, 0, 6, 39, 0}, {"Ham, diced", 203, 2, 8, 29, 0},
      {"Lamb, diced", 350, 0, 22, 36, 0}, {"Beef stew meat", 330, 0, 18, 40, 0}},
     {{"grilled", 1.0, 0, 0, 0, 0, 0}, {"braised", 1.05, 0, 0, 0, 0, 0},
      {"in gravy", 1.0, 80, 6, 5, 1, 0.2}}},
    {"Fish & Seafood", "Have fish twice a week; oily fish such as salmon bring omega-3 fats.",
     {{"Salmon, flaked", 306, 0, 18, 33, 0}, {"Tuna in water", 179, 0, 1.3, 39, 0},
      {"Cod", 144, 0, 1.2, 31, 0}, {"Shrimp", 168, 1.5, 2.4, 32, 0},
      {"Tilapia", 218, 0, 4.5, 45, 0}, {"Crab meat", 112, 0, 1.5, 24, 0},
      {"Sardines", 310, 0, 17, 37, 0}},
     {{"baked", 1.0, 0, 0, 0, 0, 0}, {"grilled", 1.0, 0, 0, 0, 0, 0},
      {"pan-fried", 1.0, 80, 0, 9, 0, 0}}},
    {"Soups", "Broth-based soups fill you up for few calories; cream soups are richer.",
     {{"Chicken noodle soup", 62, 7.3, 2.4, 3.1, 0.5}, {"Tomato soup", 74, 16, 0.7, 2.0, 1.5},
      {"Minestrone", 82, 11, 2.5, 4.3, 1.0}, {"Lentil soup", 139, 20, 2.5, 9, 5.5},
      {"Split pea soup", 190, 28, 4, 10, 5}, {"Vegetable beef soup", 78, 10, 1.9, 5.6, 1.2},
      {"Black bean soup", 190, 32, 2.4, 11, 12}, {"Cream of mushroom soup", 129, 9, 9, 2, 0.5}},
     {{"homemade", 1.0, 0, 0, 0, 0, 0}, {"canned", 1.05, 0, 0, 0, 0, 0},
      {"with crackers", 1.0, 60, 10, 1.5, 1, 0.3}}},
    {"Snacks", "Plan snacks around 150 calories and pair carbohydrate with some protein.",
     {{"Popcorn, air-popped", 31, 6.2, 0.4, 1.0, 1.2}, {"Pretzels", 229, 48, 1.6, 5.5, 1.7},
      {"Potato chips", 160, 15, 10, 2.0, 1.3}, {"Tortilla chips", 140, 18, 7, 2.0, 1.5},
      {"Trail mix", 693, 67, 44, 20, 8}, {"Rice crackers", 150, 32, 1.0, 3.0, 0.5},
      {"Dried apricots", 313, 81, 0.6, 4.4, 9.5}, {"Raisins", 434, 115, 0.7, 4.5, 5.4}},
     {{"plain", 1.0, 0, 0, 0, 0, 0}, {"lightly salted", 1.0, 0, 0, 0, 0, 0},
      {"with dark chocolate", 1.0, 100, 11, 6, 1, 1.5}}},
    {"Beverages", "Water first; juices and sweet drinks count toward your calories.",
     {{"Orange juice", 112, 26, 0.5, 1.7, 0.5}, {"Apple juice", 114, 28, 0.3, 0.2, 0.5},
      {"Cola", 97, 25, 0, 0, 0}, {"Coffee with milk", 30, 3, 1.6, 2, 0},
      {"Green tea", 2, 0.5, 0, 0.5, 0}, {"Berry smoothie", 150, 34, 1, 3, 4},
      {"Almond milk, unsweetened", 39, 3.4, 2.5, 1, 0.5}, {"Soy milk", 105, 12, 3.6, 6.3, 1},
      {"Tomato juice", 41, 9, 0.1, 1.9, 1}},
     {{"regular", 1.0, 0, 0, 0, 0, 0}, {"sweetened", 1.0, 30, 8, 0, 0, 0},
      {"light", 0.6, 0, 0, 0, 0, 0}}},
    {"Desserts", "Treats fit in a plan: share them, or choose the light version.",
     {{"Vanilla ice cream", 273, 31, 14.5, 4.6, 0.9}, {"Frozen yogurt", 221, 38, 6, 5, 0},
      {"Chocolate pudding", 300, 50, 9, 6, 2}, {"Rice pudding", 265, 45, 6, 7, 0.6},
      {"Fruit salad in syrup", 180, 46, 0.2, 1, 2.5}, {"Apple crumble", 420, 66, 16, 3.5, 3.2},
      {"Cheesecake pieces", 640, 52, 45, 11, 0.8}, {"Lemon sorbet", 220, 56, 0, 0.3, 1}},
     {{"regular", 1.0, 0, 0, 0, 0, 0}, {"light", 0.8, 0, 0, 0, 0, 0},
      {"with whipped cream", 1.0, 50, 2, 5, 0.4, 0}}},
};

} // namespace

QList<Category> catalogue()
{
    QList<Category> list;
    for (const Group& group : groups) {
        Category category;
        category.title = QString::fromUtf8(group.title);
        category.recomended = QString::fromUtf8(group.advice);
        for (const Base& base : group.bases) {
            for (const Variant& variant : group.variants) {
                Food food;
                food.title = QString::fromUtf8(base.name) + QStringLiteral(" (")
                    + QString::fromUtf8(variant.label) + QLatin1Char(')');
                food.cal = roundTo(base.cal * variant.scale + variant.cal, 1);
                food.carbs = roundTo(qMax(0.0, base.carbs * variant.scale + variant.carbs), 0.1);
                food.fat = roundTo(qMax(0.0, base.fat * variant.scale + variant.fat), 0.1);
                food.protein = roundTo(qMax(0.0, base.protein * variant.scale + variant.protein), 0.1);
                food.fiber = roundTo(qMax(0.0, base.fiber * variant.scale + variant.fiber), 0.1);
                category.foods.append(food);
            }
        }
        list.append(category);
    }
    return list;
}

QList<QStringList> sampleMeals()
{
    return {
        {QStringLiteral("Oatmeal with blueberries and skim milk"), QStringLiteral("Greek yogurt with granola"),
         QStringLiteral("Scrambled eggs with whole wheat toast"), QStringLiteral("Bran flakes with a banana"),
         QStringLiteral("Vegetable omelette and orange juice")},
        {QStringLiteral("An apple with a few almonds"), QStringLiteral("Low-fat yogurt with berries"),
         QStringLiteral("Carrot sticks and hummus"), QStringLiteral("A pear and string cheese")},
        {QStringLiteral("Grilled chicken salad with vinaigrette"), QStringLiteral("Lentil soup and a rye roll"),
         QStringLiteral("Tuna and bean wrap"), QStringLiteral("Quinoa bowl with roasted vegetables"),
         QStringLiteral("Turkey sandwich on whole wheat")},
        {QStringLiteral("Air-popped popcorn"), QStringLiteral("Cottage cheese with pineapple"),
         QStringLiteral("A handful of pistachios"), QStringLiteral("Edamame, steamed")},
        {QStringLiteral("Baked salmon with brown rice and broccoli"),
         QStringLiteral("Lean beef stir-fry with vegetables"), QStringLiteral("Whole wheat pasta with tomato sauce"),
         QStringLiteral("Chicken curry with cauliflower rice"), QStringLiteral("Black bean chili")},
        {QStringLiteral("A cup of green tea and a kiwi"), QStringLiteral("Frozen yogurt, light"),
         QStringLiteral("Warm skim milk with cinnamon"), QStringLiteral("Sliced strawberries")},
    };
}

} // namespace FoodDemo
