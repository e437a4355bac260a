#include "ui/filteredlineedit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>

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

// The standard menu's Paste, known by the caption Qt gives it in QLineEdit's own context.
QAction *findPasteAction(const QMenu *menu)
{
    const QString caption = QLineEdit::tr("&Paste");
    const QList<QAction *> actions = menu->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(), [&](const QAction *action) {
        return action->text().startsWith(caption);
    });
    return paste == actions.end() ? nullptr : *paste;
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
    if (QAction *paste = findPasteAction(menu)) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, &FilteredLineEdit::pasteFiltered);
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
