#pragma once

#include <QMainWindow>

// The start-up floor: the program's window as the operator first sees it, with the same controls
// in the same places, fonts, palette and menu, and nothing behind them. It leaves out the mode and
// section rules, the keystroke filters, the defaults, the snapshot, the preferences, the dialogs
// and the menu's commands; the barcode reader interface rows are hidden and the window is short,
// as the program shows itself on a first start.
class FloorWindow : public QMainWindow
{
    Q_OBJECT

public:
    FloorWindow();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildModeSection(QWidget *client);
    void buildPickUpSection(QWidget *client);
    void buildSelectSection(QWidget *client);
    void buildInterfaceSection(QWidget *client);
    void buildMenu();
};
