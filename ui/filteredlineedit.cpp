// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "ui/filteredlineedit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaMethod>

#include <algorithm>

namespace
{

constexpr Qt::KeyboardModifiers CommandModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// The editing shortcuts of the platform, which some platforms report with the letter they are
// held with (Ctrl+A as "a"). Paste is not among them: it goes through the filter.
constexpr QKeySequence::StandardKey EditingShortcuts[] = {
    QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
    QKeySequence::Undo,      QKeySequence::Redo, QKeySequence::Delete,
};

bool isEditingShortcut(const QKeyEvent *event)
{
    return std::any_of(std::begin(EditingShortcuts), std::end(EditingShortcuts),
                       [event](QKeySequence::StandardKey key) { return event->matches(key); });
}

// Backspace, Delete (127 on X11), Enter and the codes that Ctrl gives letters are no text.
bool insertsText(const QKeyEvent *event)
{
    return !event->text().isEmpty() && event->text().front().isPrint();
}

// Cuts the standard menu's Paste from the field's own paste() and tells whether this action was
// it. Its caption would not tell, being translated; what it is connected to does. Qt connects it
// by the slot's name in some versions and by member pointer in others.
bool disconnectStandardPaste(QAction *action, QLineEdit *field)
{
    static const QMetaMethod triggered = QMetaMethod::fromSignal(&QAction::triggered);
    static const QMetaMethod paste =
        QLineEdit::staticMetaObject.method(QLineEdit::staticMetaObject.indexOfSlot("paste()"));
    return QObject::disconnect(action, triggered, field, paste) ||
           QObject::disconnect(action, &QAction::triggered, field, &QLineEdit::paste);
}

} // namespace

FilteredLineEdit::FilteredLineEdit(KeyFilter filter, int maxLength, QWidget *parent)
    : QLineEdit(parent), m_filter(filter)
{
    setMaxLength(maxLength);
    // Dropped and composed text would bypass the filters.
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void FilteredLineEdit::pasteFiltered()
{
    insertFiltered(QGuiApplication::clipboard()->text());
}

// Only characters are filtered: shortcuts, backspace, Delete and the movement keys work as in
// any field. A key held with Ctrl, Alt or Meta that is no shortcut types nothing, though some
// platforms report the plain character for it.
void FilteredLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered();
    } else if (event->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
        // Ctrl+Y redoes everywhere, as on Windows: the key schemes of GNOME, KDE and bare X11
        // redo only with Ctrl+Shift+Z, and give Ctrl+Y no other meaning.
        redo();
    } else if (!insertsText(event) || isEditingShortcut(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    } else if (!(event->modifiers() & CommandModifiers)) {
        insertFiltered(event->text());
    }
    event->accept();
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction *action : menu->actions()) {
        if (disconnectStandardPaste(action, this)) {
            connect(action, &QAction::triggered, this, &FilteredLineEdit::pasteFiltered);
        }
    }
    menu->popup(event->globalPos());
}

void FilteredLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        deselect();
        insertFiltered(clipboard->text(QClipboard::Selection));
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FilteredLineEdit::insertFiltered(const QString &text)
{
    const QString filtered = filterPastedText(text, m_filter);
    // Inserting nothing would still delete the selection.
    if (!filtered.isEmpty()) {
        insert(filtered);
    }
}
