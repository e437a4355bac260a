// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "model/keyfilters.h"
#include "model/settings.h"

#include <initializer_list>

class FilteredLineEdit;
class QButtonGroup;
class QLabel;
class QString;
class QWidget;
class Rule;

// Makers of the window's controls. Places are in twips; the fonts, colours and the fixed parts
// of the layout (the heading column, the panel column, the tops within a row) are set here.

// Where a control stands in its row: left edge and width, in twips.
struct RowPlace {
    int left;
    int width;
};

QWidget *makeClientArea(QWidget *window);
// Centres a window that is about to be shown, unless it has been placed already.
void centreOnScreen(QWidget *window);
QLabel *makeHeading(QWidget *client, const char *name, const QString &caption, int top, int width);
// The 2-pixel rule under a heading, running from the heading's left edge to right (twips).
Rule *makeHeadingRule(QLabel *heading, const char *name, int right);
QWidget *makePanel(QWidget *client, const char *name, int top, const QString &accessibleName);
QLabel *makeRowLabel(QWidget *panel, const char *name, const QString &caption, RowPlace place);
Rule *makeRowRule(QWidget *panel, const char *name, int left, int right);
QButtonGroup *makeOptionGroup(QWidget *panel, const char *name, Group group,
                              std::initializer_list<RowPlace> places);
FilteredLineEdit *makeTextField(QWidget *panel, const char *name, KeyFilter filter, int maxLength,
                                RowPlace place, const QString &accessibleName);
