#!/usr/bin/env python3
"""Writes a sample shopping list as a Listora list file (.lsr), for screenshots.

Layout, little-endian: the record count (32 bits), then per line: name, unit, note,
location (each a 16-bit count of UTF-16 units and the units; count 0 for none),
quantity and price (32-bit floats), coupon, once, taxable, purchased (a byte each),
the category count (32 bits) and the categories."""
import struct
import sys

LINES = [
    # name, unit, note, location, qty, price, coupon, taxable, purchased, categories
    ("Milk", "gal", "", "Market", 2, 3.49, False, False, False, ["Dairy"]),
    ("Bread", "", "whole grain", "Bakery", 1, 2.29, False, False, True, ["Bakery"]),
    ("Orange juice", "", "", "Market", 1, 3.99, True, False, False, ["Drinks"]),
    ("Toilet paper", "pkg", "", "Walmart", 1, 6.49, False, True, False, ["Household & Cleaning Items"]),
    ("Bananas", "lb", "", "Market", 2.5, 0.59, False, False, False, ["Fruit"]),
    ("Eggs", "doz", "", "Market", 1, 2.99, False, False, True, ["Dairy"]),
    ("Coffee", "", "decaf", "Walmart", 1, 7.99, True, True, False, ["Drinks"]),
    ("Baking soda", "", "", "Walmart", 1, 0.99, False, True, False, ["Baking"]),
    ("Apples", "lb", "", "Market", 3, 1.29, False, False, False, ["Fruit"]),
    ("Cheddar", "", "", "Market", 1, 4.50, False, False, False, ["Dairy"]),
    ("Dish soap", "", "", "Walmart", 1, 2.79, False, True, False, ["Household & Cleaning Items"]),
    ("Pasta", "", "", "Market", 2, 1.19, False, False, False, ["Pasta & Grains"]),
]


def text(value):
    units = value.encode("utf-16-le")
    return struct.pack("<H", len(units) // 2) + units


def main(path):
    out = struct.pack("<I", len(LINES))
    for name, unit, note, location, qty, price, coupon, taxable, purchased, categories in LINES:
        out += text(name) + text(unit) + text(note) + text(location)
        out += struct.pack("<ff", qty, price)
        out += bytes([coupon, False, taxable, purchased])
        out += struct.pack("<I", len(categories)) + b"".join(text(c) for c in categories)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1])
