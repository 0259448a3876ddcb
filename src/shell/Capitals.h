#pragma once
// An amount in Chinese capital numerals as banks write it ("壹仟贰佰叁拾肆圆伍角陆分").

#include "data/Money.h"

#include <QString>

// Rounded half-even to the cent first. Units 圆, 角, 分; "整" closes a text without 分;
// zero gives "零"; a negative amount gives "负" + the capitals of its absolute value.
QString AmountToCapitals(Money amount);
