// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QtGlobal>

#include <optional>
#include <string_view>

// Conversions between the texts of a setting file and numbers.

// The whole text as a decimal number: blanks around it, an optional sign, digits with an
// optional fractional part ("7", " 0012", "-5", "2.5", "1."). Anything else is no number.
std::optional<double> decimalValue(std::string_view text);

// The value of a hexadecimal digit, in either case; nothing for any other character.
std::optional<int> hexDigitValue(char c);

// Hexadecimal digits from the start of text, blanks and tabs skipped, up to the first other
// character; no digit gives 0. Saturates instead of overflowing.
quint64 leadingHexValue(std::string_view text);

// The same for a text that comes in pieces, however long it is.
class LeadingHexValue
{
public:
    void read(std::string_view piece);
    quint64 value() const { return m_value; }

private:
    quint64 m_value = 0;
    bool m_ended = false;
};

// The number at the start of text, blanks and tabs skipped, up to the first character that
// cannot continue it (an optional sign, digits, one decimal point); no number gives 0.
double leadingDecimalValue(std::string_view text);
