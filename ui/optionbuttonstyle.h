// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QProxyStyle>

// The layout leaves an option button's caption the room of the classic look it was drawn for:
// a 13-pixel circle and 4 pixels before the caption. Fusion's wider circle and gap would push
// "Original Format" into "Select". In that look a button is its whole rectangle: a click
// anywhere in it selects it, not only one on the circle or the caption.
class OptionButtonStyle : public QProxyStyle
{
    Q_OBJECT

public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override;
    QRect subElementRect(SubElement element, const QStyleOption *option,
                         const QWidget *widget) const override;
};
