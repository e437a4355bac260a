// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "model/keyfilters.h"

#include <QLineEdit>

// A text field whose typed characters pass a keystroke filter of the model, which lets each one
// through, replaces it or swallows it. Pasted text (Ctrl+V, Shift+Insert, the context menu, a
// middle click) passes the whole-text filter before the length limit cuts it. The platform's
// editing shortcuts work as in any field. Text set by a routine is taken as it is.
class FilteredLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    FilteredLineEdit(KeyFilter filter, int maxLength, QWidget *parent);

    void pasteFiltered();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void insertFiltered(const QString &text);

    KeyFilter m_filter;
};
