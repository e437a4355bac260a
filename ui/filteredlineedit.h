#pragma once

#include "model/keyfilters.h"

#include <QLineEdit>

// A text field whose typed characters pass a keystroke filter of the core, which lets each one
// through, replaces it or swallows it. Pasted text (context menu, Shift+Insert, a middle click)
// passes the whole-text filter before the length limit cuts it; Ctrl+V types a control
// character and is swallowed like any other. Text set by a routine is taken as it is.
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
