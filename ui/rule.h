// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>

// A plain rule in the window-text colour along the top of the widget, drawn on whole device
// pixels: as many as its thickness takes at the screen's scale, rounded, and at least one. A
// rule on fractional pixels would be dropped by some scale factors, and a thick one could come
// out no thicker than a thin one. The widget is a pixel taller than the rule, so that the
// rounded rows stay inside it.
class Rule : public QWidget
{
    Q_OBJECT

public:
    Rule(int thickness, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_thickness;
};
