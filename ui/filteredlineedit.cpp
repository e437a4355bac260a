#include "ui/filteredlineedit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaMethod>

namespace
{

// Delete types no character, though X11 reports one for it.
constexpr QChar DeleteCharacter(0x7f);

constexpr Qt::KeyboardModifiers CommandModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool typesCharacter(const QKeyEvent *event)
{
    return !event->text().isEmpty() && event->text() != DeleteCharacter;
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

void FilteredLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (!typesCharacter(event)) {
        // Ctrl+V stays swallowed where a platform reports no character for it; Shift+Insert
        // and the like paste, filtered.
        if (event->matches(QKeySequence::Paste)) {
            if (!(event->modifiers() & CommandModifiers)) {
                pasteFiltered();
            }
        } else {
            QLineEdit::keyPressEvent(event);
        }
        return;
    }
    // Backspace passes both filters and deletes. A key held with Ctrl types a control character
    // (Ctrl+V types 22) and one held with Alt types none; the filters would swallow either, but
    // some platforms report the plain character. Anything else goes in as the filter lets it.
    if (event->text() == QChar(BackspaceKey)) {
        QLineEdit::keyPressEvent(event);
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
