// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "ui/controls.h"

#include "ui/filteredlineedit.h"
#include "ui/rule.h"
#include "ui/twips.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>

namespace
{

constexpr int HeadingLeft = 450;
constexpr int HeadingHeight = 270;
constexpr int PanelLeft = 720;
constexpr int PanelWidth = 9645;
constexpr int PanelHeight = 465;
constexpr int LabelTop = 90;
constexpr int LabelHeight = 240;
constexpr int OptionTop = 90;
constexpr int OptionHeight = 285;
constexpr int FieldTop = 45;
constexpr int FieldHeight = 315;
constexpr int RowRuleTop = 405;
constexpr int HeadingRulePixels = 2;
constexpr int RowRulePixels = 1;

// Arial at 9.75 and at 12 points is 13 and 16 pixels at 96 dots per inch; pixel sizes keep the
// text in proportion to the twips layout whatever dots per inch the screen reports.
constexpr int TextPixels = 13;
constexpr int HeadingPixels = 16;

QFont arial(int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    return font;
}

// The window's content reads as black text and rules on white, as it was drawn, whatever colours
// the desktop gives: window, base and button are the white that labels, option buttons (which
// fill with the button colour) and panels fill. Greyed controls take the classic grey text,
// which still reads on white. The shades of frames and circles are those of Qt's own light
// palette. The menu bar and the dialogs are not part of the content: they keep the desktop's.
QPalette contentPalette()
{
    const QColor face(239, 239, 239);
    const QColor dark = face.darker(150);
    const QColor mid = face.darker(130);
    const QColor greyed(128, 128, 128);
    QPalette palette(Qt::black, Qt::white, Qt::white, dark, mid, Qt::black, Qt::white, Qt::white,
                     Qt::white);
    palette.setColor(QPalette::Midlight, mid.lighter(110));
    palette.setColor(QPalette::Shadow, dark.darker(135));
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    for (QPalette::ColorRole text : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, text, greyed);
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    return palette;
}

template <typename Widget> Widget *place(Widget *widget, const char *name, const QRect &geometry)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, const QRect &geometry,
                  int pixelSize)
{
    auto *label = place(new QLabel(caption, parent), name, geometry);
    label->setFont(arial(pixelSize));
    label->setAutoFillBackground(true);
    // The widths are the fits of the captions in the font the layout was drawn with; the font
    // that stands in for it may need a few pixels more.
    label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
    return label;
}

// A rule of thickness pixels along the top of geometry's first row.
Rule *makeRule(QWidget *parent, const char *name, const QRect &top, int thickness)
{
    return place(new Rule(thickness, parent), name,
                 QRect(top.topLeft(), QSize(top.width(), thickness + 1)));
}

} // namespace

void centreOnScreen(QWidget *window)
{
    // Where the platform knows the frame only once the window is shown, the frame's own size
    // is left out.
    if (!window->testAttribute(Qt::WA_Moved)) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(window->screen()->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

QWidget *makeClientArea(QWidget *window)
{
    auto *client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    client->setFont(arial(TextPixels));
    client->setPalette(contentPalette());
    client->setAutoFillBackground(true);
    return client;
}

QLabel *makeHeading(QWidget *client, const char *name, const QString &caption, int top, int width)
{
    return makeLabel(client, name, caption, rectFromTwips(HeadingLeft, top, width, HeadingHeight),
                     HeadingPixels);
}

Rule *makeHeadingRule(QLabel *heading, const char *name, int right)
{
    // Along the heading's lower edge, and at least as long as the heading's caption.
    const QRect above = heading->geometry();
    const int width = std::max(pixelsFromTwips(right) - above.left(), above.width());
    return makeRule(heading->parentWidget(), name,
                    QRect(above.left(), above.bottom() + 1, width, 1), HeadingRulePixels);
}

QWidget *makePanel(QWidget *client, const char *name, int top, const QString &accessibleName)
{
    auto *panel =
        place(new QWidget(client), name, rectFromTwips(PanelLeft, top, PanelWidth, PanelHeight));
    panel->setAccessibleName(accessibleName);
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel *makeRowLabel(QWidget *panel, const char *name, const QString &caption, RowPlace where)
{
    return makeLabel(panel, name, caption,
                     rectFromTwips(where.left, LabelTop, where.width, LabelHeight), TextPixels);
}

Rule *makeRowRule(QWidget *panel, const char *name, int left, int right)
{
    return makeRule(panel, name, rectFromTwips(left, RowRuleTop, right - left, 0), RowRulePixels);
}

QButtonGroup *makeOptionGroup(QWidget *panel, const char *name, Group group,
                              std::initializer_list<RowPlace> places)
{
    auto *buttons = new QButtonGroup(panel);
    buttons->setObjectName(QLatin1String(name));
    const OptionGroup &options = optionGroup(group);
    Q_ASSERT(places.size() == options.options.size());
    for (int index = 0; const RowPlace &where : places) {
        const QString caption = QString::fromLatin1(options.options[index].caption);
        const QByteArray buttonName = QByteArray(name) + '_' + QByteArray::number(index);
        // Where a button reaches under the next one, it ends where that one starts: a sibling
        // drawn later would paint over it.
        const auto next = places.begin() + index + 1;
        const int right = next == places.end() ? where.left + where.width
                                               : std::min(where.left + where.width, next->left);
        auto *button =
            place(new QRadioButton(caption, panel), buttonName.constData(),
                  rectFromTwips(where.left, OptionTop, right - where.left, OptionHeight));
        button->setAutoFillBackground(true);
        buttons->addButton(button, index++);
    }
    // The group is one Tab stop, and the stop is its selected option.
    QObject::connect(buttons, &QButtonGroup::buttonToggled, buttons,
                     [buttons](QAbstractButton *toggled, bool checked) {
                         if (!checked) {
                             return;
                         }
                         for (QAbstractButton *button : buttons->buttons()) {
                             button->setFocusPolicy(button == toggled ? Qt::StrongFocus
                                                                      : Qt::ClickFocus);
                         }
                     });
    return buttons;
}

FilteredLineEdit *makeTextField(QWidget *panel, const char *name, KeyFilter filter, int maxLength,
                                RowPlace where, const QString &accessibleName)
{
    auto *field = place(new FilteredLineEdit(filter, maxLength, panel), name,
                        rectFromTwips(where.left, FieldTop, where.width, FieldHeight));
    field->setAccessibleName(accessibleName);
    return field;
}
