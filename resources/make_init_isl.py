#!/usr/bin/env python3
"""Writes device/init.isl, the starter catalogue imported on the first start.

The file is a text list in UTF-16LE with a byte-order mark: a 7-field header, then one
record per item: "name","unit",quantity,price,coupon,purchased,"+*(XX)+Category+...".
XX is a two-letter location code (WA walmart, SA sam's club, two blanks for none); the
program expands it to the full location name. Quantities are 0, so the file fills the
catalogue without putting anything on a list.

Run it after changing the table: python3 resources/make_init_isl.py
"""
import os

FOODS = "Foods"
VEG = "Vegetables"
FRUIT = "Fruits"
DRINKS = "Drinks"
DRUGS = "Drugs"
HOUSE = "Household & Cleaning Items"
MEAT = "Meat"
KITCHEN = "Kitchen Items"

# name, unit, price, location code, categories
ITEMS = [
    # Dairy and eggs
    ("Milk", "gal", 3.49, "WA", [FOODS, DRINKS]),
    ("Skim milk", "gal", 3.29, "WA", [FOODS, DRINKS]),
    ("Eggs", "doz", 2.99, "WA", [FOODS]),
    ("Butter", "lib", 4.49, "WA", [FOODS]),
    ("Cheddar cheese", "lib", 5.99, "SA", [FOODS]),
    ("Mozzarella", "lib", 4.99, "  ", [FOODS]),
    ("Cream cheese", "pkg", 2.49, "  ", [FOODS]),
    ("Yogurt", "cup", 0.89, "WA", [FOODS]),
    ("Sour cream", "pint", 1.99, "  ", [FOODS]),
    ("Heavy cream", "pint", 3.29, "  ", [FOODS]),
    ("Ice cream", "qrt", 4.99, "WA", [FOODS]),
    # Bakery and grains
    ("Bread", "pkg", 2.49, "WA", [FOODS]),
    ("Whole wheat bread", "pkg", 2.99, "WA", [FOODS]),
    ("Bagels", "pkg", 3.29, "  ", [FOODS]),
    ("Tortillas", "pkg", 2.79, "  ", [FOODS]),
    ("Rice", "Bags", 4.99, "SA", [FOODS]),
    ("Spaghetti", "pkg", 1.29, "WA", [FOODS]),
    ("Macaroni", "pkg", 1.19, "WA", [FOODS]),
    ("Flour", "Bags", 3.49, "WA", [FOODS]),
    ("Sugar", "Bags", 3.29, "WA", [FOODS]),
    ("Brown sugar", "Bags", 2.49, "  ", [FOODS]),
    ("Oatmeal", "pkg", 3.99, "  ", [FOODS]),
    ("Breakfast cereal", "pkg", 3.79, "WA", [FOODS]),
    ("Crackers", "pkg", 2.99, "  ", [FOODS]),
    ("Cookies", "pkg", 3.49, "  ", [FOODS]),
    ("Potato chips", "Bags", 3.99, "  ", [FOODS]),
    ("Popcorn", "pkg", 2.99, "  ", [FOODS]),
    # Pantry
    ("Peanut butter", "pkg", 2.99, "WA", [FOODS]),
    ("Jam", "pkg", 3.29, "  ", [FOODS, FRUIT]),
    ("Honey", "pkg", 5.49, "  ", [FOODS]),
    ("Maple syrup", "pint", 7.99, "  ", [FOODS]),
    ("Olive oil", "litre", 8.99, "SA", [FOODS, KITCHEN]),
    ("Vegetable oil", "litre", 3.99, "  ", [FOODS, KITCHEN]),
    ("Vinegar", "litre", 1.99, "  ", [FOODS, KITCHEN]),
    ("Salt", "pkg", 0.99, "  ", [FOODS, KITCHEN]),
    ("Black pepper", "pkg", 3.49, "  ", [FOODS, KITCHEN]),
    ("Ketchup", "pkg", 2.29, "  ", [FOODS]),
    ("Mustard", "pkg", 1.79, "  ", [FOODS]),
    ("Mayonnaise", "pkg", 3.99, "  ", [FOODS]),
    ("Canned tomatoes", "pkg", 1.29, "  ", [FOODS, VEG]),
    ("Tomato sauce", "pkg", 1.49, "  ", [FOODS, VEG]),
    ("Canned tuna", "pkg", 1.39, "  ", [FOODS]),
    ("Chicken soup", "pkg", 1.89, "  ", [FOODS]),
    ("Black beans", "pkg", 0.99, "  ", [FOODS, VEG]),
    ("Baking soda", "pkg", 0.89, "  ", [FOODS, KITCHEN]),
    ("Baking powder", "pkg", 2.29, "  ", [FOODS, KITCHEN]),
    ("Chocolate", "pkg", 2.49, "  ", [FOODS]),
    ("Frozen pizza", "pkg", 5.99, "WA", [FOODS]),
    ("Frozen peas", "Bags", 1.99, "  ", [FOODS, VEG]),
    # Vegetables
    ("Potatoes", "Bags", 4.99, "WA", [VEG]),
    ("Onions", "Bags", 2.99, "WA", [VEG]),
    ("Garlic", "pkg", 0.79, "  ", [VEG]),
    ("Carrots", "Bags", 1.49, "WA", [VEG]),
    ("Tomatoes", "kg", 3.49, "  ", [VEG]),
    ("Cucumbers", "kg", 2.49, "  ", [VEG]),
    ("Lettuce", "pkg", 1.79, "  ", [VEG]),
    ("Spinach", "Bags", 2.99, "  ", [VEG]),
    ("Broccoli", "bunch", 2.29, "  ", [VEG]),
    ("Celery", "bunch", 1.99, "  ", [VEG]),
    ("Green onions", "bunch", 0.99, "  ", [VEG]),
    ("Bell peppers", "kg", 4.49, "  ", [VEG]),
    ("Mushrooms", "pkg", 2.49, "  ", [VEG]),
    ("Zucchini", "kg", 2.99, "  ", [VEG]),
    ("Cabbage", "kg", 1.29, "  ", [VEG]),
    ("Sweet corn", "pkg", 2.99, "  ", [VEG]),
    ("Parsley", "bunch", 0.99, "  ", [VEG, KITCHEN]),
    # Fruits
    ("Apples", "kg", 3.29, "WA", [FRUIT]),
    ("Bananas", "kg", 1.29, "WA", [FRUIT]),
    ("Oranges", "kg", 2.99, "WA", [FRUIT]),
    ("Lemons", "kg", 3.49, "  ", [FRUIT]),
    ("Limes", "kg", 3.99, "  ", [FRUIT]),
    ("Grapes", "kg", 4.99, "  ", [FRUIT]),
    ("Strawberries", "pint", 3.99, "  ", [FRUIT]),
    ("Blueberries", "pint", 4.49, "  ", [FRUIT]),
    ("Pears", "kg", 3.49, "  ", [FRUIT]),
    ("Peaches", "kg", 3.99, "  ", [FRUIT]),
    ("Pineapple", "", 2.99, "  ", [FRUIT]),
    ("Watermelon", "", 5.99, "  ", [FRUIT]),
    ("Avocados", "", 1.29, "  ", [FRUIT, VEG]),
    ("Raisins", "pkg", 2.99, "  ", [FRUIT, FOODS]),
    # Meat and fish
    ("Chicken breast", "kg", 8.99, "SA", [MEAT]),
    ("Whole chicken", "kg", 4.49, "  ", [MEAT]),
    ("Ground beef", "kg", 9.99, "SA", [MEAT]),
    ("Beef steak", "kg", 19.99, "  ", [MEAT]),
    ("Pork chops", "kg", 8.49, "  ", [MEAT]),
    ("Bacon", "pkg", 5.99, "WA", [MEAT]),
    ("Sausages", "pkg", 4.99, "  ", [MEAT]),
    ("Sliced ham", "pkg", 3.99, "  ", [MEAT]),
    ("Turkey slices", "pkg", 4.29, "  ", [MEAT]),
    ("Salmon fillet", "kg", 17.99, "  ", [MEAT]),
    ("Shrimp", "Bags", 9.99, "SA", [MEAT]),
    # Drinks
    ("Orange juice", "gal", 5.49, "WA", [DRINKS, FRUIT]),
    ("Apple juice", "gal", 4.49, "  ", [DRINKS, FRUIT]),
    ("Coffee", "pkg", 7.99, "SA", [DRINKS]),
    ("Tea bags", "pkg", 3.49, "  ", [DRINKS]),
    ("Bottled water", "pkg", 4.99, "SA", [DRINKS]),
    ("Sparkling water", "litre", 0.99, "  ", [DRINKS]),
    ("Cola", "litre", 1.99, "WA", [DRINKS]),
    ("Beer", "pkg", 9.99, "  ", [DRINKS]),
    ("Red wine", "", 9.99, "  ", [DRINKS]),
    # Drugs and personal care
    ("Aspirin", "pkg", 4.99, "WA", [DRUGS]),
    ("Pain reliever", "pkg", 6.99, "  ", [DRUGS]),
    ("Cough syrup", "pkg", 7.49, "  ", [DRUGS]),
    ("Vitamins", "pkg", 8.99, "SA", [DRUGS]),
    ("Bandages", "pkg", 3.99, "  ", [DRUGS]),
    ("Allergy tablets", "pkg", 9.99, "  ", [DRUGS]),
    ("Toothpaste", "pkg", 2.99, "WA", [DRUGS, HOUSE]),
    ("Toothbrush", "", 2.49, "  ", [DRUGS, HOUSE]),
    ("Shampoo", "pkg", 4.99, "  ", [DRUGS, HOUSE]),
    ("Deodorant", "", 3.99, "  ", [DRUGS, HOUSE]),
    ("Sunscreen", "pkg", 7.99, "  ", [DRUGS]),
    # Household and cleaning
    ("Toilet paper", "pkg", 7.99, "SA", [HOUSE]),
    ("Paper towels", "pkg", 6.99, "SA", [HOUSE, KITCHEN]),
    ("Tissues", "pkg", 1.99, "  ", [HOUSE]),
    ("Dish soap", "pkg", 2.99, "WA", [HOUSE, KITCHEN]),
    ("Dishwasher tablets", "pkg", 8.99, "  ", [HOUSE, KITCHEN]),
    ("Laundry detergent", "pkg", 11.99, "SA", [HOUSE]),
    ("Fabric softener", "pkg", 5.99, "  ", [HOUSE]),
    ("Bleach", "gal", 3.49, "  ", [HOUSE]),
    ("All-purpose cleaner", "pkg", 3.99, "  ", [HOUSE]),
    ("Glass cleaner", "pkg", 3.49, "  ", [HOUSE]),
    ("Sponges", "pkg", 2.49, "  ", [HOUSE, KITCHEN]),
    ("Trash bags", "pkg", 6.49, "WA", [HOUSE]),
    ("Hand soap", "pkg", 2.29, "  ", [HOUSE]),
    ("Light bulbs", "pkg", 5.99, "  ", [HOUSE]),
    ("Batteries", "pkg", 6.99, "  ", [HOUSE]),
    # Kitchen
    ("Aluminium foil", "pkg", 4.49, "  ", [KITCHEN]),
    ("Plastic wrap", "pkg", 2.99, "  ", [KITCHEN]),
    ("Sandwich bags", "pkg", 2.79, "  ", [KITCHEN]),
    ("Baking paper", "pkg", 3.49, "  ", [KITCHEN]),
    ("Paper napkins", "pkg", 1.99, "  ", [KITCHEN, HOUSE]),
    ("Paper plates", "pkg", 3.99, "  ", [KITCHEN]),
    ("Coffee filters", "pkg", 2.49, "  ", [KITCHEN, DRINKS]),
]

HEADER = '"Name","Unit","Quantity","Price","Coupon","Purchased","+*(XX)+Categories"'
# Characters that cut fields or field parts; none may appear inside a value.
RESERVED = set(',\r\n+"()*\\')


def record(name, unit, price, code, categories):
    for text in [name, unit] + categories:
        assert not RESERVED & set(text), text
    assert len(code) == 2
    return '"%s","%s",0,%.2f,0,0,"+*(%s)+%s"' % (name, unit, price, code, "+".join(categories))


def main():
    names = [item[0].lower() for item in ITEMS]
    assert len(names) == len(set(names)), "names must differ ignoring case"
    assert 80 <= len(ITEMS) <= 150
    lines = [HEADER] + [record(*item) for item in ITEMS]
    text = "\r\n".join(lines) + "\r\n"
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "device", "init.isl")
    with open(target, "wb") as out:
        out.write(b"\xff\xfe" + text.encode("utf-16-le"))
    print("%s: %d items" % (target, len(ITEMS)))


if __name__ == "__main__":
    main()
