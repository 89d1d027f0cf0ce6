// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class CalculatorEngine;
class QLabel;
class QModelIndex;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTreeView;

// The constants picker of one calculator window: a separate window listing
// the sixty constants, sorted by description when it opens. Double-clicking
// a row enters its value into the calculator (sourceWindow); keys typed into
// the picker go to that calculator too, except Escape, which closes the
// picker like Cancel does.
//
// The picker deletes itself when it is closed (Cancel, Escape or the close
// box), so a window keeps it in a QPointer and makes a fresh one on the next
// press of its constants button. Hiding it with Hide() keeps it, with its
// sorting, selection and scroll position. The calculator must outlive the
// picker; the calculator window, the picker's parent, guarantees that.
class dlgConstants : public QDialog
{
    Q_OBJECT

public:
    dlgConstants(CalculatorEngine *sourceWindow, QWidget *parent);

    // The calculator that receives double-clicked values and typed keys.
    CalculatorEngine *sourceWindow() const { return source; }
    void setSourceWindow(CalculatorEngine *calculator) { source = calculator; }

    // True after Show(), false after Hide() and when the picker is new: says
    // whether the constants button hides or shows the picker.
    bool isVisibleNow() const { return visibleNow; }
    void Show();
    void Hide();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void lstConstants_Open();
    void lstConstants_DoubleClick(const QModelIndex &index);
    void cmdCancel_Action();
    // Passes a typed key to the calculator; true when the key went there.
    bool KeyDown(const QKeyEvent *event);

    CalculatorEngine *source;
    bool visibleNow = false;
    QLabel *lblConstansListLabel;
    QTreeView *lstConstants;
    QPushButton *cmdCancel;
    QStandardItemModel *constants;
    QSortFilterProxyModel *sortedConstants;
};
