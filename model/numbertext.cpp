// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "model/numbertext.h"

#include <limits>

namespace
{

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view trimmedBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

struct DecimalPrefix {
    double value = 0;
    size_t length = 0;
    bool hasDigit = false;
};

// Reads an optional sign, digits and one decimal point from the start of text, up to the first
// character that cannot continue the number. With skipBlanks, blanks and tabs are passed over.
DecimalPrefix readDecimalPrefix(std::string_view text, bool skipBlanks)
{
    DecimalPrefix number;
    double sign = 1;
    double scale = 1;
    bool started = false;
    bool seenPoint = false;
    for (; number.length < text.size(); ++number.length) {
        const char c = text[number.length];
        if (skipBlanks && isBlank(c)) {
            continue;
        }
        if (!started && (c == '+' || c == '-')) {
            sign = c == '-' ? -1 : 1;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (isDigit(c)) {
            number.hasDigit = true;
            if (seenPoint) {
                scale /= 10;
                number.value += (c - '0') * scale;
            } else {
                number.value = number.value * 10 + (c - '0');
            }
        } else {
            break;
        }
        started = true;
    }
    number.value *= sign;
    return number;
}

} // namespace

std::optional<int> hexDigitValue(char c)
{
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return std::nullopt;
}

std::optional<double> decimalValue(std::string_view text)
{
    text = trimmedBlanks(text);
    const DecimalPrefix number = readDecimalPrefix(text, false);
    if (!number.hasDigit || number.length != text.size()) {
        return std::nullopt;
    }
    return number.value;
}

quint64 leadingHexValue(std::string_view text)
{
    LeadingHexValue value;
    value.read(text);
    return value.value();
}

void LeadingHexValue::read(std::string_view piece)
{
    constexpr quint64 Largest = std::numeric_limits<quint64>::max();
    for (size_t at = 0; !m_ended && at < piece.size(); ++at) {
        if (isBlank(piece[at])) {
            continue;
        }
        const std::optional<int> digit = hexDigitValue(piece[at]);
        m_ended = !digit;
        if (digit) {
            m_value = m_value > (Largest - *digit) / 16 ? Largest : m_value * 16 + *digit;
        }
    }
}

double leadingDecimalValue(std::string_view text)
{
    return readDecimalPrefix(text, true).value;
}
