// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "ui/rule.h"

#include <QPainter>

#include <algorithm>

Rule::Rule(int thickness, QWidget *parent) : QWidget(parent), m_thickness(thickness) {}

void Rule::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QTransform toDevice = painter.deviceTransform();
    const QRectF span = toDevice.mapRect(QRectF(0, 0, width(), m_thickness));
    // Device pixels to one of the widget's: the screen's ratio, or that of what it is rendered to.
    const qreal ratio = toDevice.m22();
    const int left = qRound(span.left());
    const QRect pixels(left, qRound(span.top()), qRound(span.right()) - left,
                       std::max(1, qRound(m_thickness * ratio)));
    // From here on, coordinates are device pixels.
    painter.setWorldTransform(toDevice.inverted() * painter.worldTransform());
    painter.fillRect(pixels, palette().color(QPalette::WindowText));
}
