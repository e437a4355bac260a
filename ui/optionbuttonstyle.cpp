// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "ui/optionbuttonstyle.h"

#include <QStyleOption>

int OptionButtonStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                   const QWidget *widget) const
{
    switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return 13;
    case PM_RadioButtonLabelSpacing:
        return 4;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QRect OptionButtonStyle::subElementRect(SubElement element, const QStyleOption *option,
                                        const QWidget *widget) const
{
    if (element == SE_RadioButtonClickRect) {
        return option->rect;
    }
    return QProxyStyle::subElementRect(element, option, widget);
}
