#pragma once

#include <QProxyStyle>

// The layout leaves an option button's caption the room of the classic look it was drawn for:
// a 13-pixel circle and 4 pixels before the caption. Fusion's wider circle and gap would push
// "Original Format" into "Select".
class OptionButtonStyle : public QProxyStyle
{
    Q_OBJECT

public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override;
};
